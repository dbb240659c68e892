#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace i40::test {

// An instrument stand-in of the tests' own behind two JACK MIDI ports ("<name>:in",
// "<name>:out"), written against libjack itself: it gathers a System Exclusive message
// from however many JACK events carry it, answers the Universal Identity Request as a
// Korg i40-family instrument and every Korg dump with the acknowledgement (or not), may
// send junk before each answer, and may vanish at any moment.
class JackStandIn {
 public:
  struct Config {
    int channel = 0;
    std::uint8_t family = 0x4D;
    // The dump (counted from 1) that is answered with "not acknowledged"; 0: none.
    int notAcknowledged = 0;
    // Sent before every answer, one JACK event each.
    std::vector<std::vector<std::uint8_t>> junk;
    // The JACK server to join; empty for the default one.
    std::string server;
  };

  JackStandIn(const std::string& name, Config config);
  ~JackStandIn();
  JackStandIn(const JackStandIn&) = delete;
  JackStandIn& operator=(const JackStandIn&) = delete;

  // Every complete System Exclusive message received, in order (as the stand-in
  // gathered it), and every other event's bytes as they came.
  std::vector<std::vector<std::uint8_t>> Received();
  // All bytes received so far.
  std::size_t BytesReceived() const { return bytes_.load(); }
  // The ports go away at once, as an instrument that is switched off.
  void Vanish();
  // Its server has gone: nothing is asked of libjack any more.
  void Abandon() { client_ = nullptr; }

  // What the stand-in sends before its answers in the junk tests: a note on, clock,
  // active sensing, a cut-off SysEx, another maker's SysEx, an overlong Korg SysEx.
  static std::vector<std::vector<std::uint8_t>> Junk();

 private:
  static int Process(std::uint32_t frames, void* self);
  void Take(const std::uint8_t* data, std::size_t size);
  void Answer(const std::vector<std::uint8_t>& message);

  Config config_;
  void* client_ = nullptr;
  void* in_ = nullptr;
  void* out_ = nullptr;
  std::mutex mutex_;
  std::vector<std::uint8_t> gathering_;
  bool inSysEx_ = false;
  std::vector<std::vector<std::uint8_t>> received_;
  std::vector<std::vector<std::uint8_t>> outgoing_;
  int dumps_ = 0;
  std::atomic<std::size_t> bytes_{0};
};

}  // namespace i40::test
