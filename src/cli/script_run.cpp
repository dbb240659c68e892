#include "cli/script_run.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <map>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "cli/json_prompter.h"
#include "details/item_details.h"
#include "dialog_model/dialog_model.h"
#include "edit/edit_engine.h"
#include "format/file_ops.h"
#include "format/item_numbers.h"
#include "format/kind_table.h"
#include "format/set_paths.h"
#include "reports/set_report.h"
#include "reports/subset_report.h"
#include "session/open_set.h"
#include "session/save_set.h"
#include "sysex/dump.h"
#include "util/bytes.h"
#include "util/text.h"

namespace fs = std::filesystem;

namespace i40::cli {
namespace {

class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a name box takes from text typed in a script (UTF-8): printable ASCII as it is,
// any other character a "?", one a character, as the desktop's box takes it.
std::string Typed(const std::string& utf8) {
  std::string typed;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      typed += byte >= 0x20 && byte < 0x7F ? c : '?';
    } else if ((byte & 0xC0) != 0x80) {
      typed += '?';  // the first byte of a character; the bytes that follow it say nothing
    }
  }
  return typed;
}

// The words of a line, split at blanks; a word in double quotes keeps its blanks
// ("/sets/Gig Übung/MYSET"). A quote that is never closed is a character of its word.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  for (std::size_t at = 0; at < line.size();) {
    if (blank(line[at])) {
      ++at;
      continue;
    }
    if (line[at] == '"') {
      if (const auto close = line.find('"', at + 1); close != std::string::npos) {
        words.push_back(line.substr(at + 1, close - at - 1));
        at = close + 1;
        continue;
      }
    }
    std::size_t end = at;
    while (end < line.size() && !blank(line[end]))
      ++end;
    words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

bool WriteText(const fs::path& file, const std::string& text) {
  return !ReplaceFileAtomically(RealFileOps(), file, AsBytes(text));
}

using WordList = std::vector<std::string>;

class ScriptRun {
 public:
  // A command of the language: its name, its arguments as --help shows them, the words
  // it needs (its name included) and what it does. The dialog's own commands (set,
  // click, ok, cancel) are read while a dialog is open.
  struct Command {
    std::string_view name;
    std::string_view arguments;
    std::size_t words;
    void (ScriptRun::*run)(const WordList& w, const std::string& line);
  };

  static std::span<const Command> Commands() {
    static const std::array<Command, 24> commands = {{
        {"open", "H PATH", 3, &ScriptRun::Open},
        {"new", "H", 2, &ScriptRun::New},
        {"save", "H", 2, &ScriptRun::Save},
        {"saveas", "H PATH", 3, &ScriptRun::SaveAs},
        {"close", "H", 2, &ScriptRun::Close},
        {"answer", "yes|no|ok|cancel", 2, &ScriptRun::AnswerNext},
        {"pick", "LABEL|cancel", 2, &ScriptRun::PickNext},
        {"file", "PATH|cancel", 2, &ScriptRun::FileNext},
        {"choose", "N", 2, &ScriptRun::ChooseNext},
        {"copy", "KIND H SEL", 4, &ScriptRun::Edit},
        {"cut", "KIND H SEL", 4, &ScriptRun::Edit},
        {"paste", "KIND H SEL", 4, &ScriptRun::Edit},
        {"pastecalls", "KIND H SEL", 4, &ScriptRun::Edit},
        {"delete", "KIND H SEL", 4, &ScriptRun::Edit},
        {"insert", "KIND H SEL", 4, &ScriptRun::Edit},
        {"erase", "KIND H [BANK]", 3, &ScriptRun::Erase},
        {"drag", "KIND H SEL H2 POS2", 6, &ScriptRun::Drag},
        {"undo", "KIND H", 3, &ScriptRun::Undo},
        {"import", "KIND H FILE", 4, &ScriptRun::Import},
        {"loadone", "KIND H POS FILE", 5, &ScriptRun::LoadOne},
        {"report", "H FILE", 3, &ScriptRun::Report},
        {"xls", "H PAGE FILE [presets]", 4, &ScriptRun::Xls},
        {"syx", "H KIND FILE [BLOCK]", 4, &ScriptRun::Syx},
        {"details", "KIND H POS (arrglobal, global: KIND H)", 3, &ScriptRun::Details},
    }};
    return commands;
  }

  ScriptRun(Workspace& ws, std::ostream& out) : ws_(ws), out_(out), prompter_(out) {}

  // `line` is the command line as written, for the values that keep their spaces.
  void Run(const WordList& w, const std::string& line) {
    if (dialog_ && RunInDialog(w, line)) return;
    const auto commands = Commands();
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const Command& c) { return c.name == w[0]; });
    if (command == commands.end()) {
      if (IsDialogCommand(w[0])) throw ScriptError("'" + w[0] + "' with no dialog open");
      throw ScriptError("unknown command '" + w[0] + "'");
    }
    Need(w, command->words);
    (this->*command->run)(w, line);
  }

  JsonPrompter& prompter() { return prompter_; }
  // The dialog left open, if any: its form name.
  std::optional<std::string> OpenDialogName() const {
    return dialog_ ? std::optional<std::string>(dialog_->formName) : std::nullopt;
  }

 private:
  static bool IsDialogCommand(const std::string& word) {
    return word == "set" || word == "click" || word == "ok" || word == "cancel";
  }

  // ---- The commands ---------------------------------------------------------------

  void Open(const WordList& w, const std::string&) {
    SetSlot openAs = kNoSet;
    const SetSlot slot =
        OpenSet(ws_, prompter_, false, SetPathArgument(PathOfText(w[2])), RealFileOps(), &openAs);
    if (slot != kNoSet) WarnDuplicatesAfterOpening(ws_, prompter_, slot);
    if (openAs != kNoSet) {
      // One Set, one slot: a second copy's save would undo the first one's edits.
      prompter_.Ask({ws_.sets.Entry(openAs).Name + " is already open as " + HandleOf(openAs), "",
                     MessageIcon::Information, MessageButtons::Ok, Answer::Ok});
    } else {
      Bind(w[1], slot);
    }
  }

  void New(const WordList& w, const std::string&) { Bind(w[1], OpenSet(ws_, prompter_, true, {})); }

  void Save(const WordList& w, const std::string&) { SaveCommand(ws_, prompter_, Slot(w[1])); }

  void SaveAs(const WordList& w, const std::string&) {
    prompter_.OfferFile(PathOfText(w[2]));
    SaveAsCommand(ws_, prompter_, Slot(w[1]));
  }

  void Close(const WordList& w, const std::string&) {
    const SetSlot slot = Slot(w[1]);
    if (QueryCloseSet(ws_, prompter_, slot)) {
      UnloadSet(ws_, slot);
      handles_.erase(w[1]);
    }
  }

  void AnswerNext(const WordList& w, const std::string&) {
    prompter_.QueueAnswer(ParseAnswer(w[1]));
  }
  void PickNext(const WordList& w, const std::string&) { prompter_.QueuePick(w[1]); }
  void FileNext(const WordList& w, const std::string&) {
    prompter_.QueueFile(w[1] == "cancel" ? std::nullopt
                                         : std::optional<fs::path>(PathOfText(w[1])));
  }
  void ChooseNext(const WordList& w, const std::string&) {
    prompter_.QueueChoice(static_cast<int>(Number(w[1], -1, 65535, "a list entry")));
  }

  void Edit(const WordList& w, const std::string&) {
    const EditCommand edit = *EditOf(w[0]);
    const Kind kind = KindOf(w[1]);
    const Selected selected = SelectionOf(kind, w[3]);
    const Position at = selected.first;
    const SetSlot slot = Slot(w[2]);
    if (edit == EditCommand::PasteWithCalls && !CanPasteWithCalls(ws_, slot, kind)) {
      // What the editor greys out, said: the script goes on.
      prompter_.Ask(
          {"Paste with Calls takes an Arrangement, Style, KBD Set or Backing Sequence "
           "copied from another open Set.",
           "", MessageIcon::Information, MessageButtons::Ok, Answer::Ok});
      return;
    }
    RunSelectionCommand(ws_, prompter_, slot, kind, edit, selected.items, at.index, at.bank);
  }

  void Erase(const WordList& w, const std::string&) {
    const Kind kind = KindOf(w[1]);
    const BankNo bank = w.size() > 3 ? BankOf(kind, w[3]) : UserBankOf(kind);
    RunEditCommand(ws_, prompter_, Slot(w[2]), kind, EditCommand::EraseBank, kNoIndex, bank);
  }

  void Drag(const WordList& w, const std::string&) {
    const Kind kind = KindOf(w[1]);
    const SetSlot fromSlot = Slot(w[2]);
    const Selected from = SelectionOf(kind, w[3]);
    const SetSlot toSlot = Slot(w[4]);
    RunSelectionDrop(ws_, prompter_, kind, fromSlot, from.items, toSlot,
                     PositionOf(kind, w[5]).index);
  }

  void Undo(const WordList& w, const std::string&) {
    RunEditCommand(ws_, prompter_, Slot(w[2]), KindOf(w[1]), EditCommand::Undo, kNoIndex);
  }

  void Import(const WordList& w, const std::string&) {
    prompter_.OfferFile(PathOfText(w[3]));
    RunEditCommand(ws_, prompter_, Slot(w[2]), KindOf(w[1]), EditCommand::Import, kNoIndex);
  }

  void LoadOne(const WordList& w, const std::string&) {
    const Kind kind = KindOf(w[1]);
    prompter_.OfferFile(PathOfText(w[4]));
    RunEditCommand(ws_, prompter_, Slot(w[2]), kind, EditCommand::PasteFromIStyle,
                   PositionOf(kind, w[3]).index);
  }

  void Report(const WordList& w, const std::string&) {
    const SetSlot slot = Slot(w[1]);
    const std::string text =
        SetReportText(ws_, slot, ws_.sets.Entry(slot).Name, ReportTime(), &prompter_);
    if (!WriteText(PathOfText(w[2]), text)) throw ScriptError("cannot write " + w[2]);
  }

  void Xls(const WordList& w, const std::string&) {
    const SetSlot slot = Slot(w[1]);
    const Kind page = KindOf(w[2] == "arrangements" ? "arrangement"
                             : w[2] == "styles"     ? "style"
                             : w[2] == "programs"   ? "program"
                                                    : w[2]);
    const ItemSources from{ws_.presets, ws_.sets.Files(slot)};
    const bool presets = w.size() > 4 && w[4] == "presets";
    if (!WriteText(PathOfText(w[3]),
                   SubsetReportText(from, page, ws_.sets.Entry(slot).Name, presets))) {
      throw ScriptError("cannot write " + w[3]);
    }
  }

  void Syx(const WordList& w, const std::string&) {
    prompter_.OfferFile(PathOfText(w[3]));
    // As `i40set syx --block`: a Block the Set does not have is no Block at all.
    const int block = w.size() > 4 ? static_cast<int>(Number(w[4], 0, 3, "a Style Block")) : 0;
    DumpMidi(ws_, prompter_, nullptr, Slot(w[1]), KindOf(w[2]), block, true);
  }

  void Details(const WordList& w, const std::string&) {
    const Kind kind = KindOf(w[1]);
    // The Set's Arrangement Global and Global are one each: no position.
    if (kind != Kind::ArrangementGlobal && kind != Kind::Global) Need(w, 4);
    OpenDialog(kind, Slot(w[2]), w.size() > 3 ? w[3] : "");
  }

  // ---- An item dialog ------------------------------------------------------------

  void OpenDialog(Kind kind, SetSlot slot, const std::string& position) {
    ItemRef at;
    if (kind == Kind::BackingSequence) {
      at.index = PositionOf(kind, position).index;
    } else if (kind == Kind::Arrangement || kind == Kind::Style || kind == Kind::Program) {
      const auto label = ParseItemLabel(kind, position);
      if (!label)
        throw ScriptError("'" + position + "' is no position of " + std::string(KindName(kind)));
      at.number = NumberAt(kind, *label);
    } else if (kind != Kind::ArrangementGlobal && kind != Kind::Global) {
      throw ScriptError("no dialog for " + std::string(KindName(kind)));
    }
    dialog_ = OpenItemDialog(ws_, slot, kind, at);
    if (dialog_) PrintDialog(*dialog_);
  }

  void PrintDialog(const DialogModel& m) {
    Json controls = Json::object();
    Json disabled = Json::array();
    for (const DialogControl& c : m.controls) {
      if (!c.visible) continue;
      if (!c.enabled) disabled.push_back(c.name);
      if (c.type == ControlType::Button) continue;
      if (c.type == ControlType::List) {
        Json lines = Json::array();
        for (const ListLine& line : c.lines)
          lines.push_back(NameText(line.text));
        controls[c.name] = std::move(lines);
      } else {
        // What the controls show is names and ASCII: one character a byte.
        controls[c.name] = NameText(DialogModel::Shown(c));
      }
    }
    PrintJson(out_, Json{{"event", "dialog"},
                         {"title", JsonText(m.title)},
                         {"controls", std::move(controls)},
                         {"disabled", std::move(disabled)}});
  }

  // The commands of an open dialog, and the answers it may need; anything else is a
  // script error. True when the command was the dialog's.
  bool RunInDialog(const std::vector<std::string>& w, const std::string& line) {
    const std::string& command = w[0];
    DialogModel& m = *dialog_;
    if (command == "set") {
      // VALUE is the rest of the line after the one space that follows CONTROL, spaces
      // kept: blanks alone are a blank text (a name cleared).
      Need(w, 2);
      const std::size_t nameAt = line.find(w[1]);
      const std::size_t valueAt = nameAt + w[1].size() + 1;
      if (w.size() < 3 && valueAt > line.size()) Need(w, 3);
      SetControl(m, w[1], valueAt <= line.size() ? line.substr(valueAt) : std::string());
    } else if (command == "click") {
      Need(w, 2);
      Refused(m.Click(w[1], prompter_), w[1], "");
      if (!m.closedBy().empty()) {
        // The dialog has gone; an import opens it again on what it brought.
        const Kind kind = m.kind();
        const SetSlot slot = m.slot();
        const bool reopen = m.Finish(prompter_);
        dialog_.reset();
        if (reopen) OpenDialog(kind, slot, "");
      }
    } else if (command == "ok") {
      if (m.Ok(prompter_)) dialog_.reset();
    } else if (command == "cancel") {
      dialog_.reset();
    } else if (command == "answer" || command == "pick" || command == "file" ||
               command == "choose") {
      return false;
    } else {
      throw ScriptError("'" + command + "' while the dialog " + m.formName + " is open");
    }
    return true;
  }

  void SetControl(DialogModel& m, const std::string& name, const std::string& value) {
    // A control of its own ("chkSw(3)") or a line of a list ("lstPrg(2)").
    std::string base = name;
    int line = -1;
    if (m.Find(name) == nullptr) {
      const std::size_t open = name.find('(');
      if (open != std::string::npos && name.back() == ')') {
        base = name.substr(0, open);
        line = static_cast<int>(
            Number(name.substr(open + 1, name.size() - open - 2), 0, 9999, "a line of a list"));
      }
    }
    const DialogControl* c = m.Find(base);
    if (c == nullptr || !c->visible) Refused(ControlRefusal::Unknown, name, value);
    if (line >= 0 && c->type != ControlType::List) Refused(ControlRefusal::Unknown, name, value);
    std::string shown;
    switch (c->type) {
      case ControlType::Text:
      case ControlType::Number:
        Refused(m.SetText(name, Typed(value)), name, value);
        shown = c->text;
        break;
      case ControlType::Combo:
        Refused(m.Choose(name, EntryOf(*c, value)), name, value);
        shown = DialogModel::Shown(*c);
        break;
      case ControlType::Options: {
        // An option group takes the index of its option.
        const auto option = WholeNumber(value);
        Refused(m.Choose(name, option && value.find_first_not_of("0123456789") == std::string::npos
                                   ? *option
                                   : -1),
                name, value);
        shown = DialogModel::Shown(*c);
        break;
      }
      case ControlType::Check:
        if (value != "0" && value != "1") Refused(ControlRefusal::NotListed, name, value);
        Refused(m.SetCheck(name, value == "1"), name, value);
        shown = value;
        break;
      case ControlType::Picker:
      case ControlType::List: {
        if (c->readOnly) Refused(ControlRefusal::ReadOnly, name, value);
        if (!c->enabled) Refused(ControlRefusal::Disabled, name, value);
        if (c->type == ControlType::List &&
            (line < 0 || line >= static_cast<int>(c->lines.size()))) {
          Refused(ControlRefusal::Unknown, name, value);
        }
        if (c->choosesFromList) {
          // The entry as the list choice offers it ("5", "OFF").
          const auto choice = m.lineChoice ? m.lineChoice(m, line) : std::nullopt;
          if (!choice) Refused(ControlRefusal::ReadOnly, name, value);
          const auto at = std::find(choice->items.begin(), choice->items.end(), value);
          if (at == choice->items.end()) Refused(ControlRefusal::NotListed, name, value);
          prompter_.QueueChoiceFirst(static_cast<int>(at - choice->items.begin()));
        } else {
          prompter_.QueuePickFirst(value);
        }
        Refused(m.Activate(base, line, prompter_), name, value);
        shown = line < 0 ? c->text : c->lines[static_cast<std::size_t>(line)].text;
        break;
      }
      default:
        Refused(ControlRefusal::ReadOnly, name, value);
    }
    PrintJson(out_, Json{{"event", "control"}, {"name", name}, {"value", NameText(shown)}});
  }

  // An entry as listed, or "#N" for list position N; -1 when it is neither.
  static int EntryOf(const DialogControl& c, const std::string& value) {
    for (std::size_t i = 0; i < c.entries.size(); ++i) {
      if (c.entries[i] == value) return static_cast<int>(i);
    }
    if (value.size() > 1 && value[0] == '#') {
      if (const auto n = WholeNumber(value.substr(1)); n && value[1] >= '0' && value[1] <= '9')
        return *n;
    }
    return -1;
  }

  static void Refused(ControlRefusal refusal, const std::string& name, const std::string& value) {
    switch (refusal) {
      case ControlRefusal::None:
        return;
      case ControlRefusal::Unknown:
        throw ScriptError("the dialog has no control '" + name + "'");
      case ControlRefusal::Disabled:
        throw ScriptError("'" + name + "' is disabled");
      case ControlRefusal::ReadOnly:
        throw ScriptError("'" + name + "' cannot be changed");
      case ControlRefusal::NotListed:
        throw ScriptError("'" + value + "' is not listed in '" + name + "'");
      case ControlRefusal::NotThatKind:
        throw ScriptError("'" + name + "' does not take that");
    }
  }

  // ---- Helpers ------------------------------------------------------------------

  static void Need(const std::vector<std::string>& w, std::size_t count) {
    if (w.size() < count) throw ScriptError("'" + w[0] + "' needs more arguments");
  }

  void Bind(const std::string& handle, SetSlot slot) {
    if (slot == kNoSet) throw ScriptError("the Set for '" + handle + "' did not open");
    handles_[handle] = slot;
  }

  // A number of what the word means, within its range; anything else stops the script.
  static long long Number(const std::string& word, long long low, long long high,
                          const char* what) {
    const auto number = ParseNumber(word, low, high);
    if (!number) {
      throw ScriptError("'" + word + "' is not " + what + " (" + std::to_string(low) + " to " +
                        std::to_string(high) + ")");
    }
    return *number;
  }

  std::string HandleOf(SetSlot slot) const {
    for (const auto& [handle, bound] : handles_) {
      if (bound == slot) return handle;
    }
    return std::to_string(Value(slot));
  }

  SetSlot Slot(const std::string& handle) const {
    const auto it = handles_.find(handle);
    if (it == handles_.end()) throw ScriptError("no open Set '" + handle + "'");
    return it->second;
  }

  static Answer ParseAnswer(const std::string& word) {
    if (word == "yes") return Answer::Yes;
    if (word == "no") return Answer::No;
    if (word == "ok") return Answer::Ok;
    if (word == "cancel") return Answer::Cancel;
    throw ScriptError("unknown answer '" + word + "'");
  }

  static std::optional<EditCommand> EditOf(const std::string& word) {
    if (word == "copy") return EditCommand::Copy;
    if (word == "cut") return EditCommand::Cut;
    if (word == "paste") return EditCommand::Paste;
    if (word == "pastecalls") return EditCommand::PasteWithCalls;
    if (word == "delete") return EditCommand::Delete;
    if (word == "insert") return EditCommand::Insert;
    return std::nullopt;
  }

  static Kind KindOf(const std::string& word) {
    const auto kind = ParseKindName(word);
    if (!kind) throw ScriptError("unknown kind '" + word + "'");
    return *kind;
  }

  static Position PositionOf(Kind kind, const std::string& word) {
    const auto at = ParsePosition(kind, word);
    if (!at) throw ScriptError("'" + word + "' is no position of " + std::string(KindName(kind)));
    return *at;
  }

  // A selection: "F11-F18" (a range in position order), "F11,F13,F21" (a list) or both
  // ("F11-F14,F21"), all of one bank; a single position is a selection of one.
  struct Selected {
    Position first;                // the first position written, where Paste and Insert put
    std::vector<ItemIndex> items;  // every position, in position order
  };
  static Selected SelectionOf(Kind kind, const std::string& word) {
    Selected selected;
    std::optional<BankNo> bank;
    std::istringstream parts(word);
    for (std::string part; std::getline(parts, part, ',');) {
      const auto dash = part.find('-');
      const Position from = PositionOf(kind, part.substr(0, dash));
      const Position to =
          dash == std::string::npos ? from : PositionOf(kind, part.substr(dash + 1));
      if (!bank) {
        bank = from.bank;
        selected.first = from;
      }
      if (from.bank != *bank || to.bank != *bank)
        throw ScriptError("'" + word + "' takes positions of more than one bank");
      if (dash != std::string::npos && (from.index == kNoIndex || to.index == kNoIndex))
        throw ScriptError("'" + part + "' is no range of the Set's own " +
                          std::string(FactsOf(kind).words.plural));
      const int low = std::min(Value(from.index), Value(to.index));
      const int high = std::max(Value(from.index), Value(to.index));
      for (int i = low; i <= high; ++i)
        selected.items.push_back(ItemIndex{i});
    }
    if (!bank) throw ScriptError("'" + word + "' selects nothing");
    std::sort(selected.items.begin(), selected.items.end());
    selected.items.erase(std::unique(selected.items.begin(), selected.items.end()),
                         selected.items.end());
    return selected;
  }

  static BankNo BankOf(Kind kind, const std::string& word) {
    for (int b = 0; b < BankCount(kind); ++b) {
      if (BankLetter(kind, BankNo{b}) == word) return BankNo{b};
    }
    throw ScriptError("'" + word + "' is no bank of " + std::string(KindName(kind)));
  }

  Workspace& ws_;
  std::ostream& out_;
  JsonPrompter prompter_;
  std::map<std::string, SetSlot> handles_;
  std::optional<DialogModel> dialog_;
};

}  // namespace

std::string ScriptHelp() {
  std::string help;
  std::string line = " ";
  for (const ScriptRun::Command& c : ScriptRun::Commands()) {
    std::string entry = " " + std::string(c.name) + " " + std::string(c.arguments);
    if (line.size() + entry.size() + 2 > 88) {
      help += line + "\n";
      line = " ";
    }
    line += (line.size() > 1 ? " |" : "") + entry;
  }
  return help + line + "\n";
}

int RunScript(Workspace& ws, std::istream& script, std::ostream& out, std::ostream& err) {
  ScriptRun run(ws, out);
  int lineNumber = 0;
  for (std::string line; std::getline(script, line);) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // A comment is a line of its own: "#" elsewhere is text ("set cboSplit C#2").
    if (const auto first = line.find_first_not_of(" \t");
        first != std::string::npos && line[first] == '#') {
      continue;
    }
    const auto words = Words(line);
    if (words.empty()) continue;
    try {
      run.Run(words, line);
      run.prompter().EndCommand();
    } catch (const Unanswered& e) {
      err << "i40set: line " << lineNumber << ": " << e.what() << '\n';
      return 2;
    } catch (const ScriptError& e) {
      err << "i40set: line " << lineNumber << ": " << e.what() << '\n';
      return 2;
    } catch (const std::exception& e) {
      // Whatever else went wrong stops the script at its line, never the program.
      err << "i40set: line " << lineNumber << ": " << e.what() << '\n';
      return 2;
    }
  }
  for (const std::string& left : run.prompter().Pending()) {
    err << "i40set: not asked for: " << left << '\n';
  }
  if (const auto open = run.OpenDialogName()) {
    err << "i40set: the dialog " << *open << " is still open at the end\n";
    return 2;
  }
  return run.prompter().errorShown() ? 1 : 0;
}

}  // namespace i40::cli
