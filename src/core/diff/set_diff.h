#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/ids.h"
#include "format/kinds.h"
#include "session/workspace.h"

// Compare two Sets: what Set B holds that Set A does not, kind by kind, item by item,
// as the Compare window shows it side by side and `i40set diff` prints it.
//
// Items are matched by position first. An item that sits byte for byte at another
// position of B (and not at its own) has moved; the position it left and the one it
// took say nothing more. A changed item lists its fields by the captions of its dialog;
// its calls are compared by what they call, not by number, so that a moved item is the
// same call wherever it went.
namespace i40 {

enum class DiffWhat { Added, Removed, Moved, Renamed, Changed };

// "added", "removed", "moved", "renamed", "changed".
std::string_view DiffWhatName(DiffWhat what);

// One field of an item that differs, as its dialog names it ("Tempo", "Default Drum Maps
// Var.1", "Chord Recognition"), as the calls table names a call ("DRUMS", "Style"), or
// "data", "events", "Drum Kit data", "file header" for bytes no control shows.
struct FieldChange {
  std::string field;
  std::string before;  // as Set A shows it; empty for the bytes no control shows
  std::string after;   // as Set B shows it

  bool operator==(const FieldChange&) const = default;
};

// One difference. Item kinds give the position in each Set (the same one unless the
// item moved) with its label ("C12", "F15", "R27", "3", "B2"); an added item has only
// Set B's name, a removed one only Set A's. The Arrangement Global and the Global, and a
// component's file header, have no position (-1, empty labels).
struct SetDifference {
  Kind kind = Kind::Arrangement;
  DiffWhat what = DiffWhat::Changed;
  ItemIndex positionA = kNoIndex;
  ItemIndex positionB = kNoIndex;
  std::string labelA;
  std::string labelB;
  std::string nameA;  // trailing blanks removed, UTF-8; empty for a KBD Set
  std::string nameB;
  std::vector<FieldChange> fields;  // Changed only, in the dialog's order, calls after

  bool operator==(const SetDifference&) const = default;
};

// Every difference between the Sets open in two slots, kind by kind (Arrangements,
// Styles, Programs and Drum Kits, Backing Sequences, KBD Sets, Arrangement Global,
// Global), each by position in Set A; none when the Sets hold the same bytes. Opens the
// item dialogs' models on the Sets to name the fields, and changes nothing.
std::vector<SetDifference> CompareSets(Workspace& ws, SetSlot slotA, SetSlot slotB);

// A Set to compare: one open in a slot (as it stands, unsaved changes included), or,
// with slot 0, the Set whose files are at `setPath` (a Set path without extension).
struct CompareSource {
  SetSlot slot = kNoSet;
  std::filesystem::path setPath;
};

// Compares two Sets in a workspace of their own: nothing of `ws` changes and nothing is
// asked. A Set read from its files that is incomplete or unreadable gives nothing; what
// went wrong reading either Set is added to `problems`.
std::optional<std::vector<SetDifference>> CompareSources(const Workspace& ws,
                                                         const CompareSource& a,
                                                         const CompareSource& b,
                                                         std::vector<std::string>& problems);

// The plural caption of a kind's items as the comparison lists them: "Arrangements",
// "Styles", "Programs", "Backing Sequences", "KBD Sets", "Arrangement Global", "Global".
std::string_view KindCaption(Kind kind);

// What differs, as the last part of a line says it: "moved to F15", "renamed to 'X'",
// "added", "removed", "changed: Tempo 72 -> 90; DRUMS R11 Kit -> R12 Kit 2".
std::string WhatDiffers(const SetDifference& difference);

// One line, without a line break (a control character of a name shows as "?"):
//   Arrangements C12 'Swing Time': renamed to 'Swing Time 2'
//   Arrangements C11 'Pop Ballad': changed: Tempo 72 -> 90; DRUMS R11 Kit -> R12 Kit 2
//   Programs F11 'Grand Piano': moved to F15
//   Arrangements C35 'New One': added
//   KBD Sets B2: changed: data
//   Global: changed: Velocity Curve 1 -> 3
std::string DifferenceLine(const SetDifference& difference);

}  // namespace i40
