#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>

#include "calls/set_findings.h"
#include "cli/cli_support.h"
#include "cli/script_run.h"
#include "cli/set_checks.h"
#include "diff/set_diff.h"
#include "edit/edit_engine.h"
#include "format/file_ops.h"
#include "format/set_paths.h"
#include "host/scripted_prompter.h"
#include "reports/set_report.h"
#include "reports/subset_report.h"
#ifdef I40_MIDI_PORTS
#include "rtmidi_port.h"
#endif
#include "session/open_set.h"
#include "session/save_set.h"
#include "simulated_instrument.h"
#include "sysex/dump.h"
#include "sysex/midi_exchange.h"
#include "sysex/whole_set.h"
#include "util/ascii.h"
#include "util/bytes.h"
#include "version.h"

namespace fs = std::filesystem;

namespace i40::cli {
namespace {

// What --help adds after the commands: the commands of an edit session.
std::string SessionHelp() {
  return "Checks, reports, SysEx files and scripted edit sessions for Korg i40 Sets.\n"
         "SET is a Set path without extension or any one of its component files.\n"
         "KIND: arrangement style program bsq song kbdset arrglobal global.\n"
         "SEL: positions of one bank: F11, a range F11-F18, a list F11,F13,F21 or both\n"
         "(F11-F14,F21); paste, pastecalls and insert put the clipboard at its first.\n"
         "\n"
         "Edit sessions, one command a line (a line whose first non-blank is # is a "
         "comment;\na word with blanks, such as a path, goes in double quotes):\n" +
         ScriptHelp() +
         "  details opens a dialog, then:\n"
         "    set CONTROL VALUE | click CONTROL | ok | cancel   (CONTROL(I): an array member\n"
         "    or a list line; a combo box takes an entry or #N, a check box 0 or 1, an option\n"
         "    group the option's index, a picker the label of the item to choose, a MIDI\n"
         "    channel line 1-16 or OFF)\n"
         "Everything the editor would show is printed as one JSON object a line.\n";
}

// The command line of one command: its options with their values, its flags, and the
// rest, as the commands read them.
struct Options {
  std::map<std::string, std::string> values;
  std::vector<std::string> flags;
  std::vector<std::string> positional;
};

// The commands and their options, as CLI11 parses and validates them and lists them in
// --help.
class CommandLine {
 public:
  CommandLine() : app_("", "i40set") {
    app_.set_version_flag("--version", "i40set " + VersionText());
    app_.require_subcommand(1, 1);
    // Options are "--name" everywhere; on Windows CLI11 would also take "/name", and read
    // a path such as "/sets/DEMO" as an option.
    app_.allow_windows_style_options(false);
    app_.footer(SessionHelp());
    app_.get_formatter()->column_width(34);

    Command("check", "every Set opens cleanly and has no finding", "SET", true)
        .Flag("--json", "one JSON object a Set");
    Command("info", "used items, free events per Block and more", "SET").Flag("--json", "as JSON");
    Command("diff", "how the second SET differs from the first, a line each", "SET", true)
        .Flag("--json", "one JSON object a difference");
    Command("report", "the Set report (CRLF text)", "SET").Value("-o", "FILE", "write it here");
    Command("xls", "a subset report page, tab-separated", "SET")
        .Value("--page", "PAGE", "arrangements, styles or programs")
        .Flag("--presets", "with the presets")
        .Value("-o", "FILE", "write it here");
    Command("syx", "the SysEx dump of a kind as a .SYX file", "SET")
        .Value("--kind", "KIND", "what to dump")
        .Value("--block", "N", "the Style Block, 0-3")
        .Value("--channel", "N", "the instrument's channel, 0-15")
        .Value("--model", "HEX", "the model byte")
        .Value("-o", "FILE", "write it here");
    Command("new", "a new Set from the template, saved at PATH", "PATH");
    Command("run", "an edit session from SCRIPT, or - for standard input", "SCRIPT");
    Command("ports", "MIDI outputs and inputs: out|in N API NAME", "", false, false);
    Command("send", "search, dump, acknowledgement", "SET")
        .Value("--kind", "KIND", "what to send; all: the whole Set")
        .Value("--block", "N", "the Style Block, 0-3")
        .Value("--out", "PORT", "a number of 'ports' or a part of one name")
        .Value("--in", "PORT", "a number of 'ports' or a part of one name")
        .Flag("--simulate", "the dry-run instrument instead of ports")
        .Value("--packet", "BYTES", "SysEx packet size, 16-2016 (256)")
        .Value("--pause", "MS", "pause between packets, 0-1000 ms (0)")
        .Value("--capture", "FILE", "with --simulate: what the instrument received");
  }

  // The command and its options; throws CLI::ParseError (help and version included).
  std::pair<std::string, Options> Parse(const std::vector<std::string>& args) {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app_.parse(reversed);
    for (auto& [name, command] : commands_) {
      if (!command.sub->parsed()) continue;
      Options options;
      options.positional = command.positional;
      for (const auto& [option, value] : command.values) {
        if (command.sub->count(option) > 0) options.values[option] = value;
      }
      for (const auto& [flag, set] : command.flags) {
        if (set) options.flags.push_back(flag);
      }
      if (!data_.empty()) options.values["--data"] = data_;
      return {name, std::move(options)};
    }
    return {};
  }

  void PrintHelp(std::ostream& out) const { out << app_.help(); }
  // A command, or --help, -h or --version.
  bool Knows(const std::string& word) const {
    return commands_.count(word) > 0 || word == "--help" || word == "-h" || word == "--version";
  }
  int Exit(const CLI::Error& e, std::ostream& out, std::ostream& err) {
    return app_.exit(e, out, err);
  }

 private:
  struct Parsed {
    CLI::App* sub = nullptr;
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::map<std::string, bool> flags;
  };

  class Builder {
   public:
    explicit Builder(Parsed& parsed) : parsed_(parsed) {}
    Builder& Value(const std::string& name, const std::string& type, const std::string& help) {
      parsed_.sub->add_option(name, parsed_.values[name], help)->type_name(type);
      return *this;
    }
    Builder& Flag(const std::string& name, const std::string& help) {
      parsed_.sub->add_flag(name, parsed_.flags[name], help);
      return *this;
    }

   private:
    Parsed& parsed_;
  };

  Builder Command(const std::string& name, const std::string& help, const std::string& what,
                  bool many = false, bool takesArguments = true) {
    Parsed& parsed = commands_[name];
    parsed.sub = app_.add_subcommand(name, help);
    parsed.sub->add_option("--data", data_, "the folder holding I40EMPTY and I40PRSTS.TXT")
        ->type_name("DIR");
    if (takesArguments) {
      auto* option = parsed.sub->add_option(what, parsed.positional, "")->required()->type_name("");
      if (!many) option->expected(1);
    }
    return Builder(parsed);
  }

  CLI::App app_;
  std::map<std::string, Parsed> commands_;
  std::string data_;
};

class Tool {
 public:
  Tool(std::ostream& out, std::ostream& err, fs::path program)
      : out_(out), err_(err), program_(std::move(program)) {}

  int Run(const std::string& command, Options options) {
    options_ = std::move(options);
    if (command == "check") return Check();
    if (command == "info") return Info();
    if (command == "diff") return Diff();
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

  // A build without MIDI devices (the Windows build from Linux) still sends to the dry run.
  int NoMidiPorts() {
    err_ << "i40set: MIDI ports are not part of this build of i40set\n";
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
        options_.values.count("--data") ? PathOfText(options_.values["--data"]) : fs::path();
    const bool ready = PrepareWorkspace(ws_, prompter, data, program_, err_);
    Flush(prompter);
    return ready;
  }

  // Opens a Set; kNoSet on failure. A batch command never creates missing components:
  // it names them instead of asking.
  SetSlot Open(const std::string& argument, ScriptedPrompter& prompter) {
    const SetSlot slot = OpenCompleteSet(ws_, prompter, SetPathArgument(PathOfText(argument)));
    if (slot != kNoSet) WarnDuplicatesAfterOpening(ws_, prompter, slot);
    return slot;
  }

  // The one Set a command names, opened; or the exit status to end with (a usage error
  // when the command names no Set or several).
  struct OneSet {
    SetSlot slot = kNoSet;
    int status = 0;
  };
  OneSet OpenOne(const std::string& usage) {
    if (options_.positional.size() != 1) return {kNoSet, Usage(usage)};
    if (!Prepare()) return {kNoSet, 1};
    ScriptedPrompter prompter;
    ws_.settings.WarnDupl = false;
    const SetSlot slot = Open(options_.positional[0], prompter);
    const bool error = Flush(prompter);
    if (slot == kNoSet || error) return {kNoSet, 1};
    return {slot, 0};
  }

  int Check() {
    if (options_.positional.empty()) return Usage("check needs at least one Set");
    if (!Prepare()) return 1;
    // Duplicate names are findings, every one of them, not the warnings of opening.
    ws_.settings.WarnDupl = false;
    bool clean = true;
    const bool json = HasFlag("--json");
    for (const std::string& argument : options_.positional) {
      ScriptedPrompter prompter;
      const SetSlot slot = Open(argument, prompter);
      const std::string prefix = argument + ": ";
      if (!prompter.messages().empty()) clean = false;
      // One JSON object a Set: what opening it said, and what the checker found.
      Json line{
          {"set", JsonText(argument)}, {"messages", Json::array()}, {"findings", Json::array()}};
      if (json) {
        for (const Message& m : prompter.messages())
          line["messages"].push_back(JsonText(m.text));
        prompter.Clear();
      } else {
        Flush(prompter, prefix);
      }
      if (slot != kNoSet) {
        for (const SetFinding& finding : SetFindings(ws_.sets.Files(slot))) {
          if (json) {
            line["findings"].push_back(JsonText(finding.text));
          } else {
            out_ << prefix << finding.text << '\n';
          }
          clean = false;
        }
        ws_.sets.Release(slot);
      }
      if (json) PrintJson(out_, line);
    }
    return clean ? 0 : 1;
  }

  int Info() {
    const OneSet one = OpenOne("info needs one Set");
    if (one.status != 0) return one.status;
    const SetSlot slot = one.slot;
    if (HasFlag("--json")) {
      PrintJson(out_, SetInfoJson(ws_, slot));
    } else {
      out_ << SetInfo(ws_, slot);
    }
    return 0;
  }

  // Two Sets, read as `check` reads them: a Set that does not open cleanly is an error
  // (status 2), not a difference. Equal Sets print nothing.
  int Diff() {
    if (options_.positional.size() != 2) return Usage("diff needs two Sets");
    if (!Prepare()) return 2;
    ws_.settings.WarnDupl = false;
    std::array<SetSlot, 2> slots{};
    bool failed = false;
    for (std::size_t k = 0; k < slots.size(); ++k) {
      ScriptedPrompter prompter;
      slots[k] = Open(options_.positional[k], prompter);
      const bool error = Flush(prompter, options_.positional[k] + ": ");
      failed = failed || error || slots[k] == kNoSet;
    }
    if (failed) return 2;
    const bool json = HasFlag("--json");
    const std::vector<SetDifference> differences = CompareSets(ws_, slots[0], slots[1]);
    for (const SetDifference& d : differences) {
      if (json) {
        PrintJson(out_, DifferenceJson(d));
      } else {
        out_ << DifferenceLine(d) << '\n';
      }
    }
    return differences.empty() ? 0 : 1;
  }

  // Every key in every object, in this order, whatever the difference.
  static Json DifferenceJson(const SetDifference& d) {
    Json fields = Json::array();
    for (const FieldChange& f : d.fields) {
      fields.push_back({{"field", JsonText(f.field)},
                        {"before", JsonText(f.before)},
                        {"after", JsonText(f.after)}});
    }
    return Json{{"kind", std::string(KindCaption(d.kind))},
                {"what", std::string(DiffWhatName(d.what))},
                {"position", d.labelA},
                {"name", JsonText(d.nameA)},
                {"newPosition", d.labelB},
                {"newName", JsonText(d.nameB)},
                {"fields", std::move(fields)}};
  }

  int Write(const std::string& text) {
    if (!options_.values.count("-o")) {
      out_ << text;
      return 0;
    }
    const fs::path file = PathOfText(options_.values["-o"]);
    if (ReplaceFileAtomically(RealFileOps(), file, AsBytes(text))) {
      err_ << "i40set: cannot write " << PathText(file) << '\n';
      return 1;
    }
    return 0;
  }

  int Report() {
    const OneSet one = OpenOne("report needs one Set");
    if (one.status != 0) return one.status;
    const SetSlot slot = one.slot;
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
    const OneSet one = OpenOne("xls needs one Set");
    if (one.status != 0) return one.status;
    const SetSlot slot = one.slot;
    const bool presets = HasFlag("--presets");
    const ItemSources from{ws_.presets, ws_.sets.Files(slot)};
    return Write(SubsetReportText(from, kind, ws_.sets.Entry(slot).Name, presets));
  }

  int Syx() {
    const auto kind = ParseKindName(options_.values["--kind"]);
    if (!kind) return Usage("--kind names one of the kinds");
    if (!options_.values.count("-o")) return Usage("syx needs -o FILE");
    const auto block = Option("--block", 0, 3, 0);
    const auto channel = Option("--channel", 0, 15, 0);
    const auto model = Option("--model", 0, 0x7F, 0x4D, 16);
    if (!block || !channel || !model) return Usage("--block is 0-3, --channel 0-15, --model 00-7F");
    const OneSet one = OpenOne("syx needs one Set");
    if (one.status != 0) return one.status;
    const SetSlot slot = one.slot;
    ws_.sysExHeader[2] = static_cast<std::uint8_t>(0x30 + *channel);
    ws_.sysExHeader[3] = static_cast<std::uint8_t>(*model);
    ScriptedPrompter prompter;
    prompter.QueueFile(PathOfText(options_.values["-o"]));
    prompter.QueueAnswer(Answer::Yes);  // a file already there is replaced
    const bool written =
        DumpMidi(ws_, prompter, nullptr, slot, *kind, static_cast<int>(*block), true);
    for (const Message& m : prompter.messages()) {
      if (m.buttons == MessageButtons::Ok) err_ << m.text << '\n';
    }
    return written ? 0 : 1;
  }

  // An option's number within its range, the default when it is not given; nothing
  // when it is not such a number.
  std::optional<long long> Option(const char* name, long long low, long long high,
                                  long long fallback, int base = 10) {
    if (!options_.values.count(name)) return fallback;
    return ParseNumber(options_.values[name], low, high, base);
  }

  bool HasFlag(const char* flag) const {
    return std::find(options_.flags.begin(), options_.flags.end(), flag) != options_.flags.end();
  }

  int Ports() {
    if (!options_.positional.empty()) return Usage("ports takes no arguments");
#ifndef I40_MIDI_PORTS
    return NoMidiPorts();
#else
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
#endif
  }

  // A port named by its number in `ports` or by a part of its name that only it has.
  static std::optional<int> FindPort(const std::vector<std::string>& names,
                                     const std::string& wanted) {
    if (!wanted.empty() && wanted.find_first_not_of("0123456789") == std::string::npos) {
      const auto n = static_cast<std::size_t>(ParseNumber(wanted, 0, 65535).value_or(65535));
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
    // "all": the whole Set, every dump in the order the instrument takes them.
    const bool whole = options_.values["--kind"] == "all";
    const auto kind =
        whole ? std::optional<Kind>(Kind::Global) : ParseKindName(options_.values["--kind"]);
    if (!kind) return Usage("--kind names one of the kinds, or all");
    if (whole && options_.values.count("--block")) {
      return Usage("--block goes with --kind style, not with all");
    }
    const bool simulate = HasFlag("--simulate");
    const bool ports = options_.values.count("--out") && options_.values.count("--in");
    if (simulate == ports) return Usage("send needs --out PORT --in PORT, or --simulate");
    if (options_.values.count("--capture") && !simulate) {
      return Usage("--capture goes with --simulate");
    }
    const auto block = Option("--block", 0, 3, 0);
    if (!block) return Usage("--block is 0-3");
    MidiPace pace;
    const auto packet = Option("--packet", static_cast<long long>(MidiPace::kMinPacket),
                               static_cast<long long>(MidiPace::kMaxPacket),
                               static_cast<long long>(pace.packetBytes));
    if (!packet) return Usage("--packet is 16-2016");
    const auto pause = Option("--pause", 0, MidiPace::kMaxPauseMs, 0);
    if (!pause) return Usage("--pause is 0-1000");
    pace.packetBytes = static_cast<std::size_t>(*packet);
    pace.pauseMs = static_cast<int>(*pause);

    midi::SimulatedInstrument instrument;
#ifdef I40_MIDI_PORTS
    midi::RtMidiPort devices;
    devices.SetPace(pace);
#endif
    MidiPort* port = &instrument;
    if (simulate) {
      instrument.config().outputs = instrument.config().inputs = {kDryRunPortName};
    } else {
#ifndef I40_MIDI_PORTS
      return NoMidiPorts();
#else
      const auto output = FindPort(devices.OutputNames(), options_.values["--out"]);
      const auto input = FindPort(devices.InputNames(), options_.values["--in"]);
      if (!output) return Usage("no single MIDI output '" + options_.values["--out"] + "'");
      if (!input) return Usage("no single MIDI input '" + options_.values["--in"] + "'");
      ws_.midi.outputDevice = *output;
      ws_.midi.inputDevice = *input;
      port = &devices;
#endif
    }
    const OneSet one = OpenOne("send needs one Set");
    if (one.status != 0) return one.status;
    const SetSlot slot = one.slot;

    // A batch command asks nothing: the confirmation before a dump is answered at once.
    ScriptedPrompter prompter;
    bool acknowledged = false;
    if (OpenMidiDevices(ws_, *port, prompter)) SearchInstrument(ws_, prompter, *port);
    CloseMidiDevices(*port);
    if (ws_.midi.instrumentFound) {
      prompter.QueueAnswer(Answer::Ok);
      acknowledged =
          whole ? SendWholeSet(ws_, prompter, port, slot)
                : DumpMidi(ws_, prompter, port, slot, *kind, static_cast<int>(*block), false);
    }
    for (const Message& m : prompter.messages()) {
      if (m.buttons != MessageButtons::Ok) continue;
      std::string text = m.text;
      std::replace(text.begin(), text.end(), '\n', ' ');
      out_ << text << '\n';
    }
    for (const std::string& outcome : prompter.outcomes())
      out_ << outcome << '\n';
    if (simulate && options_.values.count("--capture")) {
      std::vector<std::uint8_t> captured;
      for (const auto& message : instrument.sysExReceived())
        captured.insert(captured.end(), message.begin(), message.end());
      if (ReplaceFileAtomically(RealFileOps(), PathOfText(options_.values["--capture"]),
                                captured)) {
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
    const SetSlot slot = OpenSet(ws_, prompter, true, {});
    bool error = Flush(prompter);
    if (slot == kNoSet) return 1;
    const bool saved =
        SaveSet(ws_, prompter, slot, SetPathArgument(PathOfText(options_.positional[0])), true);
    error = Flush(prompter) || error;
    return saved && !error ? 0 : 1;
  }

  int RunScript() {
    if (options_.positional.size() != 1) return Usage("run needs one SCRIPT or -");
    if (!Prepare()) return 1;
    ws_.settings.WarnDupl = true;
    ws_.settings.HighCall = true;
    if (options_.positional[0] == "-") return cli::RunScript(ws_, std::cin, out_, err_);
    std::ifstream script(PathOfText(options_.positional[0]));
    if (!script) {
      err_ << "i40set: cannot read " << options_.positional[0] << '\n';
      return 2;
    }
    return cli::RunScript(ws_, script, out_, err_);
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
  CommandLine commandLine;
  if (!args.empty() && !commandLine.Knows(args[0])) {
    err << "i40set: unknown command or option '" << args[0] << "'\nTry 'i40set --help'.\n";
    return 2;
  }
  if (args.size() > 1 && (args[0] == "--version" || args[0] == "--help" || args[0] == "-h")) {
    err << "i40set: '" << args[0] << "' takes nothing after it\nTry 'i40set --help'.\n";
    return 2;
  }
  std::pair<std::string, Options> parsed;
  try {
    // CLI11 takes the arguments last first.
    parsed = commandLine.Parse(args);
  } catch (const CLI::CallForHelp&) {
    commandLine.PrintHelp(out);
    return 0;
  } catch (const CLI::CallForAllHelp&) {
    commandLine.PrintHelp(out);
    return 0;
  } catch (const CLI::CallForVersion&) {
    out << "i40set " << VersionText() << '\n';
    return 0;
  } catch (const CLI::ParseError& e) {
    if (args.empty()) {
      commandLine.PrintHelp(err);
    } else {
      err << "i40set: " << e.what() << "\nTry 'i40set --help'.\n";
    }
    return 2;
  }
  return Tool(out, err, program).Run(parsed.first, std::move(parsed.second));
}

}  // namespace i40::cli
