#include "calls/redirect_question.h"

#include "setstore/undo.h"

namespace i40 {

ReferenceAnswer AskToRedirectCallers(Workspace& ws, Prompter& prompter, int slot, bool called,
                                     const std::string& question, Kind kind, int number,
                                     const std::function<void(int)>& redirect) {
  ReferenceAnswer result = ReferenceAnswer::Go;
  if (called) {
    switch (prompter.Ask(
        {question, "", MessageIcon::Exclamation, MessageButtons::YesNoCancel, Answer::Cancel})) {
      case Answer::Yes: {
        const int chosen = prompter.Pick({kind, slot, number, ""});
        if (chosen != -1 && chosen != number) {
          redirect(chosen);
          result = ReferenceAnswer::GoRedirected;
        }
        break;
      }
      case Answer::No:
        break;
      default:
        result = ReferenceAnswer::Cancel;
    }
  }
  SetUndoMenu(ws, slot, result != ReferenceAnswer::GoRedirected);
  return result;
}

}  // namespace i40
