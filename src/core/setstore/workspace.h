#pragma once

#include <array>
#include <cstdint>

#include "setstore/blank_records.h"
#include "setstore/data_locations.h"
#include "setstore/edit_records.h"
#include "setstore/open_sets.h"
#include "setstore/preset_tables.h"
#include "setstore/session_log.h"
#include "setstore/settings.h"
#include "setstore/vocabulary.h"

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
