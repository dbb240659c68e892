#include "kbdsets/kbdset_file.h"

#include <string>

#include "util/byte_io.h"

namespace i40 {

ReadResult ReadKbdSetFile(std::span<const std::uint8_t> bytes, KbdSetData& data) {
  const ByteReader in(bytes);
  if (!in.Read(0, data.header)) return ReadResult::Failure("The file ends inside its header", 0);
  for (std::size_t k = 0; k < data.records.size(); ++k) {
    const std::size_t at = kKbdSetRecordsOffset + KbdSetRecord::kSize * k;
    if (!in.Read(at, data.records[k].bytes)) {
      return ReadResult::Failure("The file ends inside KBD Set " + std::to_string(k + 1), at);
    }
  }
  return ReadResult::Success();
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
