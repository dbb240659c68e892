#include "reports/set_statistics.h"

#include "calls/item_lookup.h"
#include "format/bsq_file.h"
#include "format/item_numbers.h"
#include "format/kind_table.h"

namespace i40 {
namespace {

// Named items among `count` user positions of a kind from `first`.
int Named(const FileSet& set, Kind kind, int first, int count) {
  int named = 0;
  for (int i = first; i < first + count; ++i)
    named += IsItemSlotEmpty(set, kind, ItemIndex{i}) ? 0 : 1;
  return named;
}

}  // namespace

std::string BlockStyles(int block) {
  return ItemUserLabel(Kind::Style, ItemIndex{block * kStylesPerBlock}) + "-" +
         ItemUserLabel(Kind::Style, ItemIndex{(block + 1) * kStylesPerBlock - 1});
}

SetStatistics StatisticsOf(const FileSet& set) {
  SetStatistics s;
  const KindFacts& programs = FactsOf(Kind::Program);
  const int userPrograms = programs.userCount - programs.extraUserCount;
  s.arrangements = Named(set, Kind::Arrangement, 0, UserItemCount(Kind::Arrangement));
  s.styles = Named(set, Kind::Style, 0, UserItemCount(Kind::Style));
  s.programs = Named(set, Kind::Program, 0, userPrograms);
  s.drumKits = Named(set, Kind::Program, userPrograms, programs.extraUserCount);
  for (const BsqRecord& r : set.backingSequences.records)
    s.backingSequences += r.IsEmpty() ? 0 : 1;
  for (int b = 0; b < kStyleBlockCount; ++b)
    s.blocks.at(static_cast<std::size_t>(b)) = {b + 1, BlockStyles(b),
                                                FreeEventsOfBlock(set.styles, b)};
  s.sequenceEvents = BsqTotalUnits(set.backingSequences) * kBsqEventsPerUnit;
  s.sequenceEventsFree = BsqFreeUnits(set.backingSequences) * kBsqEventsPerUnit;
  return s;
}

}  // namespace i40
