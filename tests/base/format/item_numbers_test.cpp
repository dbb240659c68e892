#include "format/item_numbers.h"

#include <gtest/gtest.h>

#include "format/track_call.h"

namespace i40 {
namespace {

// Every number of the three callable kinds, in a bank or not: the conversions agree with
// each other, and a label names its number back.
TEST(ItemNumbers, EveryNumberConvertsBothWaysOrIsInNoBank) {
  for (const Kind kind : {Kind::Arrangement, Kind::Style, Kind::Program}) {
    int numbered = 0;
    for (int n = -1; n < 1100; ++n) {
      SCOPED_TRACE(std::string(KindName(kind)) + " " + std::to_string(n));
      const BankIndex at = ItemBankIndex(kind, ItemNumber{n});
      const int user = Value(ItemUserIndex(kind, ItemNumber{n}));
      if (at == kNoBankIndex) {
        EXPECT_EQ(ItemNumberLabel(kind, ItemNumber{n}), "");
        EXPECT_EQ(user, -1);
        continue;
      }
      ++numbered;
      EXPECT_EQ(NumberAt(kind, at), ItemNumber{n});
      EXPECT_EQ(ParseItemLabel(kind, ItemNumberLabel(kind, ItemNumber{n})), at);
      EXPECT_EQ(ItemUserIndexOf(kind, at), ItemIndex{user});
      if (user >= 0) {
        EXPECT_EQ(ItemNumberOfUserIndex(kind, ItemIndex{user}), ItemNumber{n});
        EXPECT_EQ(ItemBankIndexOfUserIndex(kind, ItemIndex{user}), at);
        EXPECT_EQ(ItemUserLabel(kind, ItemIndex{user}), ItemNumberLabel(kind, ItemNumber{n}));
      }
    }
    // Banks A and B everywhere, then C of Arrangements (64), C of Styles (16), or the
    // Program banks C-F (256) and R (16).
    EXPECT_EQ(numbered, kind == Kind::Arrangement ? 192 : kind == Kind::Style ? 144 : 400);
  }
}

TEST(ItemNumbers, LabelsAndTheEdgesOfTheBanks) {
  EXPECT_EQ(ItemNumberLabel(Kind::Arrangement, ItemNumber{127}), "B88");
  EXPECT_EQ(NumberAt(Kind::Arrangement, {BankNo{2}, 70}),
            ItemNumber{326});  // the index is taken as it is...
  EXPECT_EQ(ItemBankIndex(Kind::Arrangement, ItemNumber{326}),
            kNoBankIndex);  // ... and gives a number of no bank
  EXPECT_EQ(NumberAt(Kind::Arrangement, {BankNo{3}, 0}), ItemNumber{-1});
  EXPECT_EQ(NumberAt(Kind::Program, {BankNo{7}, 0}), ItemNumber{-1});
  // Row then column: index 0 is 11, 7 is 18, 8 is 21, 63 is 88.
  // Style C: past the bank's end.
  EXPECT_EQ(ItemLabel(Kind::Arrangement, {BankNo{2}, 7}) + " " +
                ItemLabel(Kind::Arrangement, {BankNo{2}, 8}) + " " +
                ItemLabel(Kind::Program, {BankNo{4}, 63}) + " " +
                ItemLabel(Kind::Style, {BankNo{2}, 16}) + "|",
            "C18 C21 E88 |");
}

TEST(TrackCalls, BitSevenOfTheHighByteIsNotPartOfTheNumber) {
  EXPECT_EQ(DecodeTrackCall(0x05, 0x83), 773);
  EXPECT_EQ(DecodeTrackCall(0x05, 0x03), 773);
  EXPECT_EQ(DecodeTrackCall(0xFF, 0xFF), 32767);
  const TrackCallBytes bytes = EncodeTrackCall(773);  // rewriting a call clears the bit
  EXPECT_EQ(std::tuple(bytes.low, bytes.high), std::tuple(0x05, 0x03));
  EXPECT_EQ(EncodeTrackCall(-1).low & EncodeTrackCall(-1).high, 0xFF);  // "none" keeps 16 bits
}

}  // namespace
}  // namespace i40
