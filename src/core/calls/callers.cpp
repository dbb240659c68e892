#include "calls/callers.h"

#include "format/item_numbers.h"
#include "format/kind_table.h"

namespace i40 {
namespace {

std::string CallerText(Kind caller, int index, Kind called) {
  const KindFacts& facts = FactsOf(caller);
  // The callers of an Arrangement have always been listed with one blank after "BSeq".
  const bool wide = facts.edit.sequences && called != Kind::Arrangement;
  return std::string(facts.words.shortName) + (wide ? "  " : " ") + facts.positionLabel(index);
}

std::vector<std::string> CallerTexts(const FileSet& set, Kind called, int number) {
  std::vector<std::string> texts;
  for (ItemCall& call : CallersOf(set, called, number))
    texts.push_back(std::move(call.caller));
  return texts;
}

}  // namespace

std::vector<ItemCall> CallersOf(const FileSet& set, Kind called, int number) {
  std::vector<ItemCall> calls;
  ForEachCallOf(set, called, [&](Kind caller, int i, const CallField& field, auto record) {
    if (ReadCall(record, field) == number) {
      calls.push_back({CallerText(caller, i, called), std::string(field.trackName)});
    }
  });
  return calls;
}

std::array<bool, 8> RedirectCalls(FileSet& set, Kind called, int oldNumber, int newNumber) {
  std::array<bool, 8> changed{};
  ForEachCallOf(set, called,
                [&](Kind caller, int, const CallField& field, std::span<std::uint8_t> record) {
                  if (ReadCall(record, field) != oldNumber) return;
                  WriteCall(record, field, newNumber);
                  changed[static_cast<std::size_t>(KindIndex(caller))] = true;
                });
  return changed;
}

std::unordered_set<int> CalledNumbers(const FileSet& set, Kind called) {
  std::unordered_set<int> numbers;
  ForEachCallOf(set, called, [&](Kind, int, const CallField& field, auto record) {
    numbers.insert(ReadCall(record, field));
  });
  return numbers;
}

std::vector<std::string> ArrangementReferences(const FileSet& set, int number) {
  return CallerTexts(set, Kind::Arrangement, number);
}

std::vector<std::string> StyleCallers(const FileSet& set, int number) {
  return CallerTexts(set, Kind::Style, number);
}

std::vector<ProgramCall> ProgramCallers(const FileSet& set, int number) {
  return CallersOf(set, Kind::Program, number);
}

}  // namespace i40
