#include "setstore/blank_records.h"

#include "setstore/component_file.h"
#include "styles/style_blocks.h"
#include "ui/error_reports.h"
#include "util/byte_io.h"

namespace i40 {
namespace {

// Reads one record out of a template component; reports and gives false when the file
// cannot be opened or is too short for the record.
template <std::size_t N>
bool ReadTemplateRecord(const std::filesystem::path& templatePath, Kind kind, std::size_t offset,
                        std::array<std::uint8_t, N>& out, Prompter& prompter) {
  const auto file = OpenComponent(templatePath, kind, prompter);
  if (!file) {
    ReportLoadError(prompter, kind, "");
    return false;
  }
  if (!ByteReader(file->bytes).Read(offset, out)) {
    ReportLoadError(prompter, kind, "The template file ends before its first record");
    return false;
  }
  return true;
}

}  // namespace

std::optional<BlankRecords> PrepareBlankRecords(const std::filesystem::path& templatePath,
                                                Prompter& prompter) {
  BlankRecords blanks;
  if (!ReadTemplateRecord(templatePath, Kind::Style, kTemplateStyleRecordOffset,
                          blanks.style.record.bytes, prompter)) {
    return std::nullopt;
  }
  blanks.style.record.SetName(kEmptyName);
  blanks.style.record.SetCategory(15);
  blanks.style.present = 1;
  blanks.style.length = kEmptyStyleLength;
  blanks.style.data.clear();

  if (!ReadTemplateRecord(templatePath, Kind::KbdSet, kTemplateKbdSetRecordOffset,
                          blanks.kbdSet.bytes, prompter)) {
    return std::nullopt;
  }
  return blanks;
}

}  // namespace i40
