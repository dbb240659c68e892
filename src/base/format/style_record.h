#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "format/item_record.h"
#include "format/track_call.h"

namespace i40 {

inline constexpr int kUserStyleCount = 16;
inline constexpr int kStyleTrackCallCount = 6;
// The length of a Style entry without events: 1106 bytes of fixed data besides its
// record; every event adds 4.
inline constexpr std::int32_t kEmptyStyleLength = 1176;

// The parameters of one Style as they stand in the file (69 bytes).
struct StyleRecord : ItemRecord<69> {
  static constexpr std::size_t kTrackCallsOffset = 45;
  static constexpr std::size_t kTrackCallSize = 4;

  int TrackProgram(int track) const { return GetTrackCall(bytes, TrackOffset(track)); }
  void SetTrackProgram(int track, int number) { PutTrackCall(bytes, TrackOffset(track), number); }

 private:
  static std::size_t TrackOffset(int track) {
    return kTrackCallsOffset + kTrackCallSize * static_cast<std::size_t>(track);
  }
};

// One user Style position: its table entry, its parameters and its event data.
struct StyleSlot {
  std::uint8_t index = 0;
  std::uint8_t present = 0;  // 0: no Style data in the file; any other value kept as read
  std::int32_t length = 0;   // bytes the slot occupies in the file's data area
  StyleRecord record;
  std::vector<std::uint8_t> data;  // length - 70 bytes of event data, opaque
};

// The Style component of a Set.
struct StyleData {
  static constexpr std::size_t kHeaderSize = 21;

  std::array<std::uint8_t, kHeaderSize> header{};
  int blockCount = 4;
  std::array<StyleSlot, kUserStyleCount> slots;

  StyleData() {
    for (std::size_t i = 0; i < slots.size(); ++i) {
      slots[i].index = static_cast<std::uint8_t>(i);
      slots[i].record = BlankItemRecord<StyleRecord>();
    }
  }
};

}  // namespace i40
