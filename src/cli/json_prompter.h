#pragma once

#include <deque>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/prompter.h"

namespace i40::cli {

// A question the script gave no answer for: the session stops there.
class Unanswered : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Prints everything the user would be shown as one JSON object a line, and answers from
// what the script queued. A question, picker or file dialog with nothing queued throws
// Unanswered; plain messages need no answer.
class JsonPrompter : public Prompter {
 public:
  explicit JsonPrompter(std::ostream& out) : out_(out) {}

  Answer Ask(const Message& message) override;
  std::optional<std::filesystem::path> ChooseOpenFile(const FileRequest& request) override;
  std::optional<std::filesystem::path> ChooseSaveFile(const FileRequest& request) override;
  ItemNumber Pick(const PickRequest& request) override;
  int ChooseFromList(const ListChoice& choice) override;
  // A session chooses its devices on the command line (`i40set send`), never in a dialog.
  std::optional<MidiDevices> ChooseMidiDevices(const MidiSetupRequest&) override {
    throw Unanswered("a session has no MIDI setup");
  }
  void BeginProgress(const std::string& caption, const std::string& label, double minimum,
                     double maximum) override;
  void SetProgress(double value) override;
  void EndProgress() override {}

  void QueueAnswer(Answer answer) { answers_.push_back(answer); }
  // A picker's answer as a label of the picked kind ("C12"), or "cancel".
  void QueuePick(std::string label) { picks_.push_back(std::move(label)); }
  // The answer a command gives its own picker (`set lblSty A12`), before any queued.
  void QueuePickFirst(std::string label) { picks_.push_front(std::move(label)); }
  void QueueFile(std::optional<std::filesystem::path> file) { files_.push_back(std::move(file)); }
  void QueueChoice(int index) { choices_.push_back(index); }
  void QueueChoiceFirst(int index) { choices_.push_front(index); }
  // The file a command names itself (`saveas H PATH`): the answer to that command's own
  // file dialog, taken before anything queued with `file`. A command that does not ask
  // for it (a `loadone` on a preset cell) leaves it unused, never to a later command.
  void OfferFile(std::filesystem::path file) { offered_ = std::move(file); }
  void EndCommand();

  // An error message was shown (a critical box): the session ends with status 1.
  bool errorShown() const { return errorShown_; }
  // What the script queued and nothing asked for, one entry each ("answer yes").
  std::vector<std::string> Pending() const;

 private:
  std::optional<std::filesystem::path> NextFile(const char* dialog, const FileRequest& request);

  std::ostream& out_;
  std::optional<std::optional<std::filesystem::path>> offered_;
  std::vector<std::string> unused_;  // offered files no dialog took
  std::deque<Answer> answers_;
  std::deque<std::string> picks_;
  std::deque<std::optional<std::filesystem::path>> files_;
  std::deque<int> choices_;
  std::string progressCaption_;
  bool errorShown_ = false;
};

using Json = nlohmann::ordered_json;

// Text for a JSON value: UTF-8 (record names are Latin-1) with line breaks as "\r\n".
std::string JsonText(std::string_view text);
// One JSON object a line.
void PrintJson(std::ostream& out, const Json& line);
std::string AnswerName(Answer answer);

}  // namespace i40::cli
