#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "edit/edit_engine.h"
#include "format/kinds.h"
#include "host/midi_port.h"
#include "host/prompter.h"
#include "session/workspace.h"

// The parameter dialogs of the items, without widgets: what each control shows, the
// rules for what is typed into it, and on OK the bytes the user changed, written through
// the edit engine. The desktop binds widgets to a model by the controls' names; the
// command line drives the same model.
namespace i40 {

// Where a control's value is kept in the item's record, and how it is encoded.
struct RecordField {
  enum class Encoding { None, Text, Bits, U16, TrackCall };

  Encoding encoding = Encoding::None;
  std::size_t offset = 0;
  std::size_t width = 0;     // Text: the characters the record holds
  std::uint8_t mask = 0xFF;  // Bits: the bits of the byte that hold the value
  int bias = 0;              // Bits: stored = shown + bias (tempo -30, split key +36)
  bool isSigned = false;     // Bits: a whole byte read as two's complement

  static RecordField Text(std::size_t offset, std::size_t width) {
    return {Encoding::Text, offset, width, 0xFF, 0, false};
  }
  static RecordField Bits(std::size_t offset, std::uint8_t mask = 0xFF, int bias = 0) {
    return {Encoding::Bits, offset, 1, mask, bias, false};
  }
  static RecordField SignedByte(std::size_t offset) {
    return {Encoding::Bits, offset, 1, 0xFF, 0, true};
  }
  static RecordField U16(std::size_t offset) { return {Encoding::U16, offset, 2, 0xFF, 0, false}; }
  static RecordField TrackCall(std::size_t offset) {
    return {Encoding::TrackCall, offset, 2, 0xFF, 0, false};
  }

  // The value as the dialog shows it (a number; the text of a Text field is read apart).
  int Read(std::span<const std::uint8_t> record) const;
};

enum class ControlType {
  Text,     // a text box
  Number,   // a text box with an up-down control and a range: outside it, a stand-in
  Combo,    // a drop-down list
  Check,    // a check box
  Picker,   // a label that a double click turns into a picker
  List,     // a list box; its lines may open a picker
  Label,    // text only
  Button,   // a push button
  Options,  // a group of option buttons: the value is the index of the one set
};

// One line of a list: a Program call of a track, or a caller.
struct ListLine {
  std::string text;
  int number = -1;
  RecordField field;
  int initialNumber = -1;
  bool acted = false;
};

struct DialogControl {
  std::string name;  // the object name: "txtNam", "chkSw(3)", "cboDrMap(0)"
  ControlType type = ControlType::Label;
  std::string frame;    // the name of the frame that holds it
  std::string caption;  // the label beside it, the text of a check box or button
  std::string tip;
  std::vector<std::string> entries;  // a Combo's list, the captions of Options
  RecordField field;                 // where its value is written back; None: nowhere

  // What it shows: a Text, Number, Label or Picker its text; a Combo its entry (-1:
  // none); a Check 0 or 1; a Picker the number it stands for; a List its lines.
  std::string text;
  int value = -1;
  std::vector<ListLine> lines;
  Kind pickKind = Kind::Program;  // what a Picker, or a line of a List, opens a picker on
  std::size_t textLimit = 0;      // a name box keeps this many characters (0: no limit)
  bool trimLeading = false;       // a name box drops leading blanks as they are typed
  int minimum = 0;                // a Number's range and what stands in outside it
  int maximum = 0;
  int standIn = 0;
  int standInEntry = -1;         // what a Combo shows for a value outside its list
  bool greyedStandIn = false;    // shown greyed until chosen in (the split key of them all)
  bool choosesFromList = false;  // a List whose lines open a list choice, not a picker
  bool closes = false;           // a Button that closes the dialog before it acts
  bool keyValue = false;         // its value is a MIDI key (a split key): named as a note

  bool enabled = true;
  bool visible = true;
  bool readOnly = false;  // shown, never edited (the callers lists, the event counts)

  // Change tracking: what it showed when the dialog opened, and whether the user acted
  // on it. A value outside a list shows as no entry; any choice then counts.
  std::string initialText;
  int initialValue = -1;
  bool acted = false;
  bool shownStandIn = false;

  bool Changed() const;
  bool PicksItems() const {
    return type == ControlType::Picker || (type == ControlType::List && !readOnly);
  }
};

struct DialogFrame {
  std::string name;
  std::string caption;
  bool visible = true;
};

// Why a control did not take what it was given.
enum class ControlRefusal { None, Unknown, Disabled, ReadOnly, NotListed, NotThatKind };

class DialogModel {
 public:
  // A model over one record of an open Set: user item `index` of `kind` (the user
  // index, or the sequence 0-9), written back on OK when `writable`.
  DialogModel(Workspace& ws, SetSlot slot, Kind kind, ItemIndex index, bool writable);

  std::string formName;  // "FParArr"
  std::string title;
  std::vector<DialogFrame> frames;
  std::vector<DialogControl> controls;

  Kind kind() const { return kind_; }
  SetSlot slot() const { return slot_; }
  bool writable() const { return writable_; }

  DialogControl* Find(std::string_view name);
  const DialogControl* Find(std::string_view name) const;
  DialogFrame* Frame(std::string_view name);

  // What a control shows, as the command line prints it: a text, an entry ("" for none),
  // "0" or "1"; a List's lines apart.
  static std::string Shown(const DialogControl& control);

  // The user's actions. Each answers None when the control took it.
  ControlRefusal SetText(std::string_view name, std::string_view text);
  ControlRefusal Choose(std::string_view name, int entry);
  ControlRefusal SetCheck(std::string_view name, bool checked);
  ControlRefusal Step(std::string_view name, int delta);
  // A double click on a Picker (line -1) or on a line of a List: the picker opens on the
  // number shown; a choice replaces it.
  ControlRefusal Activate(std::string_view name, int line, Prompter& prompter);
  ControlRefusal Click(std::string_view name, Prompter& prompter);

  // The bytes the changed controls write, in control order.
  std::vector<BytePatch> Changes() const;

  // OK: refused with a message (the dialog stays open), or the changes written as one
  // edit of the kind. False when refused.
  bool Ok(Prompter& prompter);

  // The button that closed the dialog, if one did (Send, SysEx to file, Import): once
  // the dialog has gone, Finish writes what was changed, as OK would, and then acts.
  // True when the dialog is to open again (on what an import brought).
  const std::string& closedBy() const { return closedBy_; }
  bool Finish(Prompter& prompter);

  // What the kinds add: a check run before OK writes, a button's action, and what a
  // change does to the other controls (a ticked box enabling others).
  std::function<std::optional<Message>(const DialogModel&)> checkOk;
  std::function<void(DialogModel&, std::string_view button, Prompter&)> onClick;
  std::function<void(DialogModel&)> afterChange;
  // The text of a list line that now calls `number` (a track name before the item).
  std::function<std::string(const DialogModel&, int line, int number)> lineText;
  // For a List that chooses from a list: the choice a line offers, and the value the
  // chosen entry stands for.
  std::function<std::optional<ListChoice>(const DialogModel&, int line)> lineChoice;
  std::function<int(const DialogModel&, int line, int entry)> choiceValue;
  // What OK writes besides the record (every Arrangement's split key), and what a closing
  // button does once the dialog has gone (true: open it again).
  std::function<void(DialogModel&, Prompter&)> afterOk;
  std::function<bool(DialogModel&, std::string_view button, Prompter&)> afterClose;

  // An item as the pickers' labels show it: its label, a space and its name.
  std::string ItemLine(Kind kind, ItemNumber number) const;

  // Fills a control from the record and remembers what it showed.
  void Fill(DialogControl& control, std::span<const std::uint8_t> record);
  // Takes what every control shows as what the dialog opened with.
  void MarkOpened();

  Workspace& workspace() { return *ws_; }
  // The port a Send button sends through; none: the MIDI setup finds no device.
  MidiPort* midiPort = nullptr;

 private:
  ControlRefusal Editable(const DialogControl* control, ControlType type) const;
  void Changed(DialogControl& control);
  void Apply(Prompter& prompter);

  Workspace* ws_;
  SetSlot slot_;
  Kind kind_;
  ItemIndex index_;
  bool writable_;
  std::string closedBy_;
};

// A control as the dialogs' tables give it, to be filled next.
DialogControl MakeControl(ControlType type, std::string name, std::string frame,
                          std::string caption, RecordField field = {}, std::string tip = {});

// The name box and category list that every named item's dialog opens with, filled
// from the record (or from the preset list, greyed, when `record` is empty).
void AddNameAndCategory(DialogModel& m, const std::string& frame,
                        std::vector<std::string> categories, std::span<const std::uint8_t> record,
                        const std::string& presetName, int presetCategory);
// The calls a record makes, from the calls table: a Picker for its call of `called`
// (lblSty, lblArr), or the lines of `list` for its Program calls, each showing its
// track name, `separator` and the Program. Nothing is read from an empty record.
DialogControl MakeCallPicker(DialogModel& m, Kind called, std::string name, std::string frame,
                             std::string caption, std::span<const std::uint8_t> record);
void FillProgramLines(DialogModel& m, DialogControl& list, std::string separator,
                      std::span<const std::uint8_t> record);

// A read-only list of the items that call this one.
void AddCallers(DialogModel& m, const std::string& frame, const std::string& caption,
                const std::string& tip, std::vector<std::string> callers);

template <std::size_t N>
std::vector<std::string> Entries(const std::array<std::string_view, N>& names) {
  return {names.begin(), names.end()};
}

// The name rule of the item dialogs: printable ASCII only (anything else becomes "?"),
// leading blanks dropped when asked, then the first `limit` characters.
std::string TypedName(std::string_view typed, bool trimLeading, std::size_t limit);

// A whole number typed into a box: an optional sign, digits, blanks around; else nothing.
std::optional<int> WholeNumber(std::string_view text);

// The control names of a control array and of a list line: "chkSw(3)".
std::string ArrayName(std::string_view name, int index);

}  // namespace i40
