#include "sysex/seven_bit.h"

#include <gtest/gtest.h>

#include "set_builder.h"

namespace i40 {
namespace {

std::vector<std::uint8_t> Packed(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> message;
  PackSevenBit(data, message);
  return message;
}

TEST(SevenBit, TopBitsGoFirstInEachGroup) {
  EXPECT_EQ(Packed({0x81, 0x02, 0xFF}), (std::vector<std::uint8_t>{0x05, 0x01, 0x02, 0x7F}));
  EXPECT_EQ(Packed({}), std::vector<std::uint8_t>{});
  EXPECT_EQ(Packed(std::vector<std::uint8_t>(7, 0x80)),
            (std::vector<std::uint8_t>{0x7F, 0, 0, 0, 0, 0, 0, 0}));
  // Appends after what the message holds.
  std::vector<std::uint8_t> message = {0xF0, 0x42};
  PackSevenBit(std::vector<std::uint8_t>{0x90}, message);
  EXPECT_EQ(message, (std::vector<std::uint8_t>{0xF0, 0x42, 0x01, 0x10}));
}

TEST(SevenBit, PackThenUnpackGivesTheBytesBackAndOnlyDataBytes) {
  build::Rng rng(77);
  for (int round = 0; round < 200; ++round) {
    const auto data = rng.Bytes(static_cast<std::size_t>(rng.Below(300)));
    const auto packed = Packed(data);
    for (const auto b : packed)
      ASSERT_LT(b, 0x80);
    EXPECT_EQ(packed.size(), data.size() / 7 * 8 + (data.size() % 7 ? data.size() % 7 + 1 : 0));
    EXPECT_EQ(UnpackSevenBit(packed), data);
  }
}

TEST(SevenBit, HexBytesAndTheAcknowledgement) {
  EXPECT_EQ(HexBytes(std::vector<std::uint8_t>{0xF0, 0x7E, 0x7F}), "F0 7E 7F ");
  EXPECT_EQ(HexBytes(std::vector<std::uint8_t>{0x0A}), "0A ");
  const std::vector<std::uint8_t> header = {0xF0, 0x42, 0x32, 0x4D, 0x23, 0xF7};
  EXPECT_TRUE(ReplyMatchesHeader(header, header));
  EXPECT_FALSE(
      ReplyMatchesHeader(std::vector<std::uint8_t>{0xF0, 0x42, 0x32, 0x4D, 0x24, 0xF7}, header));
  EXPECT_FALSE(ReplyMatchesHeader(std::vector<std::uint8_t>{0xF0, 0x42}, header));
}

}  // namespace
}  // namespace i40
