#include "calls/set_findings.h"

#include <map>

#include "calls/callers.h"
#include "calls/item_lookup.h"
#include "format/bsq_file.h"
#include "format/item_numbers.h"
#include "format/kind_table.h"
#include "format/positions.h"
#include "format/style_blocks.h"
#include "util/text.h"

namespace i40 {
namespace {

// "Arrangement C12 'POP'", "Backing Sequence 3 'VERSE'", "KBD Set A1".
std::string CallerDescription(Kind caller, ItemIndex index, std::span<const std::uint8_t> record) {
  const KindFacts& facts = FactsOf(caller);
  std::string text = std::string(facts.name) + " " + facts.positionLabel(index);
  if (facts.nameWidth > 0) text += " '" + ShownName(caller, record) + "'";
  return text;
}

// Every later item of a name against the first of it, every one of them: "Program F12
// 'Grand Piano' has the same name as F11". Arrangements, Styles, Programs, and the two
// Drum Kits with each other, as the duplicate-name warnings compare them.
void DuplicateNameFindings(const FileSet& set, std::vector<SetFinding>& findings) {
  for (const Kind kind : {Kind::Arrangement, Kind::Style, Kind::Program}) {
    const KindFacts& facts = FactsOf(kind);
    const int inUserBank = facts.userCount - facts.extraUserCount;
    for (const auto& [first, count] :
         {std::pair(0, inUserBank), std::pair(inUserBank, facts.extraUserCount)}) {
      std::map<std::string, ItemIndex> firstOfName;
      for (int p = first; p < first + count; ++p) {
        const ItemIndex i{p};
        if (IsItemSlotEmpty(set, kind, i)) continue;
        const std::string name = ShownName(kind, RecordBytes(set, kind, i));
        if (name.empty()) continue;
        const auto [at, isFirst] = firstOfName.emplace(name, i);
        if (isFirst) continue;
        findings.push_back({kind, i,
                            std::string(KindName(kind)) + " " + ItemUserLabel(kind, i) + " '" +
                                name + "' has the same name as " +
                                ItemUserLabel(kind, at->second)});
      }
    }
  }
}

}  // namespace

std::vector<SetFinding> SetFindings(const FileSet& set) {
  std::vector<SetFinding> findings;
  ForEachCall(set, [&](Kind caller, ItemIndex i, const CallField& field, auto record) {
    const ItemNumber number = ReadCall(record, field);
    const ItemIndex user = ItemUserIndex(field.called, number);
    if (user == kNoIndex || !IsItemSlotEmpty(set, field.called, user)) return;
    // The field as the callers lists name it: two calls of one item say which.
    const std::string track = TrimSpaces(field.trackName);
    findings.push_back({caller, i,
                        CallerDescription(caller, i, record) + (track.empty() ? "" : " " + track) +
                            " calls the empty " + std::string(KindName(field.called)) + " " +
                            ItemNumberLabel(field.called, number)});
  });
  // The instrument plays on into the next sequence: an empty one ends the song there.
  const auto& sequences = set.backingSequences.records;
  for (const ItemIndex i : PositionsOf(Kind::BackingSequence)) {
    const BsqRecord& r = sequences[static_cast<std::size_t>(Value(i))];
    if (r.IsEmpty() || !r.ChainToNext() || r.Next() >= kBsqCount) continue;
    if (!sequences[r.Next()].IsEmpty()) continue;
    findings.push_back({Kind::BackingSequence, i,
                        CallerDescription(Kind::BackingSequence, i, r.bytes) +
                            " is chained to the empty Backing Sequence " +
                            std::to_string(r.Next())});
  }
  DuplicateNameFindings(set, findings);
  for (int b = 0; b < kStyleBlockCount; ++b) {
    const int free = FreeEventsOfBlock(set.styles, b);
    if (free < 0) {
      findings.push_back({Kind::Style, ItemIndex{b * kStylesPerBlock},
                          "Style Block " + std::to_string(b + 1) + " is " + std::to_string(-free) +
                              " events over its capacity"});
    }
  }
  if (BsqFreeUnits(set.backingSequences) < 0) {
    findings.push_back(
        {Kind::BackingSequence, ItemIndex{0},
         "Backing Sequences are " +
             std::to_string(-BsqFreeUnits(set.backingSequences) * kBsqEventsPerUnit) +
             " events over the instrument's memory"});
  }
  return findings;
}

}  // namespace i40
