#include "calls/set_findings.h"

#include <gtest/gtest.h>

#include "format/bsq_file.h"
#include "format/style_blocks.h"
#include "set_builder.h"

namespace i40 {
namespace {

// Each finding names its item, so that the editor can show it: a call into an empty
// Program (and the track that makes it), a Backing Sequence chained to an empty one,
// every duplicate name, a Block over its capacity.
TEST(SetFindings, EachFindingNamesTheItemConcerned) {
  FileSet set = build::TemplateSet();
  EXPECT_TRUE(SetFindings(set).empty());
  set.arrangements.records[0].SetName("Song");
  set.arrangements.records[0].SetTrackProgram(0, 771);  // the empty Program F14
  BsqRecord& intro = set.backingSequences.records[2];
  intro.SetName("INTRO");
  intro.SetNext(3);
  intro.bytes[BsqRecord::kFlagsOffset] |= 0x02;  // chained to the next
  BsqRecord& verse = set.backingSequences.records[5];
  verse = intro;
  verse.SetName("VERSE");
  verse.SetNext(2);  // chained to INTRO, which holds something
  StyleSlot& style = set.styles.slots[4];
  style.present = 1;
  style.length = kEmptyStyleLength + kBytesPerEvent * (StyleEvents(set.styles, ItemIndex{4}) +
                                                       FreeEventsOfBlock(set.styles, 1) + 7);
  // A name three times: each later one against the first.
  for (const int p : {20, 30, 40})
    set.programs.records[static_cast<std::size_t>(p)].SetName("Grand Piano");
  const std::vector<SetFinding> expected{
      {Kind::Arrangement, ItemIndex{0}, "Arrangement C11 'Song' DRUMS calls the empty Program F14"},
      {Kind::BackingSequence, ItemIndex{2},
       "Backing Sequence 2 'INTRO' is chained to the empty Backing "
       "Sequence 3"},
      {Kind::Program, ItemIndex{30}, "Program F47 'Grand Piano' has the same name as F35"},
      {Kind::Program, ItemIndex{40}, "Program F61 'Grand Piano' has the same name as F35"},
      {Kind::Style, ItemIndex{4}, "Style Block 2 is 7 events over its capacity"}};
  EXPECT_EQ(SetFindings(set), expected);
}

}  // namespace
}  // namespace i40
