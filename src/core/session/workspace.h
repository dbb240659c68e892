#pragma once

#include <array>
#include <cstdint>

#include "format/blank_records.h"
#include "format/vocabulary.h"
#include "presets/preset_tables.h"
#include "session/data_locations.h"
#include "session/edit_records.h"
#include "session/open_sets.h"
#include "session/session_log.h"
#include "session/settings.h"

namespace i40 {

// The instrument as far as the program knows it.
struct MidiState {
  int outputDevice = 0;
  int inputDevice = 0;
  bool instrumentFound = false;
  int instrumentChannel = 0;                     // 0-15
  std::array<std::uint8_t, 15> identityReply{};  // the last answer to the identity request
};

// Everything that lives for a whole run of the editor or of a command-line session:
// the open Sets, the instrument's preset names, the program's data folders and the
// MIDI header. Owned by the app or the CLI and passed by reference; there are no
// mutable globals.
struct Workspace {
  OpenSets sets;
  PresetTables presets;
  BlankRecords blanks;
  EditRecords edits;
  Settings settings;
  DataLocations data;
  std::filesystem::path templateSet;  // the empty template Set, without extension
  std::array<std::uint8_t, 6> sysExHeader = kDefaultSysExHeader;
  MidiState midi;
  SessionLog log;
};

}  // namespace i40
