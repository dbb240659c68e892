#pragma once

#include <string>
#include <string_view>

#include "setstore/kinds.h"
#include "ui/prompter.h"

namespace i40 {

// The line break used inside message texts.
inline constexpr std::string_view kLineBreak = "\n";

// "Error getting <kind> data." and "Error saving <kind> data.", each followed by a line
// break and the detail, as critical boxes titled "Error".
std::string LoadErrorText(Kind kind, std::string_view detail);
std::string SaveErrorText(Kind kind, std::string_view detail);
void ReportLoadError(Prompter& prompter, Kind kind, std::string_view detail);
void ReportSaveError(Prompter& prompter, Kind kind, std::string_view detail);

}  // namespace i40
