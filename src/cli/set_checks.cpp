#include "cli/set_checks.h"

#include "backseqs/bsq_file.h"
#include "calls/item_lookup.h"
#include "kbdsets/kbdset_grid.h"
#include "setstore/vocabulary.h"
#include "styles/style_blocks.h"
#include "util/text.h"

namespace i40::cli {
namespace {

// A call into a user slot that holds nothing.
bool CallsEmpty(const FileSet& set, Kind kind, int number) {
  const int user = ItemUserIndex(kind, number);
  return user >= 0 && IsItemSlotEmpty(set, kind, user);
}

std::string Quoted(const std::string& name) {
  return "'" + TrimSpaces(name) + "'";
}

}  // namespace

std::vector<std::string> SetFindings(const Workspace& ws, int slot) {
  const FileSet& set = ws.sets.Files(slot);
  std::vector<std::string> findings;
  auto emptyCall = [&](const std::string& caller, Kind kind, int number) {
    if (CallsEmpty(set, kind, number)) {
      findings.push_back(caller + " calls the empty " + std::string(KindName(kind)) + " " +
                         ItemNumberLabel(kind, number));
    }
  };
  for (int i = 0; i < kUserArrangementCount; ++i) {
    const auto& r = set.arrangements.records[static_cast<std::size_t>(i)];
    if (r.IsEmpty()) continue;
    const std::string caller = "Arrangement " + ArrangementUserLabel(i) + " " + Quoted(r.Name());
    emptyCall(caller, Kind::Style, r.Style());
    for (int t = 0; t < kArrangementTrackCount; ++t)
      emptyCall(caller, Kind::Program, r.TrackProgram(t));
  }
  for (int s = 0; s < kUserStyleCount; ++s) {
    const auto& r = set.styles.slots[static_cast<std::size_t>(s)].record;
    if (r.IsEmpty()) continue;
    const std::string caller = "Style " + StyleUserLabel(s) + " " + Quoted(r.Name());
    for (int t = 0; t < kStyleTrackCallCount; ++t)
      emptyCall(caller, Kind::Program, r.TrackProgram(t));
  }
  for (int i = 0; i < kBsqCount; ++i) {
    const auto& r = set.backingSequences.records[static_cast<std::size_t>(i)];
    if (r.IsEmpty()) continue;
    const std::string caller = "Backing Sequence " + std::to_string(i) + " " + Quoted(r.Name());
    emptyCall(caller, Kind::Arrangement, r.Arrangement());
    emptyCall(caller, Kind::Style, r.Style());
    for (int t = 0; t < kBsqProgramTrackCount; ++t)
      emptyCall(caller, Kind::Program, r.TrackProgram(t));
  }
  for (int k = 0; k < kKbdSetCount; ++k) {
    for (int s = 0; s < kKbdSectionCount; ++s) {
      emptyCall("KBD Set " + KbdSetLabel(k), Kind::Program,
                set.kbdSets.records[static_cast<std::size_t>(k)].SectionProgram(s));
    }
  }
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

std::string SetInfo(const Workspace& ws, int slot) {
  const FileSet& set = ws.sets.Files(slot);
  auto used = [&](Kind kind) {
    int count = 0;
    for (int i = 0; i < UserItemCount(kind); ++i)
      count += IsItemSlotEmpty(set, kind, i) ? 0 : 1;
    return count;
  };
  int sequences = 0;
  for (const auto& r : set.backingSequences.records)
    sequences += r.IsEmpty() ? 0 : 1;
  std::string text = "Set " + ws.sets.Entry(slot).Name + "\n";
  text += "Arrangements: " + std::to_string(used(Kind::Arrangement)) + " of 64\n";
  text += "Styles: " + std::to_string(used(Kind::Style)) + " of 16\n";
  int programs = 0;
  for (int i = 0; i < 64; ++i)
    programs += IsItemSlotEmpty(set, Kind::Program, i) ? 0 : 1;
  text += "Programs: " + std::to_string(programs) + " of 64\n";
  text += "Drum Kits: " + std::to_string(used(Kind::Program) - programs) + " of 2\n";
  text += "Backing Sequences: " + std::to_string(sequences) + " of 10\n";
  for (int b = 0; b < kStyleBlockCount; ++b) {
    text += "Style Block " + std::to_string(b + 1) + " (" + StyleUserLabel(4 * b) + "-" +
            StyleUserLabel(4 * b + 3) + "): " + std::to_string(FreeEventsOfBlock(set.styles, b)) +
            " events free\n";
  }
  text += "Backing Sequence events: " +
          std::to_string(BsqTotalUnits(set.backingSequences) * kBsqEventsPerUnit) + ", free " +
          std::to_string(BsqFreeUnits(set.backingSequences) * kBsqEventsPerUnit) + "\n";
  return text;
}

}  // namespace i40::cli
