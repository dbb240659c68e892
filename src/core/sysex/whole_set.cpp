#include "sysex/whole_set.h"

#include <cmath>

#include "format/style_blocks.h"
#include "sysex/dump.h"
#include "sysex/midi_exchange.h"
#include "sysex/midi_setup.h"
#include "sysex/seven_bit.h"

namespace i40 {
namespace {

bool BlockHoldsAStyle(const StyleData& styles, int block) {
  for (int s = block * kStylesPerBlock; s < (block + 1) * kStylesPerBlock; ++s) {
    if (styles.slots[static_cast<std::size_t>(s)].present != 0) return true;
  }
  return false;
}

// A MIDI error within the line that names where the transfer stopped.
std::string OneLine(const MidiError& error) {
  return std::string(error.output ? "MIDI Output error: " : "MIDI Input error: ") +
         error.driverText;
}

std::string JoinedNames(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names)
    text += (text.empty() ? "" : ", ") + name;
  return text;
}

// How a whole-Set transfer stands, for its progress window.
struct WholeProgress {
  Prompter& prompter;
  MidiPort& port;
  const std::vector<PlannedDump>& dumps;
  std::size_t doneBytes = 0;  // of the dumps before the one under way

  bool Tell(std::size_t index, std::size_t sent) {
    const PlannedDump& dump = dumps[index];
    double secondsLeft = port.TransferSeconds(dump.message.size() - sent);
    for (std::size_t later = index + 1; later < dumps.size(); ++later)
      secondsLeft += port.TransferSeconds(dumps[later].message.size());
    const std::string label = "dump " + std::to_string(index + 1) + " of " +
                              std::to_string(dumps.size()) + ": " + dump.what + ", " +
                              SendProgressText(sent, dump.message.size(), secondsLeft);
    return prompter.UpdateCancellableProgress(static_cast<double>(doneBytes + sent), label);
  }
};

}  // namespace

std::vector<PlannedDump> WholeSetDumps(const Workspace& ws, SetSlot slot,
                                       std::vector<std::string>& refusals) {
  const FileSet& set = ws.sets.Files(slot);
  std::vector<std::pair<Kind, int>> order = {
      {Kind::Global, 0}, {Kind::ArrangementGlobal, 0}, {Kind::Program, 0}};
  for (int block = 0; block < kStyleBlockCount; ++block) {
    if (BlockHoldsAStyle(set.styles, block)) order.emplace_back(Kind::Style, block);
  }
  order.insert(order.end(),
               {{Kind::Arrangement, 0}, {Kind::KbdSet, 0}, {Kind::BackingSequence, 0}});
  std::vector<PlannedDump> dumps;
  for (const auto& [kind, block] : order) {
    if (const auto refusal = DumpRefusal(set, kind, block)) {
      refusals.push_back(*refusal);
      continue;
    }
    auto message = DumpMessage(ws.sysExHeader, set, kind, block);
    if (message) dumps.push_back({kind, block, DumpName(kind, block), std::move(*message)});
  }
  return dumps;
}

bool SendWholeSet(Workspace& ws, Prompter& prompter, MidiPort* port, SetSlot slot) {
  if (port == nullptr) {
    prompter.Ask({"No MIDI driver is present", "", MessageIcon::Exclamation, MessageButtons::Ok,
                  Answer::Ok});
    return false;
  }
  const std::string name = ws.sets.Entry(slot).Name;
  // Every dump is made before anything leaves: a Set the instrument cannot take whole is
  // not sent in part.
  std::vector<std::string> refusals;
  WholeSetDumps(ws, slot, refusals);
  if (!refusals.empty()) {
    std::string text = "The Set " + name + " cannot be sent:";
    for (const std::string& refusal : refusals)
      text += "\n" + refusal;
    prompter.ShowWarning(text);
    return false;
  }
  if (!ws.midi.instrumentFound && !ShowMidiSetup(ws, prompter, *port)) return false;
  // The search set the channel and model of every dump: built anew with them.
  const std::vector<PlannedDump> dumps = WholeSetDumps(ws, slot, refusals);
  if (!OpenMidiDevices(ws, *port, prompter)) {
    CloseMidiDevices(*port);
    return false;
  }
  std::size_t totalBytes = 0;
  double seconds = 0;
  for (const PlannedDump& dump : dumps) {
    totalBytes += dump.message.size();
    seconds += port->TransferSeconds(dump.message.size());
  }
  if (prompter.Ask(SendConfirmation("the whole Set " + name, seconds)) != Answer::Ok) {
    CloseMidiDevices(*port);
    return false;
  }

  prompter.BeginCancellableProgress("Sending " + name + " to the Korg-i...", "", 0,
                                    static_cast<double>(totalBytes));
  WholeProgress progress{prompter, *port, dumps};
  std::vector<std::string> acknowledged;
  std::string stoppedAt;
  std::string reason;
  bool cancelled = false;
  const int channel = ws.sysExHeader[2] & 0x0F;
  for (std::size_t i = 0; i < dumps.size() && stoppedAt.empty() && !cancelled; ++i) {
    const PlannedDump& dump = dumps[i];
    const SendOutcome sent = port->SendSysEx(
        dump.message, [&](std::size_t bytes, std::size_t) { return progress.Tell(i, bytes); });
    if (sent.cancelled) {
      ws.log.WriteLine("Cancelled after " + std::to_string(progress.doneBytes + sent.sent) +
                       " of " + std::to_string(totalBytes) + " bytes");
      cancelled = true;
      break;
    }
    if (sent.error) {
      stoppedAt = dump.what;
      reason = OneLine(*sent.error);
      break;
    }
    progress.doneBytes += dump.message.size();
    const auto reply = port->Receive(
        [channel](std::span<const std::uint8_t> m) { return IsDumpAnswer(m, channel); },
        6.0 / 3000.0 + 1.0,
        [&ws](std::span<const std::uint8_t> other) {
          ws.log.WriteLine("Ignored while waiting: " +
                           HexBytes(other.first(std::min<std::size_t>(other.size(), 16))));
        });
    if (port->Cancelled()) {
      cancelled = true;
    } else if (const auto error = port->ReceiveError()) {
      stoppedAt = dump.what;
      reason = OneLine(*error);
    } else if (!reply) {
      stoppedAt = dump.what;
      reason = "No reply from Korg-i";
    } else if (!ReplyMatchesHeader(*reply, ws.sysExHeader)) {
      stoppedAt = dump.what;
      reason = "No ACK from Korg-i";
      ws.log.WriteLine("(InqRep= " + HexBytes(ws.midi.identityReply) + ")");
      ws.log.WriteLine("DumpMidi => devRep= " + HexBytes(*reply));
      const std::uint8_t endOfExclusive[] = {0xF7};
      port->SendShort(endOfExclusive);
    } else {
      acknowledged.push_back(dump.what);
    }
  }
  prompter.EndProgress();
  CloseMidiDevices(*port);
  if (!stoppedAt.empty()) {
    prompter.ShowWarning("Sending stopped at " + stoppedAt + ": " + reason + "\n" +
                         (acknowledged.empty()
                              ? "Nothing was acknowledged."
                              : "Acknowledged before it: " + JoinedNames(acknowledged)));
    return false;
  }
  if (cancelled) return false;
  prompter.ShowOutcome(name + " sent to the " + ModelName(ws.sysExHeader[3]) + ": " +
                       std::to_string(acknowledged.size()) + " dumps acknowledged");
  return true;
}

}  // namespace i40
