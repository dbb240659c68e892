#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <variant>
#include <vector>

#include "format/file_ops.h"
#include "format/kinds.h"

namespace i40 {

// No component of a Set comes anywhere near this; a larger file is not one of ours and
// is refused before it is read into memory.
inline constexpr std::uintmax_t kMaxComponentFileSize = 16u * 1024u * 1024u;

inline constexpr std::size_t kTestedHeaderSize = 8;

// "KORG", "M", then for the stored kinds (and the Song kind) byte 6 equal to the kind's
// code; the IStyle files are tested on the first five bytes only. Bytes 5 and 7 are
// never looked at.
bool IsValidComponentHeader(std::span<const std::uint8_t> bytes, Kind kind);

// A component file read whole into memory after its header passed the test.
struct ComponentFile {
  Kind kind;
  std::filesystem::path path;  // as the file system spells it
  std::vector<std::uint8_t> bytes;
};

enum class ComponentProblem { NotFound, CantOpen, HeaderUnreadable, NotValid };

struct ComponentError {
  ComponentProblem problem;
  std::filesystem::path path;
};

// Finds the component of a kind for a Set path, reads it and tests its header.
std::variant<ComponentFile, ComponentError> ReadComponent(const std::filesystem::path& setPath,
                                                          Kind kind, FileOps& ops = RealFileOps());

// Reads a file chosen by name (a one-item file, an import) and tests its header as
// the given kind.
std::variant<ComponentFile, ComponentError> ReadComponentAt(const std::filesystem::path& file,
                                                            Kind kind,
                                                            FileOps& ops = RealFileOps());

}  // namespace i40
