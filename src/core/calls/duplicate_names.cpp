#include "calls/duplicate_names.h"

#include "util/text.h"

namespace i40 {

bool WarnDuplicateNames(Prompter& prompter, const std::string& what,
                        const std::vector<std::string>& names,
                        const std::vector<std::pair<int, int>>& pairs,
                        const std::function<std::string(int)>& label) {
  constexpr int kAllowance = 4;
  int allowance = kAllowance;
  bool found = false;
  for (const auto& [later, earlier] : pairs) {
    const std::string name = TrimSpaces(names.at(static_cast<std::size_t>(later)));
    if (name.empty() || TrimSpaces(names.at(static_cast<std::size_t>(earlier))) != name) continue;
    found = true;
    if (--allowance <= 0) {
      prompter.Ask({"More than " + std::to_string(kAllowance) + " " + what + " duplicate names !",
                    "", MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok});
      return true;
    }
    prompter.Ask({what + " duplicate name\n" + label(later) + " - " + label(earlier) + "  (" +
                      NameText(name) + ")",
                  "", MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok});
  }
  return found;
}

std::vector<std::pair<int, int>> AllEarlierPairs(int first, int count) {
  std::vector<std::pair<int, int>> pairs;
  for (int i = first + 1; i < first + count; ++i) {
    for (int j = first; j < i; ++j)
      pairs.emplace_back(i, j);
  }
  return pairs;
}

}  // namespace i40
