#include "sysex/midi_parser.h"

#include <gtest/gtest.h>

#include <tuple>

namespace i40 {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<Bytes> Parse(const std::vector<Bytes>& pieces) {
  MidiParser parser;
  std::vector<Bytes> out;
  for (const Bytes& piece : pieces)
    parser.Feed(piece, out);
  return out;
}

// What a receiver makes of the wire: every case in the pieces a backend may hand over.
TEST(MidiParser, ReadsTheWireAsAReceiverDoes) {
  const Bytes identity = {0xF0, 0x7E, 0x00, 0x06, 0x02, 0x42, 0x4D, 0x00,
                          0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0xF7};
  Bytes cutOffThenIdentity = {0xF0, 0x42, 0x30, 0x4D, 0x23};
  cutOffThenIdentity.insert(cutOffThenIdentity.end(), identity.begin(), identity.end());
  const std::tuple<const char*, std::vector<Bytes>, std::vector<Bytes>> cases[] = {
      {"a message in pieces",
       {{0xF0, 0x42}, {0x30, 0x4D}, {0x23, 0xF7}},
       {{0xF0, 0x42, 0x30, 0x4D, 0x23, 0xF7}}},
      {"an unfinished SysEx is dropped at the next F0", {cutOffThenIdentity}, {identity}},
      {"real time inside a SysEx stands alone",
       {{0xF0, 0x42, 0xF8, 0x30, 0xFE, 0xF7}},
       {{0xF8}, {0xFE}, {0xF0, 0x42, 0x30, 0xF7}}},
      {"a status byte ends an unfinished SysEx",
       {{0xF0, 0x42, 0x30, 0x90, 0x3C, 0x40}},
       {{0x90, 0x3C, 0x40}}},
      {"running status and one-byte data",
       {{0x90, 0x3C, 0x40, 0x3E, 0x00, 0xC1, 0x05, 0x06}},
       {{0x90, 0x3C, 0x40}, {0x90, 0x3E, 0x00}, {0xC1, 0x05}, {0xC1, 0x06}}},
      {"data with no status, a lone F7", {{0x12, 0x34, 0xF7, 0xF6}}, {{0xF6}}},
  };
  for (const auto& [what, pieces, expected] : cases)
    EXPECT_EQ(Parse(pieces), expected) << what;
}

// A System Exclusive message longer than is kept comes out without its F7: it is counted
// as one message and matches nothing an exchange waits for.
TEST(MidiParser, AnOverlongMessageIsKeptShortAndEndsInNoF7) {
  Bytes overlong = {0xF0};
  overlong.resize(MidiParser::kMaxKept + 100, 0x11);
  overlong.push_back(0xF7);
  const auto out = Parse({overlong, {0xF0, 0x42, 0xF7}});
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].size(), MidiParser::kMaxKept);
  EXPECT_NE(out[0].back(), 0xF7);
  EXPECT_EQ(out[1], (Bytes{0xF0, 0x42, 0xF7}));
}

}  // namespace
}  // namespace i40
