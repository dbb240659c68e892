#include "diff/set_diff.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <tuple>

#include "calls/callers.h"
#include "calls/item_lookup.h"
#include "edit/edit_engine.h"
#include "format/call_table.h"
#include "format/item_image.h"
#include "format/item_numbers.h"
#include "format/positions.h"
#include "format/set_paths.h"
#include "host/scripted_prompter.h"
#include "set_builder.h"
#include "support/editor.h"
#include "support/random_prompter.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "util/text.h"

namespace i40 {
namespace {

using Lines = std::vector<std::string>;

// Set A is the demo Set, Set B a copy that each test edits.
class SetDiffTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws_.settings.WarnDupl = false;
    a_ = test::AddSet(ws_, build::DemoSet(), "A");
    b_ = test::AddSet(ws_, build::DemoSet(), "B");
  }

  const FileSet& A() { return ws_.sets.Files(a_); }
  FileSet& B() { return ws_.sets.Files(b_); }

  Lines Diff() {
    Lines lines;
    for (const SetDifference& d : CompareSets(ws_, a_, b_))
      lines.push_back(DifferenceLine(d));
    return lines;
  }

  std::string Name(Kind kind, int index) {
    return TrimSpaces(RecordName(kind, RecordBytes(A(), kind, ItemIndex{index})));
  }

  Workspace ws_;
  SetSlot a_ = kNoSet;
  SetSlot b_ = kNoSet;
};

TEST_F(SetDiffTest, AddedAndRemovedItems) {
  B().arrangements.records[30] = A().arrangements.records[0];
  B().arrangements.records[30].SetName("New One");
  B().backingSequences.records[4].SetName("          ");
  const std::string sequence = "Backing Sequences 4 '" + Name(Kind::BackingSequence, 4) + "': ";
  EXPECT_EQ(Diff(), (Lines{"Arrangements " + ItemUserLabel(Kind::Arrangement, ItemIndex{30}) +
                               " 'New One': added",
                           sequence + "removed"}));
  // Diffed the other way round, the same items.
  std::swap(a_, b_);
  EXPECT_EQ(Diff(), (Lines{"Arrangements " + ItemUserLabel(Kind::Arrangement, ItemIndex{30}) +
                               " 'New One': removed",
                           sequence + "added"}));
}

// Calls are named by the called item's label and name, and compared by what they name:
// renaming an item changes what each of its callers calls, and says so.
TEST_F(SetDiffTest, CallsAreComparedByWhatTheyCall) {
  ArrangementRecord& r = B().arrangements.records[2];  // Bossa Nova
  r.SetStyle(Value(ItemNumberOfUserIndex(Kind::Style, ItemIndex{5})));
  r.SetTrackProgram(2, 770);  // was F17 Warm Strings
  const std::string style =
      ItemUserLabel(Kind::Style, ItemIndex{A().arrangements.records[2].Style() - 256}) + " " +
      Name(Kind::Style, A().arrangements.records[2].Style() - 256);
  EXPECT_EQ(Diff(), (Lines{"Arrangements C13 'Bossa Nova': changed: Style " + style + " -> " +
                           ItemUserLabel(Kind::Style, ItemIndex{5}) + " " + Name(Kind::Style, 5) +
                           "; BASS " + ItemUserLabel(Kind::Program, ItemIndex{8}) + " " +
                           Name(Kind::Program, 8) + " -> F13 " + Name(Kind::Program, 2)}));

  B() = A();
  B().programs.records[2].SetName("Finger Bass 2");
  const std::string call = "F13 Finger Bass -> F13 Finger Bass 2";
  EXPECT_EQ(Diff(), (Lines{"Arrangements C11 'Pop Ballad': changed: BASS " + call,
                           "Arrangements C25 'Pop Ballad Slow': changed: BASS " + call,
                           "Arrangements C28 '16 Beat Pop': changed: Upper1 " + call,
                           "Styles C11 'Ballad Style': changed: BASS " + call,
                           "Styles C25 'Slow Ballad': changed: BASS " + call,
                           "Programs F13 'Finger Bass': renamed to 'Finger Bass 2'",
                           "Backing Sequences 0 'INTRO': changed: Extra 1 " + call,
                           "Backing Sequences 1 'VERSE': changed: Extra 1 " + call,
                           "KBD Sets A1: changed: Low KBD " + call,
                           "KBD Sets A3: changed: Up1 KBD " + call}));
}

// Everything that differs is said, named as its dialog names it, or as "data", "events"
// or "Drum Kit data" where no control shows it.
TEST_F(SetDiffTest, EachChangeNamesItsField) {
  struct Case {
    const char* line;
    std::function<void(FileSet&)> edit;
  };
  const std::vector<Case> cases = {
      {"Arrangements C11 'Pop Ballad': changed: Tempo Lock on -> off",
       [](FileSet& s) { s.arrangements.records[0].bytes[28] &= 0xFD; }},
      {"Arrangements C11 'Pop Ballad': changed: Default Drum Maps Var.2 4 -> 3",
       [](FileSet& s) { s.arrangements.records[0].bytes[31] = 2; }},
      {"Arrangements C11 'Pop Ballad': changed: data",
       [](FileSet& s) { s.arrangements.records[0].bytes[42] ^= 0x10; }},
      {"Styles C11 'Ballad Style': changed: events",
       [](FileSet& s) { s.styles.slots[0].data[3] ^= 1; }},
      {"Programs F12 'E.Piano Soft': changed: Category Keyboard -> Organ; data",
       [](FileSet& s) {
         s.programs.records[1].SetCategory(1);
         s.programs.records[1].bytes[100] ^= 1;
       }},
      {"Programs R27 'Studio Kit': changed: Drum Kit data",
       [](FileSet& s) { s.programs.drumKitData[0][7] ^= 1; }},
      {"Backing Sequences 0 'INTRO': changed: Chain to next BSeq on -> off; events",
       [](FileSet& s) {
         s.backingSequences.records[0].bytes[BsqRecord::kFlagsOffset] &= 0xFD;
         s.backingSequences.data[0][0] ^= 1;
       }},
      // A value no list of the dialog holds is shown as stored: a key as a note, anything
      // else as its number, never as "(none)".
      {"Arrangements C11 'Pop Ballad': changed: Split Key B2 -> G3",
       [](FileSet& s) { s.arrangements.records[0].bytes[24] = 55; }},
      {"Arrangements C11 'Pop Ballad': changed: Category 8 Beat -> 200",
       [](FileSet& s) { s.arrangements.records[0].SetCategory(200); }},
      {"KBD Sets B3: changed: data", [](FileSet& s) { s.kbdSets.records[7].bytes[65] ^= 1; }},
      {"KBD Sets A1: changed: Up2 KBD F18 Choir Aahs -> F11 Grand Piano",
       [](FileSet& s) { s.kbdSets.records[0].SetSectionProgram(2, 768); }},
      {"Arrangement Global: changed: MIDI Channels Drums 10 -> 6; Chord Recognition Normal -> Easy",
       [](FileSet& s) {
         s.arrangementGlobal.record[3] = 5;
         s.arrangementGlobal.record[ArrangementGlobalData::kRecognitionOffset] = 2;
       }},
      {"Global: changed: Velocity Curve 4 -> 3; data",
       [](FileSet& s) {
         s.global.record[GlobalData::kVelocityCurveOffset] = 2;
         s.global.record[300] ^= 1;
       }},
      {"Programs: changed: file header", [](FileSet& s) { s.programs.header[20] ^= 1; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    B() = A();
    c.edit(B());
    EXPECT_EQ(Diff(), Lines{c.line});
  }
}

// "No" to moving the callers: deleting a Program, or cutting it and pasting it elsewhere,
// leaves every caller with its number, which now names another item or none. Each of
// them is listed with that call, and nothing else is.
TEST_F(SetDiffTest, CallersOfAnItemThatWentAreListedWithWhatTheyCallNow) {
  const ItemNumber steelDrums = ItemNumberOfUserIndex(Kind::Program, ItemIndex{40});  // F61
  for (const bool cut : {false, true}) {
    SCOPED_TRACE(cut ? "cut and paste" : "delete");
    B() = A();
    ScriptedPrompter prompter;
    prompter.QueueAnswer(Answer::No);
    RunEditCommand(ws_, prompter, SetSlot{b_}, Kind::Program,
                   cut ? EditCommand::Cut : EditCommand::Delete, ItemIndex{40});
    if (cut)
      RunEditCommand(ws_, prompter, SetSlot{b_}, Kind::Program, EditCommand::Paste, ItemIndex{42});
    const ItemSources fromB{ws_.presets, B()};
    const std::string now = IsItemSlotEmpty(B(), Kind::Program, ItemIndex{40})
                                ? "F61 (empty)"
                                : "F61 " + TrimSpaces(ItemName(fromB, Kind::Program, steelDrums));
    std::vector<std::pair<Kind, ItemIndex>> callers;
    ForEachCall(A(), [&](Kind caller, ItemIndex i, const CallField& field, auto record) {
      if (field.called == Kind::Program && ReadCall(record, field) == steelDrums)
        callers.emplace_back(caller, i);
    });
    ASSERT_GE(callers.size(), 2u);
    std::vector<std::pair<Kind, ItemIndex>> listed;
    for (const SetDifference& d : CompareSets(ws_, a_, b_)) {
      if (d.kind == Kind::Program) continue;
      ASSERT_EQ(d.what, DiffWhat::Changed) << DifferenceLine(d);
      listed.emplace_back(d.kind, d.positionA);
      EXPECT_NE(DifferenceLine(d).find("F61 Steel Drums -> " + now), std::string::npos)
          << DifferenceLine(d);
    }
    std::sort(callers.begin(), callers.end());
    callers.erase(std::unique(callers.begin(), callers.end()), callers.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, callers);
  }
}

// A reorder is moves only, whatever calls it renumbered: Backing Sequences dragged into
// another order (their "next" renumbered with them), and an Arrangement dragged and then
// renumbered by a Program inserted before the ones it calls.
TEST_F(SetDiffTest, AReorderIsMovesOnly) {
  ScriptedPrompter prompter;
  prompter.QueueAnswer(Answer::Yes);
  RunDrop(ws_, prompter, Kind::BackingSequence, SetSlot{b_}, ItemIndex{1}, SetSlot{b_},
          ItemIndex{4});
  const auto differences = CompareSets(ws_, a_, b_);
  // 1 to 4, and 2, 3, 4 each one up, but 3 is as 2 was (the demo holds CHORUS twice).
  EXPECT_EQ(differences.size(), 3u);
  for (const SetDifference& d : differences) {
    EXPECT_EQ(std::pair(d.kind, d.what), std::pair(Kind::BackingSequence, DiffWhat::Moved))
        << DifferenceLine(d);
  }

  B() = A();
  prompter.QueueAnswer(Answer::Yes);
  RunDrop(ws_, prompter, Kind::Arrangement, SetSlot{b_}, ItemIndex{0}, SetSlot{b_}, ItemIndex{40});
  prompter.QueueAnswer(Answer::Yes);
  RunEditCommand(ws_, prompter, SetSlot{b_}, Kind::Program, EditCommand::Insert, ItemIndex{0});
  int arrangementLines = 0;
  for (const SetDifference& d : CompareSets(ws_, a_, b_)) {
    if (d.kind != Kind::Arrangement) continue;
    ++arrangementLines;
    EXPECT_EQ(DifferenceLine(d), "Arrangements C11 'Pop Ballad': moved to C61");
  }
  EXPECT_EQ(arrangementLines, 1);
}

// What a record is once every call in it is replaced by what it names in its own Set: the
// called item's kind and name, "empty" for an empty position, a number for anything else
// (the test's own reading of the rule).
std::string WhatItIs(const FileSet& set, Kind kind, int i) {
  const bool empty =
      IsEmptyPosition(set, kind, ItemIndex{i}) ||
      (kind == Kind::Style && set.styles.slots[static_cast<std::size_t>(i)].present == 0);
  if (empty) return "empty";
  const auto names = [&set](Kind called, ItemNumber number) -> std::string {
    const int user = Value(ItemUserIndex(called, number));
    if (user < 0 || !IsPosition(called, ItemIndex{user}))
      return "#" + std::to_string(Value(number));
    if (IsEmptyPosition(set, called, ItemIndex{user}) ||
        (called == Kind::Style && set.styles.slots[static_cast<std::size_t>(user)].present == 0))
      return "empty";
    return std::string(KindName(called)) + ":" +
           RecordName(called, RecordBytes(set, called, ItemIndex{user}));
  };
  ItemImage bytes = ReadItem(set, kind, ItemIndex{i});
  std::string calls;
  const auto record = RecordBytes(set, kind, ItemIndex{i});
  for (const CallField& field : CallFieldsOf(kind)) {
    calls += "|" + names(field.called, ReadCall(record, field));
    bytes[field.offset] = bytes[field.offset + 1] = 0;
  }
  if (kind == Kind::BackingSequence) {
    const int next = record[BsqRecord::kNextOffset];
    calls += "|";
    const bool nextEmpty =
        next >= kBsqCount || IsEmptyPosition(set, Kind::BackingSequence, ItemIndex{next});
    calls += next >= kBsqCount ? "#" + std::to_string(next)
             : nextEmpty       ? "empty"
                               : RecordName(Kind::BackingSequence,
                                            RecordBytes(set, Kind::BackingSequence, ItemIndex{next}));
    bytes[BsqRecord::kNextOffset] = 0;
  }
  return std::string(bytes.begin(), bytes.end()) + calls;
}

// After random edits through the engine, answered at random: every position whose item is
// something else once its calls are read for what they name is in the comparison, and no
// other; compared the other way round, the same positions, added and removed swapped.
TEST(SetDiffProperty, EveryItemThatIsSomethingElseIsListedAndNoOther) {
  std::array<int, 5> whats{};
  for (std::uint32_t seed = 1; seed <= 25; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    build::Rng rng(seed);
    Workspace ws;
    ws.settings.WarnDupl = false;
    test::RandomPrompter prompter(rng);
    test::Editor ed(ws, prompter);
    const SetSlot a = test::AddSet(ws, test::CallingSet(seed), "A");
    const SetSlot b = test::AddSet(ws, test::CallingSet(seed), "B");
    const SetSlot other = test::AddSet(ws, test::CallingSet(seed + 500), "C");
    for (int step = 0; step < 8; ++step)
      test::RandomOperation(ed, rng, test::kEditKinds[static_cast<std::size_t>(rng.Below(5))],
                            SetSlot{b}, SetSlot{other});
    // The positions a comparison covers, per kind: each A position it names, and the B
    // position an item moved to.
    const auto covered = [&ws](SetSlot x, SetSlot y, bool swap) {
      std::set<std::tuple<Kind, int>> positions;
      std::array<int, 5> counts{};
      for (const SetDifference& d : CompareSets(ws, x, y)) {
        if (Value(d.positionA) < 0 || d.kind == Kind::ArrangementGlobal || d.kind == Kind::Global)
          continue;
        DiffWhat what = d.what;
        if (swap && what == DiffWhat::Added)
          what = DiffWhat::Removed;
        else if (swap && what == DiffWhat::Removed)
          what = DiffWhat::Added;
        ++counts[static_cast<std::size_t>(what)];
        positions.emplace(d.kind, Value(d.positionA));
        if (d.what == DiffWhat::Moved) positions.emplace(d.kind, Value(d.positionB));
      }
      return std::pair(positions, counts);
    };
    std::set<std::tuple<Kind, int>> different;
    for (const Kind kind : test::kEditKinds) {
      for (int i = 0; i < PositionCount(kind); ++i) {
        if (WhatItIs(ws.sets.Files(a), kind, i) != WhatItIs(ws.sets.Files(b), kind, i))
          different.emplace(kind, i);
      }
    }
    const auto [forward, counts] = covered(a, b, false);
    const auto [backward, swapped] = covered(b, a, true);
    EXPECT_EQ(forward, different);
    EXPECT_EQ(backward, different);
    EXPECT_EQ(counts[static_cast<std::size_t>(DiffWhat::Added)] +
                  counts[static_cast<std::size_t>(DiffWhat::Removed)] +
                  counts[static_cast<std::size_t>(DiffWhat::Moved)],
              swapped[static_cast<std::size_t>(DiffWhat::Added)] +
                  swapped[static_cast<std::size_t>(DiffWhat::Removed)] +
                  swapped[static_cast<std::size_t>(DiffWhat::Moved)]);
    for (std::size_t w = 0; w < whats.size(); ++w)
      whats[w] += counts[w];
  }
  // The edits made every kind of difference but a rename (no edit renames).
  for (const DiffWhat what :
       {DiffWhat::Added, DiffWhat::Removed, DiffWhat::Moved, DiffWhat::Changed})
    EXPECT_GT(whats[static_cast<std::size_t>(what)], 0) << DiffWhatName(what);
}

// Random bytes in every field and nothing differs between two copies; two unrelated Sets
// differ at every position of every kind, each said once.
TEST_F(SetDiffTest, EqualSetsSayNothingUnrelatedOnesDifferAtEveryPosition) {
  ws_.sets.Files(a_) = B() = build::RandomSet(2);
  EXPECT_EQ(Diff(), Lines{});
  ws_.sets.Files(a_) = build::RandomSet(1);
  std::vector<int> seen(static_cast<std::size_t>(PositionCount(Kind::Arrangement)));
  for (const SetDifference& d : CompareSets(ws_, a_, b_)) {
    if (d.kind != Kind::Arrangement || Value(d.positionA) < 0) continue;
    ++seen[static_cast<std::size_t>(Value(d.positionA))];
    EXPECT_EQ(d.what, DiffWhat::Changed);
    ASSERT_FALSE(d.fields.empty());
    EXPECT_EQ(d.fields.front().field, "Name");
  }
  EXPECT_EQ(seen, std::vector<int>(seen.size(), 1));
}

// An open Set (unsaved edits included) against Set files on disk, in a workspace of the
// comparison's own; a Set missing a file is reported and compares nothing.
TEST_F(SetDiffTest, AnOpenSetAgainstItsFiles) {
  test::TempDir dir;
  build::WriteSet(build::DemoSet(), dir / "DISK");
  B().arrangements.records[0].SetName("Pop Ballad 2");
  const auto before = test::Images(ws_, b_);
  std::vector<std::string> problems;
  const auto differences = CompareSources(ws_, CompareSource{SetSlot{0}, dir / "DISK"},
                                          CompareSource{SetSlot{b_}, {}}, problems);
  ASSERT_TRUE(differences.has_value());
  EXPECT_TRUE(problems.empty());
  ASSERT_FALSE(differences->empty());
  EXPECT_EQ(DifferenceLine(differences->front()),
            "Arrangements C11 'Pop Ballad': renamed to 'Pop Ballad 2'");
  EXPECT_EQ(test::Images(ws_, b_), before);
  EXPECT_EQ(ws_.sets.SlotCount(), 2);

  std::filesystem::remove(dir / "DISK.KBS");
  EXPECT_FALSE(CompareSources(ws_, CompareSource{SetSlot{a_}, {}},
                              CompareSource{SetSlot{0}, dir / "DISK"}, problems));
  EXPECT_EQ(problems, Lines{"File " + PathText(dir / "DISK.KBS") + " not found"});
}

}  // namespace
}  // namespace i40
