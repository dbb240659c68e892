// A command on several items is the one-item commands on each of them with the same
// answers: from seeded random Sets whose items call each other (bit 7 on some track
// calls, Drum Kits, chained sequences, full Blocks), a random selection, command and
// answers give the same bytes as the one-item commands run one by one, and one Undo gives
// every component back byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "format/item_numbers.h"
#include "format/kind_table.h"
#include "format/positions.h"
#include "format/vocabulary.h"
#include "session/edit_records.h"
#include "support/editor.h"

namespace i40 {
namespace {

using test::AddSet;
using test::CallingSet;
using test::Images;
using test::kEditKinds;

// Answers by what a question is about, the same whether it names one item or several:
// a callers question with `callers`, a calls check with `calls`, a drag's question with
// Yes; a picker with a preset fixed by the item it opens on (or that item: no change).
class TopicPrompter : public Prompter {
 public:
  TopicPrompter(Answer callers, Answer calls, bool redirect)
      : callers_(callers), calls_(calls), redirect_(redirect) {}

  Answer Ask(const Message& m) override {
    if (m.buttons == MessageButtons::YesNo) return Answer::Yes;
    if (m.buttons != MessageButtons::YesNoCancel) {
      refused = true;
      return Answer::Ok;
    }
    return m.text.find("referenced by") != std::string::npos ? callers_ : calls_;
  }
  ItemNumber Pick(const PickRequest& r) override {
    if (!redirect_) return r.start;
    const int presets = BankLastIndex(r.kind, BankNo{0}) + 1;
    return NumberAt(r.kind, {BankNo{0}, Value(r.start) % presets});
  }
  std::optional<std::filesystem::path> ChooseOpenFile(const FileRequest&) override { return {}; }
  std::optional<std::filesystem::path> ChooseSaveFile(const FileRequest&) override { return {}; }
  int ChooseFromList(const ListChoice&) override { return -1; }
  std::optional<MidiDevices> ChooseMidiDevices(const MidiSetupRequest&) override { return {}; }
  void BeginProgress(const std::string&, const std::string&, double, double) override {}
  void SetProgress(double) override {}
  void EndProgress() override {}

  bool refused = false;  // a message that is no question: something did not fit

 private:
  Answer callers_;
  Answer calls_;
  bool redirect_;
};

enum Op { kPaste, kCut, kDelete, kInsert, kPasteCalls, kDragInside, kDragFrom, kOpCount };

// Two workspaces built alike: one runs the command on the selection, the other the
// one-item commands.
struct Twin {
  explicit Twin(std::uint32_t seed) {
    ws.settings.WarnDupl = false;
    a = AddSet(ws, CallingSet(seed), "A");
    b = AddSet(ws, CallingSet(seed + 1000), "B");
  }
  Workspace ws;
  SetSlot a = kNoSet;
  SetSlot b = kNoSet;
};

// A random selection of 2 to 5 positions of one bank (or the two Drum Kits) and where
// the command puts things, mostly inside the bank.
struct Choice {
  std::vector<ItemIndex> items;
  ItemIndex at{0};
};

Choice RandomChoice(build::Rng& rng, Kind kind) {
  const KindFacts& facts = FactsOf(kind);
  int first = 0;
  int count = PositionCount(kind) - facts.extraUserCount;
  if (facts.extraUserCount > 0 && rng.Below(6) == 0) {
    first = count;
    count = facts.extraUserCount;
  }
  Choice choice;
  const int k = std::min(count, 2 + rng.Below(4));
  while (static_cast<int>(choice.items.size()) < k) {
    const ItemIndex i{first + rng.Below(count)};
    if (std::find(choice.items.begin(), choice.items.end(), i) == choice.items.end())
      choice.items.push_back(i);
  }
  std::sort(choice.items.begin(), choice.items.end());
  choice.at = ItemIndex{first + rng.Below(count)};
  return choice;
}

// The positions a drag takes: the user items, in position order.
std::vector<ItemIndex> Draggable(const Workspace& ws, SetSlot slot, Kind kind,
                                 const std::vector<ItemIndex>& items) {
  std::vector<ItemIndex> draggable;
  for (const ItemIndex i : items) {
    if (CanStartDrag(ws, slot, kind, i)) draggable.push_back(i);
  }
  return draggable;
}

bool Overlaps(const std::vector<ItemIndex>& from, ItemIndex to) {
  for (std::size_t n = 0; n < from.size(); ++n) {
    const ItemIndex target{Value(to) + static_cast<int>(n)};
    if (std::find(from.begin(), from.end(), target) != from.end()) return true;
  }
  return false;
}

// The one-item commands that the command on the selection stands for.
void RunOneByOne(Twin& t, Prompter& p, Kind kind, Op op, const Choice& c, SetSlot source,
                 bool withCalls) {
  Workspace& ws = t.ws;
  const ItemBuffer whole = ws.edits.Clipboard(kind);
  const auto put = [&](std::size_t item, EditCommand command, ItemIndex at) {
    ws.edits.Clipboard(kind) = whole.Only(item);
    RunEditCommand(ws, p, t.a, kind, command, at);
  };
  switch (op) {
    case kCut:
    case kDelete:
      for (auto i = c.items.rbegin(); i != c.items.rend(); ++i)
        RunEditCommand(ws, p, t.a, kind, op == kCut ? EditCommand::Cut : EditCommand::Delete, *i);
      break;
    case kPaste:
    case kPasteCalls:
      for (std::size_t n = 0; n < whole.Count(); ++n) {
        put(n, op == kPaste ? EditCommand::Paste : EditCommand::PasteWithCalls,
            ItemIndex{Value(c.at) + static_cast<int>(n)});
      }
      break;
    case kInsert:
      for (std::size_t n = whole.Count(); n-- > 0;)
        put(n, EditCommand::Insert, c.at);
      break;
    case kDragFrom:
    case kDragInside: {
      const auto from = Draggable(ws, source, kind, c.items);
      if (op == kDragFrom || FactsOf(kind).edit.dragMoves) {
        for (std::size_t n = 0; n < from.size(); ++n) {
          RunDrop(ws, p, kind, source, from[n], t.a, ItemIndex{Value(c.at) + static_cast<int>(n)},
                  withCalls);
        }
        break;
      }
      // Each before the one that followed the item moved before it.
      std::vector<int> now;
      for (const ItemIndex i : from)
        now.push_back(Value(i));
      int landed = 0;
      for (std::size_t n = 0; n < now.size(); ++n) {
        const int at = now[n];
        const int before = n == 0 ? Value(c.at) : landed + 1;
        const bool done = RunDrop(ws, p, kind, t.a, ItemIndex{at}, t.a, ItemIndex{before}).done;
        landed = done ? (before > at ? before - 1 : before) : at;
        for (std::size_t m = n + 1; m < now.size(); ++m) {
          if (now[m] > at && now[m] <= landed) --now[m];
          if (now[m] < at && now[m] >= landed) ++now[m];
        }
      }
      break;
    }
    default:
      break;
  }
}

EditOutcome RunOnSelection(Twin& t, Prompter& p, Kind kind, Op op, const Choice& c, SetSlot source,
                           bool withCalls) {
  switch (op) {
    case kCut:
      return RunSelectionCommand(t.ws, p, t.a, kind, EditCommand::Cut, c.items, c.items[0]);
    case kDelete:
      return RunSelectionCommand(t.ws, p, t.a, kind, EditCommand::Delete, c.items, c.items[0]);
    case kPaste:
      return RunSelectionCommand(t.ws, p, t.a, kind, EditCommand::Paste, {}, c.at);
    case kPasteCalls:
      return RunSelectionCommand(t.ws, p, t.a, kind, EditCommand::PasteWithCalls, {}, c.at);
    case kInsert:
      return RunSelectionCommand(t.ws, p, t.a, kind, EditCommand::Insert, {}, c.at);
    default:
      return RunSelectionDrop(t.ws, p, kind, source, c.items, t.a, c.at, withCalls);
  }
}

TEST(SelectionProperty, SeveralItemsAreTheOneItemCommandsWithTheSameAnswersAndOneUndo) {
  int compared = 0;
  int undone = 0;
  int refused = 0;
  for (std::uint32_t seed = 1; seed <= 70; ++seed) {
    build::Rng rng(seed * 7919);
    Twin several(seed);
    Twin single(seed);
    for (int round = 0; round < 6; ++round) {
      const Kind kind = kEditKinds[static_cast<std::size_t>(rng.Below(5))];
      const Op op = static_cast<Op>(rng.Below(kOpCount));
      const Choice c = RandomChoice(rng, kind);
      const bool redirect = rng.Below(2) == 0;
      const Answer callers = rng.Below(2) ? Answer::Yes : Answer::No;
      const Answer calls = rng.Below(2) ? Answer::Yes : Answer::No;
      const bool withCalls = rng.Below(2) == 0;
      const SetSlot source =
          op == kDragInside || (op != kDragFrom && op != kPasteCalls && rng.Below(2)) ? several.a
                                                                                      : several.b;
      SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round) + " " +
                   std::string(KindName(kind)) + " op " + std::to_string(op));
      if (op == kDragInside && FactsOf(kind).edit.dragMoves &&
          Overlaps(Draggable(several.ws, source, kind, c.items), c.at)) {
        continue;  // moves onto their own positions: the order decides, see the edit tests
      }
      const auto copyInto = [&](Twin& t) {
        if (op != kPaste && op != kInsert && op != kPasteCalls) return;
        TopicPrompter quiet(callers, calls, redirect);
        RunSelectionCommand(t.ws, quiet, source, kind, EditCommand::Copy, c.items, c.items[0]);
      };
      copyInto(several);
      copyInto(single);
      const auto before = Images(several.ws, several.a);
      several.ws.sets.Entry(several.a).UndoEnabled = false;
      TopicPrompter onSelection(callers, calls, redirect);
      const EditOutcome outcome =
          RunOnSelection(several, onSelection, kind, op, c, source, withCalls);
      if (onSelection.refused) {
        ++refused;
        ASSERT_FALSE(outcome.done);
        ASSERT_EQ(Images(several.ws, several.a), before);
        // Start the next round from equal workspaces again.
        single.ws.sets.Files(single.a) = several.ws.sets.Files(several.a);
        continue;
      }
      TopicPrompter oneByOne(callers, calls, redirect);
      RunOneByOne(single, oneByOne, kind, op, c, source, withCalls);
      ASSERT_EQ(Images(several.ws, several.a), Images(single.ws, single.a));
      ASSERT_EQ(Images(several.ws, several.b), Images(single.ws, single.b));
      ++compared;
      if (outcome.done && several.ws.sets.Entry(several.a).UndoEnabled) {
        ASSERT_TRUE(
            RunEditCommand(several.ws, onSelection, several.a, kind, EditCommand::Undo, kNoIndex)
                .done);
        ASSERT_EQ(Images(several.ws, several.a), before);
        single.ws.sets.Files(single.a) = several.ws.sets.Files(several.a);
        ++undone;
      }
    }
  }
  EXPECT_GT(compared, 250);
  EXPECT_GT(undone, 100);
  EXPECT_GT(refused, 10);
}

}  // namespace
}  // namespace i40
