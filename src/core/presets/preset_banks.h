#pragma once

#include <span>

#include "format/file_set.h"
#include "format/ids.h"

// The banks an export takes from a Set and the preset banks it can go to, shared by the
// export into a preset data file and the rewrite of the preset list that follows it.
namespace i40 {

inline constexpr BankNo kArrangementUserBank{2};  // C
inline constexpr BankNo kProgramUserBank{5};      // F
inline constexpr BankNo kProgramDrumKitBank{6};   // R
inline constexpr int kPresetArrangementBanks = 2;
inline constexpr int kPresetProgramBanks = 5;
inline constexpr int kPresetDrumKitPairs = 7;

// What is exported: the 64 user Arrangements, the 64 user Programs or the 2 user Drum Kits.
enum class PresetSource { Arrangements, Programs, DrumKits };

inline std::span<const ProgramRecord> UserPrograms(const FileSet& set) {
  return std::span(set.programs.records).first(static_cast<std::size_t>(kUserProgramCount));
}

inline std::span<const ProgramRecord> UserDrumKits(const FileSet& set) {
  return std::span(set.programs.records)
      .subspan(static_cast<std::size_t>(kUserProgramCount),
               static_cast<std::size_t>(kUserDrumKitCount));
}

}  // namespace i40
