#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/midi_port.h"
#include "host/prompter.h"
#include "session/workspace.h"

// The steps of every exchange with the instrument, each reporting its own failures:
// open the chosen devices, send, wait for a reply of a known form, close.
namespace i40 {

bool OpenMidiDevices(Workspace& ws, MidiPort& port, Prompter& prompter);
void CloseMidiDevices(MidiPort& port);
// A short System Exclusive message (the identity request).
bool SendSysEx(MidiPort& port, Prompter& prompter, std::span<const std::uint8_t> message);

// A dump, at the port's pace, with a progress window that the person may stop: "Sending
// WHAT to the Korg-i..." and "N of M bytes, about S s left". A stop is written to the log
// ("Cancelled after N of M bytes") and said nowhere else; an error is reported.
SendOutcome SendDump(Workspace& ws, MidiPort& port, Prompter& prompter,
                     std::span<const std::uint8_t> message, const std::string& what);

// The progress window's line: "N of M bytes, about S s left".
std::string SendProgressText(std::size_t sent, std::size_t total, double secondsLeft);

// The forms of the messages an exchange waits for; anything else that comes is logged
// and ignored. An identity reply of any maker (the search judges it); the instrument's
// 6-byte answer to a dump on its MIDI channel (acknowledgement or not).
bool IsIdentityReply(std::span<const std::uint8_t> message);
bool IsDumpAnswer(std::span<const std::uint8_t> message, int channel);

// Waits expected / 3000 + 1 seconds at most for a message of the awaited form; "Receive
// Time-Out error" when none came. Every other message is written to the log.
std::optional<std::vector<std::uint8_t>> ReceiveSysEx(Workspace& ws, MidiPort& port,
                                                      Prompter& prompter,
                                                      const MessageTest& awaited,
                                                      std::size_t expected);
// A test note on the instrument's channel: a pause, note on, a pause, note off.
void PlayNote(Workspace& ws, MidiPort& port, std::uint8_t note, std::uint8_t velocity,
              double seconds);

// "MIDI Output error: " or "MIDI Input error: ", a line break and the driver's text.
std::string MidiErrorText(const MidiError& error);

}  // namespace i40
