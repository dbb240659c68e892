#include "host/prompter.h"

namespace i40 {

void Prompter::ShowError(const std::string& text) {
  Ask(Message{text, "Error", MessageIcon::Critical, MessageButtons::Ok, Answer::Ok});
}

void Prompter::ShowWarning(const std::string& text) {
  Ask(Message{text, "Warning", MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok});
}

}  // namespace i40
