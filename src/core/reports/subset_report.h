#pragma once

#include <string>

#include "calls/item_lookup.h"
#include "format/file_ops.h"
#include "host/prompter.h"
#include "session/workspace.h"

// The subset report: the items of one page of a Set window as tab-separated columns, one
// row per item, for a spreadsheet program.
namespace i40 {

inline constexpr const char* kSubsetReportExt = ".XLS";

// The pages a subset report can be made of: Arrangements, Styles and Programs.
bool HasSubsetReport(Kind page);

// The whole file: a header row, then one row per item, every row ending in CRLF. The
// Arrangements page puts the 128 preset Arrangements first when asked. Empty text for a
// page without a report.
std::string SubsetReportText(const ItemSources& from, Kind page, const std::string& setTitle,
                             bool withPresetArrangements = false);

// Create Subset Report File: asks for the file (and, on the Arrangements page, whether
// the presets come too) and writes it whole or not at all. True when a file was written;
// a page without a report asks nothing and writes nothing.
bool CreateSubsetReportFile(const Workspace& ws, Prompter& prompter, SetSlot slot, Kind page,
                            const std::string& setTitle, FileOps& ops = RealFileOps());

}  // namespace i40
