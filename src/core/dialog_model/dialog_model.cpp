#include "dialog_model/dialog_model.h"

#include <algorithm>
#include <bit>
#include <charconv>

#include "calls/item_lookup.h"
#include "format/call_table.h"
#include "format/item_numbers.h"
#include "format/item_record.h"
#include "format/positions.h"
#include "format/track_call.h"
#include "util/text.h"

namespace i40 {
namespace {

int ShiftOf(std::uint8_t mask) {
  return mask == 0 ? 0 : std::countr_zero(mask);
}

}  // namespace

std::optional<int> WholeNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ')
    text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

namespace {

// Appends the bytes a field takes for `value` (or `text` for a name).
void Encode(const RecordField& field, int value, const std::string& text,
            std::vector<BytePatch>& out) {
  switch (field.encoding) {
    case RecordField::Encoding::None:
      return;
    case RecordField::Encoding::Text: {
      // A typed name is printable ASCII by now (TypedName): one byte a character.
      for (std::size_t i = 0; i < field.width; ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        out.push_back({field.offset + i, 0xFF, static_cast<std::uint8_t>(c)});
      }
      return;
    }
    case RecordField::Encoding::Bits: {
      const auto stored = static_cast<unsigned>(value + field.bias);
      out.push_back({field.offset, field.mask,
                     static_cast<std::uint8_t>((stored << ShiftOf(field.mask)) & field.mask)});
      return;
    }
    case RecordField::Encoding::U16: {
      const auto bits = static_cast<std::uint16_t>(value);
      out.push_back({field.offset, 0xFF, static_cast<std::uint8_t>(bits & 0xFF)});
      out.push_back({field.offset + 1, 0xFF, static_cast<std::uint8_t>(bits >> 8)});
      return;
    }
    case RecordField::Encoding::TrackCall: {
      const TrackCallBytes call = EncodeTrackCall(value);
      out.push_back({field.offset, 0xFF, call.low});
      out.push_back({field.offset + 1, 0xFF, call.high});
      return;
    }
  }
}

}  // namespace

int RecordField::Read(std::span<const std::uint8_t> record) const {
  if (offset + width > record.size()) return -1;
  switch (encoding) {
    case Encoding::Bits: {
      const std::uint8_t byte = record[offset];
      if (isSigned) return static_cast<std::int8_t>(byte) - bias;
      return ((byte & mask) >> ShiftOf(mask)) - bias;
    }
    case Encoding::U16:
      return static_cast<std::int16_t>(record[offset] | (record[offset + 1] << 8));
    case Encoding::TrackCall:
      return DecodeTrackCall(record[offset], record[offset + 1]);
    default:
      return -1;
  }
}

bool DialogControl::Changed() const {
  if (!acted) return false;
  switch (type) {
    case ControlType::Text:
    case ControlType::Number:
      return text != initialText;
    default:
      return shownStandIn || value != initialValue;
  }
}

std::string TypedName(std::string_view typed, bool trimLeading, std::size_t limit) {
  std::string name;
  // Whatever is not printable ASCII counts as one character and becomes "?": a record
  // holds single bytes, never the several of a UTF-8 character.
  for (std::size_t i = 0; i < typed.size(); ++i) {
    const auto c = static_cast<unsigned char>(typed[i]);
    if (c >= 0x20 && c < 0x7F) {
      name.push_back(static_cast<char>(c));
    } else if (c < 0x80 || c >= 0xC0) {
      name.push_back('?');
    }  // a continuation byte belongs to the character already replaced
  }
  if (trimLeading)
    name.erase(0, name.find_first_not_of(' ') == std::string::npos ? name.size()
                                                                   : name.find_first_not_of(' '));
  if (limit > 0 && name.size() > limit) name.resize(limit);
  return name;
}

DialogControl MakeControl(ControlType type, std::string name, std::string frame,
                          std::string caption, RecordField field, std::string tip) {
  DialogControl control;
  control.type = type;
  control.name = std::move(name);
  control.frame = std::move(frame);
  control.caption = std::move(caption);
  control.field = field;
  control.tip = std::move(tip);
  if (type == ControlType::Check) control.value = 0;
  return control;
}

void AddNameAndCategory(DialogModel& m, const std::string& frame,
                        std::vector<std::string> categories, std::span<const std::uint8_t> record,
                        const std::string& presetName, int presetCategory) {
  DialogControl name = MakeControl(ControlType::Text, "txtNam", frame, "Name",
                                   RecordField::Text(0, kNameWidth), "Type new name here");
  name.textLimit = kNameWidth;
  name.trimLeading = true;
  DialogControl category = MakeControl(ControlType::Combo, "cboCat", frame, "Category",
                                       RecordField::Bits(ItemRecord<1>::kCategoryOffset));
  category.entries = std::move(categories);
  if (record.empty()) {
    name.text = presetName;
    name.enabled = false;
    category.value = presetCategory >= 0 && presetCategory < 16 ? presetCategory : -1;
    category.enabled = false;
  } else {
    m.Fill(name, record);
    m.Fill(category, record);
  }
  m.controls.push_back(std::move(name));
  m.controls.push_back(std::move(category));
}

namespace {

// The call fields of a caller that call `called`, in table order.
std::vector<const CallField*> CallsTo(Kind caller, Kind called) {
  std::vector<const CallField*> calls;
  for (const CallField& field : CallFieldsOf(caller)) {
    if (field.called == called) calls.push_back(&field);
  }
  return calls;
}

RecordField FieldOf(const CallField& call) {
  return call.encoding == CallEncoding::TrackCall ? RecordField::TrackCall(call.offset)
                                                  : RecordField::U16(call.offset);
}

}  // namespace

DialogControl MakeCallPicker(DialogModel& m, Kind called, std::string name, std::string frame,
                             std::string caption, std::span<const std::uint8_t> record) {
  const auto calls = CallsTo(m.kind(), called);
  DialogControl c = MakeControl(ControlType::Picker, std::move(name), std::move(frame),
                                std::move(caption), FieldOf(*calls.at(0)));
  c.pickKind = called;
  if (!record.empty()) {
    c.value = c.field.Read(record);
    c.text = m.ItemLine(called, ItemNumber{c.value});
  }
  return c;
}

void FillProgramLines(DialogModel& m, DialogControl& list, std::string separator,
                      std::span<const std::uint8_t> record) {
  const Kind caller = m.kind();
  m.lineText = [caller, separator](const DialogModel& model, int line, int number) {
    const auto calls = CallsTo(caller, Kind::Program);
    return std::string(calls.at(static_cast<std::size_t>(line))->trackName) + separator +
           model.ItemLine(Kind::Program, ItemNumber{number});
  };
  if (record.empty()) return;
  const auto calls = CallsTo(caller, Kind::Program);
  for (std::size_t t = 0; t < calls.size(); ++t) {
    ListLine line;
    line.field = FieldOf(*calls[t]);
    line.number = line.field.Read(record);
    line.text = m.lineText(m, static_cast<int>(t), line.number);
    list.lines.push_back(std::move(line));
  }
}

void AddCallers(DialogModel& m, const std::string& frame, const std::string& caption,
                const std::string& tip, std::vector<std::string> callers) {
  DialogControl list = MakeControl(ControlType::List, "lstCalled", frame, caption, {}, tip);
  list.readOnly = true;
  for (std::string& caller : callers) {
    ListLine line;
    line.text = std::move(caller);
    list.lines.push_back(std::move(line));
  }
  m.controls.push_back(std::move(list));
}

std::string ArrayName(std::string_view name, int index) {
  return std::string(name) + "(" + std::to_string(index) + ")";
}

DialogModel::DialogModel(Workspace& ws, SetSlot slot, Kind kind, ItemIndex index, bool writable)
    : ws_(&ws), slot_(slot), kind_(kind), index_(index), writable_(writable) {}

DialogControl* DialogModel::Find(std::string_view name) {
  for (DialogControl& control : controls) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

const DialogControl* DialogModel::Find(std::string_view name) const {
  return const_cast<DialogModel*>(this)->Find(name);
}

DialogFrame* DialogModel::Frame(std::string_view name) {
  for (DialogFrame& frame : frames) {
    if (frame.name == name) return &frame;
  }
  return nullptr;
}

std::string DialogModel::Shown(const DialogControl& control) {
  switch (control.type) {
    case ControlType::Combo:
      return control.value >= 0 && control.value < static_cast<int>(control.entries.size())
                 ? control.entries[static_cast<std::size_t>(control.value)]
                 : std::string();
    case ControlType::Check:
      return control.value != 0 ? "1" : "0";
    case ControlType::Options:
      return control.value >= 0 ? std::to_string(control.value) : std::string();
    default:
      return control.text;
  }
}

void DialogModel::Fill(DialogControl& control, std::span<const std::uint8_t> record) {
  const RecordField& field = control.field;
  if (field.encoding == RecordField::Encoding::None) return;  // shown, tied to nothing
  switch (control.type) {
    case ControlType::Text:
      if (field.encoding == RecordField::Encoding::Text) {
        const std::size_t end = std::min(record.size(), field.offset + field.width);
        const std::size_t begin = std::min(end, field.offset);
        // The record's bytes as they are: whoever shows them turns each into one character.
        control.text = std::string(record.begin() + static_cast<std::ptrdiff_t>(begin),
                                   record.begin() + static_cast<std::ptrdiff_t>(end));
      } else {
        control.text = std::to_string(field.Read(record));
      }
      break;
    case ControlType::Number:
      control.value = field.Read(record);
      control.text = std::to_string(control.value);
      break;
    case ControlType::Combo:
    case ControlType::Options: {
      const int value = field.Read(record);
      const bool listed = value >= 0 && value < static_cast<int>(control.entries.size());
      control.value = listed ? value : control.standInEntry;
      control.shownStandIn = !listed;
      break;
    }
    case ControlType::Check:
      control.value = field.Read(record) != 0 ? 1 : 0;
      break;
    default:
      break;
  }
}

void DialogModel::MarkOpened() {
  for (DialogControl& control : controls) {
    control.initialText = control.text;
    control.initialValue = control.value;
    control.acted = false;
    for (ListLine& line : control.lines) {
      line.initialNumber = line.number;
      line.acted = false;
    }
  }
  if (afterChange) afterChange(*this);
}

ControlRefusal DialogModel::Editable(const DialogControl* control, ControlType type) const {
  if (control == nullptr || !control->visible) return ControlRefusal::Unknown;
  if (control->readOnly) return ControlRefusal::ReadOnly;
  if (!control->enabled) return ControlRefusal::Disabled;
  if (control->type != type) return ControlRefusal::NotThatKind;
  return ControlRefusal::None;
}

void DialogModel::Changed(DialogControl& control) {
  control.acted = true;
  if (afterChange) afterChange(*this);
}

ControlRefusal DialogModel::SetText(std::string_view name, std::string_view text) {
  DialogControl* control = Find(name);
  if (control != nullptr && control->type == ControlType::Number) {
    if (const ControlRefusal refusal = Editable(control, ControlType::Number);
        refusal != ControlRefusal::None) {
      return refusal;
    }
    const auto number = WholeNumber(text);
    const bool inRange = number && *number >= control->minimum && *number <= control->maximum;
    control->value = inRange ? *number : control->standIn;
    control->text = std::to_string(control->value);
  } else {
    if (const ControlRefusal refusal = Editable(control, ControlType::Text);
        refusal != ControlRefusal::None) {
      return refusal;
    }
    control->text = control->field.encoding == RecordField::Encoding::Text || control->textLimit > 0
                        ? TypedName(text, control->trimLeading, control->textLimit)
                        : std::string(text);
  }
  Changed(*control);
  return ControlRefusal::None;
}

ControlRefusal DialogModel::Choose(std::string_view name, int entry) {
  DialogControl* control = Find(name);
  const ControlType type = control != nullptr && control->type == ControlType::Options
                               ? ControlType::Options
                               : ControlType::Combo;
  if (const ControlRefusal refusal = Editable(control, type); refusal != ControlRefusal::None) {
    return refusal;
  }
  if (entry < 0 || entry >= static_cast<int>(control->entries.size())) {
    return ControlRefusal::NotListed;
  }
  control->value = entry;
  Changed(*control);
  return ControlRefusal::None;
}

ControlRefusal DialogModel::SetCheck(std::string_view name, bool checked) {
  DialogControl* control = Find(name);
  if (const ControlRefusal refusal = Editable(control, ControlType::Check);
      refusal != ControlRefusal::None) {
    return refusal;
  }
  control->value = checked ? 1 : 0;
  Changed(*control);
  return ControlRefusal::None;
}

ControlRefusal DialogModel::Step(std::string_view name, int delta) {
  DialogControl* control = Find(name);
  if (const ControlRefusal refusal = Editable(control, ControlType::Number);
      refusal != ControlRefusal::None) {
    return refusal;
  }
  // The up-down control keeps to the range; from a value outside it, it steps in.
  control->value = std::clamp(control->value + delta, control->minimum, control->maximum);
  control->text = std::to_string(control->value);
  Changed(*control);
  return ControlRefusal::None;
}

ControlRefusal DialogModel::Activate(std::string_view name, int line, Prompter& prompter) {
  DialogControl* control = Find(name);
  if (control == nullptr || !control->visible) return ControlRefusal::Unknown;
  if (!control->enabled) return ControlRefusal::Disabled;
  if (!control->PicksItems()) {
    return control->readOnly ? ControlRefusal::ReadOnly : ControlRefusal::NotThatKind;
  }
  if (control->type == ControlType::Picker) {
    if (line != -1) return ControlRefusal::NotThatKind;
    const ItemNumber chosen =
        prompter.Pick({control->pickKind, slot_, ItemNumber{control->value}, "", ""});
    if (chosen != kNoNumber) {
      control->value = Value(chosen);
      control->text = ItemLine(control->pickKind, chosen);
      Changed(*control);
    }
    return ControlRefusal::None;
  }
  if (line < 0 || line >= static_cast<int>(control->lines.size())) {
    return ControlRefusal::Unknown;
  }
  ListLine& entry = control->lines[static_cast<std::size_t>(line)];
  if (control->choosesFromList) {
    const auto choice = lineChoice ? lineChoice(*this, line) : std::nullopt;
    if (!choice) return ControlRefusal::None;  // a line that takes no choice
    const int index = prompter.ChooseFromList(*choice);
    if (index >= 0 && index < static_cast<int>(choice->items.size())) {
      entry.number = choiceValue ? choiceValue(*this, line, index) : index;
      entry.text = lineText ? lineText(*this, line, entry.number)
                            : choice->items[static_cast<std::size_t>(index)];
      entry.acted = true;
      if (afterChange) afterChange(*this);
    }
    return ControlRefusal::None;
  }
  const ItemNumber chosen =
      prompter.Pick({control->pickKind, slot_, ItemNumber{entry.number}, "", ""});
  if (chosen != kNoNumber) {
    entry.number = Value(chosen);
    entry.text =
        lineText ? lineText(*this, line, entry.number) : ItemLine(control->pickKind, chosen);
    entry.acted = true;
    if (afterChange) afterChange(*this);
  }
  return ControlRefusal::None;
}

ControlRefusal DialogModel::Click(std::string_view name, Prompter& prompter) {
  DialogControl* control = Find(name);
  if (const ControlRefusal refusal = Editable(control, ControlType::Button);
      refusal != ControlRefusal::None) {
    return refusal;
  }
  if (control->closes) {
    closedBy_ = std::string(name);
  } else if (onClick) {
    onClick(*this, name, prompter);
  }
  return ControlRefusal::None;
}

std::vector<BytePatch> DialogModel::Changes() const {
  std::vector<BytePatch> changes;
  for (const DialogControl& control : controls) {
    for (const ListLine& line : control.lines) {
      if (line.acted && line.number != line.initialNumber)
        Encode(line.field, line.number, "", changes);
    }
    if (!control.Changed()) continue;
    if (control.type == ControlType::Text &&
        control.field.encoding != RecordField::Encoding::Text) {
      // A number typed as text (the next Backing Sequence): written only when it is one.
      if (const auto number = WholeNumber(control.text))
        Encode(control.field, *number, control.text, changes);
    } else {
      Encode(control.field, control.value, control.text, changes);
    }
  }
  return changes;
}

bool DialogModel::Ok(Prompter& prompter) {
  if (checkOk) {
    if (const auto refusal = checkOk(*this)) {
      prompter.Ask(*refusal);
      return false;
    }
  }
  Apply(prompter);
  return true;
}

void DialogModel::Apply(Prompter& prompter) {
  if (!writable_) return;
  const std::vector<BytePatch> changes = Changes();
  if (!changes.empty()) {
    ApplyRecordChanges(*ws_, prompter, SetSlot{slot_}, kind_, ItemIndex{index_}, changes);
  }
  if (afterOk) afterOk(*this, prompter);
}

bool DialogModel::Finish(Prompter& prompter) {
  if (closedBy_.empty()) return false;
  Apply(prompter);
  return afterClose && afterClose(*this, closedBy_, prompter);
}

std::string DialogModel::ItemLine(Kind kind, ItemNumber number) const {
  return ItemNumberLabel(kind, number) + " " +
         ItemName({ws_->presets, ws_->sets.Files(slot_)}, kind, number);
}

}  // namespace i40
