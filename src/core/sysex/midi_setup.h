#pragma once

#include <string>
#include <vector>

#include "host/midi_port.h"
#include "host/prompter.h"
#include "session/workspace.h"

// Choosing the MIDI devices for the rest of the run and finding the instrument on them.
namespace i40 {

// The entry a device list opens on: the last whose name says "i40", "iS40" or "iS50" (any
// case), never the dry run; else the first.
int PreselectedDevice(const std::vector<std::string>& names);

// The MIDI setup: the port's devices listed ("No MIDI driver is present" first when there
// is no real one, and only the dry run is offered), then on OK the chosen pair opened,
// the instrument searched for, and closed. True when the instrument was found; the search
// is forgotten on every setup and on Cancel.
bool ShowMidiSetup(Workspace& ws, Prompter& prompter, MidiPort& port);

}  // namespace i40
