#include "sysex/dump.h"

#include <algorithm>
#include <cmath>

#include "format/bsq_file.h"
#include "format/component_io.h"
#include "format/set_paths.h"
#include "format/style_blocks.h"
#include "sysex/midi_exchange.h"
#include "sysex/midi_setup.h"
#include "sysex/seven_bit.h"

namespace i40 {
namespace {

void Append(std::vector<std::uint8_t>& to, std::span<const std::uint8_t> bytes) {
  to.insert(to.end(), bytes.begin(), bytes.end());
}

void AppendLe(std::vector<std::uint8_t>& to, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    to.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The table of the block's four entries (offset and length each), then the four Styles:
// record and event data. An erased Style holds no data in memory but its length counts
// 1106 bytes of it, so the data is filled out with zeros as in the file; an absent slot
// has no bytes at all.
std::vector<std::uint8_t> StyleBlockBody(const StyleData& styles, int block) {
  std::vector<std::uint8_t> body;
  std::uint32_t offset = 0;
  const int first = block * kStylesPerBlock;
  for (int s = first; s < first + kStylesPerBlock; ++s) {
    const StyleSlot& slot = styles.slots[static_cast<std::size_t>(s)];
    AppendLe(body, offset, 4);
    AppendLe(body, static_cast<std::uint32_t>(slot.length), 2);
    offset += static_cast<std::uint32_t>(slot.length);
  }
  body.resize(body.size() + 8, 0);
  for (int s = first; s < first + kStylesPerBlock; ++s) {
    const StyleSlot& slot = styles.slots[static_cast<std::size_t>(s)];
    if (slot.present == 0 || slot.length < 70) continue;
    Append(body, slot.record.bytes);
    std::vector<std::uint8_t> data = slot.data;
    data.resize(static_cast<std::size_t>(slot.length) - 70, 0);
    Append(body, data);
  }
  return body;
}

int BsqUnits(const FileSet& set) {
  return BsqTotalUnits(set.backingSequences);
}

// A send that reached its end; a stop or an error has been dealt with.
bool DumpSent(const SendOutcome& outcome) {
  return !outcome.error && !outcome.cancelled;
}

}  // namespace

std::vector<std::uint8_t> DumpBody(const FileSet& set, Kind kind, int styleBlock) {
  std::vector<std::uint8_t> body;
  switch (kind) {
    case Kind::Arrangement:
      for (const auto& r : set.arrangements.records)
        Append(body, r.bytes);
      break;
    case Kind::Style:
      body = StyleBlockBody(set.styles, std::clamp(styleBlock, 0, kStyleBlockCount - 1));
      break;
    case Kind::Program:
      for (const auto& r : set.programs.records)
        Append(body, r.bytes);
      for (const auto& kit : set.programs.drumKitData)
        Append(body, kit);
      break;
    case Kind::BackingSequence: {
      const auto file = WriteBsqFile(set.backingSequences);
      body.assign(file.begin() + BsqData::kHeaderSize, file.end());
      break;
    }
    case Kind::KbdSet:
      for (const auto& r : set.kbdSets.records)
        Append(body, r.bytes);
      break;
    case Kind::ArrangementGlobal:
      Append(body, set.arrangementGlobal.record);
      break;
    case Kind::Global:
      Append(body, set.global.record);
      break;
    default:
      break;
  }
  return body;
}

std::optional<std::vector<std::uint8_t>> DumpMessage(const std::array<std::uint8_t, 6>& header,
                                                     const FileSet& set, Kind kind,
                                                     int styleBlock) {
  const std::vector<std::uint8_t> body = DumpBody(set, kind, styleBlock);
  if (body.empty()) return std::nullopt;
  std::vector<std::uint8_t> message(header.begin(), header.begin() + 4);
  message.push_back(static_cast<std::uint8_t>(KindSysExFunction(kind)));
  if (kind == Kind::Style)
    message.push_back(static_cast<std::uint8_t>(std::clamp(styleBlock, 0, 3)));
  if (kind == Kind::BackingSequence) {
    const int units = BsqUnits(set);
    message.push_back(static_cast<std::uint8_t>(units % 128));
    message.push_back(static_cast<std::uint8_t>(units / 128));
  }
  PackSevenBit(body, message);
  message.push_back(0xF7);
  return message;
}

std::optional<std::string> DumpRefusal(const FileSet& set, Kind kind, int styleBlock) {
  if (kind == Kind::Style) {
    const int block = std::clamp(styleBlock, 0, kStyleBlockCount - 1);
    const int free = FreeEventsOfBlock(set.styles, block);
    if (free >= 0) return std::nullopt;
    return "Style Block " + std::to_string(block + 1) + " is " + std::to_string(-free) +
           " events over its capacity; the instrument cannot take it.";
  }
  if (kind != Kind::BackingSequence) return std::nullopt;
  // The size travels as two 7-bit bytes: 16,383 units at most. A full memory is not
  // "larger" than the instrument's, it is one unit more than a dump can say.
  const int units = BsqUnits(set);
  if (units == kBsqMemoryUnits) {
    return "The Backing Sequences fill all 16,384 units of the instrument's memory; a dump can "
           "carry at most 16,383.";
  }
  if (units > kBsqMemoryUnits)
    return "The Backing Sequences are larger than the instrument's memory.";
  return std::nullopt;
}

bool HasDump(Kind kind) {
  return kind != Kind::Song && KindIndex(kind) >= 0 && KindIndex(kind) < 8;
}

std::string DumpName(Kind kind, int styleBlock) {
  static constexpr const char* kNames[] = {"Arrangements",       "Styles", "Programs",
                                           "Backing Sequences",  "Songs",  "KBD Sets",
                                           "Arrangement Global", "Global"};
  if (kind == Kind::Style) return "Style Block " + std::to_string(std::clamp(styleBlock, 0, 3) + 1);
  const int index = KindIndex(kind);
  return index >= 0 && index < 8 ? kNames[index] : std::string(KindName(kind));
}

std::string ModelName(std::uint8_t model) {
  return model == 0x39 ? "iS50" : "iS40";
}

Message SendConfirmation(const std::string& what, double seconds) {
  // Whole seconds, rounded up: a transfer is never shorter than announced.
  const auto shown = static_cast<long>(std::ceil(seconds - 1e-9));
  std::string text = "Send " + what + " to the Korg-i?";
  if (shown > 3) text += "\n\nTransmission time = " + std::to_string(shown) + " s";
  return {text, "", MessageIcon::None, MessageButtons::OkCancel, Answer::Ok};
}

bool SaveSysExFile(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                   const std::vector<std::uint8_t>& message, FileOps& ops) {
  FileRequest request;
  request.title = kind == Kind::Style ? "Save current Style Block to SysEx File..."
                                      : "Save " + std::string(KindName(kind)) + " to SysEx File...";
  request.initialDir = ws.sets.Entry(slot).Dir;
  request.defaultExt = ".SYX";
  request.initialName = "*.SYX";
  request.filters = {{"SysEx (*.SYX)", "*.SYX"}};
  const auto chosen = prompter.ChooseSaveFile(request);
  if (!chosen) return false;
  if (ops.Exists(*chosen)) {
    const Message question{"Overwrite existing file?", "", MessageIcon::Question,
                           MessageButtons::YesNo, Answer::No};
    if (prompter.Ask(question) != Answer::Yes) return false;
  }
  // The old file goes only when the new one is complete.
  if (ReplaceFileAtomically(ops, *chosen, message)) {
    prompter.ShowError("Error saving SysEx data to file " + PathText(*chosen));
    return false;
  }
  const int block = kind == Kind::Style && message.size() > 5 ? message[5] : 0;
  prompter.ShowOutcome(DumpName(kind, block) + " saved as SysEx file " + PathText(*chosen));
  return true;
}

bool SendToInstrument(Workspace& ws, Prompter& prompter, MidiPort* port, SetSlot slot, Kind kind,
                      int styleBlock) {
  if (port == nullptr) {
    // A program without a MIDI layer (a command that only writes files).
    prompter.Ask({"No MIDI driver is present", "", MessageIcon::Exclamation, MessageButtons::Ok,
                  Answer::Ok});
    return false;
  }
  if (!ws.midi.instrumentFound && !ShowMidiSetup(ws, prompter, *port)) return false;
  return DumpMidi(ws, prompter, port, slot, kind, styleBlock, false);
}

bool DumpMidi(Workspace& ws, Prompter& prompter, MidiPort* port, SetSlot slot, Kind kind,
              int styleBlock, bool toFile, FileOps& ops) {
  const FileSet& set = ws.sets.Files(slot);
  if (const auto refusal = DumpRefusal(set, kind, styleBlock)) {
    prompter.ShowWarning(*refusal);
    return false;
  }
  const auto message = DumpMessage(ws.sysExHeader, set, kind, styleBlock);
  if (!message) {
    prompter.Ask({"Temp file error", "", MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok});
    return false;
  }
  if (toFile) return SaveSysExFile(ws, prompter, slot, kind, *message, ops);
  if (port == nullptr) return false;

  bool acknowledged = false;
  const std::string what = DumpName(kind, styleBlock);
  if (OpenMidiDevices(ws, *port, prompter)) {
    const bool go =
        prompter.Ask(SendConfirmation(what, port->TransferSeconds(message->size()))) == Answer::Ok;
    if (go && DumpSent(SendDump(ws, *port, prompter, *message, what))) {
      const int channel = ws.sysExHeader[2] & 0x0F;
      const auto reply = ReceiveSysEx(
          ws, *port, prompter,
          [channel](std::span<const std::uint8_t> m) { return IsDumpAnswer(m, channel); }, 6);
      if (!reply && port->Cancelled()) {
        // Stopped by the user: nothing more to say.
      } else if (!reply) {
        prompter.Ask(
            {"No reply from Korg-i", "", MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok});
      } else if (ReplyMatchesHeader(*reply, ws.sysExHeader)) {
        acknowledged = true;
        prompter.ShowOutcome(what + " sent to the " + ModelName(ws.sysExHeader[3]) +
                             " and acknowledged");
      } else {
        prompter.Ask(
            {"No ACK from Korg-i", "", MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok});
        ws.log.WriteLine("(InqRep= " + HexBytes(ws.midi.identityReply) + ")");
        ws.log.WriteLine("DumpMidi => devRep= " + HexBytes(*reply));
        const std::uint8_t endOfExclusive[] = {0xF7};
        port->SendShort(endOfExclusive);
      }
    }
  }
  CloseMidiDevices(*port);
  return acknowledged;
}

bool SearchInstrument(Workspace& ws, Prompter& prompter, MidiPort& port) {
  auto& reply = ws.midi.identityReply;
  bool found = false;
  if (SendSysEx(port, prompter, kIdentityRequest)) {
    if (const auto answer = ReceiveSysEx(ws, port, prompter, IsIdentityReply, reply.size())) {
      std::copy(answer->begin(), answer->end(), reply.begin());
      if (reply[5] != 0x42) {
        prompter.ShowError("No Korg instrument found");
      } else if (reply[6] != 0x4D && reply[6] != 0x39) {
        prompter.ShowError("Korg-i not found");
      } else {
        found = true;
      }
    }
  }
  if (!found) {
    ws.log.WriteLine("(InqRep= " + HexBytes(reply) + ")");
    return false;
  }
  // The channel is a MIDI channel (0-15) whatever else the byte holds.
  ws.midi.instrumentChannel = reply[2] & 0x0F;
  ws.sysExHeader[2] = static_cast<std::uint8_t>(0x30 + ws.midi.instrumentChannel);
  ws.sysExHeader[3] = reply[6];
  PlayNote(ws, port, 60, 80, 1);
  ws.midi.instrumentFound = true;
  return true;
}

}  // namespace i40
