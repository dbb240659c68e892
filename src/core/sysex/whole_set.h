#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/midi_port.h"
#include "host/prompter.h"
#include "session/workspace.h"

namespace i40 {

// One dump of a whole-Set transfer, built.
struct PlannedDump {
  Kind kind = Kind::Global;
  int styleBlock = 0;
  std::string what;  // as the Send menu names it: "Programs", "Style Block 2"
  std::vector<std::uint8_t> message;
};

// The dumps of a Set in the order the instrument takes them: Global, Arrangement Global,
// Programs, the four Style Blocks, Arrangements, KBD Sets, Backing Sequences. A Style
// Block without a Style holds no data and is left out. What cannot be made goes into
// `refusals`, one line each.
std::vector<PlannedDump> WholeSetDumps(const Workspace& ws, SetSlot slot,
                                       std::vector<std::string>& refusals);

// Utilities > Send Whole Set to Korg-i: with no instrument found yet the MIDI setup comes
// first; then every dump leaves in that order, each acknowledged before the next, under
// one question and one progress window ("Sending NAME to the Korg-i..."). The first
// failure stops it with one message saying where and what was acknowledged before; a
// Cancel ends the dump under way with F7 and sends nothing more. True when every dump
// was acknowledged.
bool SendWholeSet(Workspace& ws, Prompter& prompter, MidiPort* port, SetSlot slot);

}  // namespace i40
