#include "format/kbdset_file.h"

#include <string>

#include "util/byte_io.h"

namespace i40 {

ReadOutcome ReadKbdSetFile(std::span<const std::uint8_t> bytes, KbdSetData& data) {
  const ByteReader in(bytes);
  if (!in.Read(0, data.header)) return ReadError{ReadProblem::EndsInHeader, 0};
  for (std::size_t k = 0; k < data.records.size(); ++k) {
    const std::size_t at = kKbdSetRecordsOffset + KbdSetRecord::kSize * k;
    if (!in.Read(at, data.records[k].bytes)) {
      return ReadError{ReadProblem::EndsInItem, at, ReadItemKind::KbdSet, static_cast<int>(k + 1)};
    }
  }
  return std::nullopt;
}

std::vector<std::uint8_t> WriteKbdSetFile(const KbdSetData& data) {
  ByteWriter out(kKbdSetFileSize);
  out.Put(0, data.header);
  for (std::size_t k = 0; k < data.records.size(); ++k) {
    out.Put(kKbdSetRecordsOffset + KbdSetRecord::kSize * k, data.records[k].bytes);
  }
  return out.Take();
}

}  // namespace i40
