#include "format/program_file.h"

#include "util/byte_io.h"

namespace i40 {
namespace {

constexpr std::size_t kOneItemRecordOffset = 5;
constexpr std::size_t kOneItemDrumKitOffset = 177;

std::size_t RecordOffset(std::size_t userIndex) {
  return userIndex < kUserProgramCount
             ? kProgramRecordsOffset + ProgramRecord::kSize * userIndex
             : kDrumKitRecordsOffset + ProgramRecord::kSize * (userIndex - kUserProgramCount);
}

}  // namespace

ReadOutcome ReadProgramFile(std::span<const std::uint8_t> bytes, ProgramData& data) {
  const ByteReader in(bytes);
  if (!in.Read(0, data.header)) return ReadError{ReadProblem::EndsInHeader, 0};
  for (std::size_t i = 0; i < data.records.size(); ++i) {
    if (!in.Read(RecordOffset(i), data.records[i].bytes)) {
      return i < kUserProgramCount
                 ? ReadError{ReadProblem::EndsInItem, RecordOffset(i), ReadItemKind::Program,
                             static_cast<int>(i + 1)}
                 : ReadError{ReadProblem::EndsInItem, RecordOffset(i), ReadItemKind::DrumKit,
                             static_cast<int>(i - kUserProgramCount + 1)};
    }
  }
  for (std::size_t k = 0; k < data.drumKitData.size(); ++k) {
    const std::size_t at = kDrumKitDataOffset + kDrumKitDataSize * k;
    if (!in.Read(at, data.drumKitData[k])) {
      return ReadError{ReadProblem::EndsInItemData, at, ReadItemKind::DrumKit,
                       static_cast<int>(k + 1)};
    }
  }
  return std::nullopt;
}

std::vector<std::uint8_t> WriteProgramFile(const ProgramData& data) {
  ByteWriter out(kProgramFileSize);
  out.ExtendTo(kProgramFileSize);
  out.Put(0, data.header);
  for (std::size_t i = 0; i < data.records.size(); ++i)
    out.Put(RecordOffset(i), data.records[i].bytes);
  for (std::size_t k = 0; k < data.drumKitData.size(); ++k) {
    out.Put(kDrumKitDataOffset + kDrumKitDataSize * k, data.drumKitData[k]);
  }
  return out.Take();
}

ReadOutcome ReadIpfFile(std::span<const std::uint8_t> bytes, ProgramRecord& program) {
  if (!ByteReader(bytes).Read(kOneItemRecordOffset, program.bytes)) {
    return ReadError{ReadProblem::ShorterThanOneItem, bytes.size(), ReadItemKind::Program};
  }
  return std::nullopt;
}

ReadOutcome ReadIdkFile(std::span<const std::uint8_t> bytes, DrumKit& kit) {
  const ByteReader in(bytes);
  if (!in.Read(kOneItemRecordOffset, kit.record.bytes) ||
      !in.Read(kOneItemDrumKitOffset, kit.data)) {
    return ReadError{ReadProblem::ShorterThanOneItem, bytes.size(), ReadItemKind::DrumKit};
  }
  return std::nullopt;
}

}  // namespace i40
