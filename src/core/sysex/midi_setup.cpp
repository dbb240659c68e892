#include "sysex/midi_setup.h"

#include <algorithm>

#include "sysex/dump.h"
#include "sysex/midi_exchange.h"
#include "util/ascii.h"

namespace i40 {
namespace {

bool IsDryRun(const std::string& name) {
  return name == kDryRunPortName;
}

bool RealDeviceIn(const std::vector<std::string>& names) {
  return std::any_of(names.begin(), names.end(), [](const auto& n) { return !IsDryRun(n); });
}

}  // namespace

int PreselectedDevice(const std::vector<std::string>& names) {
  int chosen = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (IsDryRun(names[i])) continue;
    for (const char* model : {"i40", "iS40", "iS50"}) {
      if (ContainsIgnoringAsciiCase(names[i], model)) chosen = static_cast<int>(i);
    }
  }
  return chosen;
}

bool ShowMidiSetup(Workspace& ws, Prompter& prompter, MidiPort& port) {
  ws.midi.instrumentFound = false;
  MidiSetupRequest request{port.OutputNames(), port.InputNames(), 0, 0};
  if (!RealDeviceIn(request.outputs) || !RealDeviceIn(request.inputs)) {
    prompter.Ask({"No MIDI driver is present", "", MessageIcon::Exclamation, MessageButtons::Ok,
                  Answer::Ok});
  }
  if (request.outputs.empty() || request.inputs.empty()) return false;
  request.output = PreselectedDevice(request.outputs);
  request.input = PreselectedDevice(request.inputs);
  const auto devices = prompter.ChooseMidiDevices(request);
  if (!devices) return false;
  ws.midi.outputDevice = devices->output;
  ws.midi.inputDevice = devices->input;
  if (OpenMidiDevices(ws, port, prompter)) SearchInstrument(ws, prompter, port);
  CloseMidiDevices(port);
  port.Pause(0.2);
  return ws.midi.instrumentFound;
}

}  // namespace i40
