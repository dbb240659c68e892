#include "sysex/seven_bit.h"

#include <algorithm>

namespace i40 {

void PackSevenBit(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& message) {
  const std::size_t groups = data.size() / 7;
  const std::size_t rest = data.size() % 7;
  message.reserve(message.size() + 8 * groups + (rest ? rest + 1 : 0));
  for (std::size_t at = 0; at < data.size(); at += 7) {
    const std::size_t n = std::min<std::size_t>(7, data.size() - at);
    std::uint8_t tops = 0;
    for (std::size_t k = 0; k < n; ++k) {
      if (data[at + k] & 0x80) tops = static_cast<std::uint8_t>(tops | (1u << k));
    }
    message.push_back(tops);
    for (std::size_t k = 0; k < n; ++k)
      message.push_back(static_cast<std::uint8_t>(data[at + k] & 0x7F));
  }
}

std::vector<std::uint8_t> UnpackSevenBit(std::span<const std::uint8_t> packed) {
  std::vector<std::uint8_t> data;
  data.reserve(packed.size() * 7 / 8 + 1);
  for (std::size_t at = 0; at < packed.size(); at += 8) {
    const std::uint8_t tops = packed[at];
    const std::size_t n = std::min<std::size_t>(7, packed.size() - at - 1);
    for (std::size_t k = 0; k < n; ++k) {
      data.push_back(static_cast<std::uint8_t>(packed[at + 1 + k] | (((tops >> k) & 1u) << 7)));
    }
  }
  return data;
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (const std::uint8_t b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0F];
    text += ' ';
  }
  return text;
}

bool ReplyMatchesHeader(std::span<const std::uint8_t> reply, std::span<const std::uint8_t> header) {
  if (reply.size() < header.size()) return false;
  return std::equal(header.begin(), header.end(), reply.begin());
}

}  // namespace i40
