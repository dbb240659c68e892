#pragma once

#include <atomic>
#include <memory>

namespace i40::midi {

// Watches the JACK server through a client of its own: RtMidi says nothing when the
// server stops, so an exchange would otherwise wait for a reply that cannot come.
// libjack's own complaints go to nowhere instead of the terminal.
class JackWatch {
 public:
  // A watch on the server RtMidi would talk to; null when none runs or JACK is not built in.
  static std::unique_ptr<JackWatch> Start();
  ~JackWatch();
  JackWatch(const JackWatch&) = delete;
  JackWatch& operator=(const JackWatch&) = delete;

  bool ServerStopped() const { return stopped_.load(); }

 private:
  JackWatch() = default;
  static void OnShutdown(void* self);

  void* client_ = nullptr;
  std::atomic<bool> stopped_{false};
};

}  // namespace i40::midi
