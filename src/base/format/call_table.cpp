#include "format/call_table.h"

#include <array>

#include "format/arrangement_record.h"
#include "format/bsq_record.h"
#include "format/kbdset_record.h"
#include "format/kind_table.h"
#include "format/style_record.h"
#include "format/track_call.h"
#include "format/vocabulary.h"

namespace i40 {
namespace {

// The picker of a redirected track call opens on the Drum Kits for the drum tracks and
// on the user Programs for the others.
constexpr ItemNumber kDrumKitsStart{1024};     // R11
constexpr ItemNumber kUserProgramsStart{768};  // F11

constexpr std::array<CallField, 1 + kArrangementTrackCount> kArrangementCalls = [] {
  std::array<CallField, 1 + kArrangementTrackCount> fields{};
  fields[0] = {Kind::Arrangement,      Kind::Style, ArrangementRecord::kStyleOffset,
               CallEncoding::Signed16, -1,          "",
               ItemNumber{0}};
  for (int t = 0; t < kArrangementTrackCount; ++t) {
    fields[static_cast<std::size_t>(t) + 1] = {
        Kind::Arrangement,
        Kind::Program,
        ArrangementRecord::kTracksOffset +
            ArrangementRecord::kTrackEntrySize * static_cast<std::size_t>(t),
        CallEncoding::TrackCall,
        t,
        kStyleTrackName[static_cast<std::size_t>(t)],
        t < 2 ? kDrumKitsStart : kUserProgramsStart};
  }
  return fields;
}();

constexpr std::array<CallField, kStyleTrackCallCount> kStyleCalls = [] {
  std::array<CallField, kStyleTrackCallCount> fields{};
  for (int t = 0; t < kStyleTrackCallCount; ++t) {
    fields[static_cast<std::size_t>(t)] = {
        Kind::Style,
        Kind::Program,
        StyleRecord::kTrackCallsOffset + StyleRecord::kTrackCallSize * static_cast<std::size_t>(t),
        CallEncoding::TrackCall,
        t,
        kStyleTrackName[static_cast<std::size_t>(t)],
        ItemNumber{0}};
  }
  return fields;
}();

constexpr std::array<CallField, 2 + kBsqProgramTrackCount> kBsqCalls = [] {
  std::array<CallField, 2 + kBsqProgramTrackCount> fields{};
  fields[0] = {Kind::BackingSequence,
               Kind::Arrangement,
               BsqRecord::kArrangementOffset,
               CallEncoding::Signed16,
               -1,
               "",
               ItemNumber{0}};
  fields[1] = {Kind::BackingSequence,  Kind::Style, BsqRecord::kStyleOffset,
               CallEncoding::Signed16, -1,          "",
               ItemNumber{0}};
  for (int t = 0; t < kBsqProgramTrackCount; ++t) {
    fields[static_cast<std::size_t>(t) + 2] = {Kind::BackingSequence,
                                               Kind::Program,
                                               BsqRecord::ProgramOffset(t),
                                               CallEncoding::Signed16,
                                               t,
                                               kBsqTrackName[static_cast<std::size_t>(t)],
                                               t < 2 ? kDrumKitsStart : kUserProgramsStart};
  }
  return fields;
}();

constexpr std::array<CallField, kKbdSectionCount> kKbdSetCalls = [] {
  std::array<CallField, kKbdSectionCount> fields{};
  for (int s = 0; s < kKbdSectionCount; ++s) {
    fields[static_cast<std::size_t>(s)] = {
        Kind::KbdSet,
        Kind::Program,
        KbdSetRecord::kSectionSize * static_cast<std::size_t>(s) + KbdSetRecord::kProgramInSection,
        CallEncoding::Signed16,
        s,
        kKbdSectionName[static_cast<std::size_t>(s)],
        ItemNumber{0}};
  }
  return fields;
}();

}  // namespace

std::span<const CallField> ArrangementCallFields() {
  return kArrangementCalls;
}
std::span<const CallField> StyleCallFields() {
  return kStyleCalls;
}
std::span<const CallField> BsqCallFields() {
  return kBsqCalls;
}
std::span<const CallField> KbdSetCallFields() {
  return kKbdSetCalls;
}

std::span<const CallField> CallFieldsOf(Kind caller) {
  return FactsOf(caller).calls;
}

ItemNumber ReadCall(std::span<const std::uint8_t> record, const CallField& field) {
  const std::uint8_t low = record[field.offset];
  const std::uint8_t high = record[field.offset + 1];
  if (field.encoding == CallEncoding::TrackCall) return ItemNumber{DecodeTrackCall(low, high)};
  return ItemNumber{static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)))};
}

void WriteCall(std::span<std::uint8_t> record, const CallField& field, ItemNumber number) {
  const TrackCallBytes bytes = EncodeTrackCall(Value(number));  // the same bytes for both encodings
  record[field.offset] = bytes.low;
  record[field.offset + 1] = bytes.high;
}

}  // namespace i40
