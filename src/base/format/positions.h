#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "format/file_set.h"
#include "format/ids.h"
#include "format/kinds.h"

// The positions of the kinds that hold items (64 Arrangements, 16 Styles, 66 Programs
// and Drum Kits, 10 Backing Sequences, 15 KBD Sets) and the record at each.
namespace i40 {

int PositionCount(Kind kind);  // 0 for a kind that holds no items
bool IsPosition(Kind kind, ItemIndex index);
// Every position of a kind, in order: for (const ItemIndex i : PositionsOf(kind)).
class PositionRange {
 public:
  class Iterator {
   public:
    explicit Iterator(int at) : at_(at) {}
    ItemIndex operator*() const { return ItemIndex{at_}; }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    bool operator==(const Iterator&) const = default;

   private:
    int at_;
  };

  explicit PositionRange(int count) : count_(count) {}
  Iterator begin() const { return Iterator(0); }
  Iterator end() const { return Iterator(count_); }

 private:
  int count_;
};

inline PositionRange PositionsOf(Kind kind) {
  return PositionRange(PositionCount(kind));
}

std::size_t RecordSize(Kind kind);

// The record at a position of a Set, to read and rewrite calls in place.
std::span<std::uint8_t> RecordBytes(FileSet& set, Kind kind, ItemIndex index);
std::span<const std::uint8_t> RecordBytes(const FileSet& set, Kind kind, ItemIndex index);

// The name a record holds (16 characters, 10 for a Backing Sequence); empty for a KBD
// Set, which has none.
std::string RecordName(Kind kind, std::span<const std::uint8_t> record);
// The name as words for the user (messages, findings, differences): without the blanks
// that pad it, each byte one character, in UTF-8.
std::string ShownName(Kind kind, std::span<const std::uint8_t> record);
// A record that holds nothing: its name is all blanks. Every KBD Set holds a set-up.
bool IsEmptyRecord(Kind kind, std::span<const std::uint8_t> record);
// The same test with the kind's name width at hand (0 for KBD Sets: never empty), for
// loops over every record of a kind.
inline bool IsBlankName(std::span<const std::uint8_t> record, std::size_t nameWidth) {
  const std::size_t width = nameWidth < record.size() ? nameWidth : record.size();
  if (width == 0) return false;
  for (std::size_t k = 0; k < width; ++k) {
    if (record[k] != ' ') return false;
  }
  return true;
}
bool IsEmptyPosition(const FileSet& set, Kind kind, ItemIndex index);

}  // namespace i40
