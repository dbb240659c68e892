#include "format/arrangement_file.h"

#include "util/byte_io.h"

namespace i40 {

ReadOutcome ReadArrangementFile(std::span<const std::uint8_t> bytes, ArrangementData& data) {
  const ByteReader in(bytes);
  if (!in.Read(0, data.header)) return ReadError{ReadProblem::EndsInHeader, 0};
  for (std::size_t k = 0; k < data.records.size(); ++k) {
    const std::size_t at = kArrangementRecordsOffset + ArrangementRecord::kSize * k;
    if (!in.Read(at, data.records[k].bytes)) {
      return ReadError{ReadProblem::EndsInItem, at, ReadItemKind::Arrangement,
                       static_cast<int>(k + 1)};
    }
  }
  const std::size_t length = GetU16(data.header, kArrangementLengthFieldOffset);
  const std::size_t extraAt = kArrangementRecordsOffset + kArrangementRecordsSize;
  data.extra.clear();
  if (length > kArrangementRecordsSize) {
    const std::size_t extra = length - kArrangementRecordsSize;
    if (!in.Read(extraAt, extra, data.extra)) {
      return ReadError{ReadProblem::ExtraBytesMissing, in.size(), ReadItemKind::Arrangement, 0,
                       extra};
    }
  }
  return std::nullopt;
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

ReadOutcome ReadIafFile(std::span<const std::uint8_t> bytes, ArrangementRecord& record) {
  if (!ByteReader(bytes).Read(kIafRecordOffset, record.bytes)) {
    return ReadError{ReadProblem::ShorterThanOneItem, bytes.size(), ReadItemKind::Arrangement};
  }
  return std::nullopt;
}

}  // namespace i40
