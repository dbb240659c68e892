#include "format/blank_records.h"

#include "format/bsq_file.h"
#include "util/byte_io.h"

namespace i40 {
namespace {

// Reads one record out of a template component.
template <std::size_t N>
std::optional<BlankRecordsError> ReadTemplateRecord(const std::filesystem::path& templatePath,
                                                    Kind kind, std::size_t offset,
                                                    std::array<std::uint8_t, N>& out,
                                                    FileOps& ops) {
  auto file = ReadComponent(templatePath, kind, ops);
  if (auto* error = std::get_if<ComponentError>(&file)) return BlankRecordsError{kind, *error};
  if (!ByteReader(std::get<ComponentFile>(file).bytes).Read(offset, out)) {
    return BlankRecordsError{kind, std::nullopt};
  }
  return std::nullopt;
}

}  // namespace

StyleSlot BlankStyleSlot(const StyleRecord& record) {
  StyleSlot slot;
  slot.present = 1;
  slot.length = kEmptyStyleLength;
  slot.record = record;
  slot.record.SetName(kEmptyName);
  slot.record.SetCategory(15);
  return slot;
}

std::variant<BlankRecords, BlankRecordsError> ReadBlankRecords(
    const std::filesystem::path& templatePath, FileOps& ops) {
  BlankRecords blanks;
  StyleRecord style;
  if (auto error = ReadTemplateRecord(templatePath, Kind::Style, kTemplateStyleRecordOffset,
                                      style.bytes, ops)) {
    return *error;
  }
  blanks.style = BlankStyleSlot(style);
  if (auto error = ReadTemplateRecord(templatePath, Kind::KbdSet, kTemplateKbdSetRecordOffset,
                                      blanks.kbdSet.bytes, ops)) {
    return *error;
  }
  return blanks;
}

FileSet BlankFileSet(const BlankRecords& blanks) {
  FileSet set;
  set.arrangements.records.fill(blanks.arrangement);
  for (std::size_t s = 0; s < set.styles.slots.size(); ++s) {
    set.styles.slots[s] = blanks.style;
    set.styles.slots[s].index = static_cast<std::uint8_t>(s);
  }
  set.programs.records.fill(blanks.program);
  set.backingSequences.records.fill(blanks.bsq);
  for (auto& starts : set.backingSequences.trackStart)
    starts.fill(kBsqBase);
  set.backingSequences.endStart = kBsqBase;
  set.kbdSets.records.fill(blanks.kbdSet);
  return set;
}

}  // namespace i40
