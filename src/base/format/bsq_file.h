#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "format/bsq_record.h"
#include "format/read_error.h"

namespace i40 {

inline constexpr std::size_t kBsqRecordsOffset = 16;
inline constexpr std::size_t kBsqTrackStartOffset = 2106;
inline constexpr std::size_t kBsqEndStartOffset = 2446;
inline constexpr std::size_t kBsqDataOffset = 2448;

// Reads a ".BSQ" file. Track starts that go backwards, or data that the starts promise
// but the file does not hold, stop the reading; the sequences not read are left empty.
ReadOutcome ReadBsqFile(std::span<const std::uint8_t> bytes, BsqData& data);

std::vector<std::uint8_t> WriteBsqFile(const BsqData& data);

// Track lengths and sequence sizes from the track starts.
void DeriveBsqLengths(BsqData& data);

// Track starts and the end from the lengths, keeping the base (after an edit).
void RebuildTrackStarts(BsqData& data);

// Units used by all sequences, and what is left of the instrument's memory (negative
// when over).
int BsqTotalUnits(const BsqData& data);
int BsqFreeUnits(const BsqData& data);

}  // namespace i40
