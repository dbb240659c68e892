#pragma once

#include <cstddef>
#include <ctime>
#include <string>

#include "format/file_ops.h"
#include "host/prompter.h"
#include "session/workspace.h"

// The Set report: a plain-text overview of one open Set for a fixed-pitch font, 100
// columns wide, with CRLF line breaks, shown in the report window and printed or saved
// from there.
namespace i40 {

inline constexpr std::size_t kReportWidth = 100;
inline constexpr const char* kSetReportProgressCaption = "Creating Set Report...";

// "Report on " + the Set's title.
std::string ReportWindowCaption(const std::string& setTitle);

// When a report is made: the instant that SOURCE_DATE_EPOCH gives, in UTC, when it holds
// a plain count of seconds up to the end of year 9999 (reproducible output); local time
// now otherwise.
std::tm ReportTime();

// "6-Dec-2026 07:05:09": day without leading zero, English month, 24-hour clock.
std::string ReportDateText(const std::tm& when);

// The report of the Set in a slot: heading, the user Arrangements, Programs, Styles and
// Backing Sequences, then the callers of every called Program, Style and Arrangement.
// With a prompter, the progress window follows the work and is closed on return.
std::string SetReportText(const Workspace& ws, SetSlot slot, const std::string& setTitle,
                          const std::tm& when, Prompter* progress = nullptr);

// The report window's "Create Report &File...": the save dialog in the Set's folder
// (the Set's name + ".TXT"), the overwrite question, then the text and a line break,
// written whole or not at all. True when the file was written.
bool SaveReportFile(Workspace& ws, Prompter& prompter, SetSlot slot, const std::string& text,
                    FileOps& ops = RealFileOps());

}  // namespace i40
