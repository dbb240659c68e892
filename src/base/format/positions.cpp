#include "format/positions.h"

#include <algorithm>

#include "util/text.h"

namespace i40 {

int PositionCount(Kind kind) {
  switch (kind) {
    case Kind::Arrangement:
      return kUserArrangementCount;
    case Kind::Style:
      return kUserStyleCount;
    case Kind::Program:
      return kUserProgramSlots;
    case Kind::BackingSequence:
      return kBsqCount;
    case Kind::KbdSet:
      return kKbdSetCount;
    default:
      return 0;
  }
}

bool IsPosition(Kind kind, int index) {
  return index >= 0 && index < PositionCount(kind);
}

std::size_t RecordSize(Kind kind) {
  switch (kind) {
    case Kind::Arrangement:
      return ArrangementRecord::kSize;
    case Kind::Style:
      return StyleRecord::kSize;
    case Kind::Program:
      return ProgramRecord::kSize;
    case Kind::BackingSequence:
      return BsqRecord::kSize;
    case Kind::KbdSet:
      return KbdSetRecord::kSize;
    default:
      return 0;
  }
}

std::span<std::uint8_t> RecordBytes(FileSet& set, Kind kind, int index) {
  const auto i = static_cast<std::size_t>(index);
  switch (kind) {
    case Kind::Arrangement:
      return set.arrangements.records.at(i).bytes;
    case Kind::Style:
      return set.styles.slots.at(i).record.bytes;
    case Kind::Program:
      return set.programs.records.at(i).bytes;
    case Kind::BackingSequence:
      return set.backingSequences.records.at(i).bytes;
    case Kind::KbdSet:
      return set.kbdSets.records.at(i).bytes;
    default:
      return {};
  }
}

std::span<const std::uint8_t> RecordBytes(const FileSet& set, Kind kind, int index) {
  return RecordBytes(const_cast<FileSet&>(set), kind, index);
}

std::string RecordName(Kind kind, std::span<const std::uint8_t> record) {
  std::size_t width = kNameWidth;
  if (kind == Kind::BackingSequence) width = kBsqNameWidth;
  if (kind == Kind::KbdSet) width = 0;
  return std::string(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(width));
}

std::string ShownName(Kind kind, std::span<const std::uint8_t> record) {
  return NameText(TrimSpaces(RecordName(kind, record)));
}

bool IsEmptyRecord(Kind kind, std::span<const std::uint8_t> record) {
  if (kind == Kind::KbdSet) return false;
  const std::size_t width = kind == Kind::BackingSequence ? kBsqNameWidth : kNameWidth;
  return std::all_of(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(width),
                     [](std::uint8_t c) { return c == ' '; });
}

bool IsEmptyPosition(const FileSet& set, Kind kind, int index) {
  return IsPosition(kind, index) && IsEmptyRecord(kind, RecordBytes(set, kind, index));
}

}  // namespace i40
