#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "session/workspace.h"
#include "ui/midi_port.h"
#include "ui/prompter.h"

// The steps of every exchange with the instrument, each reporting its own failures:
// open the chosen devices, send, wait for a reply of known length, close.
namespace i40 {

bool OpenMidiDevices(Workspace& ws, MidiPort& port, Prompter& prompter);
void CloseMidiDevices(MidiPort& port);
bool SendSysEx(MidiPort& port, Prompter& prompter, std::span<const std::uint8_t> message);
// Waits expected / 3000 + 1 seconds at most; "Receive Time-Out error" when nothing came.
std::optional<std::vector<std::uint8_t>> ReceiveSysEx(MidiPort& port, Prompter& prompter,
                                                      std::size_t expected);
// A test note on the instrument's channel: a pause, note on, a pause, note off.
void PlayNote(Workspace& ws, MidiPort& port, std::uint8_t note, std::uint8_t velocity,
              double seconds);

// "MIDI Output error: " or "MIDI Input error: ", a line break and the driver's text.
std::string MidiErrorText(const MidiError& error);

}  // namespace i40
