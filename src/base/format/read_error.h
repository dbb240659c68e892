#pragma once

#include <cstddef>
#include <optional>

namespace i40 {

// Why a reader stopped. The reader says what and where; the text the user sees is made
// where it is shown.
enum class ReadProblem {
  EndsInHeader,           // the file is shorter than the header kept for its kind
  EndsInItem,             // ... inside item `item` (counted as the message counts it)
  EndsInItemData,         // ... inside the data block of item `item`
  ExtraBytesMissing,      // the header promises `count` bytes after the records
  EndsInTable,            // ... inside the table of Style entries
  TableEntryOfOtherSlot,  // Style table entry `item` holds slot `count`
  ItemShorterThanRecord,  // item `item`'s length leaves no room for its record
  EndsInTrackStarts,      // ... inside the Backing Sequence track starts
  TrackEndsBeforeStart,   // track `count` of item `item` ends before it starts
  ItemTooLong,            // item `item` is longer than its 16-bit size can say
  EndsInEvents,           // ... inside the events of item `item`
  EndsInRecord,           // ... inside the one record of the file
  ShorterThanOneItem,     // a one-item file too short for its item
  LongerThanAFileHolds,   // a one-item file whose item no component could hold
};

// The item word of the messages ("Arrangement 5", "Drum Kit 2").
enum class ReadItemKind { None, Arrangement, Style, Program, DrumKit, BackingSequence, KbdSet };

struct ReadError {
  ReadProblem what;
  std::size_t offset = 0;  // the byte of the file where the reader stopped
  ReadItemKind itemKind = ReadItemKind::None;
  int item = 0;
  std::size_t count = 0;

  bool operator==(const ReadError&) const = default;
};

// What every reader returns: nothing when the whole file was read.
using ReadOutcome = std::optional<ReadError>;

}  // namespace i40
