#include "sysex/midi_exchange.h"

#include <cmath>

#include "sysex/seven_bit.h"

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
  const SendOutcome outcome = port.SendSysEx(message);
  if (outcome.error) {
    Report(prompter, *outcome.error);
    return false;
  }
  return true;
}

std::string SendProgressText(std::size_t sent, std::size_t total, double secondsLeft) {
  const auto seconds = static_cast<long>(std::ceil(std::max(secondsLeft, 0.0) - 1e-9));
  return std::to_string(sent) + " of " + std::to_string(total) + " bytes, about " +
         std::to_string(seconds) + " s left";
}

SendOutcome SendDump(Workspace& ws, MidiPort& port, Prompter& prompter,
                     std::span<const std::uint8_t> message, const std::string& what) {
  const std::size_t total = message.size();
  prompter.BeginCancellableProgress("Sending " + what + " to the Korg-i...",
                                    SendProgressText(0, total, port.TransferSeconds(total)), 0,
                                    static_cast<double>(total));
  const SendOutcome outcome = port.SendSysEx(message, [&](std::size_t sent, std::size_t all) {
    return prompter.UpdateCancellableProgress(
        static_cast<double>(sent), SendProgressText(sent, all, port.TransferSeconds(all - sent)));
  });
  prompter.EndProgress();
  if (outcome.error) {
    Report(prompter, *outcome.error);
  } else if (outcome.cancelled) {
    ws.log.WriteLine("Cancelled after " + std::to_string(outcome.sent) + " of " +
                     std::to_string(total) + " bytes");
  }
  return outcome;
}

bool IsIdentityReply(std::span<const std::uint8_t> m) {
  return m.size() == 15 && m[0] == 0xF0 && m[1] == 0x7E && m[3] == 0x06 && m[4] == 0x02 &&
         m[14] == 0xF7;
}

bool IsDumpAnswer(std::span<const std::uint8_t> m, int channel) {
  return m.size() == 6 && m[0] == 0xF0 && m[1] == 0x42 && m[2] == 0x30 + (channel & 0x0F) &&
         m[5] == 0xF7;
}

std::optional<std::vector<std::uint8_t>> ReceiveSysEx(Workspace& ws, MidiPort& port,
                                                      Prompter& prompter,
                                                      const MessageTest& awaited,
                                                      std::size_t expected) {
  const double timeout = static_cast<double>(expected) / 3000.0 + 1.0;
  auto reply = port.Receive(awaited, timeout, [&ws](std::span<const std::uint8_t> other) {
    ws.log.WriteLine(
        "Ignored while waiting: " + HexBytes(other.first(std::min<std::size_t>(other.size(), 16))) +
        (other.size() > 16 ? "... (" + std::to_string(other.size()) + " bytes)" : ""));
  });
  if (port.Cancelled()) return std::nullopt;
  if (const auto error = port.ReceiveError()) {
    Report(prompter, *error);
    return std::nullopt;
  }
  if (!reply) {
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
