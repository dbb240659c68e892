#include "jack_watch.h"

#ifdef I40_HAVE_JACK
#include <jack/jack.h>
#endif

namespace i40::midi {

#ifdef I40_HAVE_JACK
namespace {

void Quiet(const char*) {}

}  // namespace

std::unique_ptr<JackWatch> JackWatch::Start() {
  // libjack writes to the terminal when a server goes away; the editor says it itself.
  jack_set_error_function(Quiet);
  jack_set_info_function(Quiet);
  jack_status_t status{};
  jack_client_t* client = jack_client_open("i40seted-watch", JackNoStartServer, &status);
  if (client == nullptr) return nullptr;
  std::unique_ptr<JackWatch> watch(new JackWatch);
  watch->client_ = client;
  jack_on_shutdown(client, &JackWatch::OnShutdown, watch.get());
  if (jack_activate(client) != 0) return nullptr;
  return watch;
}

void JackWatch::OnShutdown(void* self) {
  static_cast<JackWatch*>(self)->stopped_.store(true);
}

JackWatch::~JackWatch() {
  if (client_ != nullptr) jack_client_close(static_cast<jack_client_t*>(client_));
}
#else
std::unique_ptr<JackWatch> JackWatch::Start() {
  return nullptr;
}

JackWatch::~JackWatch() = default;

void JackWatch::OnShutdown(void*) {}
#endif

}  // namespace i40::midi
