#include "diff/set_diff.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <utility>

#include "calls/item_lookup.h"
#include "details/item_details.h"
#include "dialog_model/dialog_model.h"
#include "format/bsq_record.h"
#include "format/call_table.h"
#include "format/item_image.h"
#include "format/item_numbers.h"
#include "format/kind_table.h"
#include "format/positions.h"
#include "format/vocabulary.h"
#include "host/scripted_prompter.h"
#include "session/open_set.h"
#include "util/text.h"

namespace i40 {
namespace {

constexpr std::array<Kind, 5> kItemKinds = {Kind::Arrangement, Kind::Style, Kind::Program,
                                            Kind::BackingSequence, Kind::KbdSet};
constexpr const char* kNone = "(none)";

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

// What the Set window shows as an empty cell: a blank name, or a user Style that is
// not there at all.
bool IsEmptyItem(const FileSet& set, Kind kind, int index) {
  if (IsEmptyPosition(set, kind, ItemIndex{index})) return true;
  return kind == Kind::Style && set.styles.slots.at(At(index)).present == 0;
}

std::string PositionLabel(Kind kind, int index) {
  return FactsOf(kind).positionLabel(ItemIndex{index});
}

std::string ShownName(const FileSet& set, Kind kind, int index) {
  return ShownName(kind, RecordBytes(set, kind, ItemIndex{index}));
}

// What a call names in its own Set: a user item by its kind and name (an empty position
// as such), a preset by its label, anything else by its number. Two calls are the same
// when they name the same thing, whatever their numbers.
std::string CallMeaning(const FileSet& set, Kind called, int number) {
  const int user = Value(ItemUserIndex(called, ItemNumber{number}));
  if (user >= 0 && IsPosition(called, ItemIndex{user})) {
    if (IsEmptyItem(set, called, user)) return "empty";
    return std::string(KindName(called)) + ":" +
           RecordName(called, RecordBytes(set, called, ItemIndex{user}));
  }
  const std::string label = ItemNumberLabel(called, ItemNumber{number});
  return label.empty() ? "#" + std::to_string(number) : label;
}

// The sequence a Backing Sequence goes on to: by name, an empty one as such.
std::string NextMeaning(const FileSet& set, int next) {
  if (next < 0 || next >= kBsqCount) return "#" + std::to_string(next);
  if (IsEmptyItem(set, Kind::BackingSequence, next)) return "empty";
  return RecordName(Kind::BackingSequence,
                    RecordBytes(set, Kind::BackingSequence, ItemIndex{next}));
}

// The bytes of a record that hold calls (a Backing Sequence's next among them): compared
// by what they name, not as bytes.
std::vector<std::size_t> CallBytes(Kind kind) {
  std::vector<std::size_t> bytes;
  for (const CallField& call : CallFieldsOf(kind)) {
    bytes.push_back(call.offset);
    bytes.push_back(call.offset + 1);
  }
  if (kind == Kind::BackingSequence) bytes.push_back(BsqRecord::kNextOffset);
  return bytes;
}

// An item as the comparison sees it: its bytes with the calls taken out, and what each
// call names in its own Set.
struct Meaning {
  ItemImage bytes;
  std::vector<std::string> calls;

  bool operator==(const Meaning&) const = default;
};

std::vector<std::string> CallMeanings(const FileSet& set, Kind kind, int index) {
  std::vector<std::string> calls;
  const auto record = RecordBytes(set, kind, ItemIndex{index});
  for (const CallField& call : CallFieldsOf(kind))
    calls.push_back(CallMeaning(set, call.called, Value(ReadCall(record, call))));
  if (kind == Kind::BackingSequence)
    calls.push_back(NextMeaning(set, record[BsqRecord::kNextOffset]));
  return calls;
}

Meaning MeaningOf(const FileSet& set, Kind kind, int index) {
  Meaning m{ReadItem(set, kind, ItemIndex{index}), CallMeanings(set, kind, index)};
  for (const std::size_t at : CallBytes(kind))
    m.bytes[at] = 0;
  return m;
}

// The same item at one position of both Sets: the same bytes beside its calls, and calls
// that name the same things.
bool SameMeaning(const FileSet& a, const FileSet& b, Kind kind, int index) {
  if (!SameItemBeside(a, b, kind, ItemIndex{index}, CallBytes(kind))) return false;
  return CallMeanings(a, kind, index) == CallMeanings(b, kind, index);
}

// How the positions of one kind pair up between the two Sets.
struct KindMatch {
  std::vector<bool> equal;   // the same bytes at the same position
  std::vector<bool> emptyA;  // what the Set window shows as empty
  std::vector<bool> emptyB;
  std::vector<int> movedTo;    // A position -> the B position its item moved to, or -1
  std::vector<int> movedFrom;  // B position -> the A position its item came from, or -1
  std::vector<int> sameItem;   // A position -> the B position holding that item, or -1
};

KindMatch MatchPositions(const FileSet& a, const FileSet& b, Kind kind) {
  const int count = PositionCount(kind);
  const std::size_t n = At(count);
  KindMatch m{std::vector<bool>(n),    std::vector<bool>(n),    std::vector<bool>(n),
              std::vector<int>(n, -1), std::vector<int>(n, -1), std::vector<int>(n, -1)};
  std::vector<Meaning> imagesA(n);
  std::vector<Meaning> imagesB(n);
  for (int i = 0; i < count; ++i) {
    m.equal[At(i)] = SameMeaning(a, b, kind, i);
    m.emptyA[At(i)] = IsEmptyItem(a, kind, i);
    m.emptyB[At(i)] = IsEmptyItem(b, kind, i);
    // Only the positions that differ can take part in a move.
    if (m.equal[At(i)]) continue;
    if (!m.emptyA[At(i)]) imagesA[At(i)] = MeaningOf(a, kind, i);
    if (!m.emptyB[At(i)]) imagesB[At(i)] = MeaningOf(b, kind, i);
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (m.equal[i] || m.emptyA[i]) continue;
    for (std::size_t q = 0; q < n; ++q) {
      if (q == i || m.equal[q] || m.emptyB[q] || m.movedFrom[q] >= 0) continue;
      if (imagesA[i] != imagesB[q]) continue;
      m.movedTo[i] = static_cast<int>(q);
      m.movedFrom[q] = static_cast<int>(i);
      break;
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (m.equal[i]) {
      m.sameItem[i] = static_cast<int>(i);
    } else if (m.movedTo[i] >= 0) {
      m.sameItem[i] = m.movedTo[i];
    } else if (!m.emptyA[i] && !m.emptyB[i] && m.movedFrom[i] < 0) {
      m.sameItem[i] = static_cast<int>(i);  // the same item, edited
    }
  }
  return m;
}

// The bits of a record that some control or call shows.
using Coverage = std::vector<std::uint8_t>;

void Cover(Coverage& covered, const RecordField& field) {
  switch (field.encoding) {
    case RecordField::Encoding::None:
      return;
    case RecordField::Encoding::Bits:
      if (field.offset < covered.size())
        covered[field.offset] |= field.isSigned ? std::uint8_t{0xFF} : field.mask;
      return;
    default:
      for (std::size_t k = field.offset; k < field.offset + field.width && k < covered.size(); ++k)
        covered[k] = 0xFF;
      return;
  }
}

// A caption laid out with runs of blanks ("Chain  to  next  BSeq") reads with one.
std::string SingleSpaced(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == ' ')
    out.pop_back();
  return out;
}

std::string CheckText(int value) {
  return value != 0 ? "on" : "off";
}

std::string OrNone(std::string text) {
  return text.empty() ? kNone : text;
}

// A control's value as its dialog shows it; the blanks that pad a list's entries
// ("OFF ") say nothing.
std::string ShownValue(const DialogControl& c) {
  switch (c.type) {
    case ControlType::Check:
      return CheckText(c.value);
    case ControlType::Options:
      return c.value >= 0 && c.value < static_cast<int>(c.entries.size())
                 ? TrimSpaces(c.entries[At(c.value)])
                 : DialogModel::Shown(c);
    default:
      return TrimSpaces(DialogModel::Shown(c));
  }
}

std::string WithStored(const std::string& shown, int stored) {
  const std::string value = "(stored " + std::to_string(stored) + ")";
  return shown.empty() ? value : shown + " " + value;
}

// A list line the dialog shows as "Upper1: 3": the part before the colon names it.
std::pair<std::string, std::string> SplitLine(const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) return {TrimSpaces(text), ""};
  return {TrimSpaces(text.substr(0, colon)), TrimSpaces(text.substr(colon + 1))};
}

// What a kind's dialog shows of a record, ready to be filled from any record of the
// kind: the controls compared, the name of each and the bits they cover.
class FieldTable {
 public:
  FieldTable(std::optional<DialogModel> model, Kind kind, std::size_t recordSize)
      : model_(std::move(model)), covered_(recordSize, 0) {
    for (const CallField& call : CallFieldsOf(kind)) {
      covered_[call.offset] = 0xFF;
      // Bit 7 of a track call's high byte is no part of the number.
      covered_[call.offset + 1] = call.encoding == CallEncoding::TrackCall ? 0x7F : 0xFF;
    }
    if (!model_) return;
    std::string itemFrame;
    for (const DialogControl& c : model_->controls) {
      if (c.name == "txtNam") {
        itemFrame = c.frame;
        Cover(covered_, c.field);
      }
    }
    for (std::size_t k = 0; k < model_->controls.size(); ++k) {
      const DialogControl& c = model_->controls[k];
      if (!Compared(c)) continue;
      compared_.push_back(k);
      if (c.type == ControlType::List) {
        for (const ListLine& line : c.lines) {
          if (!line.text.empty()) Cover(covered_, line.field);
        }
      } else {
        Cover(covered_, c.field);
      }
    }
    for (const std::size_t k : compared_)
      names_.push_back(SingleSpaced(FieldName(model_->controls[k], itemFrame)));
  }

  // The fields of two records of the kind that the dialog shows differently, in the
  // dialog's order; a value the dialog cannot show is given as stored.
  void Compare(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
               std::vector<FieldChange>& out) {
    if (!model_) return;
    for (std::size_t j = 0; j < compared_.size(); ++j) {
      DialogControl& c = model_->controls[compared_[j]];
      if (c.type == ControlType::List) {
        CompareLines(c, a, b, out);
        continue;
      }
      model_->Fill(c, a);
      std::string before = ValueText(c, a);
      model_->Fill(c, b);
      std::string after = ValueText(c, b);
      if (before == after) {
        const int storedA = c.field.Read(a);
        const int storedB = c.field.Read(b);
        if (storedA == storedB) continue;
        before = WithStored(before, storedA);
        after = WithStored(after, storedB);
      }
      out.push_back({names_[j], OrNone(std::move(before)), OrNone(std::move(after))});
    }
  }

  // Whether two records differ in bits that nothing shows.
  bool HiddenDiffer(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) const {
    for (std::size_t k = 0; k < a.size() && k < b.size(); ++k) {
      const auto hidden = static_cast<std::uint8_t>(~(k < covered_.size() ? covered_[k] : 0));
      if (((a[k] ^ b[k]) & hidden) != 0) return true;
    }
    return a.size() != b.size();
  }

 private:
  // The controls whose values live in the record. The name is compared apart; calls
  // come from the calls table; callers lists, counts and buttons show nothing stored.
  static bool Compared(const DialogControl& c) {
    // The name is compared apart, the next Backing Sequence by what it names.
    if (!c.visible || c.readOnly || c.name == "txtNam" || c.name == "txtNxt") return false;
    switch (c.type) {
      case ControlType::Button:
      case ControlType::Label:
      case ControlType::Picker:
        return false;
      case ControlType::List:
        return c.choosesFromList;  // a list of settings, not of calls
      default:
        return c.field.encoding != RecordField::Encoding::None;
    }
  }

  // A value as the dialog shows it, or, where its list holds no entry for it, as stored:
  // a key by its note name, anything else by its number.
  static std::string ValueText(const DialogControl& c, std::span<const std::uint8_t> record) {
    std::string shown = ShownValue(c);
    if (!shown.empty() || c.field.encoding != RecordField::Encoding::Bits) return shown;
    const int stored = c.field.Read(record) + c.field.bias;
    return c.keyValue ? KeyName(stored) : std::to_string(stored);
  }

  // A control by its caption; where that says little alone (nothing, a word in a titled
  // group, or a caption given twice) its frame's caption comes first.
  std::string FieldName(const DialogControl& c, const std::string& itemFrame) {
    const DialogFrame* frame = model_->Frame(c.frame);
    const std::string group = frame != nullptr ? frame->caption : std::string();
    if (c.caption.empty()) return group.empty() ? c.name : group;
    const auto same = std::count_if(compared_.begin(), compared_.end(), [&](std::size_t k) {
      return model_->controls[k].caption == c.caption;
    });
    const bool oneWord = c.caption.find(' ') == std::string::npos;
    if (!group.empty() && c.frame != itemFrame && (oneWord || same > 1))
      return group + " " + c.caption;
    return c.caption;
  }

  void CompareLines(const DialogControl& c, std::span<const std::uint8_t> a,
                    std::span<const std::uint8_t> b, std::vector<FieldChange>& out) {
    const DialogFrame* frame = model_->Frame(c.frame);
    const std::string group =
        frame != nullptr && !frame->caption.empty() ? frame->caption + " " : std::string();
    for (std::size_t line = 0; line < c.lines.size(); ++line) {
      const ListLine& l = c.lines[line];
      if (l.text.empty()) continue;  // a line the dialog leaves blank shows nothing
      const int valueA = l.field.Read(a);
      const int valueB = l.field.Read(b);
      if (valueA == valueB) continue;
      const auto text = [&](int value) {
        return model_->lineText ? model_->lineText(*model_, static_cast<int>(line), value)
                                : std::to_string(value);
      };
      auto [name, before] = SplitLine(text(valueA));
      std::string after = SplitLine(text(valueB)).second;
      out.push_back({group + name, OrNone(std::move(before)), OrNone(std::move(after))});
    }
  }

  std::optional<DialogModel> model_;
  Coverage covered_;
  std::vector<std::size_t> compared_;
  std::vector<std::string> names_;
};

// The item a dialog of the kind opens on: a user item by its number and position.
ItemRef DialogItem(Kind kind, int index) {
  return {!FactsOf(kind).banks.empty() ? ItemNumberOfUserIndex(kind, ItemIndex{index}) : kNoNumber,
          ItemIndex{index}};
}

class Comparison {
 public:
  Comparison(Workspace& ws, SetSlot slotA, SetSlot slotB)
      : ws_(ws),
        slotA_(slotA),
        a_(ws.sets.Files(slotA)),
        b_(ws.sets.Files(slotB)),
        fromA_{ws.presets, a_},
        fromB_{ws.presets, b_} {
    for (const Kind kind : kItemKinds)
      matches_[At(KindIndex(kind))] = MatchPositions(a_, b_, kind);
  }

  std::vector<SetDifference> Run() {
    for (const Kind kind : kItemKinds) {
      CompareHeaders(kind);
      CompareItems(kind);
    }
    for (const Kind kind : {Kind::ArrangementGlobal, Kind::Global}) {
      CompareHeaders(kind);
      CompareSettings(kind);
    }
    return std::move(out_);
  }

 private:
  const KindMatch& Match(Kind kind) const { return matches_[At(KindIndex(kind))]; }

  // A component's leading bytes, kept as read, and what the reader keeps beside them.
  bool HeadersDiffer(Kind kind) const {
    const auto sameHeader = FactsOf(kind).layout.sameHeader;
    return sameHeader != nullptr && !sameHeader(a_, b_);
  }

  void CompareHeaders(Kind kind) {
    if (!HeadersDiffer(kind)) return;
    SetDifference d;
    d.kind = kind;
    d.fields.push_back({"file header", "", ""});
    out_.push_back(std::move(d));
  }

  SetDifference Item(Kind kind, DiffWhat what, int positionA, int positionB) const {
    SetDifference d;
    d.kind = kind;
    d.what = what;
    d.positionA = ItemIndex{positionA};
    d.positionB = ItemIndex{positionB};
    d.labelA = PositionLabel(kind, positionA);
    d.labelB = PositionLabel(kind, positionB);
    if (what != DiffWhat::Added) d.nameA = ShownName(a_, kind, positionA);
    if (what != DiffWhat::Removed) d.nameB = ShownName(b_, kind, positionB);
    return d;
  }

  void CompareItems(Kind kind) {
    const KindMatch& m = Match(kind);
    for (int i = 0; i < PositionCount(kind); ++i) {
      const std::size_t p = At(i);
      if (m.equal[p]) continue;
      const bool takenByMove = m.movedFrom[p] >= 0;
      if (m.movedTo[p] >= 0) {
        out_.push_back(Item(kind, DiffWhat::Moved, i, m.movedTo[p]));
      } else if (!m.emptyA[p] && (m.emptyB[p] || takenByMove)) {
        out_.push_back(Item(kind, DiffWhat::Removed, i, i));
      }
      if (!m.emptyB[p] && !takenByMove && (m.emptyA[p] || m.movedTo[p] >= 0)) {
        out_.push_back(Item(kind, DiffWhat::Added, i, i));
      }
      if (!m.emptyA[p] && !m.emptyB[p] && m.movedTo[p] < 0 && !takenByMove) CompareItem(kind, i);
    }
  }

  // One item at the same position of both Sets: renamed, changed, or the same once its
  // calls are followed to where their items went.
  void CompareItem(Kind kind, int i) {
    const auto recordA = RecordBytes(a_, kind, ItemIndex{i});
    const auto recordB = RecordBytes(b_, kind, ItemIndex{i});
    std::vector<FieldChange> fields;
    const std::string nameA = ShownName(a_, kind, i);
    const std::string nameB = ShownName(b_, kind, i);
    const bool renamed = RecordName(kind, recordA) != RecordName(kind, recordB);
    if (renamed) fields.push_back({"Name", nameA, nameB});

    FieldTable& table = Fields(kind, i);
    table.Compare(recordA, recordB, fields);
    CompareCalls(kind, recordA, recordB, fields);
    if (table.HiddenDiffer(recordA, recordB)) fields.push_back({"data", "", ""});
    CompareCarried(kind, i, fields);

    if (fields.empty()) return;
    const bool onlyName = renamed && fields.size() == 1;
    SetDifference d = Item(kind, onlyName ? DiffWhat::Renamed : DiffWhat::Changed, i, i);
    if (!onlyName) d.fields = std::move(fields);
    out_.push_back(std::move(d));
  }

  // What travels with a record: a Style's events, a Drum Kit's data block, a Backing
  // Sequence's tracks.
  void CompareCarried(Kind kind, int i, std::vector<FieldChange>& fields) const {
    const KindFacts& facts = FactsOf(kind);
    if (facts.layout.sameTail != nullptr && !facts.layout.sameTail(a_, b_, At(i)))
      fields.push_back({std::string(facts.words.carried), "", ""});
  }

  // A call as the comparison shows it: "F61 Cello", "F11 (empty)", a preset's label.
  static std::string CallText(const ItemSources& from, Kind called, int number) {
    std::string label = ItemNumberLabel(called, ItemNumber{number});
    if (label.empty()) return std::to_string(number);
    const int user = Value(ItemUserIndex(called, ItemNumber{number}));
    if (user >= 0 && IsPosition(called, ItemIndex{user}) && IsEmptyItem(from.set, called, user))
      return label + " (empty)";
    const std::string name = NameText(TrimSpaces(ItemName(from, called, ItemNumber{number})));
    return name.empty() ? label : label + " " + name;
  }

  static std::string NextText(const FileSet& set, int next) {
    if (next < 0 || next >= kBsqCount) return std::to_string(next);
    if (IsEmptyItem(set, Kind::BackingSequence, next)) return std::to_string(next) + " (empty)";
    return std::to_string(next) + " " + ShownName(set, Kind::BackingSequence, next);
  }

  // Every call that names something else in Set B than in Set A, whether its number
  // changed or not (an item renumbered, or another item now at the number called).
  void CompareCalls(Kind kind, std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
                    std::vector<FieldChange>& fields) const {
    for (const CallField& call : CallFieldsOf(kind)) {
      const int numberA = Value(ReadCall(a, call));
      const int numberB = Value(ReadCall(b, call));
      if (CallMeaning(a_, call.called, numberA) == CallMeaning(b_, call.called, numberB)) continue;
      const std::string track = TrimSpaces(call.trackName);
      fields.push_back({track.empty() ? std::string(KindName(call.called)) : track,
                        CallText(fromA_, call.called, numberA),
                        CallText(fromB_, call.called, numberB)});
    }
    if (kind == Kind::BackingSequence) {
      const int nextA = a[BsqRecord::kNextOffset];
      const int nextB = b[BsqRecord::kNextOffset];
      if (NextMeaning(a_, nextA) != NextMeaning(b_, nextB))
        fields.push_back({"Next BSeq", NextText(a_, nextA), NextText(b_, nextB)});
    }
  }

  // The dialog of the kind, opened once on an item of Set A; KBD Sets have none.
  FieldTable& Fields(Kind kind, int i) {
    auto& table = tables_[At(KindIndex(kind))];
    if (!table) {
      std::optional<DialogModel> model;
      if (kind != Kind::KbdSet) model = OpenItemDialog(ws_, slotA_, kind, DialogItem(kind, i));
      table.emplace(std::move(model), kind, RecordSize(kind));
    }
    return *table;
  }

  void CompareSettings(Kind kind) {
    const bool global = kind == Kind::Global;
    const std::span<const std::uint8_t> a =
        global ? std::span<const std::uint8_t>(a_.global.record) : a_.arrangementGlobal.record;
    const std::span<const std::uint8_t> b =
        global ? std::span<const std::uint8_t>(b_.global.record) : b_.arrangementGlobal.record;
    if (std::equal(a.begin(), a.end(), b.begin(), b.end())) return;
    FieldTable table(OpenItemDialog(ws_, slotA_, kind, {}), kind, a.size());
    SetDifference d;
    d.kind = kind;
    table.Compare(a, b, d.fields);
    if (table.HiddenDiffer(a, b)) d.fields.push_back({"data", "", ""});
    out_.push_back(std::move(d));
  }

  Workspace& ws_;
  SetSlot slotA_;
  const FileSet& a_;
  const FileSet& b_;
  ItemSources fromA_;
  ItemSources fromB_;
  std::array<KindMatch, kKindCount> matches_;
  std::array<std::optional<FieldTable>, kKindCount> tables_;
  std::vector<SetDifference> out_;
};

}  // namespace

std::string_view DiffWhatName(DiffWhat what) {
  switch (what) {
    case DiffWhat::Added:
      return "added";
    case DiffWhat::Removed:
      return "removed";
    case DiffWhat::Moved:
      return "moved";
    case DiffWhat::Renamed:
      return "renamed";
    case DiffWhat::Changed:
      return "changed";
  }
  return "";
}

std::string_view KindCaption(Kind kind) {
  const std::string_view plural = FactsOf(kind).words.plural;
  return plural.empty() ? KindName(kind) : plural;
}

std::vector<SetDifference> CompareSets(Workspace& ws, SetSlot slotA, SetSlot slotB) {
  return Comparison(ws, slotA, slotB).Run();
}

std::optional<std::vector<SetDifference>> CompareSources(const Workspace& ws,
                                                         const CompareSource& a,
                                                         const CompareSource& b,
                                                         std::vector<std::string>& problems) {
  Workspace own;
  own.presets = ws.presets;
  own.blanks = ws.blanks;
  own.data = ws.data;
  own.templateSet = ws.templateSet;
  own.settings = ws.settings;
  own.settings.WarnDupl = false;
  own.sets.Reset();
  std::array<SetSlot, 2> slots{};
  for (std::size_t k = 0; k < slots.size(); ++k) {
    const CompareSource& source = k == 0 ? a : b;
    if (source.slot != kNoSet) {
      if (!ws.sets.InUse(source.slot)) return std::nullopt;
      slots[k] = own.sets.FindFreeSlot();
      own.sets.Entry(slots[k]) = ws.sets.Entry(source.slot);
      own.sets.Files(slots[k]) = ws.sets.Files(source.slot);
      continue;
    }
    ScriptedPrompter quiet;  // read problems are reported, never asked about
    slots[k] = OpenCompleteSet(own, quiet, source.setPath);
    for (const Message& message : quiet.messages())
      problems.push_back(message.text);
    if (slots[k] == kNoSet) return std::nullopt;
  }
  return CompareSets(own, slots[0], slots[1]);
}

namespace {

// A record's name may hold any byte: a control character would break the line.
std::string OneLine(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = '?';
  }
  return text;
}

}  // namespace

std::string WhatDiffers(const SetDifference& d) {
  switch (d.what) {
    case DiffWhat::Moved:
      return "moved to " + d.labelB;
    case DiffWhat::Renamed:
      return "renamed to '" + d.nameB + "'";
    case DiffWhat::Added:
    case DiffWhat::Removed:
      return std::string(DiffWhatName(d.what));
    case DiffWhat::Changed:
      break;
  }
  std::string text = "changed:";
  for (std::size_t k = 0; k < d.fields.size(); ++k) {
    const FieldChange& f = d.fields[k];
    text += (k == 0 ? " " : "; ") + f.field;
    if (!f.before.empty() || !f.after.empty()) text += " " + f.before + " -> " + f.after;
  }
  return text;
}

std::string DifferenceLine(const SetDifference& d) {
  const bool added = d.what == DiffWhat::Added;
  const std::string& label = added ? d.labelB : d.labelA;
  const std::string& name = added ? d.nameB : d.nameA;
  std::string line(KindCaption(d.kind));
  if (!label.empty()) line += " " + label;
  if (!name.empty()) line += " '" + name + "'";
  return OneLine(line + ": " + WhatDiffers(d));
}

}  // namespace i40
