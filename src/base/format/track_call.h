#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace i40 {

// A Program call in a track entry: low byte, then high byte. Bit 7 of the high byte is
// something else the instrument keeps there and is not part of the number.
constexpr int DecodeTrackCall(std::uint8_t low, std::uint8_t high) {
  return (high & 0x7F) * 256 + low;
}

struct TrackCallBytes {
  std::uint8_t low;
  std::uint8_t high;
};

// Writes number mod 256 and number div 256, which clears bit 7 for every valid number.
// A negative number (-1, "none") is stored as its 16-bit pattern instead of failing.
constexpr TrackCallBytes EncodeTrackCall(int number) {
  const auto bits = static_cast<std::uint16_t>(number);
  return {static_cast<std::uint8_t>(bits & 0xFF), static_cast<std::uint8_t>(bits >> 8)};
}

template <std::size_t N>
int GetTrackCall(const std::array<std::uint8_t, N>& bytes, std::size_t offset) {
  return DecodeTrackCall(bytes.at(offset), bytes.at(offset + 1));
}

template <std::size_t N>
void PutTrackCall(std::array<std::uint8_t, N>& bytes, std::size_t offset, int number) {
  const TrackCallBytes call = EncodeTrackCall(number);
  bytes.at(offset) = call.low;
  bytes.at(offset + 1) = call.high;
}

}  // namespace i40
