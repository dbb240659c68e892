// The edit engine on the Programs tab: renumbered calls, Drum Kits and their data blocks.
#include <gtest/gtest.h>

#include "calls/callers.h"
#include "programs/program_cell.h"
#include "support/editor.h"
#include "support/temp_dir.h"

namespace i40 {
namespace {

using test::AddSet;
constexpr Kind kPrg = Kind::Program;

class ProgramEditsTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    ws_.settings.WarnDupl = false;
    FileSet s = build::TemplateSet();
    for (int i = 0; i < 64; ++i) {
      s.programs.records[static_cast<std::size_t>(i)].SetName("Prog " + std::to_string(i));
    }
    s.programs.records[64].SetName("Kit A");
    s.programs.records[65].SetName("Kit B");
    s.programs.drumKitData[1].fill(0x3C);
    s.arrangements.records[0].SetName("Arr");
    s.arrangements.records[0].SetTrackProgram(2, 769);  // F12
    s.styles.slots[4].record.SetName("Sty");
    s.styles.slots[4].record.SetTrackProgram(5, 831);  // F88
    s.backingSequences.records[2].SetName("BSQ");
    s.backingSequences.records[2].SetTrackProgram(3, 770);
    s.kbdSets.records[6].SetSectionProgram(1, 770);
    s.kbdSets.records[7].SetSectionProgram(2, 3);  // a preset
    slot_ = AddSet(ws_, s, "ONE");
  }

  ProgramRecord& Rec(int i) {
    return ws_.sets.Files(slot_).programs.records[static_cast<std::size_t>(i)];
  }
  FileSet& Set() { return ws_.sets.Files(slot_); }
  std::string Names(std::initializer_list<int> positions) {
    return NamesAt(Kind::Program, positions);
  }
  // The calls set up: Arrangement, Style, Backing Sequence and the two KBD Sets.
  std::vector<int> Calls() {
    return {Set().arrangements.records[0].TrackProgram(2),
            Set().styles.slots[4].record.TrackProgram(5),
            Set().backingSequences.records[2].TrackProgram(3),
            Set().kbdSets.records[6].SectionProgram(1), Set().kbdSets.records[7].SectionProgram(2)};
  }
};

TEST_F(ProgramEditsTest, CallersInTheirOrderWithTrackNames) {
  EXPECT_EQ(CallersOf(Set(), Kind::Program, ItemNumber{770}),
            (std::vector<ItemCall>{{"BSeq  2", "Extra 1 "}, {"KSet B2", "Up1 KBD"}}));
  EXPECT_EQ(CallersOf(Set(), Kind::Program, ItemNumber{769}),
            (std::vector<ItemCall>{{"Arr C11", "BASS   "}}));
  EXPECT_EQ(CallersOf(Set(), Kind::Program, ItemNumber{831}),
            (std::vector<ItemCall>{{"Sty C15", "ACC3   "}}));
  EXPECT_TRUE(CallersOf(Set(), Kind::Program, ItemNumber{768}).empty());
}

TEST_F(ProgramEditsTest, DeletingF11ClosesUpAndEveryCallFollows) {
  EXPECT_TRUE(ed_.Delete(kPrg, slot_, 0));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(Names({0, 63}), "Prog 1|");
  EXPECT_EQ(Calls(), (std::vector<int>{768, 830, 769, 769, 3}));  // the preset stays
  // Every kind that calls Programs is changed, and the Programs; the Globals are not.
  EXPECT_EQ(ws_.sets.Entry(slot_).Modified,
            (std::array<bool, 8>{true, true, true, true, false, true, false, false}));
}

TEST_F(ProgramEditsTest, DrumKitsAreNeitherDeletedNorInserted) {
  EXPECT_FALSE(ed_.Insert(kPrg, slot_, 0));  // nothing copied yet
  ed_.Copy(kPrg, slot_, 3);
  EXPECT_FALSE(ed_.Delete(kPrg, slot_, 64));
  EXPECT_FALSE(ed_.Insert(kPrg, slot_, 65));
  EXPECT_FALSE(ed_.Delete(kPrg, slot_, -1));
}

// A Drum Kit's Cut and Paste carry its data block; a Program's Copy or Cut leaves the
// clipboard's block as it was, and a Program pasted into a Drum Kit position takes that
// block, whatever it holds.
TEST_F(ProgramEditsTest, DrumKitDataBlocksTravelOnTheClipboard) {
  EXPECT_TRUE(ed_.Cut(kPrg, slot_, 65));
  EXPECT_EQ(Set().programs.drumKitData[1], DrumKitData{});
  EXPECT_TRUE(ed_.Paste(kPrg, slot_, 64));
  EXPECT_EQ(Names({64}), "Kit B");
  EXPECT_EQ(Set().programs.drumKitData[0][10], 0x3C);
  ed_.Copy(kPrg, slot_, 5);
  ed_.Cut(kPrg, slot_, 6);
  EXPECT_TRUE(ed_.Paste(kPrg, slot_, 65));
  EXPECT_EQ(Names({65}), "Prog 6");
  EXPECT_EQ(Set().programs.drumKitData[1], Set().programs.drumKitData[0]);
}

// A renumbered call is written back without the bit the instrument keeps in the high
// byte of a track call (Undo giving it back is the undo property's).
TEST_F(ProgramEditsTest, RenumberingRewritesATrackCallWithoutBitSeven) {
  auto& bytes = Set().arrangements.records[0].bytes;
  bytes[40 + 2 * 8 + 1] |= 0x80;
  EXPECT_EQ(Calls()[0], 769);
  EXPECT_TRUE(ed_.Delete(kPrg, slot_, 0));
  EXPECT_EQ(std::tuple(bytes[40 + 2 * 8], bytes[40 + 2 * 8 + 1]), std::tuple(0x00, 0x03));
}

TEST_F(ProgramEditsTest, GridOfABankWithCallersHighlighted) {
  PresetTables presets;
  presets.programsAB[3] = {"Preset 3        ", 0, 0};
  presets.programsAB[5] = {"Preset 5        ", 0, 0};
  const ItemSources from{presets, Set()};
  // Preset 3 is called by a KBD Set, F12 by an Arrangement; R28 and F11 by nothing.
  auto cells = FillProgramGrid(from, BankNo{0}, true);
  ASSERT_EQ(cells.size(), 64u);
  EXPECT_EQ(std::tie(cells[3].text, cells[3].textColour, cells[5].textColour),
            std::tuple("A14 Preset 3        ", colours::kDarkRed, colours::kTeal));
  cells = FillProgramGrid(from, BankNo{6}, true);
  ASSERT_EQ(cells.size(), 16u);
  EXPECT_EQ(std::tie(cells[15].text, cells[15].textColour),
            std::tuple("R28 Kit B           ", colours::kBlue));
  cells = FillProgramGrid(from, BankNo{5}, true);
  EXPECT_EQ(std::tie(cells[1].textColour, cells[0].textColour),
            std::tuple(colours::kRed, colours::kBlue));
}

TEST_F(ProgramEditsTest, LoadOneDrumKitFromAnIdkFile) {
  test::TempDir dir;
  test::WriteFile(dir / "KIT.IDK", test::OneItemFile(std::vector<std::uint8_t>(172 + 880, 0x21)));
  prompter_.QueueFile(dir / "KIT.IDK");
  ASSERT_TRUE(ed_.LoadOne(kPrg, slot_, 64));
  EXPECT_EQ(prompter_.fileRequests()[0].title, "Load one Program from .IDK file...");
  EXPECT_EQ(std::tuple(Rec(64).bytes[0], Set().programs.drumKitData[0][879]),
            std::tuple(0x21, 0x21));
  prompter_.QueueFile(dir / "KIT.IDK");
  ASSERT_TRUE(ed_.LoadOne(kPrg, slot_, 10));
  EXPECT_EQ(prompter_.fileRequests()[1].title, "Load one Program from .IPF file...");
}

}  // namespace
}  // namespace i40
