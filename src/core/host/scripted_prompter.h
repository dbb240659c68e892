#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/prompter.h"

namespace i40 {

// A Prompter that keeps every text it is shown and answers from queues. Used by the
// tests and by the command-line edit sessions. A question asked with an empty answer
// queue gets its default button and is counted as unexpected.
class ScriptedPrompter : public Prompter {
 public:
  struct ProgressStep {
    std::string caption;
    std::string label;
    double value = 0;
  };

  Answer Ask(const Message& message) override;
  std::optional<std::filesystem::path> ChooseOpenFile(const FileRequest& request) override;
  std::optional<std::filesystem::path> ChooseSaveFile(const FileRequest& request) override;
  ItemNumber Pick(const PickRequest& request) override;
  int ChooseFromList(const ListChoice& choice) override;
  std::optional<MidiDevices> ChooseMidiDevices(const MidiSetupRequest& request) override;
  void BeginProgress(const std::string& caption, const std::string& label, double minimum,
                     double maximum) override;
  void SetProgress(double value) override;
  void EndProgress() override;
  void ShowOutcome(const std::string& text) override { outcomes_.push_back(text); }
  void BeginCancellableProgress(const std::string& caption, const std::string& label,
                                double minimum, double maximum) override;
  bool UpdateCancellableProgress(double value, const std::string& label) override;
  // Cancel is pressed at that update of a cancellable progress window (counted from 1).
  void CancelProgressAt(int update) { cancelAt_ = update; }

  void QueueAnswer(Answer answer) { answers_.push_back(answer); }
  // A list choice: the index of the item, -1 for Cancel.
  void QueueChoice(int index) { choices_.push_back(index); }
  // A picker result; -1 stands for Cancel.
  void QueuePick(ItemNumber number) { picks_.push_back(number); }
  // The MIDI setup's answer; nothing stands for Cancel.
  void QueueMidiDevices(std::optional<MidiDevices> devices) { midi_.push_back(devices); }
  // A file dialog result; nothing stands for Cancel.
  void QueueFile(std::optional<std::filesystem::path> file) { files_.push_back(std::move(file)); }

  const std::vector<Message>& messages() const { return messages_; }
  const std::vector<FileRequest>& fileRequests() const { return fileRequests_; }
  const std::vector<PickRequest>& pickRequests() const { return pickRequests_; }
  const std::vector<ListChoice>& listChoices() const { return listChoices_; }
  const std::vector<MidiSetupRequest>& midiSetups() const { return midiSetups_; }
  const std::vector<ProgressStep>& progress() const { return progress_; }
  const std::vector<std::string>& outcomes() const { return outcomes_; }
  bool progressShown() const { return progressShown_; }
  int unexpectedQuestions() const { return unexpected_; }
  std::size_t pendingAnswers() const { return answers_.size(); }

  // Texts of the messages shown so far, in order.
  std::vector<std::string> texts() const;
  // Forgets everything shown and every answer still queued.
  void Clear();

 private:
  std::optional<std::filesystem::path> NextFile(const FileRequest& request);

  std::deque<Answer> answers_;
  std::deque<std::optional<std::filesystem::path>> files_;
  std::deque<ItemNumber> picks_;
  std::deque<int> choices_;
  std::deque<std::optional<MidiDevices>> midi_;
  std::vector<MidiSetupRequest> midiSetups_;
  std::vector<ListChoice> listChoices_;
  std::vector<PickRequest> pickRequests_;
  std::vector<Message> messages_;
  std::vector<FileRequest> fileRequests_;
  std::vector<ProgressStep> progress_;
  std::vector<std::string> outcomes_;
  std::string progressCaption_;
  std::string progressLabel_;
  bool progressShown_ = false;
  int updates_ = 0;
  int cancelAt_ = 0;
  int unexpected_ = 0;
};

}  // namespace i40
