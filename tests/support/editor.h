#pragma once

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <span>
#include <string>

#include "edit/edit_engine.h"
#include "format/bsq_record.h"
#include "format/call_table.h"
#include "format/item_numbers.h"
#include "format/item_record.h"
#include "format/positions.h"
#include "host/prompter.h"
#include "host/scripted_prompter.h"
#include "session/workspace.h"
#include "set_builder.h"
#include "support/items.h"
#include "support/workspace_fixture.h"
#include "util/text.h"

namespace i40::test {

// Runs the edit engine the way a Set window does: the Set's slot and the position its
// current cell names, as a plain number (what the tests spell out).
class Editor {
 public:
  Editor(Workspace& ws, Prompter& prompter) : ws_(ws), prompter_(prompter) {}

  bool Run(EditCommand command, Kind kind, SetSlot slot, int index = -1, int bank = 0) {
    return RunEditCommand(ws_, prompter_, slot, kind, command, ItemIndex{index}, BankNo{bank}).done;
  }
  bool Copy(Kind kind, SetSlot slot, int index) {
    return Run(EditCommand::Copy, kind, slot, index);
  }
  bool Cut(Kind kind, SetSlot slot, int index) { return Run(EditCommand::Cut, kind, slot, index); }
  bool Paste(Kind kind, SetSlot slot, int index) {
    return Run(EditCommand::Paste, kind, slot, index);
  }
  bool Delete(Kind kind, SetSlot slot, int index) {
    return Run(EditCommand::Delete, kind, slot, index);
  }
  bool Insert(Kind kind, SetSlot slot, int index) {
    return Run(EditCommand::Insert, kind, slot, index);
  }
  bool LoadOne(Kind kind, SetSlot slot, int index) {
    return Run(EditCommand::PasteFromIStyle, kind, slot, index);
  }
  bool Erase(Kind kind, SetSlot slot, int bank) {
    return Run(EditCommand::EraseBank, kind, slot, -1, bank);
  }
  bool Undo(Kind kind, SetSlot slot) { return Run(EditCommand::Undo, kind, slot); }
  bool Drop(Kind kind, SetSlot fromSlot, int from, SetSlot toSlot, int to) {
    return RunDrop(ws_, prompter_, kind, fromSlot, ItemIndex{from}, toSlot, ItemIndex{to}).done;
  }

 private:
  Workspace& ws_;
  Prompter& prompter_;
};

// What the tests of a Set window's commands start from: a workspace, a prompter answering
// from its queues and the edit engine between them; slot_ is the Set under test.
class WorkspaceTest : public ::testing::Test {
 protected:
  // The names at these positions of the Set under test, without their padding, joined by
  // '|'.
  std::string NamesAt(Kind kind, std::initializer_list<int> positions) const {
    std::string names;
    for (const int i : positions)
      names += "|" +
               TrimSpaces(RecordName(kind, RecordBytes(ws_.sets.Files(slot_), kind, ItemIndex{i})));
    return names.substr(1);
  }

  Workspace ws_;
  ScriptedPrompter prompter_;
  Editor ed_{ws_, prompter_};
  SetSlot slot_ = kNoSet;
};

// The kinds the edit engine moves items of.
inline constexpr std::array<Kind, 5> kEditKinds = {Kind::Arrangement, Kind::Style, Kind::Program,
                                                   Kind::BackingSequence, Kind::KbdSet};

// Writes a name into a record of a kind, padded with blanks to the kind's width.
inline void PutName(std::span<std::uint8_t> record, Kind kind, const std::string& name) {
  const std::size_t width = kind == Kind::BackingSequence ? kBsqNameWidth : kNameWidth;
  for (std::size_t c = 0; c < width; ++c)
    record[c] = static_cast<std::uint8_t>(c < name.size() ? name[c] : ' ');
}

// A random Set whose items have names from a small stock (so that two Sets share some)
// and whose calls point into the user banks, at presets, or nowhere; a quarter of the
// track calls carry bit 7.
inline FileSet CallingSet(std::uint32_t seed) {
  FileSet set = build::RandomSet(seed);
  build::Rng rng(seed + 77);
  const auto name = [&rng] { return "Name " + std::to_string(rng.Below(40)); };
  for (const Kind kind : kEditKinds) {
    if (kind == Kind::KbdSet) continue;
    for (const ItemIndex i : PositionsOf(kind)) {
      test::PutName(RecordBytes(set, kind, i), kind, rng.Below(5) == 0 ? std::string() : name());
    }
  }
  for (const Kind caller : kCallerKinds) {
    for (const ItemIndex i : PositionsOf(caller)) {
      const auto record = RecordBytes(set, caller, i);
      for (const CallField& field : CallFieldsOf(caller)) {
        const int roll = rng.Below(8);
        if (roll == 0) continue;  // the random bytes stay: a call into no bank, or anywhere
        const ItemIndex user{rng.Below(UserItemCount(field.called))};
        const ItemNumber number =
            roll < 6 ? ItemNumberOfUserIndex(field.called, user) : ItemNumber{rng.Below(64)};
        WriteCall(record, field, number);
        if (field.encoding == CallEncoding::TrackCall && rng.Below(4) == 0) {
          record[field.offset + 1] |= 0x80;
        }
      }
    }
  }
  return set;
}

// One random operation of a kind in Set `a`, sometimes with what Set `b` holds: a Cut,
// Delete or move inside `a`, a Paste or Insert of an item of either Set, or a drop from
// `b`. Whether it was done.
inline bool RandomOperation(Editor& ed, build::Rng& rng, Kind kind, SetSlot a, SetSlot b) {
  const int count = PositionCount(kind);
  const int i = rng.Below(count);
  const int j = rng.Below(count);
  const SetSlot from = rng.Below(2) ? a : b;
  switch (rng.Below(6)) {
    case 0:
      return ed.Cut(kind, a, i);
    case 1:
      ed.Copy(kind, from, j);
      return ed.Paste(kind, a, i);
    case 2:
      return ed.Delete(kind, a, i);
    case 3:
      ed.Copy(kind, from, j);
      return ed.Insert(kind, a, i);
    case 4:
      return ed.Drop(kind, a, j, a, i);
    default:
      return ed.Drop(kind, b, j, a, i);
  }
}

}  // namespace i40::test
