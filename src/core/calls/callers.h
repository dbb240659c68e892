#pragma once

#include <array>
#include <map>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "format/call_table.h"
#include "format/file_set.h"
#include "format/kind_table.h"
#include "format/positions.h"

// Who calls what inside one Set, read from the calls table: the callers of an item, the
// redirection of its callers to another item, and everything a Set calls.
namespace i40 {

// Calls made by items that hold something: named Arrangements, Styles and Backing
// Sequences, and every KBD Set. Visits them in the order callers are listed
// (Arrangements, Styles, Backing Sequences, KBD Sets; item by item, field by field):
// visit(caller kind, caller position, field, the caller's record). On a Set that is not
// const the record can be written.
template <typename SetT, typename Visit>
void ForEachCall(SetT& set, Visit&& visit) {
  for (const Kind caller : kCallerKinds) {
    for (const ItemIndex i : PositionsOf(caller)) {
      const auto record = RecordBytes(set, caller, i);
      if (IsEmptyRecord(caller, record)) continue;
      for (const CallField& field : CallFieldsOf(caller))
        visit(caller, i, field, record);
    }
  }
}

// The same, for the calls of one kind only; caller kinds that cannot call it are not
// looked at.
template <typename SetT, typename Visit>
void ForEachCallOf(SetT& set, Kind called, Visit&& visit) {
  for (const Kind caller : kCallerKinds) {
    std::array<const CallField*, 16> fields{};
    std::size_t count = 0;
    for (const CallField& field : CallFieldsOf(caller)) {
      if (field.called == called) fields[count++] = &field;
    }
    if (count == 0) continue;
    const std::size_t nameWidth = FactsOf(caller).nameWidth;
    for (const ItemIndex i : PositionsOf(caller)) {
      const auto record = RecordBytes(set, caller, i);
      if (IsBlankName(record, nameWidth)) continue;
      for (std::size_t f = 0; f < count; ++f)
        visit(caller, i, *fields[f], record);
    }
  }
}

// One call of an item: the caller as the lists show it ("Arr C12", "Sty C15", "BSeq  3",
// "KSet B2") and the track or keyboard section that makes it (empty for the Style call
// of an Arrangement and the Arrangement and Style calls of a Backing Sequence).
struct ItemCall {
  std::string caller;
  std::string track;

  bool operator==(const ItemCall&) const = default;
};

std::vector<ItemCall> CallersOf(const FileSet& set, Kind called, ItemNumber number);
// The callers alone, as the Set window, the reports and the questions before an
// overwrite list them: of an Arrangement ("BSeq 3"), of a Style ("Arr C12", "BSeq  3").
std::vector<std::string> CallerTexts(const FileSet& set, Kind called, ItemNumber number);

// Every call in a Set, looked up by what it calls, each list in the order CallersOf gives
// it: read once for work that asks after the callers of every item (the Set report).
class CallIndex {
 public:
  explicit CallIndex(const FileSet& set);
  std::vector<std::string> CallerTexts(Kind called, ItemNumber number) const;

 private:
  std::map<std::pair<Kind, ItemNumber>, std::vector<std::string>> callers_;
};

// Every call of the old number gets the new one; the kinds whose records changed.
std::array<bool, 8> RedirectCalls(FileSet& set, Kind called, ItemNumber oldNumber,
                                  ItemNumber newNumber);

// Every number of a kind that something in the Set calls.
std::unordered_set<ItemNumber> CalledNumbers(const FileSet& set, Kind called);

}  // namespace i40
