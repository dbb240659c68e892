#include "globals/global_dialogs.h"

#include <array>
#include <string>
#include <utility>

#include "dialog_model/dialog_model.h"
#include "edit/edit_engine.h"
#include "format/arrangement_record.h"
#include "format/vocabulary.h"
#include "sysex/dump.h"

namespace i40 {
namespace {

constexpr std::size_t kSplitKeyOffset = 24;  // in every Arrangement record
constexpr int kLowestSplitKey = 36;          // C2
constexpr int kHighestSplitKey = 96;         // C7
constexpr int kSplitStandIn = 24;            // "C 4", shown while the keys differ
constexpr std::uint8_t kChannelOff = 0xFF;

// The parts that have no channel of their own in the list.
bool IsUnnamedPart(int part) {
  return part == 0 || part == 9 || part == 10 || part == 13;
}

std::vector<std::string> SplitKeyNames() {
  std::vector<std::string> names;
  for (int key = kLowestSplitKey; key <= kHighestSplitKey; ++key)
    names.push_back(std::string(kNoteName[static_cast<std::size_t>(key % 12)]) +
                    std::to_string(key / 12 - 1));
  return names;
}

std::vector<std::string> Numbered(int count) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i)
    names.push_back(std::to_string(i));
  return names;
}

std::string ChannelText(int value) {
  return value == kChannelOff ? "OFF" : std::to_string(value + 1);
}

// The three buttons that close the dialog and then act, on the record as OK leaves it.
void AddClosingButtons(DialogModel& m, Kind kind) {
  const std::array<std::array<const char*, 3>, 3> buttons = {{
      {"cmdSend", "Send to &Korg-i40", "Send data via current MIDI interface"},
      {"cmdSysex2File", "Send SysE&x to File...", ""},
      {"cmdImport", "I&mport", ""},
  }};
  for (const auto& [name, caption, tip] : buttons) {
    DialogControl button = MakeControl(ControlType::Button, name, "fraCmd", caption, {}, tip);
    button.closes = true;
    m.controls.push_back(std::move(button));
  }
  m.afterClose = [kind](DialogModel& model, std::string_view button, Prompter& prompter) {
    Workspace& ws = model.workspace();
    if (button == "cmdSend") {
      SendToInstrument(ws, prompter, model.midiPort, model.slot(), kind, 0);
    } else if (button == "cmdSysex2File") {
      DumpMidi(ws, prompter, nullptr, model.slot(), kind, 0, true);
    } else if (button == "cmdImport") {
      // The dialog opens again on what was imported.
      return RunEditCommand(ws, prompter, model.slot(), kind, EditCommand::Import, ItemIndex{-1})
          .done;
    }
    return false;
  };
}

DialogControl Combo(std::string name, std::string frame, std::string caption,
                    std::vector<std::string> entries, RecordField field = {}) {
  DialogControl c =
      MakeControl(ControlType::Combo, std::move(name), std::move(frame), std::move(caption), field);
  c.entries = std::move(entries);
  return c;
}

}  // namespace

std::optional<DialogModel> ArrangementGlobalDialog(Workspace& ws, SetSlot slot) {
  FileSet& set = ws.sets.Files(slot);
  const std::span<const std::uint8_t> record(set.arrangementGlobal.record);
  DialogModel m(ws, slot, Kind::ArrangementGlobal, ItemIndex{0}, true);
  m.formName = "FParArg";
  m.title = "Arrangement Global in " + ws.sets.Entry(slot).Name;
  m.frames = {{"fraMidi", "MIDI Channels"},      {"fraSplit", ""},
              {"fraRecog", "Chord Recognition"}, {"fraChord", ""},
              {"fraVelo", "Velocity", false},    {"fraChSnd", "Chord Sound", false},
              {"fraSynch", "Synchro", false},    {"fraCmd", ""}};

  // One line a part. The Upper1 and L/Upp2 channels share byte 1, one in each half.
  DialogControl channels =
      MakeControl(ControlType::List, "lstMidi", "fraMidi", "", {}, "Double Click to change");
  channels.choosesFromList = true;
  m.lineText = [](const DialogModel&, int part, int value) {
    if (IsUnnamedPart(part)) return std::string();
    return std::string(kMidiChannelUseName[static_cast<std::size_t>(part)]) + ": " +
           ChannelText(value);
  };
  for (int part = 0; part < 16; ++part) {
    ListLine line;
    line.field = part == 1   ? RecordField::Bits(1, 0xF0)
                 : part == 2 ? RecordField::Bits(1, 0x0F)
                             : RecordField::Bits(static_cast<std::size_t>(part));
    line.number = line.field.Read(record);
    line.text = m.lineText(m, part, line.number);
    channels.lines.push_back(std::move(line));
  }
  m.controls.push_back(std::move(channels));
  // "OFF" for the parts that may be silent, and wherever the channel is off already.
  m.lineChoice = [](const DialogModel& model, int part) -> std::optional<ListChoice> {
    if (IsUnnamedPart(part)) return std::nullopt;
    const int value = model.Find("lstMidi")->lines.at(static_cast<std::size_t>(part)).number;
    ListChoice choice{
        "MIDI Channel Selection", "MIDI Channel", Numbered(16), 0, "FInMidCh", "cboMidCh"};
    if ((part > 10 && part < 15) || value == kChannelOff) choice.items.push_back("OFF");
    choice.selected = value == kChannelOff ? 16 : (value >= 0 && value < 16 ? value : 0);
    return choice;
  };
  m.choiceValue = [](const DialogModel&, int, int entry) { return entry == 16 ? 0xFF : entry; };

  // The split key of all 64 Arrangements: shown greyed on "C 4" while they differ.
  DialogControl split = Combo("cboSplit", "fraSplit", "Set All Split Keys", SplitKeyNames());
  const int first = set.arrangements.records[0].bytes[kSplitKeyOffset];
  bool same = first >= kLowestSplitKey && first <= kHighestSplitKey;
  for (const ArrangementRecord& r : set.arrangements.records)
    same = same && r.bytes[kSplitKeyOffset] == first;
  split.value = same ? first - kLowestSplitKey : kSplitStandIn;
  split.shownStandIn = split.greyedStandIn = !same;
  m.controls.push_back(std::move(split));
  m.afterOk = [](DialogModel& model, Prompter& prompter) {
    const DialogControl& keys = *model.Find("cboSplit");
    if (!keys.Changed()) return;
    const BytePatch key{kSplitKeyOffset, 0xFF,
                        static_cast<std::uint8_t>(keys.value + kLowestSplitKey)};
    ApplyToEveryRecord(model.workspace(), prompter, model.slot(), Kind::Arrangement,
                       std::span(&key, 1));
  };

  DialogControl recognition =
      MakeControl(ControlType::Options, "optRecog", "fraRecog", "",
                  RecordField::Bits(ArrangementGlobalData::kRecognitionOffset));
  recognition.entries = {"One Finger", "Normal", "Easy"};
  m.controls.push_back(std::move(recognition));
  m.controls.push_back(
      MakeControl(ControlType::Check, "chkSndMem", "fraChord", "Auto Chord Scan",
                  RecordField::Bits(ArrangementGlobalData::kAutoChordScanOffset, 0x01)));
  m.controls.push_back(
      MakeControl(ControlType::Check, "chkChMem", "fraChord", "Chord Memory",
                  RecordField::Bits(ArrangementGlobalData::kChordMemoryOffset, 0x01)));
  AddClosingButtons(m, Kind::ArrangementGlobal);
  for (DialogControl& control : m.controls)
    m.Fill(control, record);
  m.MarkOpened();
  return m;
}

std::optional<DialogModel> GlobalDialog(Workspace& ws, SetSlot slot) {
  const std::span<const std::uint8_t> record(ws.sets.Files(slot).global.record);
  DialogModel m(ws, slot, Kind::Global, ItemIndex{0}, true);
  m.formName = "FParGbl";
  m.title = "Global in " + ws.sets.Entry(slot).Name;
  m.frames = {{"fraPedals", "Pedals"}, {"fraEC5", "EC5"}, {"fraCurv", "Curves"}, {"fraCmd", ""}};

  const std::vector<std::string> functions = Entries(kPedalFunctionName);
  const std::vector<std::string> ec5Functions(functions.begin(), functions.begin() + 45);
  m.controls.push_back(Combo("cboDmpr", "fraPedals", "Damper Sw Polarity",
                             {"KORG (\xE2\x80\x93)", "REVERSE (+)"},
                             RecordField::Bits(GlobalData::kDamperPolarityOffset)));
  for (int pedal = 0; pedal < 2; ++pedal) {
    m.controls.push_back(
        Combo(ArrayName("cboPeds", 5 + pedal), "fraPedals",
              "Assignable Pedal " + std::to_string(pedal + 1), functions,
              RecordField::Bits(GlobalData::kPedal1Offset + static_cast<std::size_t>(pedal))));
  }
  for (int sw = 0; sw < 2; ++sw) {
    DialogControl hidden = Combo(ArrayName("cboPeds", 7 + sw), "fraPedals",
                                 "Switch " + std::to_string(sw + 1), functions);
    hidden.visible = false;
    m.controls.push_back(std::move(hidden));
  }
  for (int sw = 0; sw < 5; ++sw) {
    m.controls.push_back(
        Combo(ArrayName("cboPeds", sw), "fraEC5",
              std::string("EC5 Pedal Switch ") + static_cast<char>('A' + sw), ec5Functions,
              RecordField::Bits(GlobalData::kEc5SwitchesOffset + static_cast<std::size_t>(sw))));
  }
  m.controls.push_back(Combo(ArrayName("cboCurv", 0), "fraCurv", "Velocity Curve", Numbered(8),
                             RecordField::Bits(GlobalData::kVelocityCurveOffset)));
  m.controls.push_back(Combo(ArrayName("cboCurv", 1), "fraCurv", "Aftertouch Curve", Numbered(8),
                             RecordField::Bits(GlobalData::kAftertouchCurveOffset)));
  AddClosingButtons(m, Kind::Global);
  // A value outside a list shows its first entry, and stays as stored unless chosen in.
  for (DialogControl& control : m.controls) {
    control.standInEntry = control.type == ControlType::Combo ? 0 : -1;
    m.Fill(control, record);
  }
  m.MarkOpened();
  return m;
}

}  // namespace i40
