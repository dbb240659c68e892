#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace i40 {

// A preset item of the instrument, known only by name and category (and, for
// Arrangements, the Style it calls).
struct PresetEntry {
  std::string name = std::string(16, ' ');  // 16 single-byte characters
  std::uint8_t category = 0;
  std::int16_t style = 0;  // Arrangements only

  bool operator==(const PresetEntry&) const = default;
};

struct PresetTables {
  std::array<PresetEntry, 128> arrangements;  // banks A and B
  std::array<PresetEntry, 128> styles;        // banks A and B
  std::array<PresetEntry, 128> programsAB;    // Program banks A and B
  std::array<PresetEntry, 128> programsCD;    // Program banks C and D
  std::array<PresetEntry, 64> programsE;      // Program bank E
  std::array<PresetEntry, 14> drumKits;       // preset Drum Kits R11-R26

  bool operator==(const PresetTables&) const = default;
};

}  // namespace i40
