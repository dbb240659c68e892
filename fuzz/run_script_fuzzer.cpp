// Random `i40set run` scripts against two Sets in a scratch folder of the fuzzer's own,
// made anew from the demo and the template for every input: whatever a line says, the
// language answers with an event or a script error, never by ending the program.
//
// An input is a script in which "@SRC" and "@DST" stand for the two Sets; or, when its
// first byte is 1, lines made of the language's own commands and words, picked by the
// bytes that follow, mixed with random ones. No line reaches beyond the scratch folder:
// every "/" is taken out before the Sets' paths are put in, and relative paths resolve
// there.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>

#include "cli/cli_support.h"
#include "cli/script_run.h"
#include "host/scripted_prompter.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kCommands[] = {
    "open",  "new",     "save",    "saveas",     "close",  "answer", "pick",
    "file",  "choose",  "copy",    "cut",        "paste",  "delete", "insert",
    "erase", "drag",    "undo",    "pastecalls", "import", "report", "xls",
    "syx",   "loadone", "details", "set",        "click",  "ok",     "cancel"};
constexpr const char* kWords[] = {
    "S",        "D",         "arrangement",  "style",      "program", "bsq",     "kbdset",
    "global",   "arrglobal", "song",         "C11",        "C12",     "C88",     "A11",
    "F11",      "F61",       "R27",          "A1",         "C5",      "0",       "4",
    "9",        "yes",       "no",           "ok",         "cancel",  "txtNam",  "txtTempo",
    "cboSplit", "lstPrg(6)", "chkSw(3)",     "cmdReplPrg", "cmdSend", "#3",      "C#2",
    "1",        "-1",        "99999999999",  "out.txt",    "out.xls", "out.syx", "@SRC",
    "@DST",     "presets",   "arrangements", "programs",   "styles",  "F12",     "2"};

// The fuzzer's own folder, made on first use and gone when the fuzzer ends.
struct ScratchFolder {
  fs::path dir = fs::temp_directory_path() / ("i40-run-fuzz-" + std::to_string(::getpid()));
  ScratchFolder() { fs::create_directories(dir); }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
};

const fs::path& Scratch() {
  static const ScratchFolder folder;
  return folder.dir;
}

// The working folder is the scratch folder only while a script runs, so that a script's
// relative paths land there while libFuzzer's own (the corpus, artifacts) keep theirs.
struct InScratch {
  fs::path before = fs::current_path();
  InScratch() { fs::current_path(Scratch()); }
  ~InScratch() {
    std::error_code ignored;
    fs::current_path(before, ignored);
  }
  InScratch(const InScratch&) = delete;
  InScratch& operator=(const InScratch&) = delete;
};

// The demo as SRC and the template as DST, as they were before any input wrote them.
void FreshSets() {
  const fs::path data(I40_DATA_DIR);
  for (const auto& [from, to] : {std::pair(data / "demo", std::string("SRC")),
                                 std::pair(data / "I40EMPTY", std::string("DST"))}) {
    for (const auto& file : fs::directory_iterator(from)) {
      fs::copy_file(file.path(), Scratch() / (to + file.path().extension().string()),
                    fs::copy_options::overwrite_existing);
    }
  }
}

std::string Generated(const std::uint8_t* data, std::size_t size) {
  std::string script = "open S @SRC\nopen D @DST\n";
  std::size_t at = 1;
  const auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
  while (at < size) {
    script += kCommands[next() % std::size(kCommands)];
    for (int words = next() % 6; words > 0 && at < size; --words) {
      const std::uint8_t pick = next();
      if (pick < 224) {
        script += std::string(" ") + kWords[pick % std::size(kWords)];
      } else {
        script += ' ';
        for (int n = pick % 8; n > 0 && at < size; --n)
          script += static_cast<char>(next());
      }
    }
    script += '\n';
  }
  return script;
}

std::string WithPaths(std::string script) {
  for (char& c : script) {
    if (c == '/') c = '_';
  }
  for (const auto& [mark, set] : {std::pair("@SRC", "SRC"), std::pair("@DST", "DST")}) {
    const std::string path = (Scratch() / set).string();
    for (std::size_t at = script.find(mark); at != std::string::npos;
         at = script.find(mark, at + path.size())) {
      script.replace(at, 4, path);
    }
  }
  return script;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;  // a script of some lines says all a long one would
  FreshSets();
  const std::string script =
      WithPaths(size > 0 && data[0] == 1 ? Generated(data, size)
                                         : std::string(reinterpret_cast<const char*>(data), size));
  i40::Workspace ws;
  i40::ScriptedPrompter prompter;
  std::ostringstream out;
  std::ostringstream err;
  if (!i40::cli::PrepareWorkspace(ws, prompter, fs::path(I40_DATA_DIR), {}, err)) return 0;
  ws.settings.WarnDupl = true;
  ws.settings.HighCall = true;
  std::istringstream in(script);
  const InScratch here;
  i40::cli::RunScript(ws, in, out, err);
  return 0;
}
