#include "calls/callers.h"

#include "format/item_numbers.h"
#include "format/kind_table.h"

namespace i40 {
namespace {

std::string CallerText(Kind caller, ItemIndex index, Kind called) {
  const KindFacts& facts = FactsOf(caller);
  // The callers of an Arrangement have always been listed with one blank after "BSeq".
  const bool wide = facts.edit.sequences && called != Kind::Arrangement;
  return std::string(facts.words.shortName) + (wide ? "  " : " ") + facts.positionLabel(index);
}

}  // namespace

std::vector<ItemCall> CallersOf(const FileSet& set, Kind called, ItemNumber number) {
  std::vector<ItemCall> calls;
  ForEachCallOf(set, called, [&](Kind caller, ItemIndex i, const CallField& field, auto record) {
    if (ReadCall(record, field) == number) {
      calls.push_back({CallerText(caller, i, called), std::string(field.trackName)});
    }
  });
  return calls;
}

std::vector<std::string> CallerTexts(const FileSet& set, Kind called, ItemNumber number) {
  std::vector<std::string> texts;
  for (ItemCall& call : CallersOf(set, called, number))
    texts.push_back(std::move(call.caller));
  return texts;
}

CallIndex::CallIndex(const FileSet& set) {
  // One pass of each called kind, in the order CallersOf lists the calls.
  for (const Kind called : {Kind::Arrangement, Kind::Style, Kind::Program}) {
    ForEachCallOf(set, called, [&](Kind caller, ItemIndex i, const CallField& field, auto record) {
      callers_[{called, ReadCall(record, field)}].push_back(CallerText(caller, i, called));
    });
  }
}

std::vector<std::string> CallIndex::CallerTexts(Kind called, ItemNumber number) const {
  const auto found = callers_.find({called, number});
  return found != callers_.end() ? found->second : std::vector<std::string>{};
}

std::array<bool, 8> RedirectCalls(FileSet& set, Kind called, ItemNumber oldNumber,
                                  ItemNumber newNumber) {
  std::array<bool, 8> changed{};
  ForEachCallOf(
      set, called,
      [&](Kind caller, ItemIndex, const CallField& field, std::span<std::uint8_t> record) {
        if (ReadCall(record, field) != oldNumber) return;
        WriteCall(record, field, newNumber);
        changed[static_cast<std::size_t>(KindIndex(caller))] = true;
      });
  return changed;
}

std::unordered_set<ItemNumber> CalledNumbers(const FileSet& set, Kind called) {
  std::unordered_set<ItemNumber> numbers;
  ForEachCallOf(set, called, [&](Kind, ItemIndex, const CallField& field, auto record) {
    numbers.insert(ReadCall(record, field));
  });
  return numbers;
}

}  // namespace i40
