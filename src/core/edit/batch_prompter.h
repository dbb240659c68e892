#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "host/prompter.h"

// A command on several items runs the one-item command on each of them in turn. It runs
// them twice: first a rehearsal on a copy of the Set that notes every question and every
// refusal the commands would show, then, once the person has answered each kind of
// question once for all the items, the real run, where this prompter gives those answers
// to the commands in place of the person.
namespace i40 {

// What a question of a one-item command is about.
enum class QuestionTopic {
  Callers,      // an item that others call goes: redirect its callers?
  MissingCall,  // an item from another Set calls what this Set lacks: redirect the call?
  Move,         // a drag inside a Set puts an item before another
};

struct NotedQuestion {
  std::size_t step = 0;  // the command that asked it
  int position = 0;      // the position of the item concerned, for the order of the pickers
  QuestionTopic topic = QuestionTopic::MissingCall;
  Message message;
  std::string line;                 // the item concerned, one line of the combined question
  std::optional<PickRequest> pick;  // what Yes opens
  ItemNumber chosen = kNoNumber;    // the answer of that picker in the real run
  bool answered = false;            // in the real run
};

// A refusal of a one-item command: what did not fit.
struct NotedRefusal {
  int position = 0;
  std::string text;
};

class BatchPrompter : public Prompter {
 public:
  explicit BatchPrompter(Prompter& person) : person_(person) {}

  // The rehearsal notes questions and refusals and answers every question so that the
  // command goes on without redirecting anything.
  void Rehearse() { rehearsing_ = true; }
  // The real run answers the noted questions: every question of a topic with its answer,
  // a picker with the item chosen for that question. What the rehearsal did not see goes
  // to the person.
  void Answer(QuestionTopic topic, i40::Answer answer);
  void Perform() { rehearsing_ = false; }

  // The command about to run, and the position of the item it is for.
  void BeginStep(std::size_t step, int position) {
    step_ = step;
    position_ = position;
  }
  // What the command's next question is about and the line naming its item (a question
  // not announced is a calls check's).
  void Expect(QuestionTopic topic, std::string line, int position) {
    expected_ = Expected{topic, std::move(line), position};
  }

  std::vector<NotedQuestion>& questions() { return questions_; }
  const std::vector<NotedRefusal>& refusals() const { return refusals_; }

  i40::Answer Ask(const Message& message) override;
  ItemNumber Pick(const PickRequest& request) override;
  std::optional<std::filesystem::path> ChooseOpenFile(const FileRequest& request) override {
    return person_.ChooseOpenFile(request);
  }
  std::optional<std::filesystem::path> ChooseSaveFile(const FileRequest& request) override {
    return person_.ChooseSaveFile(request);
  }
  int ChooseFromList(const ListChoice& choice) override { return person_.ChooseFromList(choice); }
  std::optional<MidiDevices> ChooseMidiDevices(const MidiSetupRequest& request) override {
    return person_.ChooseMidiDevices(request);
  }
  void BeginProgress(const std::string& caption, const std::string& label, double minimum,
                     double maximum) override {
    person_.BeginProgress(caption, label, minimum, maximum);
  }
  void SetProgress(double value) override { person_.SetProgress(value); }
  void EndProgress() override { person_.EndProgress(); }

 private:
  struct Expected {
    QuestionTopic topic;
    std::string line;
    int position;
  };

  Prompter& person_;
  bool rehearsing_ = false;
  std::size_t step_ = 0;
  int position_ = 0;
  std::optional<Expected> expected_;
  std::vector<NotedQuestion> questions_;
  std::vector<NotedRefusal> refusals_;
  std::vector<std::pair<QuestionTopic, i40::Answer>> answers_;
  NotedQuestion* answered_ = nullptr;  // the question whose picker comes next
};

}  // namespace i40
