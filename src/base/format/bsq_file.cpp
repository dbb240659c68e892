#include "format/bsq_file.h"

#include <cstdint>

#include "util/byte_io.h"

namespace i40 {
namespace {

// Where the track after (i, j) starts: the next track, the first of the next sequence,
// or the end of the memory used.
int NextTrackStart(const BsqData& data, std::size_t i, std::size_t j) {
  if (j + 1 < kBsqTrackCount) return data.trackStart[i][j + 1];
  if (i + 1 < kBsqCount) return data.trackStart[i + 1][0];
  return data.endStart;
}

}  // namespace

BsqRecord EmptyBsqRecord() {
  BsqRecord record;
  record.SetName("");
  return record;
}

void DeriveBsqLengths(BsqData& data) {
  for (std::size_t i = 0; i < kBsqCount; ++i) {
    int total = 0;
    for (std::size_t j = 0; j < kBsqTrackCount; ++j) {
      const int length = NextTrackStart(data, i, j) - data.trackStart[i][j];
      data.trackLength[i][j] = static_cast<std::int16_t>(length);
      total += length;
    }
    data.size[i] = static_cast<std::int16_t>(total);
  }
}

void RebuildTrackStarts(BsqData& data) {
  int start = data.trackStart[0][0];
  for (std::size_t i = 0; i < kBsqCount; ++i) {
    for (std::size_t j = 0; j < kBsqTrackCount; ++j) {
      data.trackStart[i][j] = static_cast<std::int16_t>(start);
      start += data.trackLength[i][j];
    }
  }
  data.endStart = static_cast<std::int16_t>(start);
}

ReadOutcome ReadBsqFile(std::span<const std::uint8_t> bytes, BsqData& data) {
  const ByteReader in(bytes);
  for (auto& d : data.data)
    d.clear();
  data.trackLength = {};
  data.size = {};
  if (!in.Read(0, data.header)) return ReadError{ReadProblem::EndsInHeader, 0};
  for (std::size_t i = 0; i < kBsqCount; ++i) {
    const std::size_t at = kBsqRecordsOffset + BsqRecord::kSize * i;
    if (!in.Read(at, data.records[i].bytes)) {
      return ReadError{ReadProblem::EndsInItem, at, ReadItemKind::BackingSequence,
                       static_cast<int>(i)};
    }
  }
  for (std::size_t k = 0; k < kBsqCount * kBsqTrackCount; ++k) {
    const auto start = in.I16(kBsqTrackStartOffset + 2 * k);
    if (!start) return ReadError{ReadProblem::EndsInTrackStarts, in.size()};
    data.trackStart[k / kBsqTrackCount][k % kBsqTrackCount] = *start;
  }
  const auto end = in.I16(kBsqEndStartOffset);
  if (!end) return ReadError{ReadProblem::EndsInTrackStarts, in.size()};
  data.endStart = *end;

  // Every track must start where the one before it ends or later, and no sequence may
  // be larger than its 16-bit size can say.
  BsqData derived = data;
  for (std::size_t i = 0; i < kBsqCount; ++i) {
    int sequenceUnits = 0;
    for (std::size_t j = 0; j < kBsqTrackCount; ++j) {
      const int length = NextTrackStart(data, i, j) - data.trackStart[i][j];
      const std::size_t at = kBsqTrackStartOffset + 2 * (i * kBsqTrackCount + j);
      if (length < 0) {
        return ReadError{ReadProblem::TrackEndsBeforeStart, at, ReadItemKind::BackingSequence,
                         static_cast<int>(i), j + 1};
      }
      sequenceUnits += length;
      if (sequenceUnits > INT16_MAX) {
        return ReadError{ReadProblem::ItemTooLong, at, ReadItemKind::BackingSequence,
                         static_cast<int>(i)};
      }
    }
  }
  DeriveBsqLengths(derived);

  std::size_t p = kBsqDataOffset;
  for (std::size_t i = 0; i < kBsqCount; ++i) {
    const std::size_t length = static_cast<std::size_t>(derived.size[i]) * kBsqUnitBytes;
    if (!in.Read(p, length, data.data[i])) {
      return ReadError{ReadProblem::EndsInEvents, in.size(), ReadItemKind::BackingSequence,
                       static_cast<int>(i)};
    }
    data.trackLength[i] = derived.trackLength[i];
    data.size[i] = derived.size[i];
    p += length;
  }
  return std::nullopt;
}

std::vector<std::uint8_t> WriteBsqFile(const BsqData& data) {
  ByteWriter out;
  out.Put(0, data.header);
  for (std::size_t i = 0; i < kBsqCount; ++i) {
    out.Put(kBsqRecordsOffset + BsqRecord::kSize * i, data.records[i].bytes);
  }
  for (std::size_t k = 0; k < kBsqCount * kBsqTrackCount; ++k) {
    out.PutU16(kBsqTrackStartOffset + 2 * k,
               static_cast<std::uint16_t>(data.trackStart[k / kBsqTrackCount][k % kBsqTrackCount]));
  }
  out.PutU16(kBsqEndStartOffset, static_cast<std::uint16_t>(data.endStart));
  std::size_t p = kBsqDataOffset;
  for (const auto& sequence : data.data) {
    out.Put(p, sequence);
    p += sequence.size();
  }
  out.ExtendTo(kBsqDataOffset);
  return out.Take();
}

int BsqTotalUnits(const BsqData& data) {
  int total = 0;
  for (const auto s : data.size)
    total += s;
  return total;
}

int BsqFreeUnits(const BsqData& data) {
  return kBsqMemoryUnits - BsqTotalUnits(data);
}

}  // namespace i40
