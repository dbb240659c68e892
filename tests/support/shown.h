#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "host/prompter.h"

namespace i40::test {

// Everything a message box shows, to compare in one go: its text, title, icon, buttons
// and the button Enter presses.
using Shown = std::tuple<std::string, std::string, MessageIcon, MessageButtons, Answer>;

inline Shown ShownOf(const Message& m) {
  return {m.text, m.title, m.icon, m.buttons, m.defaultButton};
}

// An error box: the text under the title "Error", with the critical icon and only OK.
inline Shown ErrorBox(const std::string& text) {
  return {text, "Error", MessageIcon::Critical, MessageButtons::Ok, Answer::Ok};
}

inline std::vector<Shown> ShownOf(const std::vector<Message>& messages) {
  std::vector<Shown> shown;
  for (const Message& m : messages)
    shown.push_back(ShownOf(m));
  return shown;
}

// The types a file dialog lists, each as "name|pattern".
inline std::vector<std::string> Types(const FileRequest& request) {
  std::vector<std::string> types;
  for (const FileFilter& f : request.filters)
    types.push_back(f.name + "|" + f.pattern);
  return types;
}

}  // namespace i40::test
