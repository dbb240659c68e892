#pragma once

#include <filesystem>
#include <optional>
#include <variant>

#include "format/arrangement_record.h"
#include "format/bsq_record.h"
#include "format/component_file.h"
#include "format/file_set.h"
#include "format/kbdset_record.h"
#include "format/program_record.h"
#include "format/style_record.h"

namespace i40 {

// A Style slot as erasing leaves it: present, 1176 bytes long (no events), no name,
// category 15, the other record bytes those of `record`.
StyleSlot BlankStyleSlot(const StyleRecord& record);

// What the editing operations write into slots they erase, delete or insert, and what a
// Set holds where its files say nothing.
struct BlankRecords {
  ArrangementRecord arrangement = BlankItemRecord<ArrangementRecord>();
  StyleSlot style = BlankStyleSlot(BlankItemRecord<StyleRecord>());
  ProgramRecord program = BlankItemRecord<ProgramRecord>();
  BsqRecord bsq = EmptyBsqRecord();
  KbdSetRecord kbdSet;
};

inline constexpr std::size_t kTemplateStyleRecordOffset = 224;
inline constexpr std::size_t kTemplateKbdSetRecordOffset = 32;

// The template's Style or KBD Set file could not give its record: the component could
// not be read (`component`), or it ends before the record (no `component`).
struct BlankRecordsError {
  Kind kind;
  std::optional<ComponentError> component;
};

// The blank Style and KBD Set come from the empty template Set: the first Style record
// (blanked: no name, category 15, no data) and the first KBD Set.
std::variant<BlankRecords, BlankRecordsError> ReadBlankRecords(
    const std::filesystem::path& templatePath, FileOps& ops = RealFileOps());

// A Set holding nothing but blanks: where a Set is read into a slot, what its files do
// not hold stays blank, never what the slot held before. The Backing Sequences are an
// erased bank.
FileSet BlankFileSet(const BlankRecords& blanks);

}  // namespace i40
