#pragma once

#include <cstddef>
#include <string>

namespace i40 {

// How a component reader ended: either it read everything, or it stopped at a problem
// and says what and where. What was read before the problem stays in the Set.
struct ReadResult {
  bool ok = true;
  std::string detail;  // the line under "Error getting <kind> data."

  static ReadResult Success() { return {}; }
  static ReadResult Failure(std::string what, std::size_t offset) {
    return {false, what + " (byte " + std::to_string(offset) + ")"};
  }
};

}  // namespace i40
