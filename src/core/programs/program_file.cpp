#include "programs/program_file.h"

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

std::string ItemWord(std::size_t userIndex) {
  return userIndex < kUserProgramCount
             ? "Program " + std::to_string(userIndex + 1)
             : "Drum Kit " + std::to_string(userIndex - kUserProgramCount + 1);
}

}  // namespace

ReadResult ReadProgramFile(std::span<const std::uint8_t> bytes, ProgramData& data) {
  const ByteReader in(bytes);
  if (!in.Read(0, data.header)) return ReadResult::Failure("The file ends inside its header", 0);
  for (std::size_t i = 0; i < data.records.size(); ++i) {
    if (!in.Read(RecordOffset(i), data.records[i].bytes)) {
      return ReadResult::Failure("The file ends inside " + ItemWord(i), RecordOffset(i));
    }
  }
  for (std::size_t k = 0; k < data.drumKitData.size(); ++k) {
    const std::size_t at = kDrumKitDataOffset + kDrumKitDataSize * k;
    if (!in.Read(at, data.drumKitData[k])) {
      return ReadResult::Failure(
          "The file ends inside the data of Drum Kit " + std::to_string(k + 1), at);
    }
  }
  return ReadResult::Success();
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

std::variant<ProgramBuffer, ReadResult> ReadIpfFile(std::span<const std::uint8_t> bytes) {
  ProgramBuffer program;
  if (!ByteReader(bytes).Read(kOneItemRecordOffset, program.record.bytes)) {
    return ReadResult::Failure("The file is shorter than one Program", bytes.size());
  }
  program.sourceSet = ProgramBuffer::kNotFromASet;
  return program;
}

std::variant<ProgramBuffer, ReadResult> ReadIdkFile(std::span<const std::uint8_t> bytes) {
  const ByteReader in(bytes);
  ProgramBuffer kit;
  if (!in.Read(kOneItemRecordOffset, kit.record.bytes) ||
      !in.Read(kOneItemDrumKitOffset, kit.drumKit)) {
    return ReadResult::Failure("The file is shorter than one Drum Kit", bytes.size());
  }
  kit.sourceSet = ProgramBuffer::kNotFromASet;
  return kit;
}

}  // namespace i40
