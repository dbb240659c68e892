#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace i40 {

// MIDI data bytes carry 7 bits: each group of seven bytes goes out as a byte holding
// their top bits (bit k for the k-th byte) followed by the seven bytes without them; a
// last group of r bytes becomes r + 1 bytes.
void PackSevenBit(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& message);
std::vector<std::uint8_t> UnpackSevenBit(std::span<const std::uint8_t> packed);

// "F0 7E 7F " : two upper-case hexadecimal digits and a space per byte.
std::string HexBytes(std::span<const std::uint8_t> bytes);

// The instrument's answer equals the header byte for byte (its acknowledgement).
bool ReplyMatchesHeader(std::span<const std::uint8_t> reply, std::span<const std::uint8_t> header);

}  // namespace i40
