#include "compare/set_diff.h"

#include <gtest/gtest.h>

#include <functional>

#include "format/item_numbers.h"
#include "format/set_paths.h"
#include "set_builder.h"
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
    return TrimSpaces(RecordName(kind, RecordBytes(A(), kind, index)));
  }

  Workspace ws_;
  int a_ = 0;
  int b_ = 0;
};

TEST_F(SetDiffTest, AddedAndRemovedItems) {
  B().arrangements.records[30] = A().arrangements.records[0];
  B().arrangements.records[30].SetName("New One");
  B().backingSequences.records[4].SetName("          ");
  const std::string sequence = "Backing Sequences 4 '" + Name(Kind::BackingSequence, 4) + "': ";
  EXPECT_EQ(Diff(), (Lines{"Arrangements " + ArrangementUserLabel(30) + " 'New One': added",
                           sequence + "removed"}));
  // Diffed the other way round, the same items.
  std::swap(a_, b_);
  EXPECT_EQ(Diff(), (Lines{"Arrangements " + ArrangementUserLabel(30) + " 'New One': removed",
                           sequence + "added"}));
}

// Calls are named by the called item's label and name; an item that was renamed or moved
// is still the same call.
TEST_F(SetDiffTest, CallsAreComparedByWhatTheyCall) {
  ArrangementRecord& r = B().arrangements.records[2];  // Bossa Nova
  r.SetStyle(StyleNumberOfSlot(5));
  r.SetTrackProgram(2, 770);  // was F17 Warm Strings
  const std::string style = StyleUserLabel(A().arrangements.records[2].Style() - 256) + " " +
                            Name(Kind::Style, A().arrangements.records[2].Style() - 256);
  EXPECT_EQ(Diff(), (Lines{"Arrangements C13 'Bossa Nova': changed: Style " + style + " -> " +
                           StyleUserLabel(5) + " " + Name(Kind::Style, 5) + "; BASS " +
                           ProgramUserLabel(8) + " " + Name(Kind::Program, 8) + " -> F13 " +
                           Name(Kind::Program, 2)}));

  B() = A();
  B().programs.records[2].SetName("Finger Bass 2");  // called by Pop Ballad and KBD Set A1
  EXPECT_EQ(Diff(), Lines{"Programs F13 'Finger Bass': renamed to 'Finger Bass 2'"});
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
      {"Backing Sequences 0 'INTRO': changed: Chain  to  next  BSeq on -> off; events",
       [](FileSet& s) {
         s.backingSequences.records[0].bytes[BsqRecord::kFlagsOffset] &= 0xFD;
         s.backingSequences.data[0][0] ^= 1;
       }},
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

// Random bytes in every field and nothing differs between two copies; two unrelated Sets
// differ at every position of every kind, each said once.
TEST_F(SetDiffTest, EqualSetsSayNothingUnrelatedOnesDifferAtEveryPosition) {
  ws_.sets.Files(a_) = B() = build::RandomSet(2);
  EXPECT_EQ(Diff(), Lines{});
  ws_.sets.Files(a_) = build::RandomSet(1);
  std::vector<int> seen(static_cast<std::size_t>(PositionCount(Kind::Arrangement)));
  for (const SetDifference& d : CompareSets(ws_, a_, b_)) {
    if (d.kind != Kind::Arrangement || d.positionA < 0) continue;
    ++seen[static_cast<std::size_t>(d.positionA)];
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
  const auto differences =
      CompareSources(ws_, CompareSource{0, dir / "DISK"}, CompareSource{b_, {}}, problems);
  ASSERT_TRUE(differences.has_value());
  EXPECT_TRUE(problems.empty());
  ASSERT_EQ(differences->size(), 1u);
  EXPECT_EQ(DifferenceLine(differences->front()),
            "Arrangements C11 'Pop Ballad': renamed to 'Pop Ballad 2'");
  EXPECT_EQ(test::Images(ws_, b_), before);
  EXPECT_EQ(ws_.sets.SlotCount(), 2);

  std::filesystem::remove(dir / "DISK.KBS");
  EXPECT_FALSE(
      CompareSources(ws_, CompareSource{a_, {}}, CompareSource{0, dir / "DISK"}, problems));
  EXPECT_EQ(problems, Lines{"File " + PathText(dir / "DISK.KBS") + " not found"});
}

}  // namespace
}  // namespace i40
