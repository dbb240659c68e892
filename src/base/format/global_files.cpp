#include "format/global_files.h"

#include "util/byte_io.h"

namespace i40 {
namespace {

// Both kinds are a header followed by one record.
template <typename Data>
ReadOutcome ReadHeaderAndRecord(std::span<const std::uint8_t> bytes, Data& data) {
  const ByteReader in(bytes);
  if (!in.Read(0, data.header)) return ReadError{ReadProblem::EndsInHeader, 0};
  if (!in.Read(Data::kHeaderSize, data.record)) {
    return ReadError{ReadProblem::EndsInRecord, Data::kHeaderSize};
  }
  return std::nullopt;
}

template <typename Data>
std::vector<std::uint8_t> WriteHeaderAndRecord(const Data& data) {
  ByteWriter out(Data::kHeaderSize + Data::kRecordSize);
  out.Put(0, data.header);
  out.Put(Data::kHeaderSize, data.record);
  return out.Take();
}

}  // namespace

ReadOutcome ReadArrangementGlobalFile(std::span<const std::uint8_t> bytes,
                                      ArrangementGlobalData& data) {
  return ReadHeaderAndRecord(bytes, data);
}

std::vector<std::uint8_t> WriteArrangementGlobalFile(const ArrangementGlobalData& data) {
  return WriteHeaderAndRecord(data);
}

ReadOutcome ReadGlobalFile(std::span<const std::uint8_t> bytes, GlobalData& data) {
  return ReadHeaderAndRecord(bytes, data);
}

std::vector<std::uint8_t> WriteGlobalFile(const GlobalData& data) {
  return WriteHeaderAndRecord(data);
}

}  // namespace i40
