#include "edit/batch_prompter.h"

#include <algorithm>
#include <utility>

namespace i40 {

void BatchPrompter::Answer(QuestionTopic topic, i40::Answer answer) {
  answers_.emplace_back(topic, answer);
}

i40::Answer BatchPrompter::Ask(const Message& message) {
  const std::optional<Expected> expected = std::exchange(expected_, std::nullopt);
  const bool question =
      message.buttons == MessageButtons::YesNo || message.buttons == MessageButtons::YesNoCancel;
  if (rehearsing_) {
    if (!question) {
      refusals_.push_back({position_, message.text});
      return i40::Answer::Ok;
    }
    NotedQuestion noted;
    noted.step = step_;
    noted.position = expected ? expected->position : position_;
    noted.topic = expected ? expected->topic : QuestionTopic::MissingCall;
    noted.message = message;
    // A calls check's question names the call in its first paragraph.
    noted.line = expected ? expected->line : message.text.substr(0, message.text.find("\n\n"));
    questions_.push_back(std::move(noted));
    return i40::Answer::Yes;
  }
  const auto noted =
      std::find_if(questions_.begin(), questions_.end(), [&](const NotedQuestion& q) {
        return q.step == step_ && !q.answered && q.message.text == message.text;
      });
  if (noted == questions_.end()) return person_.Ask(message);
  const auto answer = std::find_if(answers_.begin(), answers_.end(),
                                   [&](const auto& a) { return a.first == noted->topic; });
  if (answer == answers_.end()) return person_.Ask(message);
  noted->answered = true;
  answered_ = answer->second == i40::Answer::Yes && noted->pick ? &*noted : nullptr;
  return answer->second;
}

ItemNumber BatchPrompter::Pick(const PickRequest& request) {
  if (rehearsing_) {
    if (!questions_.empty() && questions_.back().step == step_ && !questions_.back().pick)
      questions_.back().pick = request;
    return request.start;
  }
  if (answered_ == nullptr) return person_.Pick(request);
  return std::exchange(answered_, nullptr)->chosen;
}

}  // namespace i40
