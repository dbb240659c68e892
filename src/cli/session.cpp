#include "cli/session.h"

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "cli/json_prompter.h"
#include "edit/edit_engine.h"
#include "format/file_ops.h"
#include "reports/set_report.h"
#include "reports/subset_report.h"
#include "session/open_set.h"
#include "session/save_set.h"
#include "sysex/dump.h"
#include "util/bytes.h"

namespace fs = std::filesystem;

namespace i40::cli {
namespace {

class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> word;)
    words.push_back(word);
  return words;
}

bool WriteText(const fs::path& file, const std::string& text) {
  return !ReplaceFileAtomically(RealFileOps(), file, AsBytes(text));
}

class Session {
 public:
  Session(Workspace& ws, std::ostream& out) : ws_(ws), prompter_(out) {}

  void Run(const std::vector<std::string>& w) {
    const std::string& command = w[0];
    if (command == "open") {
      Need(w, 3);
      Bind(w[1], OpenSet(ws_, prompter_, false, SetPathArgument(w[2])));
    } else if (command == "new") {
      Need(w, 2);
      Bind(w[1], OpenSet(ws_, prompter_, true, {}));
    } else if (command == "save") {
      Need(w, 2);
      SaveCommand(ws_, prompter_, Slot(w[1]));
    } else if (command == "saveas") {
      Need(w, 3);
      prompter_.OfferFile(fs::path(w[2]));
      SaveAsCommand(ws_, prompter_, Slot(w[1]));
    } else if (command == "close") {
      Need(w, 2);
      const int slot = Slot(w[1]);
      if (QueryCloseSet(ws_, prompter_, slot)) {
        UnloadSet(ws_, slot);
        handles_.erase(w[1]);
      }
    } else if (command == "answer") {
      Need(w, 2);
      prompter_.QueueAnswer(ParseAnswer(w[1]));
    } else if (command == "pick") {
      Need(w, 2);
      prompter_.QueuePick(w[1]);
    } else if (command == "file") {
      Need(w, 2);
      prompter_.QueueFile(w[1] == "cancel" ? std::nullopt : std::optional<fs::path>(w[1]));
    } else if (command == "choose") {
      Need(w, 2);
      prompter_.QueueChoice(std::stoi(w[1]));
    } else if (const auto edit = EditOf(command)) {
      Need(w, 4);
      const Kind kind = KindOf(w[1]);
      const Position at = PositionOf(kind, w[3]);
      RunEditCommand(ws_, prompter_, SetSlot{Slot(w[2])}, kind, *edit, ItemIndex{at.index},
                     BankNo{at.bank});
    } else if (command == "erase") {
      Need(w, 3);
      const Kind kind = KindOf(w[1]);
      const int bank = w.size() > 3 ? BankOf(kind, w[3]) : UserBankOf(kind);
      RunEditCommand(ws_, prompter_, SetSlot{Slot(w[2])}, kind, EditCommand::EraseBank,
                     ItemIndex{-1}, BankNo{bank});
    } else if (command == "drag") {
      Need(w, 6);
      const Kind kind = KindOf(w[1]);
      RunDrop(ws_, prompter_, kind, SetSlot{Slot(w[2])}, ItemIndex{PositionOf(kind, w[3]).index},
              SetSlot{Slot(w[4])}, ItemIndex{PositionOf(kind, w[5]).index});
    } else if (command == "undo") {
      Need(w, 3);
      RunEditCommand(ws_, prompter_, SetSlot{Slot(w[2])}, KindOf(w[1]), EditCommand::Undo,
                     ItemIndex{-1});
    } else if (command == "import") {
      Need(w, 4);
      prompter_.OfferFile(fs::path(w[3]));
      RunEditCommand(ws_, prompter_, SetSlot{Slot(w[2])}, KindOf(w[1]), EditCommand::Import,
                     ItemIndex{-1});
    } else if (command == "loadone") {
      Need(w, 5);
      const Kind kind = KindOf(w[1]);
      prompter_.OfferFile(fs::path(w[4]));
      RunEditCommand(ws_, prompter_, SetSlot{Slot(w[2])}, kind, EditCommand::PasteFromIStyle,
                     ItemIndex{PositionOf(kind, w[3]).index});
    } else if (command == "report") {
      Need(w, 3);
      const int slot = Slot(w[1]);
      const std::string text =
          SetReportText(ws_, slot, ws_.sets.Entry(slot).Name, ReportTime(), &prompter_);
      if (!WriteText(w[2], text)) throw ScriptError("cannot write " + w[2]);
    } else if (command == "xls") {
      Need(w, 4);
      const int slot = Slot(w[1]);
      const Kind page = KindOf(w[2] == "arrangements" ? "arrangement"
                               : w[2] == "styles"     ? "style"
                               : w[2] == "programs"   ? "program"
                                                      : w[2]);
      const ItemSources from{ws_.presets, ws_.sets.Files(slot)};
      const bool presets = w.size() > 4 && w[4] == "presets";
      if (!WriteText(w[3], SubsetReportText(from, page, ws_.sets.Entry(slot).Name, presets))) {
        throw ScriptError("cannot write " + w[3]);
      }
    } else if (command == "syx") {
      Need(w, 4);
      prompter_.OfferFile(fs::path(w[3]));
      const int block = w.size() > 4 ? std::stoi(w[4]) : 0;
      DumpMidi(ws_, prompter_, nullptr, Slot(w[1]), KindOf(w[2]), block, true);
    } else {
      throw ScriptError("unknown command '" + command + "'");
    }
  }

  JsonPrompter& prompter() { return prompter_; }

 private:
  static void Need(const std::vector<std::string>& w, std::size_t count) {
    if (w.size() < count) throw ScriptError("'" + w[0] + "' needs more arguments");
  }

  void Bind(const std::string& handle, int slot) {
    if (slot == 0) throw ScriptError("the Set for '" + handle + "' did not open");
    handles_[handle] = slot;
  }

  int Slot(const std::string& handle) const {
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

  static int BankOf(Kind kind, const std::string& word) {
    for (int bank = 0; bank < BankCount(kind); ++bank) {
      if (BankLetter(kind, bank) == word) return bank;
    }
    throw ScriptError("'" + word + "' is no bank of " + std::string(KindName(kind)));
  }

  Workspace& ws_;
  JsonPrompter prompter_;
  std::map<std::string, int> handles_;
};

}  // namespace

int RunSession(Workspace& ws, std::istream& script, std::ostream& out, std::ostream& err) {
  Session session(ws, out);
  int lineNumber = 0;
  for (std::string line; std::getline(script, line);) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    const auto words = Words(line);
    if (words.empty()) continue;
    try {
      session.Run(words);
      session.prompter().EndCommand();
    } catch (const Unanswered& e) {
      err << "i40set: line " << lineNumber << ": " << e.what() << '\n';
      return 2;
    } catch (const ScriptError& e) {
      err << "i40set: line " << lineNumber << ": " << e.what() << '\n';
      return 2;
    } catch (const std::invalid_argument&) {
      err << "i40set: line " << lineNumber << ": not a number\n";
      return 2;
    }
  }
  for (const std::string& left : session.prompter().Pending()) {
    err << "i40set: not asked for: " << left << '\n';
  }
  return session.prompter().errorShown() ? 1 : 0;
}

}  // namespace i40::cli
