#include "format/item_numbers.h"

#include <gtest/gtest.h>

#include "format/track_call.h"

namespace i40 {
namespace {

TEST(ArrangementNumbers, BanksAndTheirBoundaries) {
  EXPECT_EQ(ArrangementNumber(0, 0), 0);
  EXPECT_EQ(ArrangementNumber(1, 63), 127);
  EXPECT_EQ(ArrangementNumber(2, 0), 256);
  EXPECT_EQ(ArrangementNumber(2, 70), 326);  // the index is taken as it is
  EXPECT_EQ(ArrangementNumber(3, 0), -1);
  EXPECT_EQ(ArrangementNumber(-1, 0), -1);

  EXPECT_EQ(ArrangementBankIndex(0), (BankIndex{0, 0}));
  EXPECT_EQ(ArrangementBankIndex(63), (BankIndex{0, 63}));
  EXPECT_EQ(ArrangementBankIndex(64), (BankIndex{1, 0}));
  EXPECT_EQ(ArrangementBankIndex(127), (BankIndex{1, 63}));
  EXPECT_EQ(ArrangementBankIndex(256), (BankIndex{2, 0}));
  EXPECT_EQ(ArrangementBankIndex(319), (BankIndex{2, 63}));
  for (int none : {-1, 128, 200, 255, 320, 326, 65535}) {
    EXPECT_EQ(ArrangementBankIndex(none), kNoBankIndex) << none;
    EXPECT_EQ(ArrangementLabel(none), "") << none;
    EXPECT_EQ(ArrangementUserIndex(none), -1) << none;
  }
  EXPECT_EQ(kNoBankIndex, (BankIndex{65535, 65535}));
}

TEST(ArrangementNumbers, UserIndexBothWays) {
  EXPECT_EQ(ArrangementUserIndex(256), 0);
  EXPECT_EQ(ArrangementUserIndex(319), 63);
  EXPECT_EQ(ArrangementUserIndex(127), -1);
  EXPECT_EQ(ArrangementUserIndexOf(2, 5), 5);
  EXPECT_EQ(ArrangementUserIndexOf(1, 5), -1);
  EXPECT_EQ(ArrangementNumberOfUserIndex(0), 256);
  EXPECT_EQ(ArrangementNumberOfUserIndex(63), 319);
  EXPECT_EQ(ArrangementNumberOfUserIndex(64), -1);
  EXPECT_EQ(ArrangementNumberOfUserIndex(-1), -1);
  EXPECT_EQ(ArrangementBankIndexOfUserIndex(12), (BankIndex{2, 12}));
  EXPECT_EQ(ArrangementBankIndexOfUserIndex(64), kNoBankIndex);
  EXPECT_EQ(ArrangementBankIndexOfUserIndex(65535), kNoBankIndex);
}

TEST(Labels, RowThenColumn) {
  EXPECT_EQ(ItemLabel(Kind::Arrangement, 2, 0), "C11");
  EXPECT_EQ(ItemLabel(Kind::Arrangement, 2, 7), "C18");
  EXPECT_EQ(ItemLabel(Kind::Arrangement, 2, 8), "C21");
  EXPECT_EQ(ItemLabel(Kind::Arrangement, 0, 63), "A88");
  EXPECT_EQ(ArrangementLabel(256), "C11");
  EXPECT_EQ(ArrangementLabel(127), "B88");
  EXPECT_EQ(ArrangementLabel(265), "C22");
  EXPECT_EQ(ArrangementUserLabel(11), "C24");
  EXPECT_EQ(ArrangementUserLabel(64), "");
  EXPECT_EQ(StyleLabel(271), "C28");
  EXPECT_EQ(StyleUserLabel(4), "C15");
  EXPECT_EQ(StyleUserLabel(8), "C21");
  EXPECT_EQ(ProgramLabel(1039), "R28");
  EXPECT_EQ(ProgramLabel(1024), "R11");
  EXPECT_EQ(ProgramLabel(575), "E88");
  EXPECT_EQ(ProgramLabel(768), "F11");
  EXPECT_EQ(ProgramLabel(773), "F16");
  EXPECT_EQ(ProgramUserLabel(65), "R28");
  // Positions past a bank's end have no label.
  EXPECT_EQ(ItemLabel(Kind::Style, 2, 16), "");
  EXPECT_EQ(ItemLabel(Kind::Program, 6, 16), "");
  EXPECT_EQ(ItemLabel(Kind::Arrangement, 2, 64), "");
  EXPECT_EQ(ItemLabel(Kind::Arrangement, 3, 0), "");
  EXPECT_EQ(ItemLabel(Kind::Arrangement, 2, -1), "");
}

TEST(StyleNumbers, RangesDifferFromArrangements) {
  EXPECT_EQ(StyleNumber(2, 15), 271);
  EXPECT_EQ(StyleNumber(1, 0), 64);
  EXPECT_EQ(StyleNumber(3, 0), -1);
  EXPECT_EQ(StyleBankIndex(271), (BankIndex{2, 15}));
  EXPECT_EQ(StyleBankIndex(272), kNoBankIndex);  // while Arrangement 272 is C31
  EXPECT_EQ(ArrangementLabel(272), "C31");
  EXPECT_EQ(StyleLabel(272), "");
  EXPECT_EQ(StyleSlotOfNumber(256), 0);
  EXPECT_EQ(StyleSlotOfNumber(271), 15);
  EXPECT_EQ(StyleSlotOfNumber(272), -1);
  EXPECT_EQ(StyleSlotOfNumber(255), -1);
  EXPECT_EQ(StyleNumberOfSlot(0), 256);
  EXPECT_EQ(StyleNumberOfSlot(15), 271);
  EXPECT_EQ(StyleNumberOfSlot(16), -1);
}

TEST(ProgramNumbers, EveryBankAndTheDrumKits) {
  const int first[] = {0, 64, 256, 320, 512, 768, 1024};
  for (int bank = 0; bank < 7; ++bank) {
    EXPECT_EQ(ProgramNumber(bank, 0), first[bank]);
    EXPECT_EQ(BankFirstNumber(Kind::Program, bank), first[bank]);
    EXPECT_EQ(ProgramBankIndex(first[bank]), (BankIndex{bank, 0}));
  }
  EXPECT_EQ(ProgramNumber(7, 0), -1);
  EXPECT_EQ(ProgramBankIndex(383), (BankIndex{3, 63}));
  EXPECT_EQ(ProgramBankIndex(831), (BankIndex{5, 63}));
  EXPECT_EQ(ProgramBankIndex(1039), (BankIndex{6, 15}));
  for (int none : {128, 255, 384, 511, 576, 767, 832, 1023, 1040, -1}) {
    EXPECT_EQ(ProgramBankIndex(none), kNoBankIndex) << none;
    EXPECT_EQ(ProgramLabel(none), "") << none;
  }
}

TEST(ProgramNumbers, UserIndexOfProgramsAndDrumKits) {
  EXPECT_EQ(ProgramUserIndex(768), 0);
  EXPECT_EQ(ProgramUserIndex(831), 63);
  EXPECT_EQ(ProgramUserIndex(1037), -1);  // a preset Drum Kit (R26)
  EXPECT_EQ(ProgramUserIndex(1038), 64);  // R27
  EXPECT_EQ(ProgramUserIndex(1039), 65);
  EXPECT_EQ(ProgramUserIndex(0), -1);
  EXPECT_EQ(ProgramNumberOfUserIndex(0), 768);
  EXPECT_EQ(ProgramNumberOfUserIndex(63), 831);
  EXPECT_EQ(ProgramNumberOfUserIndex(64), 1038);
  EXPECT_EQ(ProgramNumberOfUserIndex(65), 1039);
  EXPECT_EQ(ProgramNumberOfUserIndex(66), -1);
  EXPECT_EQ(ProgramNumberOfUserIndex(-1), -1);
  EXPECT_EQ(ProgramBankIndexOfUserIndex(64), (BankIndex{6, 14}));
  EXPECT_EQ(ProgramBankIndexOfUserIndex(65), (BankIndex{6, 15}));
  EXPECT_EQ(ProgramUserIndexOf(6, 14), 64);
  EXPECT_EQ(ProgramUserIndexOf(6, 13), -1);
  EXPECT_EQ(ProgramUserIndexOf(5, 3), 3);
  EXPECT_EQ(ProgramLabel(ProgramNumberOfUserIndex(64)), "R27");
}

TEST(TrackCalls, BitSevenOfTheHighByteIsNotPartOfTheNumber) {
  EXPECT_EQ(DecodeTrackCall(0x05, 0x83), 773);
  EXPECT_EQ(DecodeTrackCall(0x05, 0x03), 773);
  EXPECT_EQ(DecodeTrackCall(0xFF, 0xFF), 32767);
  EXPECT_EQ(DecodeTrackCall(0x0F, 0x04), 1039);
  const TrackCallBytes bytes = EncodeTrackCall(773);
  EXPECT_EQ(bytes.low, 0x05);
  EXPECT_EQ(bytes.high, 0x03);
  EXPECT_EQ(EncodeTrackCall(1039).high, 0x04);
  EXPECT_EQ(EncodeTrackCall(1039).low, 0x0F);
  EXPECT_EQ(EncodeTrackCall(-1).low, 0xFF);  // "none" keeps its 16 bits
  EXPECT_EQ(EncodeTrackCall(-1).high, 0xFF);
}

}  // namespace
}  // namespace i40
