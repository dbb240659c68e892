// The edit engine on the Arrangements tab, as the Set window runs it.
#include <gtest/gtest.h>

#include "calls/callers.h"
#include "support/editor.h"
#include "support/temp_dir.h"

namespace i40 {
namespace {

using test::AddSet;
constexpr Kind kArr = Kind::Arrangement;

class ArrangementEditsTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    ws_.settings.WarnDupl = false;
    FileSet s = build::TemplateSet();
    for (int i = 0; i < 6; ++i) {
      ArrangementRecord& r = s.arrangements.records[static_cast<std::size_t>(i)];
      r.SetName("Arr " + std::to_string(i));
      r.SetCategory(static_cast<std::uint8_t>(i));
      r.bytes[100] = static_cast<std::uint8_t>(0xA0 + i);  // a carried byte
    }
    s.arrangements.records[63].SetName("Last");
    // Backing Sequences 0 and 1 call Arr 2 (C13); 2 calls Arr 5; 3 is unnamed but holds 258.
    s.backingSequences.records[0].SetName("INTRO");
    s.backingSequences.records[0].SetArrangement(258);
    s.backingSequences.records[1].SetName("VERSE");
    s.backingSequences.records[1].SetArrangement(258);
    s.backingSequences.records[2].SetName("END");
    s.backingSequences.records[2].SetArrangement(261);
    s.backingSequences.records[3].SetArrangement(258);
    slot_ = AddSet(ws_, s, "ONE");
  }

  ArrangementRecord& Rec(int i) {
    return ws_.sets.Files(slot_).arrangements.records[static_cast<std::size_t>(i)];
  }
  std::string Names(std::initializer_list<int> positions) {
    return NamesAt(Kind::Arrangement, positions);
  }
  // The Arrangement each of the first four Backing Sequences calls.
  std::vector<int> Calls() {
    std::vector<int> calls;
    for (std::size_t i = 0; i < 4; ++i)
      calls.push_back(ws_.sets.Files(slot_).backingSequences.records[i].Arrangement());
    return calls;
  }
};

TEST_F(ArrangementEditsTest, DeleteClosesUpAndRenumbersTheBackingSequences) {
  EXPECT_TRUE(ed_.Delete(kArr, slot_, 0));
  EXPECT_EQ(Names({0, 62, 63}), "Arr 1|Last|");
  EXPECT_EQ(Calls(), (std::vector<int>{257, 257, 260, 258}));  // blank-named: not touched
  EXPECT_TRUE(ed_.Paste(kArr, slot_, 40));  // the deleted one is still on the clipboard
  EXPECT_EQ(Names({40}), "Arr 0");
}

// At the last slot, Insert replaces what is there and Delete only empties it.
TEST_F(ArrangementEditsTest, InsertAndDeleteAtTheLastSlots) {
  ed_.Copy(kArr, slot_, 0);
  EXPECT_TRUE(ed_.Insert(kArr, slot_, 63));
  EXPECT_TRUE(ed_.Paste(kArr, slot_, 40));  // the replaced one went onto the clipboard
  EXPECT_EQ(Names({40, 62, 63}), "Last||Arr 0");
  RedirectCalls(ws_.sets.Files(slot_), kArr, ItemNumber{261}, ItemNumber{319});
  EXPECT_TRUE(ed_.Delete(kArr, slot_, 62));
  EXPECT_EQ(std::tuple(Names({62, 63}), Calls()[2]), std::tuple("Arr 0|", 318));
  EXPECT_TRUE(ed_.Delete(kArr, slot_, 63));
}

TEST_F(ArrangementEditsTest, DragInsideASetMovesTheArrangementAndItsCallers) {
  EXPECT_FALSE(ed_.Drop(kArr, slot_, 2, slot_, 2));   // onto itself
  EXPECT_FALSE(ed_.Drop(kArr, slot_, 40, slot_, 2));  // from an empty slot
  EXPECT_TRUE(ed_.Drop(kArr, slot_, 2, slot_, 30));
  EXPECT_EQ(Names({2, 30}), "|Arr 2");
  EXPECT_EQ(Calls(), (std::vector<int>{286, 286, 261, 258}));
  EXPECT_TRUE(prompter_.messages().empty());
}

// The check runs after every Paste, whether the paste was done or not.
// Paste and Insert warn about duplicate names whatever they did: the names may have been
// equal before.
TEST_F(ArrangementEditsTest, PasteAndInsertWarnAboutDuplicatesWhateverTheirResult) {
  ws_.settings.WarnDupl = true;
  Rec(30).SetName("Arr 1");
  ed_.Copy(kArr, slot_, 4);
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(ed_.Paste(kArr, slot_, 5));  // C16 is called: cancelled
  EXPECT_EQ(prompter_.texts().back(), "Arrangement duplicate name\nC47 - C12  (Arr 1)");
  prompter_.Clear();
  ws_.sets.Files(slot_).backingSequences.records[4].SetName("OUTRO");
  ws_.sets.Files(slot_).backingSequences.records[4].SetArrangement(256 + 63);
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(ed_.Insert(kArr, slot_, 5));  // C88, pushed out, is called: cancelled
  EXPECT_EQ(prompter_.texts(),
            (std::vector<std::string>{"Last Arrangement is referenced by\none or more Backing "
                                      "Sequences.\nChange references to another Arrangement?",
                                      "Arrangement duplicate name\nC47 - C12  (Arr 1)"}));
}

TEST_F(ArrangementEditsTest, LoadOneArrangementFromAnIafFile) {
  test::TempDir dir;
  ArrangementRecord r = Rec(0);
  r.SetName("From IAF");
  r.SetStyle(265);  // a user Style: taken as it is
  auto iaf = test::OneItemFile({r.bytes.begin(), r.bytes.end()});
  test::WriteFile(dir / "ONE.IAF", iaf);

  EXPECT_FALSE(ed_.LoadOne(kArr, slot_, -1));  // a preset cell asks for nothing
  prompter_.QueueFile(dir / "ONE.IAF");
  EXPECT_TRUE(ed_.LoadOne(kArr, slot_, 40));
  const FileRequest& request = prompter_.fileRequests().at(0);
  EXPECT_EQ(std::tie(request.title, request.initialName, request.filters.at(0).pattern),
            std::tuple("Load one Arrangement from .IAF file...", "*.IAF", "*.IAF"));
  EXPECT_EQ(Rec(40), r);
  EXPECT_TRUE(prompter_.messages().empty());  // a one-item file is no Set: no calls check

  iaf.resize(100);
  test::WriteFile(dir / "SHORT.IAF", iaf);
  prompter_.QueueFile(dir / "SHORT.IAF");
  EXPECT_FALSE(ed_.LoadOne(kArr, slot_, 42));
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(prompter_.messages()[0].text,
            "Error getting Arrangement data.\nThe file is shorter than one Arrangement (byte 100)");
  EXPECT_TRUE(Rec(42).IsEmpty());
}

}  // namespace
}  // namespace i40
