// The edit engine on the Styles tab: Block capacity, one Style from a file.
#include <gtest/gtest.h>

#include "format/style_blocks.h"
#include "support/editor.h"
#include "support/temp_dir.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;
constexpr Kind kSty = Kind::Style;

void SetEvents(StyleSlot& slot, int events) {
  slot.present = 1;
  slot.length = 1176 + 4 * events;
  slot.data.assign(static_cast<std::size_t>(slot.length) - 70, 0x44);
}

class StyleEditsTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    ws_.settings.WarnDupl = false;
    FileSet s = build::TemplateSet();
    for (int i = 0; i < 6; ++i) {
      StyleSlot& slot = s.styles.slots[static_cast<std::size_t>(i)];
      slot.record.SetName("Style " + std::to_string(i));
      SetEvents(slot, 10 * (i + 1));
    }
    slot_ = AddSet(ws_, s, "ONE");
  }

  StyleSlot& Slot(int s, SetSlot slot = kNoSet) {
    return ws_.sets.Files(slot != kNoSet ? slot : slot_).styles.slots[static_cast<std::size_t>(s)];
  }
};

// 0, 0.5, 1.5, 2.5, 0.75 and 500 events; an entry shorter than a Style without events
// needs none.
TEST_F(StyleEditsTest, NeededEventsRoundHalvesToEven) {
  std::vector<int> needed;
  for (const int length : {1176, 1178, 1182, 1186, 1179, 3176, 0, 70, 1000, 1175})
    needed.push_back(NeededEventsOfLength(length));
  EXPECT_EQ(needed, (std::vector{0, 0, 2, 2, 1, 500, 0, 0, 0, 0}));
}

// An entry shorter than a Style without events holds none: counted negative, it would
// let its Block be filled past its capacity.
TEST_F(StyleEditsTest, AnEntryShorterThanAnEmptyStyleHoldsNoEvents) {
  Slot(4).length = 500;  // present, shorter than 1176
  for (int s = 5; s < 8; ++s)
    SetEvents(Slot(s), 5000);
  EXPECT_EQ(BlockFree(ws_.sets.Files(slot_).styles, ItemIndex{4}), 200);
  SetEvents(Slot(0), 300);
  ed_.Copy(kSty, slot_, 0);
  EXPECT_FALSE(ed_.Paste(kSty, slot_, 4));
  EXPECT_EQ(prompter_.texts().back(),
            "Pasted Style (300 events) is too big for destination\n"
            "Block, where only 200 events are available.");
}

TEST_F(StyleEditsTest, PasteFitsWhatTheSlotAndItsBlockHold) {
  const SetSlot other = AddSet(ws_, build::TemplateSet(), "TWO");
  SetEvents(Slot(0, other), 500);
  Slot(0, other).record.SetName("Big");
  ed_.Copy(kSty, other, 0);

  SetEvents(Slot(8), 250);
  SetEvents(Slot(9), 14650);  // Block 2 has 300 free
  SetEvents(Slot(10), 0);
  SetEvents(Slot(11), 0);
  EXPECT_TRUE(ed_.Paste(kSty, slot_, 8));
  const StyleData& styles = ws_.sets.Files(slot_).styles;
  EXPECT_EQ(std::tuple(StyleEvents(styles, ItemIndex{8}), BlockFree(styles, ItemIndex{8})),
            std::tuple(500, 50));

  SetEvents(Slot(8), 250);
  SetEvents(Slot(9), 14750);  // 200 free
  const auto before = Images(ws_, slot_);
  EXPECT_FALSE(ed_.Paste(kSty, slot_, 8));
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(prompter_.messages()[0].text,
            "Pasted Style (500 events) is too big for destination\n"
            "Block, where only 450 events are available.");
  EXPECT_EQ(prompter_.messages()[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(StyleEditsTest, AMoveInsideItsBlockSkipsTheCheckAMoveToAnotherBlockDoesNot) {
  SetEvents(Slot(0), 15200);  // Block 0 full
  for (int s = 1; s < 4; ++s)
    SetEvents(Slot(s), 0);
  EXPECT_TRUE(ed_.Drop(kSty, slot_, 0, slot_, 2));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(StyleEvents(ws_.sets.Files(slot_).styles, ItemIndex{2}), 15200);

  SetEvents(Slot(5), 100);
  EXPECT_FALSE(ed_.Drop(kSty, slot_, 2, slot_, 4));
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(prompter_.messages()[0].text,
            "Pasted Style (15200 events) is too big for destination\n"
            "Block, where only 15100 events are available.");
}

TEST_F(StyleEditsTest, LoadOneStyleFromAnIsfFile) {
  test::TempDir dir;
  auto isf = test::OneItemFile(std::vector<std::uint8_t>(1246, 0x11));
  std::fill_n(isf.begin() + 5, 16, 'x');  // the name
  test::WriteFile(dir / "ONE.ISF", isf);
  prompter_.QueueFile(dir / "ONE.ISF");
  ASSERT_TRUE(ed_.LoadOne(kSty, slot_, 9));
  EXPECT_EQ(prompter_.fileRequests()[0].title, "Load one Style from .ISF file...");
  EXPECT_EQ(std::tuple(Slot(9).length, StyleEvents(ws_.sets.Files(slot_).styles, ItemIndex{9}),
                       Slot(9).record.Name(), Slot(9).index),
            std::tuple(1246, 17, "xxxxxxxxxxxxxxxx", 9));
  EXPECT_TRUE(prompter_.messages().empty());  // taken as it is, no calls check
}

}  // namespace
}  // namespace i40
