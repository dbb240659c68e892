#include "cli/json_prompter.h"

#include <cstdio>
#include <sstream>

#include "format/item_numbers.h"
#include "format/set_paths.h"
#include "util/text.h"

namespace i40::cli {
namespace {

std::string IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical:
      return "critical";
    case MessageIcon::Exclamation:
      return "exclamation";
    case MessageIcon::Question:
      return "question";
    case MessageIcon::Information:
      return "information";
    default:
      return "none";
  }
}

std::string ButtonsName(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::OkCancel:
      return "okcancel";
    case MessageButtons::YesNo:
      return "yesno";
    case MessageButtons::YesNoCancel:
      return "yesnocancel";
    default:
      return "ok";
  }
}

bool Offers(MessageButtons buttons, Answer answer) {
  switch (buttons) {
    case MessageButtons::Ok:
      return answer == Answer::Ok;
    case MessageButtons::OkCancel:
      return answer == Answer::Ok || answer == Answer::Cancel;
    case MessageButtons::YesNo:
      return answer == Answer::Yes || answer == Answer::No;
    case MessageButtons::YesNoCancel:
      return answer != Answer::Ok;
  }
  return false;
}

Json FileEvent(const char* dialog, const FileRequest& request,
               const std::optional<std::filesystem::path>& answer) {
  return Json{{"event", "file"},
              {"dialog", dialog},
              {"title", JsonText(request.title)},
              {"answer", answer ? JsonText(PathText(*answer)) : "cancel"}};
}

}  // namespace

std::string JsonText(std::string_view raw) {
  // Names in records are Latin-1 bytes; a JSON text must be UTF-8. Line breaks are
  // written the Windows way, as the messages were.
  const std::string text = ToUtf8(raw);
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '\r') continue;
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

void PrintJson(std::ostream& out, const Json& line) {
  out << line.dump() << '\n';
}

std::string AnswerName(Answer answer) {
  switch (answer) {
    case Answer::Ok:
      return "ok";
    case Answer::Cancel:
      return "cancel";
    case Answer::Yes:
      return "yes";
    case Answer::No:
      return "no";
  }
  return "";
}

std::vector<std::string> JsonPrompter::Pending() const {
  std::vector<std::string> pending = unused_;
  for (const Answer a : answers_)
    pending.push_back("answer " + AnswerName(a));
  for (const auto& p : picks_)
    pending.push_back("pick " + p);
  for (const auto& f : files_)
    pending.push_back("file " + (f ? PathText(*f) : std::string("cancel")));
  for (const int c : choices_)
    pending.push_back("choose " + std::to_string(c));
  return pending;
}

Answer JsonPrompter::Ask(const Message& message) {
  const bool question = message.buttons != MessageButtons::Ok;
  Answer answer = Answer::Ok;
  if (question) {
    if (answers_.empty()) throw Unanswered("no answer queued for the question: " + message.text);
    answer = answers_.front();
    answers_.pop_front();
    if (!Offers(message.buttons, answer)) {
      throw Unanswered("the answer '" + AnswerName(answer) +
                       "' is not offered by the question: " + message.text);
    }
  }
  if (message.icon == MessageIcon::Critical) errorShown_ = true;
  PrintJson(out_, Json{{"event", question ? "question" : "message"},
                       {"title", JsonText(message.title)},
                       {"icon", IconName(message.icon)},
                       {"buttons", ButtonsName(message.buttons)},
                       {"default", AnswerName(message.defaultButton)},
                       {"text", JsonText(message.text)},
                       {"answer", AnswerName(answer)}});
  return answer;
}

std::optional<std::filesystem::path> JsonPrompter::NextFile(const char* dialog,
                                                            const FileRequest& request) {
  std::optional<std::filesystem::path> file;
  if (offered_) {
    file = std::move(*offered_);
    offered_.reset();
  } else {
    if (files_.empty()) throw Unanswered("no file queued for the dialog: " + request.title);
    file = files_.front();
    files_.pop_front();
  }
  PrintJson(out_, FileEvent(dialog, request, file));
  return file;
}

std::optional<std::filesystem::path> JsonPrompter::ChooseOpenFile(const FileRequest& request) {
  return NextFile("open", request);
}

std::optional<std::filesystem::path> JsonPrompter::ChooseSaveFile(const FileRequest& request) {
  return NextFile("save", request);
}

void JsonPrompter::EndCommand() {
  if (!offered_) return;
  unused_.push_back("file " + (*offered_ ? PathText(**offered_) : std::string("cancel")));
  offered_.reset();
}

ItemNumber JsonPrompter::Pick(const PickRequest& request) {
  if (picks_.empty()) {
    throw Unanswered("no pick queued for the " + std::string(KindName(request.kind)) + " picker");
  }
  const std::string label = picks_.front();
  picks_.pop_front();
  ItemNumber number = kNoNumber;
  if (label != "cancel") {
    const auto at = ParseItemLabel(request.kind, label);
    if (!at) throw Unanswered("'" + label + "' is no " + std::string(KindName(request.kind)));
    number = NumberAt(request.kind, *at);
  }
  Json event{{"event", "pick"},
             {"kind", KindName(request.kind)},
             {"caption", JsonText(request.caption)},
             {"start", ItemNumberLabel(request.kind, request.start)},
             {"answer", Value(number) < 0 ? "cancel" : ItemNumberLabel(request.kind, number)}};
  if (!request.item.empty()) event["item"] = JsonText(request.item);
  PrintJson(out_, event);
  return number;
}

int JsonPrompter::ChooseFromList(const ListChoice& choice) {
  if (choices_.empty()) throw Unanswered("no choice queued for: " + choice.caption);
  const int index = choices_.front();
  choices_.pop_front();
  PrintJson(out_,
            Json{{"event", "choice"},
                 {"title", JsonText(choice.caption)},
                 {"answer", JsonText(index >= 0 && index < static_cast<int>(choice.items.size())
                                         ? choice.items[static_cast<std::size_t>(index)]
                                         : "cancel")}});
  return index;
}

void JsonPrompter::BeginProgress(const std::string& caption, const std::string& label,
                                 double /*minimum*/, double /*maximum*/) {
  progressCaption_ = caption;
  PrintJson(out_,
            Json{{"event", "progress"}, {"title", JsonText(caption)}, {"text", JsonText(label)}});
}

void JsonPrompter::SetProgress(double /*value*/) {}

}  // namespace i40::cli
