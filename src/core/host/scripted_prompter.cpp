#include "host/scripted_prompter.h"

namespace i40 {

Answer ScriptedPrompter::Ask(const Message& message) {
  messages_.push_back(message);
  if (message.buttons == MessageButtons::Ok) return Answer::Ok;
  if (answers_.empty()) {
    ++unexpected_;
    return message.defaultButton;
  }
  const Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::optional<std::filesystem::path> ScriptedPrompter::NextFile(const FileRequest& request) {
  fileRequests_.push_back(request);
  if (files_.empty()) {
    ++unexpected_;
    return std::nullopt;
  }
  auto file = std::move(files_.front());
  files_.pop_front();
  return file;
}

std::optional<std::filesystem::path> ScriptedPrompter::ChooseOpenFile(const FileRequest& request) {
  return NextFile(request);
}

std::optional<std::filesystem::path> ScriptedPrompter::ChooseSaveFile(const FileRequest& request) {
  return NextFile(request);
}

ItemNumber ScriptedPrompter::Pick(const PickRequest& request) {
  pickRequests_.push_back(request);
  if (picks_.empty()) {
    ++unexpected_;
    return ItemNumber{-1};
  }
  const ItemNumber number = picks_.front();
  picks_.pop_front();
  return number;
}

std::optional<MidiDevices> ScriptedPrompter::ChooseMidiDevices(const MidiSetupRequest& request) {
  midiSetups_.push_back(request);
  if (midi_.empty()) {
    ++unexpected_;
    return std::nullopt;
  }
  const auto devices = midi_.front();
  midi_.pop_front();
  return devices;
}

int ScriptedPrompter::ChooseFromList(const ListChoice& choice) {
  listChoices_.push_back(choice);
  if (choices_.empty()) {
    ++unexpected_;
    return -1;
  }
  const int index = choices_.front();
  choices_.pop_front();
  return index;
}

void ScriptedPrompter::BeginProgress(const std::string& caption, const std::string& label,
                                     double minimum, double /*maximum*/) {
  progressCaption_ = caption;
  progressLabel_ = label;
  progressShown_ = true;
  progress_.push_back({caption, label, minimum});
}

void ScriptedPrompter::SetProgress(double value) {
  progress_.push_back({progressCaption_, progressLabel_, value});
}

void ScriptedPrompter::EndProgress() {
  progressShown_ = false;
}

void ScriptedPrompter::BeginCancellableProgress(const std::string& caption,
                                                const std::string& label, double minimum,
                                                double maximum) {
  updates_ = 0;
  BeginProgress(caption, label, minimum, maximum);
}

bool ScriptedPrompter::UpdateCancellableProgress(double value, const std::string& label) {
  progressLabel_ = label;
  SetProgress(value);
  return cancelAt_ <= 0 || ++updates_ < cancelAt_;
}

std::vector<std::string> ScriptedPrompter::texts() const {
  std::vector<std::string> result;
  result.reserve(messages_.size());
  for (const auto& m : messages_)
    result.push_back(m.text);
  return result;
}

void ScriptedPrompter::Clear() {
  messages_.clear();
  fileRequests_.clear();
  pickRequests_.clear();
  answers_.clear();
  files_.clear();
  picks_.clear();
  choices_.clear();
  listChoices_.clear();
  midi_.clear();
  midiSetups_.clear();
  progress_.clear();
  outcomes_.clear();
  cancelAt_ = 0;
  unexpected_ = 0;
}

}  // namespace i40
