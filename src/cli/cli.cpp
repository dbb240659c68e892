#include "cli/cli.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>

#include "calls/set_findings.h"
#include "cli/cli_support.h"
#include "cli/session.h"
#include "cli/set_checks.h"
#include "format/file_ops.h"
#include "format/set_paths.h"
#include "reports/set_report.h"
#include "reports/subset_report.h"
#include "rtmidi_port.h"
#include "session/open_set.h"
#include "session/save_set.h"
#include "simulated_instrument.h"
#include "sysex/dump.h"
#include "sysex/midi_exchange.h"
#include "ui/scripted_prompter.h"
#include "util/ascii.h"
#include "util/bytes.h"
#include "version.h"

namespace fs = std::filesystem;

namespace i40::cli {
namespace {

constexpr const char* kUsage =
    "Usage: i40set --version | --help\n"
    "       i40set check SET...                 every Set opens cleanly and has no finding\n"
    "       i40set info SET                     used items, free events per Block and more\n"
    "       i40set report SET [-o FILE]         the Set report (CRLF text)\n"
    "       i40set xls SET --page arrangements|styles|programs [--presets] -o FILE\n"
    "       i40set syx SET --kind KIND [--block N] [--channel N] [--model HEX] -o FILE\n"
    "       i40set new PATH                     a new Set from the template, saved at PATH\n"
    "       i40set run SCRIPT|-                 an edit session\n"
    "       i40set ports                        MIDI outputs and inputs: out|in N API NAME\n"
    "       i40set send SET --kind KIND [--block N] (--out PORT --in PORT | --simulate)\n"
    "                  [--capture FILE]         search, dump, acknowledgement (PORT: a number\n"
    "                                           of 'ports' or a part of one name)\n"
    "Any command takes --data DIR: the folder holding I40EMPTY and I40PRSTS.TXT.\n"
    "SET is a Set path without extension or any one of its component files.\n"
    "KIND: arrangement style program bsq song kbdset arrglobal global.\n"
    "\n"
    "Edit sessions, one command a line (a line whose first non-blank is # is a comment):\n"
    "  open H PATH | new H | save H | saveas H PATH | close H\n"
    "  answer yes|no|ok|cancel | pick LABEL|cancel | file PATH|cancel | choose N\n"
    "  copy|cut|paste|delete|insert KIND H POS | erase KIND H [BANK]\n"
    "  drag KIND H POS H2 POS2 | undo KIND H | import KIND H FILE | loadone KIND H POS FILE\n"
    "  report H FILE | xls H PAGE FILE [presets] | syx H KIND FILE [BLOCK]\n"
    "  details arrangement|style|program|bsq H POS | details arrglobal|global H\n"
    "    opens a dialog, then:\n"
    "    set CONTROL VALUE | click CONTROL | ok | cancel   (CONTROL(I): an array member\n"
    "    or a list line; a combo box takes an entry or #N, a check box 0 or 1, an option\n"
    "    group the option's index, a picker the label of the item to choose, a MIDI\n"
    "    channel line 1-16 or OFF)\n"
    "Everything the editor would show is printed as one JSON object a line.\n";

// The command line after the command: options with their values, and the rest.
struct Options {
  std::map<std::string, std::string> values;
  std::vector<std::string> flags;
  std::vector<std::string> positional;
};

Options ParseOptions(const std::vector<std::string>& args, std::size_t from) {
  static const std::vector<std::string> kWithValue = {"-o",        "--page",   "--kind", "--block",
                                                      "--channel", "--model",  "--data", "--out",
                                                      "--in",      "--capture"};
  Options options;
  for (std::size_t i = from; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (std::find(kWithValue.begin(), kWithValue.end(), a) != kWithValue.end() &&
        i + 1 < args.size()) {
      options.values[a] = args[++i];
    } else if (a.rfind("--", 0) == 0) {
      options.flags.push_back(a);
    } else {
      options.positional.push_back(a);
    }
  }
  return options;
}

class Tool {
 public:
  Tool(std::ostream& out, std::ostream& err, fs::path program)
      : out_(out), err_(err), program_(std::move(program)) {}

  int Run(const std::vector<std::string>& args) {
    const std::string command = args[0];
    options_ = ParseOptions(args, 1);
    for (const std::string& flag : options_.flags) {
      if (flag != "--presets" && flag != "--simulate")
        return Usage("unknown option '" + flag + "'");
    }
    if (command == "check") return Check();
    if (command == "info") return Info();
    if (command == "report") return Report();
    if (command == "xls") return Xls();
    if (command == "syx") return Syx();
    if (command == "new") return New();
    if (command == "run") return RunScript();
    if (command == "ports") return Ports();
    if (command == "send") return Send();
    return Usage("unknown command or option '" + command + "'");
  }

 private:
  int Usage(const std::string& problem) {
    err_ << "i40set: " << problem << "\nTry 'i40set --help'.\n";
    return 2;
  }

  // Prints what the editor would have shown and tells whether it was an error.
  bool Flush(ScriptedPrompter& prompter, const std::string& prefix = "") {
    bool error = false;
    for (const Message& m : prompter.messages()) {
      err_ << prefix << m.text << '\n';
      error = error || m.icon == MessageIcon::Critical;
    }
    prompter.Clear();
    return error;
  }

  bool Prepare() {
    ScriptedPrompter prompter;
    const fs::path data =
        options_.values.count("--data") ? fs::path(options_.values["--data"]) : fs::path();
    const bool ready = PrepareWorkspace(ws_, prompter, data, program_, err_);
    Flush(prompter);
    return ready;
  }

  // Opens a Set; 0 on failure. A batch command never creates missing components: it
  // names them instead of asking.
  int Open(const std::string& argument, ScriptedPrompter& prompter) {
    const fs::path setPath = SetPathArgument(argument);
    bool complete = true;
    for (Kind kind : kStoredKinds) {
      if (FindComponentFile(setPath, kind)) continue;
      prompter.ShowError("File " + PathText(ComponentPath(setPath, kind)) + " not found");
      complete = false;
    }
    return complete ? OpenSet(ws_, prompter, false, setPath) : 0;
  }

  int OpenOne(std::size_t needed) {
    if (options_.positional.size() != needed) return -2;
    if (!Prepare()) return -1;
    ScriptedPrompter prompter;
    ws_.settings.WarnDupl = false;
    const int slot = Open(options_.positional[0], prompter);
    const bool error = Flush(prompter);
    if (slot == 0 || error) return -1;
    return slot;
  }

  int Check() {
    if (options_.positional.empty()) return Usage("check needs at least one Set");
    if (!Prepare()) return 1;
    bool clean = true;
    for (const std::string& argument : options_.positional) {
      ScriptedPrompter prompter;
      const int slot = Open(argument, prompter);
      const std::string prefix = argument + ": ";
      if (!prompter.messages().empty()) clean = false;
      Flush(prompter, prefix);
      if (slot == 0) continue;
      for (const std::string& finding : SetFindings(ws_.sets.Files(slot))) {
        out_ << prefix << finding << '\n';
        clean = false;
      }
      ws_.sets.Release(slot);
    }
    return clean ? 0 : 1;
  }

  int Info() {
    const int slot = OpenOne(1);
    if (slot == -2) return Usage("info needs one Set");
    if (slot < 0) return 1;
    out_ << SetInfo(ws_, slot);
    return 0;
  }

  int Write(const std::string& text) {
    if (!options_.values.count("-o")) {
      out_ << text;
      return 0;
    }
    const fs::path file = options_.values["-o"];
    if (ReplaceFileAtomically(RealFileOps(), file, AsBytes(text))) {
      err_ << "i40set: cannot write " << file.string() << '\n';
      return 1;
    }
    return 0;
  }

  int Report() {
    const int slot = OpenOne(1);
    if (slot == -2) return Usage("report needs one Set");
    if (slot < 0) return 1;
    return Write(SetReportText(ws_, slot, ws_.sets.Entry(slot).Name, ReportTime(), nullptr));
  }

  int Xls() {
    const std::string page = options_.values["--page"];
    const Kind kind = page == "arrangements" ? Kind::Arrangement
                      : page == "styles"     ? Kind::Style
                      : page == "programs"   ? Kind::Program
                                             : Kind::Song;
    if (kind == Kind::Song) return Usage("--page is arrangements, styles or programs");
    if (!options_.values.count("-o")) return Usage("xls needs -o FILE");
    const int slot = OpenOne(1);
    if (slot == -2) return Usage("xls needs one Set");
    if (slot < 0) return 1;
    const bool presets = HasFlag("--presets");
    const ItemSources from{ws_.presets, ws_.sets.Files(slot)};
    return Write(SubsetReportText(from, kind, ws_.sets.Entry(slot).Name, presets));
  }

  int Syx() {
    const auto kind = ParseKindName(options_.values["--kind"]);
    if (!kind) return Usage("--kind names one of the kinds");
    if (!options_.values.count("-o")) return Usage("syx needs -o FILE");
    int block = 0;
    int channel = 0;
    int model = 0x4D;
    try {
      if (options_.values.count("--block")) block = std::stoi(options_.values["--block"]);
      if (options_.values.count("--channel")) channel = std::stoi(options_.values["--channel"]);
      if (options_.values.count("--model"))
        model = std::stoi(options_.values["--model"], nullptr, 16);
    } catch (const std::exception&) {
      return Usage("--block, --channel and --model take numbers");
    }
    if (block < 0 || block > 3 || channel < 0 || channel > 15 || model < 0 || model > 0x7F) {
      return Usage("--block is 0-3, --channel 0-15, --model 00-7F");
    }
    const int slot = OpenOne(1);
    if (slot == -2) return Usage("syx needs one Set");
    if (slot < 0) return 1;
    ws_.sysExHeader[2] = static_cast<std::uint8_t>(0x30 + channel);
    ws_.sysExHeader[3] = static_cast<std::uint8_t>(model);
    ScriptedPrompter prompter;
    prompter.QueueFile(fs::path(options_.values["-o"]));
    prompter.QueueAnswer(Answer::Yes);  // a file already there is replaced
    const bool written = DumpMidi(ws_, prompter, nullptr, slot, *kind, block, true);
    for (const Message& m : prompter.messages()) {
      if (m.buttons == MessageButtons::Ok) err_ << m.text << '\n';
    }
    return written ? 0 : 1;
  }

  bool HasFlag(const char* flag) const {
    return std::find(options_.flags.begin(), options_.flags.end(), flag) != options_.flags.end();
  }

  int Ports() {
    if (!options_.positional.empty()) return Usage("ports takes no arguments");
    midi::RtMidiPort port;
    for (const bool outputs : {true, false}) {
      const auto names = outputs ? port.OutputNames() : port.InputNames();
      for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == kDryRunPortName) continue;
        // "ALSA: name" is printed as "ALSA name".
        std::string line = names[i];
        if (const auto colon = line.find(": "); colon != std::string::npos) line.erase(colon, 1);
        out_ << (outputs ? "out " : "in ") << i << ' ' << line << '\n';
      }
    }
    return 0;
  }

  // A port named by its number in `ports` or by a part of its name that only it has.
  static std::optional<int> FindPort(const std::vector<std::string>& names,
                                     const std::string& wanted) {
    if (!wanted.empty() && wanted.find_first_not_of("0123456789") == std::string::npos) {
      const auto n = static_cast<std::size_t>(std::stoul(wanted));
      if (n < names.size() && names[n] != kDryRunPortName) return static_cast<int>(n);
      return std::nullopt;
    }
    std::optional<int> found;
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (names[i] == kDryRunPortName || !ContainsIgnoringAsciiCase(names[i], wanted)) continue;
      if (found) return std::nullopt;
      found = static_cast<int>(i);
    }
    return found;
  }

  int Send() {
    const auto kind = ParseKindName(options_.values["--kind"]);
    if (!kind) return Usage("--kind names one of the kinds");
    const bool simulate = HasFlag("--simulate");
    const bool ports = options_.values.count("--out") && options_.values.count("--in");
    if (simulate == ports) return Usage("send needs --out PORT --in PORT, or --simulate");
    if (options_.values.count("--capture") && !simulate) {
      return Usage("--capture goes with --simulate");
    }
    int block = 0;
    try {
      if (options_.values.count("--block")) block = std::stoi(options_.values["--block"]);
    } catch (const std::exception&) {
      return Usage("--block takes a number");
    }
    if (block < 0 || block > 3) return Usage("--block is 0-3");

    midi::SimulatedInstrument instrument;
    midi::RtMidiPort devices;
    MidiPort* port = &instrument;
    if (simulate) {
      instrument.config().outputs = instrument.config().inputs = {kDryRunPortName};
    } else {
      const auto output = FindPort(devices.OutputNames(), options_.values["--out"]);
      const auto input = FindPort(devices.InputNames(), options_.values["--in"]);
      if (!output) return Usage("no single MIDI output '" + options_.values["--out"] + "'");
      if (!input) return Usage("no single MIDI input '" + options_.values["--in"] + "'");
      ws_.midi.outputDevice = *output;
      ws_.midi.inputDevice = *input;
      port = &devices;
    }
    const int slot = OpenOne(1);
    if (slot == -2) return Usage("send needs one Set");
    if (slot < 0) return 1;

    // A batch command asks nothing: the confirmation before a dump is answered at once.
    ScriptedPrompter prompter;
    bool acknowledged = false;
    if (OpenMidiDevices(ws_, *port, prompter)) SearchInstrument(ws_, prompter, *port);
    CloseMidiDevices(*port);
    if (ws_.midi.instrumentFound) {
      prompter.QueueAnswer(Answer::Ok);
      acknowledged = DumpMidi(ws_, prompter, port, slot, *kind, block, false);
    }
    for (const Message& m : prompter.messages()) {
      if (m.buttons != MessageButtons::Ok) continue;
      std::string text = m.text;
      std::replace(text.begin(), text.end(), '\n', ' ');
      out_ << text << '\n';
    }
    if (simulate && options_.values.count("--capture")) {
      std::vector<std::uint8_t> captured;
      for (const auto& message : instrument.sysExReceived())
        captured.insert(captured.end(), message.begin(), message.end());
      if (ReplaceFileAtomically(RealFileOps(), options_.values["--capture"], captured)) {
        err_ << "i40set: cannot write " << options_.values["--capture"] << '\n';
        return 1;
      }
    }
    return acknowledged ? 0 : 1;
  }

  int New() {
    if (options_.positional.size() != 1) return Usage("new needs one PATH");
    if (!Prepare()) return 1;
    ScriptedPrompter prompter;
    const int slot = OpenSet(ws_, prompter, true, {});
    bool error = Flush(prompter);
    if (slot == 0) return 1;
    const bool saved = SaveSet(ws_, prompter, slot, SetPathArgument(options_.positional[0]), true);
    error = Flush(prompter) || error;
    return saved && !error ? 0 : 1;
  }

  int RunScript() {
    if (options_.positional.size() != 1) return Usage("run needs one SCRIPT or -");
    if (!Prepare()) return 1;
    ws_.settings.WarnDupl = true;
    ws_.settings.HighCall = true;
    if (options_.positional[0] == "-") return RunSession(ws_, std::cin, out_, err_);
    std::ifstream script(options_.positional[0]);
    if (!script) {
      err_ << "i40set: cannot read " << options_.positional[0] << '\n';
      return 2;
    }
    return RunSession(ws_, script, out_, err_);
  }

  std::ostream& out_;
  std::ostream& err_;
  fs::path program_;
  Options options_;
  Workspace ws_;
};

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return Run(args, out, err, fs::path());
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const fs::path& program) {
  if (args.size() == 1 && args[0] == "--version") {
    out << "i40set " << VersionText() << '\n';
    return 0;
  }
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << kUsage;
    return 0;
  }
  if (args.empty()) {
    err << kUsage;
    return 2;
  }
  if (args[0].rfind("-", 0) == 0) {
    err << "i40set: unknown command or option '" << args[0] << "'\n"
        << "Try 'i40set --help'.\n";
    return 2;
  }
  return Tool(out, err, program).Run(args);
}

}  // namespace i40::cli
