#include "arrangements/arrangement_dialog.h"

#include <string>
#include <utility>
#include <vector>

#include "calls/callers.h"
#include "calls/item_lookup.h"
#include "dialog_model/dialog_model.h"
#include "format/arrangement_record.h"
#include "format/item_numbers.h"
#include "format/positions.h"
#include "format/vocabulary.h"
#include "util/text.h"

namespace i40 {
namespace {

constexpr std::array<std::string_view, 13> kSplitKeys = {
    "C2", "C#2", "D2", "D#2", "E2", "F2", "F#2", "G2", "G#2", "A2", "A#2", "B2", "C3"};
constexpr int kLowestSplitKey = 36;
constexpr std::array<std::string_view, 10> kEnsembles = {
    "Duet",       "Close",   "Open 1", "Open 2",     "Octave",
    "Power Ens.", "Fourths", "Block",  "Brass Ens.", "Reed Ens."};
constexpr std::array<std::string_view, 8> kStartVariations = {
    "VAR 1", "VAR 2", "VAR 3", "VAR 4", "INTRO 1", "INTRO 2", "FILL 1", "FILL 2"};
constexpr std::array<std::string_view, 4> kVariations = {"VAR 1", "VAR 2", "VAR 3", "VAR 4"};
constexpr std::array<std::string_view, 13> kFillVariations = {
    "OFF",   "=>1",   "=>2",   "=>3",   "=>4", "1<=>2", "1<=>3",
    "1<=>4", "2<=>3", "2<=>4", "3<=>4", "UP",  "DOWN"};
constexpr std::array<std::string_view, 8> kDrumMaps = {"1", "2", "3", "4", "5", "6", "7", "8"};
constexpr std::array<std::string_view, 4> kDesignations = {"A", "B", "C", "D"};

// The switches in the order of the check boxes, each with its bit.
struct Switch {
  const char* caption;
  const char* frame;
  std::size_t offset;
  std::uint8_t mask;
};
constexpr std::array<Switch, 7> kSwitches = {{
    {"Dynamic Backing", "fraSw1", 28, 0x01},
    {"Bass Inversion", "fraSw1", 29, 0x04},
    {"Chord Hold", "fraSw1", 29, 0x08},
    {"Chord Latch", "fraSw1", 29, 0x10},
    {"Kbd1 Damp Ena.", "fraSw2", 28, 0x04},
    {"Kbd2 Damp Ena.", "fraSw2", 28, 0x08},
    {"Tempo Lock", "fraSw2", 28, 0x02},
}};

// The parameters of the record; a preset's are not known, and shown empty and greyed.
void AddParameters(DialogModel& m) {
  using RF = RecordField;
  auto combo = [&](const char* name, const char* frame, const char* caption,
                   std::vector<std::string> entries, RF field) {
    DialogControl c = MakeControl(ControlType::Combo, name, frame, caption, field);
    c.entries = std::move(entries);
    m.controls.push_back(std::move(c));
  };
  auto number = [&](const char* name, const char* frame, const char* caption, RF field, int minimum,
                    int maximum, int standIn) {
    DialogControl c = MakeControl(ControlType::Number, name, frame, caption, field);
    c.minimum = minimum;
    c.maximum = maximum;
    c.standIn = standIn;
    m.controls.push_back(std::move(c));
  };
  number("txtTempo", "fraTempo", "Tempo", RF::Bits(22, 0xFF, -30), 40, 240, 120);
  combo("cboEnsemble", "fraTempo", "Ensemble", Entries(kEnsembles), RF::Bits(25));
  m.controls.push_back(MakeControl(ControlType::Check, "chkFullKbd", "fraKbd", "Full KBD Play"));
  combo("cboKbdAss", "fraKbd", "Kbd Ass", Entries(kKbdModeName), RF::Bits(23));
  number("txtXpose", "fraKbd", "Transpose", RF::SignedByte(26), -11, 11, 0);
  combo("cboSplit", "fraKbd", "Split Key", Entries(kSplitKeys),
        RF::Bits(24, 0xFF, kLowestSplitKey));
  m.controls.back().keyValue = true;
  combo("cboChScan", "fraKbd", "Ch. Scan", Entries(kLevelName), RF::Bits(29, 0x03));
  for (std::size_t i = 0; i < kSwitches.size(); ++i) {
    const Switch& s = kSwitches[i];
    m.controls.push_back(MakeControl(ControlType::Check, ArrayName("chkSw", static_cast<int>(i)),
                                     s.frame, s.caption, RF::Bits(s.offset, s.mask)));
  }
  for (int v = 0; v < 4; ++v) {
    combo(ArrayName("cboDrMap", v).c_str(), "fraDrMap", ("Var." + std::to_string(v + 1)).c_str(),
          Entries(kDrumMaps), RF::Bits(30 + static_cast<std::size_t>(v)));
  }
  combo("cboKick", "fraDrMap", "Kick designation", Entries(kDesignations), RF::Bits(34));
  combo("cboSnare", "fraDrMap", "Snare designation", Entries(kDesignations), RF::Bits(35));
  combo("cboVarStart", "fraIniVar", "Start", Entries(kStartVariations), RF::Bits(20));
  combo("cboVarThen", "fraIniVar", "Next", Entries(kVariations), RF{});
  combo(ArrayName("cboFillVar", 0).c_str(), "fraVarChge", "After Fill 1", Entries(kFillVariations),
        RF::Bits(38));
  combo(ArrayName("cboFillVar", 1).c_str(), "fraVarChge", "After Fill 2", Entries(kFillVariations),
        RF::Bits(39));
}

}  // namespace

std::optional<DialogModel> ArrangementDialog(Workspace& ws, SetSlot slot, ItemNumber number) {
  FileSet& set = ws.sets.Files(slot);
  const ItemSources from{ws.presets, set};
  const std::string name = ItemName(from, Kind::Arrangement, number);
  if (name.empty() || name == kEmptyName) return std::nullopt;
  const ItemIndex user = ItemUserIndex(Kind::Arrangement, number);

  DialogModel m(ws, slot, Kind::Arrangement, user, user != kNoIndex);
  m.formName = "FParArr";
  m.title = "Arrangement " + ItemNumberLabel(Kind::Arrangement, number) + " in " +
            ws.sets.Entry(slot).Name;
  m.frames = {{"fraArr", "Arrangement"},
              {"fraLinks", "Links"},
              {"fraTempo", ""},
              {"fraKbd", "Keyboard"},
              {"fraSw1", ""},
              {"fraSw2", ""},
              {"fraDrMap", "Default Drum Maps"},
              {"fraIniVar", "Initial Variation"},
              {"fraVarChge", "Variation Change"}};

  const bool preset = user == kNoIndex;
  const std::span<const std::uint8_t> record =
      preset ? std::span<const std::uint8_t>()
             : RecordBytes(std::as_const(set), Kind::Arrangement, user);
  AddNameAndCategory(m, "fraArr", Entries(kArrCategoryName), record, name,
                     ItemCategory(from, Kind::Arrangement, number));
  m.controls.push_back(
      MakeCallPicker(m, Kind::Style, "lblSty", "fraLinks", "Style called", record));
  DialogControl programs = MakeControl(ControlType::List, "lstPrg", "fraLinks", "Programs called",
                                       {}, "DoubleClick to Edit");
  // The track names are padded to line the Programs up: no separator between.
  FillProgramLines(m, programs, "", record);
  m.controls.push_back(std::move(programs));
  AddCallers(m, "fraLinks", "Arrangement called by", "Items that call this Arrangement",
             CallerTexts(set, Kind::Arrangement, number));
  AddParameters(m);
  if (!preset) {
    for (DialogControl& control : m.controls)
      m.Fill(control, record);
  } else {
    // A preset: the preset list knows its name, category and Style, and nothing of it
    // can be stored in the Set.
    for (DialogControl& control : m.controls)
      control.enabled = control.readOnly;
    DialogControl& style = *m.Find("lblSty");
    const ItemNumber presetStyle = PresetArrangementStyle(ws.presets, number);
    style.value = Value(presetStyle);
    style.text = m.ItemLine(Kind::Style, presetStyle);
  }
  m.MarkOpened();
  return m;
}

}  // namespace i40
