#include "arrangements/arrangement_file.h"

#include "util/byte_io.h"

namespace i40 {

ReadResult ReadArrangementFile(std::span<const std::uint8_t> bytes, ArrangementData& data) {
  const ByteReader in(bytes);
  if (!in.Read(0, data.header)) return ReadResult::Failure("The file ends inside its header", 0);
  for (std::size_t k = 0; k < data.records.size(); ++k) {
    const std::size_t at = kArrangementRecordsOffset + ArrangementRecord::kSize * k;
    if (!in.Read(at, data.records[k].bytes)) {
      return ReadResult::Failure("The file ends inside Arrangement " + std::to_string(k + 1), at);
    }
  }
  const std::size_t length = GetU16(data.header, kArrangementLengthFieldOffset);
  const std::size_t extraAt = kArrangementRecordsOffset + kArrangementRecordsSize;
  data.extra.clear();
  if (length > kArrangementRecordsSize) {
    const std::size_t extra = length - kArrangementRecordsSize;
    if (!in.Read(extraAt, extra, data.extra)) {
      return ReadResult::Failure("The header promises " + std::to_string(extra) +
                                     " bytes after the Arrangements, the file ends before them",
                                 in.size());
    }
  }
  return ReadResult::Success();
}

std::vector<std::uint8_t> WriteArrangementFile(const ArrangementData& data) {
  ByteWriter out(kArrangementRecordsOffset + kArrangementRecordsSize + data.extra.size());
  out.Put(0, data.header);
  for (std::size_t k = 0; k < data.records.size(); ++k) {
    out.Put(kArrangementRecordsOffset + ArrangementRecord::kSize * k, data.records[k].bytes);
  }
  out.Put(kArrangementRecordsOffset + kArrangementRecordsSize, data.extra);
  return out.Take();
}

std::variant<ArrangementRecord, ReadResult> ReadIafFile(std::span<const std::uint8_t> bytes) {
  ArrangementRecord record;
  if (!ByteReader(bytes).Read(kIafRecordOffset, record.bytes)) {
    return ReadResult::Failure("The file is shorter than one Arrangement", bytes.size());
  }
  return record;
}

}  // namespace i40
