#include "format/positions.h"

#include <algorithm>

#include "format/kind_table.h"
#include "util/text.h"

namespace i40 {

int PositionCount(Kind kind) {
  return FactsOf(kind).positions;
}

bool IsPosition(Kind kind, ItemIndex index) {
  return Value(index) >= 0 && Value(index) < PositionCount(kind);
}

std::size_t RecordSize(Kind kind) {
  return FactsOf(kind).recordSize;
}

std::span<std::uint8_t> RecordBytes(FileSet& set, Kind kind, ItemIndex index) {
  const auto record = FactsOf(kind).layout.record;
  return record != nullptr ? record(set, static_cast<std::size_t>(Value(index)))
                           : std::span<std::uint8_t>();
}

std::span<const std::uint8_t> RecordBytes(const FileSet& set, Kind kind, ItemIndex index) {
  return RecordBytes(const_cast<FileSet&>(set), kind, index);
}

std::string RecordName(Kind kind, std::span<const std::uint8_t> record) {
  const std::size_t width = std::min(FactsOf(kind).nameWidth, record.size());
  return std::string(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(width));
}

std::string ShownName(Kind kind, std::span<const std::uint8_t> record) {
  return NameText(TrimSpaces(RecordName(kind, record)));
}

bool IsEmptyRecord(Kind kind, std::span<const std::uint8_t> record) {
  return IsBlankName(record, FactsOf(kind).nameWidth);
}

bool IsEmptyPosition(const FileSet& set, Kind kind, ItemIndex index) {
  return IsPosition(kind, index) && IsEmptyRecord(kind, RecordBytes(set, kind, index));
}

}  // namespace i40
