#include "view/set_view.h"

#include <gtest/gtest.h>

#include "set_builder.h"
#include "support/numbers.h"
#include "support/workspace_fixture.h"

namespace i40 {
namespace {

class SetViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws_.presets.arrangements[0] = {"Preset          ", 1, 3};
    slot_ = test::AddSet(ws_, build::DemoSet(), "DEMO");
  }
  Workspace ws_;
  SetSlot slot_ = kNoSet;
};

TEST_F(SetViewTest, GridsShowOneBankOrBothPresetBanksInTwinView) {
  EXPECT_EQ(GridNumbers(Kind::Arrangement, BankNo{2}, false).front(), ItemNumber{256});
  const auto twin = GridNumbers(Kind::Program, BankNo{0}, true);
  ASSERT_EQ(twin.size(), 128u);
  EXPECT_EQ(twin.back(), 127);
  EXPECT_EQ(GridNumbers(Kind::Arrangement, BankNo{1}, true).size(),
            64u);  // B alone: nothing past 127
  EXPECT_EQ(GridNumbers(Kind::Style, BankNo{2}, true).size(), 16u);
  EXPECT_EQ(GridNumbers(Kind::Program, BankNo{6}, false).back(), 1039);
}

TEST_F(SetViewTest, CellsCarryTheirTextsOnTheGridsGreen) {
  const auto cells = GridCells(ws_, slot_, Kind::Arrangement, BankNo{2}, false);
  ASSERT_EQ(cells.size(), 64u);
  // Called by a Backing Sequence.
  EXPECT_EQ(cells[0], (CellLook{"C11 Pop Ballad       (C11)U", colours::kRed,
                                CellColour::Of(224, 255, 224)}));
  EXPECT_EQ(cells[5].textColour, colours::kBlue);  // not called
  EXPECT_EQ(GridCells(ws_, slot_, Kind::Arrangement, BankNo{0}, false)[0].text,
            "A11 Preset           (A14)");
  ws_.settings.HighCall = false;
  EXPECT_EQ(GridCells(ws_, slot_, Kind::Arrangement, BankNo{2}, false)[0].textColour,
            colours::kBlack);
  const auto styles = GridCells(ws_, slot_, Kind::Style, BankNo{2}, false);
  ASSERT_EQ(styles.size(), 16u);
  EXPECT_EQ(styles[0].text, "C11 Ballad Style     :5200");
  EXPECT_EQ(styles[15].background, CellColour::SystemGrey());  // no Style data in the slot
}

TEST_F(SetViewTest, ListsAndKbdRows) {
  const auto lines = BackingSequenceLines(ws_, slot_);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[1].rfind("BSeq 1: VERSE            :", 0), 0u);
  const auto counters = BackingSequenceCounters(ws_, slot_);
  EXPECT_EQ(counters[0] + "|" + counters[1] + "|" + counters[4], "BackSeqs: 5340||Free: 60196");
  const auto rows = KbdSetRows(ws_, slot_);
  ASSERT_EQ(rows.size(), 15u);
  EXPECT_EQ(rows[0][0] + "|" + rows[0][2], "A1|F11 Grand Piano     ");
}

TEST_F(SetViewTest, EditMenuFollowsTheSelection) {
  constexpr Kind kArr = Kind::Arrangement;
  constexpr Kind kPrg = Kind::Program;
  SetViewState view;
  view.tab = kArr;
  view.Bank(kArr) = BankNo{0};  // a preset bank
  auto enabled = EditMenuEnabled(ws_, slot_, view);
  for (int e = 0; e < kEditEntryCount; ++e)
    EXPECT_EQ(enabled[static_cast<std::size_t>(e)], e == kDetails) << e;

  view.Bank(kArr) = BankNo{2};
  view.Current(kArr) = 5;
  ws_.sets.Entry(slot_).UndoEnabled = true;
  enabled = EditMenuEnabled(ws_, slot_, view);
  for (int e = 0; e < kEditEntryCount; ++e)  // Paste with Calls only with another Set's item
    EXPECT_EQ(enabled[static_cast<std::size_t>(e)], e != kPasteCalls) << e;
  EXPECT_EQ(SelectionOf(view).item.number, ItemNumber{261});

  view.Twin(kArr) = true;  // Twin View on bank C: C alone, but no Erase Bank or Import
  enabled = EditMenuEnabled(ws_, slot_, view);
  EXPECT_EQ(std::tuple(enabled[kEraseBank], enabled[kImport], enabled[kCut]),
            std::tuple(false, false, true));

  view.tab = kPrg;
  view.Bank(kPrg) = BankNo{6};
  view.Current(kPrg) = 14;
  EXPECT_EQ(SelectionOf(view).item, (ItemRef{ItemNumber{1038}, ItemIndex{64}}));
  view.Current(kPrg) = 13;
  EXPECT_FALSE(SelectionOf(view).userItem);
  view.tab = Kind::BackingSequence;
  view.Current(Kind::BackingSequence) = 9;
  EXPECT_EQ(SelectionOf(view).item.index, ItemIndex{9});
  EXPECT_STREQ(kSetWindowTabCaptions[3], "&Backing Seq");
}

// The view that shows an item: its tab, its bank with Twin View off, its cell.
TEST(SetView, TheViewOfAnItemShowsItsBankAndCell) {
  SetViewState view;
  view.twins = {true, false, true};
  view.banks = {BankNo{0}, BankNo{0}, BankNo{0}};
  for (const auto& [kind, index] : std::vector<std::pair<Kind, int>>{{Kind::Arrangement, 63},
                                                                     {Kind::Style, 5},
                                                                     {Kind::Program, 9},
                                                                     {Kind::Program, 65},
                                                                     {Kind::BackingSequence, 7},
                                                                     {Kind::KbdSet, 14}}) {
    const SetViewState shown = ViewOfItem(view, kind, ItemIndex{index});
    EXPECT_EQ(shown.tab, kind);
    EXPECT_EQ(SelectionOf(shown).item.index, ItemIndex{index}) << KindName(kind);
  }
  // Twin View goes off on the item's tab only.
  EXPECT_EQ(ViewOfItem(view, Kind::Program, ItemIndex{9}).twins, (std::array{true, false, false}));
}

}  // namespace
}  // namespace i40
