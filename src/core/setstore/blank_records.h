#pragma once

#include <filesystem>
#include <optional>

#include "arrangements/arrangement_record.h"
#include "backseqs/bsq_record.h"
#include "kbdsets/kbdset_record.h"
#include "programs/program_record.h"
#include "styles/style_file.h"
#include "ui/prompter.h"

namespace i40 {

// What the editing operations write into slots they erase, delete or insert.
struct BlankRecords {
  ArrangementRecord arrangement = BlankItemRecord<ArrangementRecord>();
  StyleBuffer style;  // present, length 1176, no data
  ProgramRecord program = BlankItemRecord<ProgramRecord>();
  BsqRecord bsq = EmptyBsqRecord();
  KbdSetRecord kbdSet;
};

inline constexpr std::size_t kTemplateStyleRecordOffset = 224;
inline constexpr std::size_t kTemplateKbdSetRecordOffset = 32;

// The blank Style and KBD Set come from the empty template Set: the first Style record
// (blanked: no name, category 15, no data) and the first KBD Set. When the template's
// Style or KBD Set file cannot be used, the component's own message and "Error getting
// <kind> data." are shown and nothing is returned: the program cannot go on.
std::optional<BlankRecords> PrepareBlankRecords(const std::filesystem::path& templatePath,
                                                Prompter& prompter);

}  // namespace i40
