#pragma once

#include <string>
#include <string_view>

#include "format/kinds.h"
#include "format/read_error.h"
#include "host/prompter.h"

namespace i40 {

// The line break used inside message texts.
inline constexpr std::string_view kLineBreak = "\n";

// "Error getting <kind> data." and "Error saving <kind> data.", each followed by a line
// break and the detail, as critical boxes titled "Error".
std::string LoadErrorText(Kind kind, std::string_view detail);
std::string SaveErrorText(Kind kind, std::string_view detail);
void ReportLoadError(Prompter& prompter, Kind kind, std::string_view detail);
// The detail line for what a reader stopped at: "The file ends inside Arrangement 5
// (byte 688)".
std::string DescribeReadError(const ReadError& error);
void ReportLoadError(Prompter& prompter, Kind kind, const ReadError& error);
void ReportSaveError(Prompter& prompter, Kind kind, std::string_view detail);

}  // namespace i40
