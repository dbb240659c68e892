#include <gtest/gtest.h>

#include <string>

#include "format/kinds.h"
#include "format/vocabulary.h"

namespace i40 {
namespace {

TEST(Kinds, TablesGiveEachKindItsNameExtensionCodeAndFunction) {
  struct Row {
    Kind kind;
    const char* name;
    const char* ext;
    int code;
    int function;
  };
  const Row rows[] = {
      {Kind::Arrangement, "Arrangement", ".ARR", 3, 100},
      {Kind::Style, "Style", ".STY", 4, 101},
      {Kind::Program, "Program", ".PRG", 0, 76},
      {Kind::BackingSequence, "Backing Sequence", ".BSQ", 5, 102},
      {Kind::Song, "Song", ".SNG", 1, 72},
      {Kind::KbdSet, "KBD Set", ".KBS", 8, 105},
      {Kind::ArrangementGlobal, "Arrangement Global", ".ARG", 7, 104},
      {Kind::Global, "Global", ".GBL", 6, 81},
      {Kind::IStyleArrangement, "IStyle Arrangement", ".IAF", -1, -1},
      {Kind::IStyleStyle, "IStyle Style", ".ISF", -1, -1},
      {Kind::IStyleProgram, "IStyle Program", ".IPF", -1, -1},
      {Kind::IStyleDrumKit, "IStyle DrumKit", ".IDK", -1, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(KindName(row.kind), row.name);
    EXPECT_EQ(KindExt(row.kind), row.ext);
    EXPECT_EQ(KindCode(row.kind), row.code);
    EXPECT_EQ(KindSysExFunction(row.kind), row.function);
  }
}

TEST(Kinds, StoredKindsSkipTheSongAndKeepKindOrder) {
  const Kind expected[] = {Kind::Arrangement,     Kind::Style,  Kind::Program,
                           Kind::BackingSequence, Kind::KbdSet, Kind::ArrangementGlobal,
                           Kind::Global};
  ASSERT_EQ(kStoredKinds.size(), std::size(expected));
  for (std::size_t i = 0; i < kStoredKinds.size(); ++i) {
    EXPECT_EQ(kStoredKinds[i], expected[i]);
    EXPECT_TRUE(IsStoredKind(kStoredKinds[i]));
  }
  EXPECT_FALSE(IsStoredKind(Kind::Song));
  EXPECT_FALSE(IsStoredKind(Kind::IStyleStyle));
  EXPECT_EQ(ComponentHeaderSize(Kind::Arrangement), 32);
  EXPECT_EQ(ComponentHeaderSize(Kind::Style), 21);
  EXPECT_EQ(ComponentHeaderSize(Kind::Program), 48);
  EXPECT_EQ(ComponentHeaderSize(Kind::BackingSequence), 16);
  EXPECT_EQ(ComponentHeaderSize(Kind::KbdSet), 32);
  EXPECT_EQ(ComponentHeaderSize(Kind::ArrangementGlobal), 32);
  EXPECT_EQ(ComponentHeaderSize(Kind::Global), 32);
}

TEST(Vocabulary, CategoryFifteenReadsUser4ForArrangementsAndStylesAndUserForPrograms) {
  EXPECT_EQ(kArrCategoryName[15], "User 4");
  EXPECT_EQ(kStyleCategoryName[15], "User 4");
  EXPECT_EQ(kProgramCategoryName[15], "User");
  EXPECT_EQ(kArrCategoryName[8], "R & B");
  EXPECT_EQ(kProgramCategoryName[5], "Air/Vocal");
  EXPECT_EQ(kProgramCategoryName[14], "Drum/Perc.");
  EXPECT_EQ(kArrCategoryName, kStyleCategoryName);
}

TEST(Vocabulary, PaddedTablesKeepTheirTrailingBlanks) {
  for (auto name : kStyleTrackName)
    EXPECT_EQ(name.size(), 7u) << name;
  for (auto name : kBsqTrackName)
    EXPECT_EQ(name.size(), 8u) << name;
  for (auto name : kMidiChannelUseName)
    EXPECT_EQ(name.size(), 6u) << name;
  for (auto name : kNoteName)
    EXPECT_EQ(name.size(), 2u) << name;
  for (auto name : kLevelName)
    EXPECT_EQ(name.size(), 4u) << name;
  EXPECT_EQ(kStyleTrackName[0], "DRUMS  ");
  EXPECT_EQ(kStyleTrackName[8], "Lower  ");
  EXPECT_EQ(kBsqTrackName[2], "Lower   ");
  EXPECT_EQ(kBsqTrackName[10], "Extra 8 ");
  EXPECT_EQ(kSongTrackName[0], "Trk  1");
  EXPECT_EQ(kSongTrackName[8], "Trk  9");
  EXPECT_EQ(kSongTrackName[9], "Trk 10");
  EXPECT_EQ(kSongTrackName[15], "Trk 16");
  EXPECT_EQ(kMidiChannelUseName[0], "      ");
  EXPECT_EQ(kMidiChannelUseName[2], "L/Upp2");
  EXPECT_EQ(kMidiChannelUseName[15], "KBDChg");
  EXPECT_EQ(kNoteName[1], "C#");
  EXPECT_EQ(kNoteName[11], "B ");
  EXPECT_EQ(kLevelName[0], "OFF ");
  EXPECT_EQ(kKbdModeName[3], "M. Drums");
  EXPECT_EQ(kKbdModeName[10], "Split Low");
  EXPECT_EQ(kKbdSectionName[1], "Up1 KBD");
  EXPECT_EQ(kDrumKitPairName[0], "R11-R12");
  EXPECT_EQ(kDrumKitPairName[4], "R21-R22");
  EXPECT_EQ(kDrumKitPairName[7], "R27-R28");
}

TEST(Vocabulary, PedalFunctionsIncludingTheTwoInhibits) {
  EXPECT_EQ(kPedalFunctionName.size(), 47u);
  EXPECT_EQ(kPedalFunctionName[0], "OFF");
  EXPECT_EQ(kPedalFunctionName[15], "ARR/Style UP");
  EXPECT_EQ(kPedalFunctionName[34], "ENTRY");
  EXPECT_EQ(kPedalFunctionName[35], "Inhibit");
  EXPECT_EQ(kPedalFunctionName[36], "Inhibit");
  EXPECT_EQ(kPedalFunctionName[37], "KBD LOCK");
  EXPECT_EQ(kPedalFunctionName[46], "CHORD LATCH");
}

TEST(Vocabulary, BankListsOfferSixtyFourItemsExceptStyleCAndProgramR) {
  std::string letters;
  for (int bank = 0; bank < BankCount(Kind::Program); ++bank) {
    letters += BankLetter(Kind::Program, bank);
  }
  EXPECT_EQ(letters, "ABCDEFR");
  EXPECT_EQ(BankCount(Kind::Arrangement), 3);
  EXPECT_EQ(BankCount(Kind::Style), 3);
  EXPECT_EQ(BankLastIndex(Kind::Style, 2) + 1, 16);
  EXPECT_EQ(BankLastIndex(Kind::Program, 6) + 1, 16);
  EXPECT_EQ(BankLastIndex(Kind::Arrangement, 2) + 1, 64);
  EXPECT_EQ(BankLastIndex(Kind::Program, 5) + 1, 64);
  // The rest of the 8 x 8 table is a blank letter and last index 0.
  EXPECT_EQ(BankLetter(Kind::Arrangement, 3), " ");
  EXPECT_EQ(BankLetter(Kind::BackingSequence, 0), " ");
  EXPECT_EQ(BankLastIndex(Kind::Style, 7), 0);
  EXPECT_EQ(BankLastIndex(Kind::Global, 0), 0);
}

TEST(Vocabulary, SysExHeaderStartsAsTheGenericRequest) {
  const std::array<std::uint8_t, 6> expected = {0xF0, 0x42, 0x30, 0x4D, 0x23, 0xF7};
  EXPECT_EQ(kDefaultSysExHeader, expected);
}

}  // namespace
}  // namespace i40
