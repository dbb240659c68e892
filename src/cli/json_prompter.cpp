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

std::string FileEvent(const char* dialog, const FileRequest& request,
                      const std::optional<std::filesystem::path>& answer) {
  std::ostringstream line;
  line << R"({"event":"file","dialog":)" << JsonString(dialog) << R"(,"title":)"
       << JsonString(request.title) << R"(,"answer":)"
       << (answer ? JsonString(PathText(*answer)) : std::string("\"cancel\"")) << "}";
  return line.str();
}

}  // namespace

std::string JsonString(const std::string& raw) {
  // Names in records are Latin-1 bytes; a JSON text must be UTF-8.
  const std::string text = ToUtf8(raw);
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        break;  // every line break is written as \r\n below
      case '\n':
        out += "\\r\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
          out += escape;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
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
  out_ << R"({"event":)" << (question ? "\"question\"" : "\"message\"") << R"(,"title":)"
       << JsonString(message.title) << R"(,"icon":")" << IconName(message.icon)
       << R"(","buttons":")" << ButtonsName(message.buttons) << R"(","default":")"
       << AnswerName(message.defaultButton) << R"(","text":)" << JsonString(message.text)
       << R"(,"answer":")" << AnswerName(answer) << "\"}\n";
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
  out_ << FileEvent(dialog, request, file) << '\n';
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

int JsonPrompter::Pick(const PickRequest& request) {
  if (picks_.empty()) {
    throw Unanswered("no pick queued for the " + std::string(KindName(request.kind)) + " picker");
  }
  const std::string label = picks_.front();
  picks_.pop_front();
  int number = -1;
  if (label != "cancel") {
    const auto at = ParseItemLabel(request.kind, label);
    if (!at) throw Unanswered("'" + label + "' is no " + std::string(KindName(request.kind)));
    number = ItemNumber(request.kind, at->bank, at->index);
  }
  out_ << R"({"event":"pick","kind":)" << JsonString(std::string(KindName(request.kind)))
       << R"(,"caption":)" << JsonString(request.caption) << R"(,"start":)"
       << JsonString(ItemNumberLabel(request.kind, request.start)) << R"(,"answer":)"
       << JsonString(number < 0 ? "cancel" : ItemNumberLabel(request.kind, number)) << "}\n";
  return number;
}

int JsonPrompter::ChooseFromList(const ListChoice& choice) {
  if (choices_.empty()) throw Unanswered("no choice queued for: " + choice.caption);
  const int index = choices_.front();
  choices_.pop_front();
  out_ << R"({"event":"choice","title":)" << JsonString(choice.caption) << R"(,"answer":)"
       << JsonString(index >= 0 && index < static_cast<int>(choice.items.size())
                         ? choice.items[static_cast<std::size_t>(index)]
                         : "cancel")
       << "}\n";
  return index;
}

void JsonPrompter::BeginProgress(const std::string& caption, const std::string& label,
                                 double /*minimum*/, double /*maximum*/) {
  progressCaption_ = caption;
  out_ << R"({"event":"progress","title":)" << JsonString(caption) << R"(,"text":)"
       << JsonString(label) << "}\n";
}

void JsonPrompter::SetProgress(double /*value*/) {}

}  // namespace i40::cli
