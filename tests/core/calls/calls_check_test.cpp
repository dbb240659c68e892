#include "calls/calls_check.h"

#include <gtest/gtest.h>

#include "support/editor.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;

// Set SRC holds an Arrangement calling its own Style and Programs; DST has some of them
// under the same names at other positions.
class CallsCheckTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    ws_.settings.WarnDupl = false;
    FileSet src = build::TemplateSet();
    src.styles.slots[3].record.SetName("My Style");
    src.programs.records[0].SetName("Piano");
    src.programs.records[1].SetName("Bass");
    src.programs.records[65].SetName("Kit");
    ArrangementRecord& a = src.arrangements.records[0];
    a.SetName("  Song  ");
    a.SetStyle(259);             // C14, "My Style"
    a.SetTrackProgram(0, 1039);  // DRUMS: the user Drum Kit "Kit"
    a.SetTrackProgram(1, 1030);  // PERC: a preset Drum Kit
    a.SetTrackProgram(2, 769);   // BASS: "Bass"
    a.SetTrackProgram(6, 768);   // Upper1: "Piano"
    source_ = AddSet(ws_, src, "SRC");

    FileSet dst = build::TemplateSet();
    dst.styles.slots[9].record.SetName("My Style");
    dst.programs.records[2].SetName("Kit");  // a Program named like the source's Drum Kit
    dst.programs.records[7].SetName("Piano");
    dest_ = AddSet(ws_, dst, "DST");
    ed_.Copy(Kind::Arrangement, source_, 0);
  }

  ArrangementRecord& Dest(int i) {
    return ws_.sets.Files(dest_).arrangements.records[static_cast<std::size_t>(i)];
  }

  SetSlot source_ = kNoSet;
  SetSlot dest_ = kNoSet;
};

// The Style is asked about before the tracks; Yes opens the picker where the track
// belongs: a drum track on the Drum Kit bank, the others on the bank of the call.
TEST_F(CallsCheckTest, UnknownStyleFirstThenEachTrackPicksWhereItBelongs) {
  ws_.sets.Files(dest_).styles.slots[9].record.SetName("Other Style");
  ws_.sets.Files(dest_).programs.records[2].SetName("Other");
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(ItemNumber{70});
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(ItemNumber{1038});
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(ItemNumber{831});
  ASSERT_TRUE(ed_.Paste(Kind::Arrangement, dest_, 5));
  EXPECT_EQ(prompter_.texts()[0],
            "Arrangement 'Song' calls Style 'My Style' non-existent in 'DST'\n\n"
            "Redirect this Arrangement to an existing Style?");
  const auto& picks = prompter_.pickRequests();
  ASSERT_EQ(picks.size(), 3u);
  EXPECT_EQ(std::tie(picks[0].kind, picks[0].start, picks[1].start, picks[1].caption),
            std::tuple(Kind::Style, ItemNumber{0}, ItemNumber{1024}, "for track 'DRUMS'"));
  EXPECT_EQ(std::tie(picks[2].kind, picks[2].slot, picks[2].start, picks[2].caption),
            std::tuple(Kind::Program, dest_, ItemNumber{768}, "for track 'BASS'"));
  EXPECT_EQ(std::tuple(Dest(5).Style(), Dest(5).TrackProgram(0), Dest(5).TrackProgram(2)),
            std::tuple(70, 1038, 831));
}

TEST_F(CallsCheckTest, KbdSetSectionsAreCheckedTheSameWay) {
  KbdSetRecord& k = ws_.sets.Files(source_).kbdSets.records[2];
  k.SetSectionProgram(0, 768);  // "Piano": found at 775
  k.SetSectionProgram(1, 769);  // "Bass": not in DST
  ed_.Copy(Kind::KbdSet, source_, 2);
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(ItemNumber{300});
  ASSERT_TRUE(ed_.Paste(Kind::KbdSet, dest_, 14));
  KbdSetRecord expected = k;
  expected.SetSectionProgram(0, 775);
  expected.SetSectionProgram(1, 300);
  EXPECT_EQ(ws_.sets.Files(dest_).kbdSets.records[14], expected);
  EXPECT_EQ(prompter_.messages().size(), 1u);
  const PickRequest& pick = prompter_.pickRequests().at(0);
  EXPECT_EQ(std::tie(pick.start, pick.caption), std::tuple(ItemNumber{0}, "for track 'Up1 KBD'"));
}

// Pasting over an Arrangement that a sequence calls: Yes and a pick redirect its caller,
// then the calls check is cancelled. The whole paste goes, the redirect with it: the Set
// is as it was, byte for byte, and the sequence still calls the Arrangement.
TEST_F(CallsCheckTest, CancellingTheCallsCheckUndoesTheRedirectOfThePaste) {
  FileSet& dst = ws_.sets.Files(dest_);
  dst.arrangements.records[8].SetName("Called");
  dst.arrangements.records[9].SetName("Other");
  dst.backingSequences.records[0].SetName("SEQ");
  dst.backingSequences.records[0].SetArrangement(256 + 8);
  const auto before = Images(ws_, dest_);
  prompter_.QueueAnswer(Answer::Yes);        // redirect the callers of C21
  prompter_.QueuePick(ItemNumber{256 + 9});  // to C22
  prompter_.QueueAnswer(Answer::Cancel);     // the first call the Set lacks
  EXPECT_FALSE(ed_.Paste(Kind::Arrangement, dest_, 8));
  ASSERT_EQ(prompter_.messages().size(), 2u);
  EXPECT_NE(prompter_.messages()[0].text.find("Called Arrangement is referenced by"),
            std::string::npos);
  EXPECT_EQ(Images(ws_, dest_), before);
  EXPECT_EQ(ws_.sets.Files(dest_).backingSequences.records[0].Arrangement(), 256 + 8);
}

// A paste from another Set that the user cancels leaves the undo of the last operation of
// that kind as it was, for every kind that checks calls.
TEST_F(CallsCheckTest, ACancelledPasteKeepsTheUndoBefore) {
  FileSet& src = ws_.sets.Files(source_);
  src.styles.slots[3].record.SetTrackProgram(0, 769);  // "Bass"
  src.backingSequences.records[0].SetName("SEQ");
  src.backingSequences.records[0].SetTrackProgram(2, 769);
  src.kbdSets.records[0].SetSectionProgram(0, 769);
  ws_.sets.Files(dest_).arrangements.records[20].SetName("Cut me");
  ws_.sets.Files(dest_).styles.slots[1].record.SetName("Cut me");
  ws_.sets.Files(dest_).backingSequences.records[1].SetName("CUT ME");
  ws_.sets.Files(dest_).kbdSets.records[1].bytes[60] = 'k';
  const auto before = Images(ws_, dest_);
  std::vector<std::string> asked;
  for (const Kind kind : {Kind::Arrangement, Kind::Style, Kind::BackingSequence, Kind::KbdSet}) {
    SCOPED_TRACE(KindName(kind));
    const int cut = kind == Kind::Arrangement ? 20 : 1;
    // KBD Sets have no Cut: a paste within the Set is their undoable operation.
    if (kind == Kind::KbdSet) {
      ed_.Copy(kind, dest_, 4);
      ASSERT_TRUE(ed_.Paste(kind, dest_, cut));
    } else {
      ASSERT_TRUE(ed_.Cut(kind, dest_, cut));
    }
    ed_.Copy(kind, source_, kind == Kind::Style ? 3 : 0);
    prompter_.QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(ed_.Paste(kind, dest_, 8));
    const Message& m = prompter_.messages().back();
    EXPECT_EQ(std::tie(m.icon, m.buttons, m.defaultButton),
              std::tuple(MessageIcon::Exclamation, MessageButtons::YesNoCancel, Answer::Cancel));
    asked.push_back(m.text);
    prompter_.Clear();
    EXPECT_TRUE(ed_.Undo(kind, dest_));
    EXPECT_EQ(Images(ws_, dest_), before);
  }
  // Each kind names the track and its item in its own words.
  std::vector<std::string> expected;
  for (const char* caller : {"'BASS' of Arrangement 'Song'", "'DRUMS' of Style 'My Style'",
                             "'Lower' of BackSeq 'SEQ'", "'Low KBD' of KBD Set 'B4'"}) {
    expected.push_back("Track " + std::string(caller) +
                       " calls Program 'Bass' non-existent in 'DST'\n\n"
                       "Redirect this track to an existing Program?");
  }
  EXPECT_EQ(asked, expected);
}

}  // namespace
}  // namespace i40
