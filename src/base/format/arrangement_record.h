#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "format/item_record.h"
#include "format/track_call.h"

namespace i40 {

inline constexpr int kUserArrangementCount = 64;
inline constexpr int kArrangementTrackCount = 9;

// One Arrangement as it stands in the file (164 bytes).
struct ArrangementRecord : ItemRecord<164> {
  static constexpr std::size_t kStyleOffset = 18;
  static constexpr std::size_t kTracksOffset = 40;
  static constexpr std::size_t kTrackEntrySize = 8;

  // The called Style; the stored 65535 reads as -1.
  int Style() const { return static_cast<std::int16_t>(GetU16(bytes, kStyleOffset)); }
  void SetStyle(int number) { PutU16(bytes, kStyleOffset, static_cast<std::uint16_t>(number)); }

  int TrackProgram(int track) const { return GetTrackCall(bytes, TrackOffset(track)); }
  void SetTrackProgram(int track, int number) { PutTrackCall(bytes, TrackOffset(track), number); }

 private:
  static std::size_t TrackOffset(int track) {
    return kTracksOffset + kTrackEntrySize * static_cast<std::size_t>(track);
  }
};

// The Arrangement component of a Set.
struct ArrangementData {
  static constexpr std::size_t kHeaderSize = 32;

  std::array<std::uint8_t, kHeaderSize> header{};
  std::array<ArrangementRecord, kUserArrangementCount> records;
  std::vector<std::uint8_t> extra;  // bytes after the last record, held as read

  ArrangementData() { records.fill(BlankItemRecord<ArrangementRecord>()); }
};

}  // namespace i40
