#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "format/file_set.h"
#include "format/kinds.h"

// Builds whole Sets in memory: the empty template and the demo Set that ship in data/,
// and random Sets for tests. Everything is deterministic on every platform.
namespace i40::build {

// A small generator whose output is fixed by its seed everywhere (the standard
// distributions are not).
class Rng {
 public:
  explicit Rng(std::uint32_t seed) : state_(seed * 2654435761u + 1u) {}
  std::uint32_t Next();
  std::uint8_t Byte() { return static_cast<std::uint8_t>(Next() >> 24); }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
  void Fill(std::span<std::uint8_t> bytes);
  std::vector<std::uint8_t> Bytes(std::size_t count);

 private:
  std::uint32_t state_;
};

// The leading bytes of a component: "KORG", "M", 0, the kind's code, then zeros.
std::vector<std::uint8_t> ComponentHeader(Kind kind, std::size_t size);

FileSet TemplateSet();
FileSet DemoSet();
// The demo Set with three names given twice, as many Sets made on the instrument have:
// Arrangement and Style C25 are named as C11, Program F45 as F11.
FileSet DemoSetWithDuplicates();

// A Set with random bytes in every carried field and header byte (the tested header
// bytes and the structure kept valid), random present and absent Styles and event
// lengths, random Backing Sequence tracks and Arrangement extra bytes.
FileSet RandomSet(std::uint32_t seed);

// Writes the seven components of a Set at a Set path.
void WriteSet(const FileSet& set, const std::filesystem::path& setPath);

}  // namespace i40::build
