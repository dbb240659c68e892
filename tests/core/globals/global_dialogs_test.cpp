// The Arrangement Global and Global dialogs: each control written back to the bits it was
// read from and only when changed, the split key of every Arrangement as one undoable
// edit, and the buttons that close the dialog before they act.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "details/item_details.h"
#include "dialog_model/dialog_model.h"
#include "edit/edit_engine.h"
#include "format/component_io.h"
#include "host/scripted_prompter.h"
#include "set_builder.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "sysex/dump.h"

namespace i40 {
namespace {

using Texts = std::vector<std::string>;

class GlobalDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws_.settings.WarnDupl = false;
    slot_ = test::AddSet(ws_, build::RandomSet(7), "RANDOM");
  }

  DialogModel Open(Kind kind) { return *OpenItemDialog(ws_, slot_, kind, {}); }
  FileSet& Set() { return ws_.sets.Files(slot_); }
  std::vector<std::uint8_t> ArgRecord() {
    return {Set().arrangementGlobal.record.begin(), Set().arrangementGlobal.record.end()};
  }
  std::vector<std::uint8_t> GblRecord() {
    return {Set().global.record.begin(), Set().global.record.end()};
  }
  std::string Line(const DialogModel& m, int part) {
    return m.Find("lstMidi")->lines.at(static_cast<std::size_t>(part)).text;
  }
  bool Modified(Kind kind) {
    return ws_.sets.Entry(slot_).Modified[static_cast<std::size_t>(KindIndex(kind))];
  }

  Workspace ws_;
  ScriptedPrompter prompter_;
  SetSlot slot_ = kNoSet;
};

TEST_F(GlobalDialogsTest, ChannelsShowAsStoredAndOffWhereverTheByteSaysSo) {
  auto& r = Set().arrangementGlobal.record;
  r[1] = 0x3A;  // Upper1 channel 4, L/Upp2 channel 11
  r[5] = 0xFF;
  r[11] = 0xFF;
  r[12] = 40;  // no channel the list offers
  DialogModel m = Open(Kind::ArrangementGlobal);
  EXPECT_EQ(m.title, "Arrangement Global in RANDOM");
  EXPECT_EQ(Texts({Line(m, 1), Line(m, 2), Line(m, 5), Line(m, 11), Line(m, 12),
                   Line(m, 0) + Line(m, 9) + Line(m, 10) + Line(m, 13)}),  // no name
            Texts({"Upper1: 4", "L/Upp2: 11", "Bass  : OFF", "Chord1: OFF", "Chord2: 41", ""}));

  // "OFF" is offered to the parts that may be silent and wherever a channel is off.
  const auto offered = [&](int part) {
    const auto choice = m.lineChoice(m, part);
    return choice ? static_cast<int>(choice->items.size()) : 0;
  };
  EXPECT_EQ(
      std::vector({offered(3), offered(5), offered(11), offered(14), offered(15), offered(9)}),
      std::vector({16, 17, 17, 17, 16, 0}));
  const auto choice = *m.lineChoice(m, 11);
  EXPECT_EQ(std::tuple(choice.caption, choice.label, choice.items.back(), choice.selected),
            std::tuple("MIDI Channel Selection", "MIDI Channel", "OFF", 16));
}

// Every control changed alone writes its own byte or bits, and nothing else; Cancel and
// an OK with nothing changed write nothing at all.
TEST_F(GlobalDialogsTest, EachControlWritesOnlyItsOwnBits) {
  for (const Kind kind : {Kind::ArrangementGlobal, Kind::Global}) {
    const auto record = [&] { return kind == Kind::Global ? GblRecord() : ArgRecord(); };
    int exercised = 0;
    for (const DialogControl& shown : Open(kind).controls) {
      const int lines = shown.choosesFromList ? static_cast<int>(shown.lines.size()) : 0;
      for (int line = lines > 0 ? 0 : -1; line < lines; ++line) {
        DialogModel m = Open(kind);
        const DialogControl& c = *m.Find(shown.name);
        RecordField field = c.field;
        if (line >= 0) {
          const auto choice = m.lineChoice(m, line);
          if (!choice) continue;
          prompter_.QueueChoice((choice->selected + 1) % 16);
          ASSERT_EQ(m.Activate(c.name, line, prompter_), ControlRefusal::None);
          field = c.lines[static_cast<std::size_t>(line)].field;
        } else if (c.type == ControlType::Combo || c.type == ControlType::Options) {
          if (!c.visible || c.field.encoding == RecordField::Encoding::None) continue;
          ASSERT_EQ(m.Choose(c.name, (c.value + 1) % static_cast<int>(c.entries.size())),
                    ControlRefusal::None);
        } else if (c.type == ControlType::Check) {
          ASSERT_EQ(m.SetCheck(c.name, c.value == 0), ControlRefusal::None);
        } else {
          continue;
        }
        const auto before = record();
        ASSERT_TRUE(m.Ok(prompter_));
        const auto after = record();
        for (std::size_t b = 0; b < before.size(); ++b) {
          const std::uint8_t allowed = b == field.offset ? field.mask : 0;
          EXPECT_EQ((before[b] ^ after[b]) & ~allowed, 0) << shown.name << line << " byte " << b;
        }
        EXPECT_NE(before, after) << shown.name << line;
        ++exercised;
      }
    }
    EXPECT_GT(exercised, kind == Kind::Global ? 9 : 14);
  }
}

TEST_F(GlobalDialogsTest, AllSplitKeysAreOneUndoableArrangementEdit) {
  auto& arrangements = Set().arrangements.records;
  for (auto& r : arrangements)
    r.bytes[24] = 60;
  arrangements[9].bytes[24] = 62;
  const auto images = test::Images(ws_, slot_);
  DialogModel m = Open(Kind::ArrangementGlobal);
  const DialogControl& split = *m.Find("cboSplit");
  EXPECT_EQ(DialogModel::Shown(split), "C 4");
  EXPECT_TRUE(split.greyedStandIn && split.shownStandIn);
  EXPECT_EQ(split.entries.size(), 61u);
  EXPECT_EQ(split.entries.back(), "C 7");
  ASSERT_EQ(m.Choose("cboSplit", 19), ControlRefusal::None);  // "G 3"
  ASSERT_TRUE(m.Ok(prompter_));
  for (std::size_t i = 0; i < arrangements.size(); ++i)
    EXPECT_EQ(arrangements[i].bytes[24], 55) << i;
  EXPECT_EQ(std::pair(Modified(Kind::Arrangement), Modified(Kind::ArrangementGlobal)),
            std::pair(true, false));
  ASSERT_TRUE(RunEditCommand(ws_, prompter_, SetSlot{slot_}, Kind::Arrangement, EditCommand::Undo,
                             ItemIndex{-1}));
  EXPECT_EQ(test::Images(ws_, slot_), images);

  for (auto& r : arrangements)
    r.bytes[24] = 55;
  EXPECT_EQ(DialogModel::Shown(*Open(Kind::ArrangementGlobal).Find("cboSplit")), "G 3");
}

TEST_F(GlobalDialogsTest, GlobalListsAndTheirStandIns) {
  auto& r = Set().global.record;
  r[224] = 0;
  r[225] = 1;
  r[226] = 45;  // outside the EC5 list
  r[3] = 45;    // an assignable pedal has two more
  r[18] = 9;
  DialogModel m = Open(Kind::Global);
  EXPECT_EQ(m.title, "Global in RANDOM");
  Texts shown;
  for (const char* name : {"cboPeds(0)", "cboPeds(1)", "cboPeds(2)", "cboPeds(5)", "cboCurv(1)"})
    shown.push_back(DialogModel::Shown(*m.Find(name)));
  EXPECT_EQ(shown, Texts({"OFF", "START/STOP", "OFF", "DAMPER", "1"}));
  EXPECT_EQ(m.Find("cboPeds(0)")->entries.size(), 45u);
  EXPECT_EQ(m.Find("cboPeds(6)")->entries.size(), 47u);
  EXPECT_FALSE(m.Find("cboPeds(7)")->visible);
  EXPECT_EQ(m.Find("cboDmpr")->entries[0], "KORG (\xE2\x80\x93)");
}

TEST_F(GlobalDialogsTest, ButtonsCloseTheDialogWriteWhatChangedAndThenAct) {
  test::TempDir dir;
  // SysEx to file without a change: the dump of the Set as it is, nothing marked.
  DialogModel m = Open(Kind::Global);
  ASSERT_EQ(m.Click("cmdSysex2File", prompter_), ControlRefusal::None);
  EXPECT_EQ(m.closedBy(), "cmdSysex2File");
  prompter_.QueueFile(dir / "GBL.SYX");
  EXPECT_FALSE(m.Finish(prompter_));
  EXPECT_EQ(test::ReadFile(dir / "GBL.SYX"), *DumpMessage(ws_.sysExHeader, Set(), Kind::Global, 0));
  EXPECT_FALSE(Modified(Kind::Global));

  // Send after a change: the change is written, then the setup finds no device.
  DialogModel send = Open(Kind::ArrangementGlobal);
  send.SetCheck("chkChMem", Set().arrangementGlobal.record[38] % 2 == 0);
  send.Click("cmdSend", prompter_);
  EXPECT_FALSE(send.Finish(prompter_));
  EXPECT_EQ(prompter_.texts().back(), "No MIDI driver is present");
  EXPECT_TRUE(Modified(Kind::ArrangementGlobal));

  // Import: the dialog opens again.
  test::WriteFile(dir / "OTHER.ARG",
                  WriteComponentBytes(Kind::ArrangementGlobal, build::TemplateSet()));
  DialogModel import = Open(Kind::ArrangementGlobal);
  import.Click("cmdImport", prompter_);
  prompter_.QueueFile(dir / "OTHER.ARG");
  EXPECT_TRUE(import.Finish(prompter_));
  EXPECT_EQ(Set().arrangementGlobal.record, build::TemplateSet().arrangementGlobal.record);
}

}  // namespace
}  // namespace i40
