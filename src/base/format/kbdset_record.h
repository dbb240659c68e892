#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "util/bytes.h"

namespace i40 {

inline constexpr int kKbdSetCount = 15;
inline constexpr int kKbdSectionCount = 3;  // lower, upper 1, upper 2

// A keyboard set-up: the Program of each keyboard section (66 bytes in the file).
struct KbdSetRecord {
  static constexpr std::size_t kSize = 66;
  static constexpr std::size_t kSectionSize = 8;
  static constexpr std::size_t kProgramInSection = 6;

  std::array<std::uint8_t, kSize> bytes{};

  // Read as a signed 16-bit number without masking: a set bit 15 gives a negative
  // number, which is in no Program bank.
  int SectionProgram(int section) const {
    return static_cast<std::int16_t>(GetU16(bytes, ProgramOffset(section)));
  }
  void SetSectionProgram(int section, int number) {
    PutU16(bytes, ProgramOffset(section), static_cast<std::uint16_t>(number));
  }

  bool operator==(const KbdSetRecord&) const = default;

 private:
  static std::size_t ProgramOffset(int section) {
    return kSectionSize * static_cast<std::size_t>(section) + kProgramInSection;
  }
};

// The KBD Set component of a Set.
struct KbdSetData {
  static constexpr std::size_t kHeaderSize = 32;

  std::array<std::uint8_t, kHeaderSize> header{};
  std::array<KbdSetRecord, kKbdSetCount> records{};
};

}  // namespace i40
