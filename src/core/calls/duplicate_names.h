#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/prompter.h"

namespace i40 {

// Warns about items of equal trimmed names among the pairs to compare (later, earlier),
// one message per pair; after three, a fourth pair ends it with "More than 4 ... !".
// `what` is "Arrangement", "Style" or "Program". True when a pair was found.
bool WarnDuplicateNames(Prompter& prompter, const std::string& what,
                        const std::vector<std::string>& names,
                        const std::vector<std::pair<int, int>>& pairs,
                        const std::function<std::string(int)>& label);

// Every (i, j) with j < i among the first `count` items.
std::vector<std::pair<int, int>> AllEarlierPairs(int first, int count);

}  // namespace i40
