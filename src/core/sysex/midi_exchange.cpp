#include "sysex/midi_exchange.h"

namespace i40 {
namespace {

void Report(Prompter& prompter, const MidiError& error) {
  prompter.Ask({MidiErrorText(error), "", MessageIcon::Critical, MessageButtons::Ok, Answer::Ok});
}

}  // namespace

std::string MidiErrorText(const MidiError& error) {
  return std::string(error.output ? "MIDI Output error: " : "MIDI Input error: ") + "\n" +
         error.driverText;
}

bool OpenMidiDevices(Workspace& ws, MidiPort& port, Prompter& prompter) {
  if (const auto error = port.Open(ws.midi.outputDevice, ws.midi.inputDevice)) {
    Report(prompter, *error);
    return false;
  }
  return true;
}

void CloseMidiDevices(MidiPort& port) {
  port.Close();
}

bool SendSysEx(MidiPort& port, Prompter& prompter, std::span<const std::uint8_t> message) {
  if (const auto error = port.SendSysEx(message)) {
    Report(prompter, *error);
    return false;
  }
  return true;
}

std::optional<std::vector<std::uint8_t>> ReceiveSysEx(MidiPort& port, Prompter& prompter,
                                                      std::size_t expected) {
  const double timeout = static_cast<double>(expected) / 3000.0 + 1.0;
  auto reply = port.Receive(expected, timeout);
  if (port.Cancelled()) return std::nullopt;
  if (!reply || reply->size() != expected) {
    prompter.Ask(
        {"Receive Time-Out error", "", MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok});
    return std::nullopt;
  }
  return reply;
}

void PlayNote(Workspace& ws, MidiPort& port, std::uint8_t note, std::uint8_t velocity,
              double seconds) {
  const auto channel = static_cast<std::uint8_t>(ws.midi.instrumentChannel & 0x0F);
  port.Pause(seconds);
  const std::uint8_t on[] = {static_cast<std::uint8_t>(0x90 | channel), note, velocity};
  port.SendShort(on);
  port.Pause(seconds);
  const std::uint8_t off[] = {static_cast<std::uint8_t>(0x80 | channel), note, 64};
  port.SendShort(off);
}

}  // namespace i40
