#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "host/prompter.h"
#include "session/workspace.h"

namespace i40::cli {

// Finds the data folders (--data, else the editor's own), the template Set, the preset
// list and the blank records. False, after saying why on `err`, when one is unusable.
bool PrepareWorkspace(Workspace& ws, Prompter& prompter, const std::filesystem::path& dataDir,
                      const std::filesystem::path& program, std::ostream& err);

// A Set path from a Set path or any one of its component files.
std::filesystem::path SetPathArgument(const std::filesystem::path& argument);

// "arrangement", "style", "program", "bsq", "song", "kbdset", "arrglobal", "global".
std::optional<Kind> ParseKindName(std::string_view name);

// A position of a kind as the user names it: a label (C12, F11, R27) for Arrangements,
// Styles and Programs, A1-C5 for KBD Sets, 0-9 for Backing Sequences. `index` is what
// the edit commands take (the user index, -1 for a preset), `bank` the bank shown.
struct Position {
  ItemIndex index = kNoIndex;
  BankNo bank{0};
};
std::optional<Position> ParsePosition(Kind kind, std::string_view text);

// A whole number of what a word means (a list index, a block, a port, a byte count),
// within [low, high]: decimal, or hexadecimal with `base` 16. Nothing for anything else
// (no number, a number out of range, something after it); it never throws.
std::optional<long long> ParseNumber(std::string_view text, long long low, long long high,
                                     int base = 10);

// The user bank of a kind, as Erase Bank takes it by default.
BankNo UserBankOf(Kind kind);

}  // namespace i40::cli
