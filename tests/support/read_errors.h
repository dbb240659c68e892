#pragma once

#include <string>

#include "format/read_error.h"
#include "host/error_reports.h"

namespace i40::test {

// The detail line a reader's outcome gives the user; empty when all was read.
inline std::string Detail(const ReadOutcome& outcome) {
  return outcome ? DescribeReadError(*outcome) : std::string();
}

}  // namespace i40::test
