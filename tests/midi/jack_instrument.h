#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "simulated_instrument.h"

class RtMidiIn;
class RtMidiOut;

namespace i40::test {

// A simulated Korg-i40 behind two virtual JACK MIDI ports ("<name>:in", "<name>:out"):
// what reaches its input goes to the instrument, and what it answers leaves by its output.
class JackInstrument {
 public:
  explicit JackInstrument(const std::string& name);
  ~JackInstrument();

  // Changed only while nothing is being sent to it.
  midi::SimulatedInstrument::Config& config() { return instrument_.config(); }
  // Every message that came in, in order (System Exclusive and short messages alike).
  std::vector<std::vector<std::uint8_t>> Received();

 private:
  static void OnMessage(double, std::vector<unsigned char>* message, void* self);

  std::mutex mutex_;
  midi::SimulatedInstrument instrument_;
  std::vector<std::vector<std::uint8_t>> received_;
  std::unique_ptr<RtMidiIn> in_;
  std::unique_ptr<RtMidiOut> out_;
};

}  // namespace i40::test
