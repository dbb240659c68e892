#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/file_ops.h"
#include "host/midi_port.h"
#include "host/prompter.h"
#include "session/workspace.h"

// A kind's data of one Set as a single Korg System Exclusive message: the header with
// the instrument's channel and model, the kind's function byte, a Style block number or
// the Backing Sequence size, the body packed to 7 bits, and F7.
namespace i40 {

// The unpacked body: each record in its file layout without the file header. Empty for
// the Song kind, which holds no data here. `styleBlock` (0-3) chooses the four Styles.
std::vector<std::uint8_t> DumpBody(const FileSet& set, Kind kind, int styleBlock);

// The whole message, or nothing when the body is empty.
std::optional<std::vector<std::uint8_t>> DumpMessage(const std::array<std::uint8_t, 6>& header,
                                                     const FileSet& set, Kind kind, int styleBlock);

// Why a kind's dump of a Set cannot be made: Backing Sequences whose size the dump cannot
// carry, a Style Block over its capacity. Nothing when it can.
std::optional<std::string> DumpRefusal(const FileSet& set, Kind kind, int styleBlock = 0);

// Whether a kind has data to dump: the Songs hold none here.
bool HasDump(Kind kind);

// What a dump carries, as the user knows it: "Programs", "Style Block 2" (blocks count
// from 0 here, from 1 where shown), "Arrangement Global".
std::string DumpName(Kind kind, int styleBlock);

// The instrument a search found, by the model byte of its reply: "iS40" or "iS50".
std::string ModelName(std::uint8_t model);

// The question before a dump leaves: what is sent and, for a transfer of more than three
// seconds, how long it takes.
Message SendConfirmation(const std::string& what, double seconds);

// Sends the dump of a kind to the instrument and checks its acknowledgement, or saves it
// as a ".SYX" file. True when the instrument acknowledged it or the file was written.
bool DumpMidi(Workspace& ws, Prompter& prompter, MidiPort* port, SetSlot slot, Kind kind,
              int styleBlock, bool toFile, FileOps& ops = RealFileOps());

// Send to the instrument (a Set window's Utilities menu, the Global dialogs): with no
// instrument found so far the MIDI setup comes first, and the dump goes only when it
// found one.
bool SendToInstrument(Workspace& ws, Prompter& prompter, MidiPort* port, SetSlot slot, Kind kind,
                      int styleBlock);

bool SaveSysExFile(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                   const std::vector<std::uint8_t>& message, FileOps& ops = RealFileOps());

// The MIDI setup's search: a Universal Identity Request, then the channel and model of
// a Korg i40-family instrument taken into the SysEx header, and a test note.
bool SearchInstrument(Workspace& ws, Prompter& prompter, MidiPort& port);

inline constexpr std::array<std::uint8_t, 6> kIdentityRequest = {0xF0, 0x7E, 0x7F,
                                                                 0x06, 0x01, 0xF7};

}  // namespace i40
