#include "edit/called_items.h"

#include <deque>
#include <set>
#include <unordered_set>
#include <utility>

#include "calls/callers.h"
#include "calls/item_lookup.h"
#include "format/call_table.h"
#include "format/item_image.h"
#include "format/item_numbers.h"
#include "format/kind_table.h"
#include "format/positions.h"
#include "format/style_blocks.h"
#include "util/text.h"

namespace i40 {
namespace {

using Item = std::pair<Kind, ItemIndex>;  // a kind and a user index

class CalledItemCopier {
 public:
  CalledItemCopier(const FileSet& source, FileSet& dest) : source_(source), dest_(dest) {
    for (const Kind kind : {Kind::Arrangement, Kind::Style, Kind::Program})
      called_[Slot(kind)] = CalledNumbers(dest, kind);
  }

  std::vector<std::string> Run(Kind kind, std::span<const std::uint8_t> record) {
    std::deque<std::pair<Kind, std::vector<std::uint8_t>>> callers;
    callers.emplace_back(kind, std::vector<std::uint8_t>(record.begin(), record.end()));
    while (!callers.empty()) {
      const auto [caller, bytes] = std::move(callers.front());
      callers.pop_front();
      for (const CallField& field : CallFieldsOf(caller)) {
        const ItemIndex user = ItemUserIndex(field.called, ReadCall(bytes, field));
        if (user == kNoIndex || IsItemSlotEmpty(source_, field.called, user)) continue;
        if (!seen_.insert({field.called, user}).second) continue;
        const std::string name = ItemUserName(source_, field.called, user);
        if (FindItemByName(dest_, field.called, name) != kNoNumber) continue;
        const ItemImage image = ReadItem(source_, field.called, user);
        const ItemIndex position = FreePosition(field.called, user, image);
        if (position == kNoIndex) {
          missing_.push_back(std::string(KindName(field.called)) + " " +
                             ItemUserLabel(field.called, user) + " '" + TrimSpaces(name) + "'");
        } else {
          WriteItem(dest_, field.called, position, image);
          copies_.emplace_back(field.called, position);
        }
        // What it calls is needed too, whether it found room or not (the message lists all).
        const auto calledRecord = RecordBytes(source_, field.called, user);
        callers.emplace_back(field.called,
                             std::vector<std::uint8_t>(calledRecord.begin(), calledRecord.end()));
      }
    }
    if (missing_.empty()) PointCopiesAtDest();
    return missing_;
  }

 private:
  // Arrangements, Styles and Programs: the kinds calls point at.
  static std::size_t Slot(Kind kind) {
    return kind == Kind::Arrangement ? 0 : kind == Kind::Style ? 1 : 2;
  }

  ItemIndex FreePosition(Kind kind, ItemIndex user, const ItemImage& image) const {
    // The user bank's positions, or those of the preset bank that holds the item (the
    // Drum Kits keep to their own two positions, Programs to theirs).
    const KindFacts& facts = FactsOf(kind);
    const int inUserBank = facts.userCount - facts.extraUserCount;
    const bool extra = Value(user) >= inUserBank;
    const int first = extra ? inUserBank : 0;
    const int last = extra ? facts.userCount - 1 : inUserBank - 1;
    for (int p = first; p <= last; ++p) {
      const ItemIndex at{p};
      if (!IsEmptyPosition(dest_, kind, at)) continue;
      if (called_[Slot(kind)].contains(ItemNumberOfUserIndex(kind, at))) continue;
      if (kind == Kind::Style && NeededEventsOfLength(StyleImageLength(image)) >
                                     StyleEvents(dest_.styles, at) + BlockFree(dest_.styles, at)) {
        continue;
      }
      return at;
    }
    return kNoIndex;
  }

  // The copies still call by their numbers in the source Set: each call now names the
  // item of that name in this Set.
  void PointCopiesAtDest() {
    for (const auto& [kind, position] : copies_) {
      const std::span<std::uint8_t> record = RecordBytes(dest_, kind, position);
      for (const CallField& field : CallFieldsOf(kind)) {
        const ItemIndex user = ItemUserIndex(field.called, ReadCall(record, field));
        if (user == kNoIndex || IsItemSlotEmpty(source_, field.called, user)) continue;
        const ItemNumber match =
            FindItemByName(dest_, field.called, ItemUserName(source_, field.called, user));
        if (match != kNoNumber) WriteCall(record, field, match);
      }
    }
  }

  const FileSet& source_;
  FileSet& dest_;
  std::array<std::unordered_set<ItemNumber>, 3> called_;
  std::set<Item> seen_;
  std::vector<Item> copies_;
  std::vector<std::string> missing_;
};

}  // namespace

std::vector<std::string> CopyCalledItems(const FileSet& source, FileSet& dest, Kind kind,
                                         std::span<const std::uint8_t> record) {
  return CalledItemCopier(source, dest).Run(kind, record);
}

}  // namespace i40
