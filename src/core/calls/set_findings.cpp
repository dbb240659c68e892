#include "calls/set_findings.h"

#include "calls/callers.h"
#include "calls/item_lookup.h"
#include "format/bsq_file.h"
#include "format/style_blocks.h"
#include "kbdsets/kbdset_grid.h"
#include "util/text.h"

namespace i40 {
namespace {

// "Arrangement C12 'POP'", "Backing Sequence 3 'VERSE'", "KBD Set A1".
std::string CallerDescription(Kind caller, int index, std::span<const std::uint8_t> record) {
  switch (caller) {
    case Kind::Arrangement:
    case Kind::Style:
      return std::string(KindName(caller)) + " " + ItemUserLabel(caller, index) + " '" +
             TrimSpaces(RecordName(caller, record)) + "'";
    case Kind::BackingSequence:
      return "Backing Sequence " + std::to_string(index) + " '" +
             TrimSpaces(RecordName(caller, record)) + "'";
    default:
      return "KBD Set " + KbdSetLabel(index);
  }
}

}  // namespace

std::vector<std::string> SetFindings(const FileSet& set) {
  std::vector<std::string> findings;
  ForEachCall(set, [&](Kind caller, int i, const CallField& field, auto record) {
    const int number = ReadCall(record, field);
    const int user = ItemUserIndex(field.called, number);
    if (user < 0 || !IsItemSlotEmpty(set, field.called, user)) return;
    findings.push_back(CallerDescription(caller, i, record) + " calls the empty " +
                       std::string(KindName(field.called)) + " " +
                       ItemNumberLabel(field.called, number));
  });
  for (int b = 0; b < kStyleBlockCount; ++b) {
    const int free = FreeEventsOfBlock(set.styles, b);
    if (free < 0) {
      findings.push_back("Style Block " + std::to_string(b + 1) + " is " + std::to_string(-free) +
                         " events over its capacity");
    }
  }
  if (BsqFreeUnits(set.backingSequences) < 0) {
    findings.push_back("Backing Sequences are " +
                       std::to_string(-BsqFreeUnits(set.backingSequences) * kBsqEventsPerUnit) +
                       " events over the instrument's memory");
  }
  return findings;
}

}  // namespace i40
