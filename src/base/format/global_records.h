#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace i40 {

// Settings that apply to every Arrangement of a Set: MIDI channels of the parts, chord
// recognition, Auto Chord Scan and Chord Memory (48 bytes after a 32-byte header).
struct ArrangementGlobalData {
  static constexpr std::size_t kHeaderSize = 32;
  static constexpr std::size_t kRecordSize = 48;
  static constexpr std::size_t kRecognitionOffset = 36;
  static constexpr std::size_t kAutoChordScanOffset = 37;
  static constexpr std::size_t kChordMemoryOffset = 38;

  std::array<std::uint8_t, kHeaderSize> header{};
  std::array<std::uint8_t, kRecordSize> record{};
};

// The instrument-wide settings of a Set (416 bytes after a 32-byte header).
struct GlobalData {
  static constexpr std::size_t kHeaderSize = 32;
  static constexpr std::size_t kRecordSize = 416;
  static constexpr std::size_t kDamperPolarityOffset = 2;
  static constexpr std::size_t kPedal1Offset = 3;
  static constexpr std::size_t kPedal2Offset = 4;
  static constexpr std::size_t kVelocityCurveOffset = 17;
  static constexpr std::size_t kAftertouchCurveOffset = 18;
  static constexpr std::size_t kEc5SwitchesOffset = 224;  // switches A-E

  std::array<std::uint8_t, kHeaderSize> header{};
  std::array<std::uint8_t, kRecordSize> record{};
};

}  // namespace i40
