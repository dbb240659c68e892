#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "host/midi_port.h"

namespace i40 {

// Where the packets of a message go, one call each, in order; an error stops the send.
using PacketSink = std::function<std::optional<MidiError>(std::span<const std::uint8_t> packet)>;

// How a device takes a System Exclusive message.
struct PacketRules {
  MidiPace pace;
  // The device takes the message only whole, and its send returns once the bytes are out
  // (Windows MM): one packet, and no pacing of ours.
  bool whole = false;
  // The largest packet the device carries; 0 for no limit of its own.
  std::size_t maxPacket = 0;
};

// The calling thread hears of the progress at least this often.
inline constexpr int kProgressSliceMs = 20;

// The packet sizes a message leaves in.
std::size_t PacketSize(const PacketRules& rules, std::size_t messageSize);

// Sends a message through the sink on a thread of its own, packet by packet, never
// faster than the pace, with the pause between packets. The calling thread waits for it,
// asking `progress` every kProgressSliceMs at most, so a desktop keeps painting. A false
// from `progress` lets the packet under way finish, sends nothing more of the message,
// and closes it with a lone F7, so that the instrument does not wait for the rest.
SendOutcome SendInPackets(std::span<const std::uint8_t> message, const PacketRules& rules,
                          const PacketSink& sink, const SendProgress& progress);

}  // namespace i40
