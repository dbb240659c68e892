#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calls/callers.h"
#include "calls/item_lookup.h"
#include "details/item_details.h"
#include "dialog_model/dialog_model.h"
#include "edit/edit_engine.h"
#include "format/item_numbers.h"
#include "format/positions.h"
#include "format/style_blocks.h"
#include "host/scripted_prompter.h"
#include "set_builder.h"
#include "support/editor.h"
#include "support/workspace_fixture.h"

namespace i40 {
namespace {

constexpr std::array<Kind, 4> kDialogKinds = {Kind::Arrangement, Kind::Style, Kind::Program,
                                              Kind::BackingSequence};

// The same for a user position.
ItemRef PositionOfUser(Kind kind, int index) {
  if (kind == Kind::BackingSequence) return {kNoNumber, ItemIndex{index}};
  return {ItemNumberOfUserIndex(kind, ItemIndex{index}), ItemIndex{index}};
}

std::vector<std::uint8_t> Record(const Workspace& ws, SetSlot slot, Kind kind, int index) {
  const auto bytes = RecordBytes(ws.sets.Files(slot), kind, ItemIndex{index});
  return {bytes.begin(), bytes.end()};
}

using Texts = std::vector<std::string>;

// What the named controls show, in order.
Texts Shows(const DialogModel& m, std::initializer_list<const char*> names) {
  Texts shown;
  for (const char* name : names)
    shown.push_back(DialogModel::Shown(*m.Find(name)));
  return shown;
}

// The bits a field may change, byte by byte of the record.
void AllowField(const RecordField& field, std::vector<std::uint8_t>& allowed) {
  switch (field.encoding) {
    case RecordField::Encoding::None:
      return;
    case RecordField::Encoding::Bits:
      allowed.at(field.offset) |= field.mask;
      return;
    default:
      for (std::size_t i = 0; i < field.width; ++i)
        allowed.at(field.offset + i) = 0xFF;
  }
}

class ItemDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws_.settings.WarnDupl = false;
    ws_.presets.arrangements[0] = {"Preset Arr      ", 4, 65};
    ws_.presets.styles[0] = {"Preset Style    ", 2, 0};
    ws_.presets.programsAB[0] = {"Preset Program  ", 9, 0};
    slot_ = test::AddSet(ws_, build::DemoSet(), "DEMO");
  }

  DialogModel Open(Kind kind, int position) {
    auto m = OpenItemDialog(ws_, slot_, kind, test::ItemAt(kind, position));
    EXPECT_TRUE(m.has_value());
    return std::move(*m);
  }
  std::vector<std::uint8_t> Record(Kind kind, int index) const {
    return i40::Record(ws_, slot_, kind, index);
  }
  bool Modified() const { return ws_.sets.Entry(slot_).AnyModified(); }

  Workspace ws_;
  ScriptedPrompter prompter_;
  test::Editor ed_{ws_, prompter_};
  SetSlot slot_ = kNoSet;
};

// Changes a control, or a line of a list, to something it does not show now. False when
// it takes nothing (disabled, read-only, a button).
bool ChangeControl(DialogModel& m, const DialogControl& c, int line, ScriptedPrompter& prompter) {
  const std::string& name = c.name;
  switch (c.type) {
    case ControlType::Text:
      if (c.field.encoding == RecordField::Encoding::Text)
        return m.SetText(name, c.text.starts_with("Renamed") ? "Other" : "Renamed") ==
               ControlRefusal::None;
      return m.SetText(name, c.text == "7" ? "2" : "7") == ControlRefusal::None;
    case ControlType::Number:
      return m.SetText(name, std::to_string(c.value == c.minimum ? c.maximum : c.minimum)) ==
             ControlRefusal::None;
    case ControlType::Combo:
      return m.Choose(name, (c.value + 1) % static_cast<int>(c.entries.size())) ==
             ControlRefusal::None;
    case ControlType::Check:
      return m.SetCheck(name, c.value == 0) == ControlRefusal::None;
    case ControlType::Picker:
    case ControlType::List: {
      if (!c.PicksItems() || !c.enabled) return false;
      const int now = line < 0 ? c.value : c.lines.at(static_cast<std::size_t>(line)).number;
      const int first = Value(NumberAt(c.pickKind, {BankNo{0}, 1}));
      prompter.QueuePick(ItemNumber{now == first ? first + 1 : first});
      return m.Activate(name, line, prompter) == ControlRefusal::None;
    }
    default:
      return false;
  }
}

// Every control of every dialog, changed alone on a Set with random bytes in every field
// the dialogs cannot show: OK writes that control's own bytes or bits and nothing else,
// as one undoable edit, and Undo gives the record back.
TEST(ItemDialogProperty, EachControlWritesOnlyItsOwnBitsAndUndoRestoresThem) {
  int exercised = 0;
  for (std::uint32_t seed = 1; seed <= 3; ++seed) {
    for (const Kind kind : kDialogKinds) {
      Workspace ws;
      ws.settings.WarnDupl = false;
      const SetSlot slot = test::AddSet(ws, build::RandomSet(seed), "RANDOM");
      // The first user item that opens.
      int index = 0;
      while (index < PositionCount(kind) &&
             !OpenItemDialog(ws, slot, kind, PositionOfUser(kind, index)))
        ++index;
      ASSERT_LT(index, PositionCount(kind)) << KindName(kind);
      const auto images = test::Images(ws, slot);
      const auto before = Record(ws, slot, kind, index);

      auto probe = *OpenItemDialog(ws, slot, kind, PositionOfUser(kind, index));
      for (const DialogControl& shown : probe.controls) {
        const int lines = shown.PicksItems() && shown.type == ControlType::List
                              ? static_cast<int>(shown.lines.size())
                              : 0;
        for (int line = lines > 0 ? 0 : -1; line < lines; ++line) {
          auto m = *OpenItemDialog(ws, slot, kind, PositionOfUser(kind, index));
          ScriptedPrompter prompter;
          const DialogControl& c = *m.Find(shown.name);
          if (!ChangeControl(m, c, line, prompter)) continue;
          ++exercised;
          std::vector<std::uint8_t> allowed(before.size(), 0);
          AllowField(line < 0 ? c.field : c.lines.at(static_cast<std::size_t>(line)).field,
                     allowed);
          ASSERT_TRUE(m.Ok(prompter)) << shown.name;
          const auto after = Record(ws, slot, kind, index);
          std::vector<std::uint8_t> outside(before.size());  // changed bits not the field's
          for (std::size_t b = 0; b < before.size(); ++b)
            outside[b] = static_cast<std::uint8_t>((before[b] ^ after[b]) & ~allowed[b]);
          SCOPED_TRACE(std::string(KindName(kind)) + " " + shown.name + "(" + std::to_string(line) +
                       ") seed " + std::to_string(seed));
          EXPECT_EQ(outside, std::vector<std::uint8_t>(before.size()));
          const bool tied = line >= 0 || c.field.encoding != RecordField::Encoding::None;
          EXPECT_EQ(before != after, tied);
          EXPECT_EQ(ws.sets.Entry(slot).Modified[static_cast<std::size_t>(KindIndex(kind))], tied);
          if (!tied) continue;  // else one undoable edit: Undo gives every byte back
          ASSERT_TRUE(RunEditCommand(ws, prompter, slot, kind, EditCommand::Undo, ItemIndex{-1}));
          EXPECT_EQ(test::Images(ws, slot), images) << shown.name;
          ws.sets.Entry(slot).Modified = {};
        }
      }
    }
  }
  EXPECT_GT(exercised, 3 * 55);
}

TEST_F(ItemDialogTest, ArrangementShowsTheStoredValuesAsTheyAre) {
  auto bytes = RecordBytes(ws_.sets.Files(slot_), Kind::Arrangement, ItemIndex{0});
  bytes[22] = 0;     // tempo 30
  bytes[26] = 250;   // transpose -6
  bytes[24] = 60;    // no split key of the list
  bytes[29] = 0xE3;  // channel scan FULL, bits 5-7 set
  bytes[16] = 16;    // no category
  bytes[40] = 0x05;  // DRUMS calls Program 773, bit 7 of the high byte set
  bytes[41] = 0x83;
  const DialogModel m = Open(Kind::Arrangement, 256);
  EXPECT_EQ(Texts({m.title, m.formName}), Texts({"Arrangement C11 in DEMO", "FParArr"}));
  EXPECT_EQ(Shows(m, {"txtNam", "txtTempo", "txtXpose", "cboSplit", "cboCat", "cboChScan",
                      "chkFullKbd", "lblSty"}),
            Texts({"Pop Ballad      ", "30", "-6", "", "", "FULL", "0", "C11 Ballad Style    "}));
  const ListLine& drums = m.Find("lstPrg")->lines.at(0);
  EXPECT_EQ(std::pair(drums.number, drums.text),
            std::pair(773, "DRUMS  F16 " +
                               ItemUserName(ws_.sets.Files(slot_), Kind::Program, ItemIndex{5})));
  EXPECT_EQ(m.Find("lstCalled")->lines.size(), 3u);
  EXPECT_EQ(m.Find("lstCalled")->lines.at(0).text, "BSeq 0");
  Texts switches;
  for (int i = 0; i < 7; ++i)
    switches.push_back(m.Find(ArrayName("chkSw", i))->caption);
  EXPECT_EQ(switches, Texts({"Dynamic Backing", "Bass Inversion", "Chord Hold", "Chord Latch",
                             "Kbd1 Damp Ena.", "Kbd2 Damp Ena.", "Tempo Lock"}));
}

TEST_F(ItemDialogTest, TypedValuesFollowTheRules) {
  DialogModel m = Open(Kind::Arrangement, 256);
  const auto typed = [&](const char* control, const char* text) {
    EXPECT_EQ(m.SetText(control, text), ControlRefusal::None);
    return m.Find(control)->text;
  };
  EXPECT_EQ(typed("txtTempo", "300"), "120");
  EXPECT_EQ(typed("txtTempo", "40"), "40");
  EXPECT_EQ(typed("txtTempo", "240"), "240");
  EXPECT_EQ(typed("txtTempo", "39"), "120");
  EXPECT_EQ(typed("txtTempo", "1a0"), "120");
  EXPECT_EQ(typed("txtXpose", "12"), "0");
  EXPECT_EQ(typed("txtXpose", "-11"), "-11");
  EXPECT_EQ(typed("txtNam", "   A name of twenty-four."), "A name of twenty");
  EXPECT_EQ(typed("txtNam", "Caf\xC3\xA9 au lait"), "Caf? au lait");
  // The up-down keeps to the range, and steps into it from outside.
  m.Find("txtTempo")->value = 30;
  EXPECT_EQ(m.Step("txtTempo", -1), ControlRefusal::None);
  EXPECT_EQ(m.Find("txtTempo")->text, "40");
  EXPECT_EQ(m.Step("txtTempo", 500), ControlRefusal::None);
  EXPECT_EQ(m.Find("txtTempo")->text, "240");
  EXPECT_EQ(m.Step("txtTempo", -200), ControlRefusal::None);

  ASSERT_TRUE(m.Ok(prompter_));
  const auto record = Record(Kind::Arrangement, 0);
  EXPECT_EQ(record[22], 40 - 30);
  EXPECT_EQ(record[26], 245);  // -11
  EXPECT_EQ(std::string(record.begin(), record.begin() + 16), "Caf? au lait    ");

  DialogModel bsq = Open(Kind::BackingSequence, 0);
  EXPECT_EQ(bsq.Find("txtNam")->text, "INTRO");
  EXPECT_EQ(bsq.SetText("txtNam", "  Much too long"), ControlRefusal::None);
  EXPECT_EQ(bsq.Find("txtNam")->text, "  Much too");
}

TEST_F(ItemDialogTest, NothingChangedWritesNothingAndRenamingKeepsWhatTheDialogCannotShow) {
  ws_.settings.WarnDupl = true;  // the demo Set has duplicate names to warn about
  auto bytes = RecordBytes(ws_.sets.Files(slot_), Kind::Arrangement, ItemIndex{0});
  bytes[22] = 5;                                // tempo 35
  bytes[24] = 60;                               // split key outside the list
  ws_.sets.Files(slot_).global.record[17] = 9;  // a curve no list offers
  const auto images = test::Images(ws_, slot_);
  for (const Kind kind : {Kind::Arrangement, Kind::Style, Kind::Program, Kind::BackingSequence,
                          Kind::ArrangementGlobal, Kind::Global}) {
    const bool item = kind != Kind::ArrangementGlobal && kind != Kind::Global;
    DialogModel m = Open(
        kind, item && kind != Kind::BackingSequence ? Value(PositionOfUser(kind, 0).number) : 0);
    // Acting without changing anything: the same text, entry, tick and pick.
    for (const DialogControl& c : std::vector<DialogControl>(m.controls)) {
      if (!c.enabled || c.readOnly) continue;
      // (A number outside the range would be replaced: retyping it is a change.)
      const bool inRange = c.value >= c.minimum && c.value <= c.maximum;
      if (c.type == ControlType::Text || (c.type == ControlType::Number && inRange))
        m.SetText(c.name, c.text);
      if (c.type == ControlType::Combo && !c.shownStandIn) m.Choose(c.name, c.value);
      if (c.type == ControlType::Check) m.SetCheck(c.name, c.value != 0);
      if (c.type == ControlType::Picker) {
        prompter_.QueuePick(ItemNumber{c.value});
        m.Activate(c.name, -1, prompter_);
      }
    }
    ASSERT_TRUE(m.Ok(prompter_)) << KindName(kind);
  }
  EXPECT_EQ(test::Images(ws_, slot_), images);
  EXPECT_FALSE(Modified());
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_FALSE(UndoAvailable(ws_, SetSlot{slot_}));

  DialogModel m = Open(Kind::Arrangement, 256);
  ASSERT_EQ(
      m.SetText("txtNam", ItemUserName(ws_.sets.Files(slot_), Kind::Arrangement, ItemIndex{1})),
      ControlRefusal::None);
  ASSERT_TRUE(m.Ok(prompter_));
  const auto record = Record(Kind::Arrangement, 0);
  EXPECT_EQ(record[22], 5);
  EXPECT_EQ(record[24], 60);
  EXPECT_TRUE(ws_.sets.Entry(slot_).Modified[0]);
  ASSERT_FALSE(prompter_.messages().empty());
  EXPECT_EQ(prompter_.messages().front().text.substr(0, 26), "Arrangement duplicate name");

  // Chosen in, a stand-in is written; a list takes only its own entries.
  DialogModel choose = Open(Kind::Arrangement, 256);
  EXPECT_EQ(choose.Choose("cboSplit", 13), ControlRefusal::NotListed);
  ASSERT_EQ(choose.Choose("cboSplit", 0), ControlRefusal::None);
  ASSERT_TRUE(choose.Ok(prompter_));
  EXPECT_EQ(Record(Kind::Arrangement, 0)[24], 36);
}

TEST_F(ItemDialogTest, EmptySlotsOpenNothingAndPresetsAreReadOnly) {
  EXPECT_FALSE(
      OpenItemDialog(ws_, slot_, Kind::Arrangement, test::ItemAt(Kind::Arrangement, 256 + 40)));
  EXPECT_FALSE(OpenItemDialog(ws_, slot_, Kind::Style, test::ItemAt(Kind::Style, 256 + 15)));
  EXPECT_FALSE(
      OpenItemDialog(ws_, slot_, Kind::BackingSequence, test::ItemAt(Kind::BackingSequence, 5)));
  EXPECT_FALSE(OpenItemDialog(ws_, slot_, Kind::KbdSet, test::ItemAt(Kind::KbdSet, 0)));
  ws_.sets.Files(slot_).styles.slots[1].present = 0;  // absent, though named
  EXPECT_FALSE(OpenItemDialog(ws_, slot_, Kind::Style, test::ItemAt(Kind::Style, 257)));

  const auto images = test::Images(ws_, slot_);
  DialogModel arr = Open(Kind::Arrangement, 0);
  EXPECT_EQ(arr.title, "Arrangement A11 in DEMO");
  EXPECT_EQ(Shows(arr, {"txtNam", "cboCat", "txtTempo"}), Texts({"Preset Arr      ", "Latin", ""}));
  EXPECT_EQ(arr.Find("lblSty")->text.substr(0, 4), "B12 ");
  EXPECT_TRUE(arr.Find("lstCalled")->enabled);
  EXPECT_EQ(arr.SetText("txtNam", "x"), ControlRefusal::Disabled);
  EXPECT_EQ(arr.Choose("cboKick", 1), ControlRefusal::Disabled);
  EXPECT_EQ(arr.SetText("lstCalled", "x"), ControlRefusal::ReadOnly);
  EXPECT_TRUE(arr.Ok(prompter_));

  DialogModel sty = Open(Kind::Style, 0);
  EXPECT_FALSE(sty.Frame("fraEvents")->visible);
  EXPECT_FALSE(sty.Find("lstPrg")->enabled);
  EXPECT_FALSE(sty.Find("cboCat")->enabled);
  EXPECT_TRUE(sty.Ok(prompter_));
  EXPECT_EQ(test::Images(ws_, slot_), images);
  EXPECT_FALSE(Modified());

  DialogModel user = Open(Kind::Style, 256);
  EXPECT_EQ(user.title, "Style C11 in DEMO");
  EXPECT_EQ(user.Find("lblUsed")->text,
            std::to_string(StyleEvents(ws_.sets.Files(slot_).styles, ItemIndex{0})) +
                "  used by this Style");
  EXPECT_EQ(user.Find("lblFree")->text,
            std::to_string(BlockFree(ws_.sets.Files(slot_).styles, ItemIndex{0})) +
                "  free in this Block");
  EXPECT_EQ(user.Find("lstPrg")->lines.at(2).text.substr(0, 9), "BASS   : ");
  // Picking nothing, or the same Program, leaves the line as it was.
  prompter_.QueuePick(ItemNumber{-1});
  user.Activate("lstPrg", 2, prompter_);
  prompter_.QueuePick(ItemNumber{user.Find("lstPrg")->lines[2].number});
  user.Activate("lstPrg", 2, prompter_);
  EXPECT_TRUE(user.Changes().empty());
}

TEST_F(ItemDialogTest, CallAnotherProgramRedirectsAtOnceAndCannotBeUndone) {
  // An undoable edit first: the redirection drops it.
  ASSERT_TRUE(ed_.Delete(Kind::Program, slot_, 63));
  ASSERT_TRUE(UndoAvailable(ws_, SetSlot{slot_}));
  ws_.sets.Entry(slot_).Modified = {};

  DialogModel m = Open(Kind::Program, 768);  // F11, called by C11's Upper1 and others
  EXPECT_EQ(m.title, "Program F11 in DEMO");
  ASSERT_FALSE(m.Find("lstCalled")->lines.empty());
  EXPECT_EQ(m.Find("lstCalled")->lines.front().text, "Arr C11: Upper1 ");
  prompter_.QueuePick(ItemNumber{-1});
  m.Click("cmdReplPrg", prompter_);
  EXPECT_FALSE(m.Find("lstCalled")->lines.empty());
  prompter_.QueuePick(ItemNumber{769});
  EXPECT_EQ(m.Click("cmdReplPrg", prompter_), ControlRefusal::None);
  EXPECT_EQ(prompter_.pickRequests().back().start, ItemNumber{768});
  EXPECT_TRUE(m.Find("lstCalled")->lines.empty());
  // Cancel: the dialog goes, the redirection stays.
  const FileSet& set = ws_.sets.Files(slot_);
  EXPECT_EQ(set.arrangements.records[0].TrackProgram(6), 769);
  EXPECT_TRUE(CallersOf(set, Kind::Program, ItemNumber{768}).empty());
  EXPECT_TRUE(
      ws_.sets.Entry(slot_).Modified[static_cast<std::size_t>(KindIndex(Kind::Arrangement))]);
  EXPECT_FALSE(UndoAvailable(ws_, SetSlot{slot_}));
  EXPECT_EQ(ws_.edits.Undo(Kind::Program).op, UndoOp::None);

  // A preset Program cannot be renamed but its callers can go elsewhere.
  DialogModel preset = Open(Kind::Program, 0);
  EXPECT_FALSE(preset.Find("txtNam")->enabled);
  EXPECT_TRUE(preset.Find("cmdReplPrg")->enabled);
}

TEST_F(ItemDialogTest, NextSequenceMustBeOneOfTheTen) {
  const auto images = test::Images(ws_, slot_);
  DialogModel m = Open(Kind::BackingSequence, 0);
  EXPECT_EQ(m.title, "Backing Sequence 0 in DEMO");
  ASSERT_EQ(m.Find("chkChain")->value, 1);
  for (const char* bad : {"12", "x", "", "-1"}) {
    ASSERT_EQ(m.SetText("txtNxt", bad), ControlRefusal::None);
    EXPECT_FALSE(m.Ok(prompter_)) << bad;
  }
  const Message& refusal = prompter_.messages().back();
  EXPECT_EQ(refusal.text, "Next Backing Sequence must be a number from 0 to 9");
  EXPECT_EQ(refusal.icon, MessageIcon::Exclamation);
  EXPECT_EQ(refusal.buttons, MessageButtons::Ok);
  EXPECT_EQ(test::Images(ws_, slot_), images);

  // Unticking the chain greys the next field and keeps its text.
  ASSERT_EQ(m.SetText("txtNxt", "1"), ControlRefusal::None);  // as it was
  ASSERT_EQ(m.SetCheck("chkChain", false), ControlRefusal::None);
  EXPECT_FALSE(m.Find("txtNxt")->enabled);
  EXPECT_FALSE(m.Find("chkAuto")->enabled);
  EXPECT_EQ(m.Find("txtNxt")->text, "1");
  EXPECT_EQ(m.SetText("txtNxt", "3"), ControlRefusal::Disabled);
}

}  // namespace
}  // namespace i40
