#include "session/journal.h"

#include <algorithm>
#include <span>
#include <tuple>

#include "format/bsq_file.h"
#include "format/call_table.h"

namespace i40 {
namespace {

constexpr std::array<Kind, 5> kEditableKinds = {Kind::Arrangement, Kind::Style, Kind::Program,
                                                Kind::BackingSequence, Kind::KbdSet};

std::size_t KindAt(Kind kind) {
  return static_cast<std::size_t>(KindIndex(kind));
}

bool IsCallByte(std::span<const CallField> fields, std::size_t at) {
  for (const CallField& field : fields) {
    if (at >= field.offset && at < field.offset + 2) return true;
  }
  return false;
}

// Whether two images of one size differ only inside call fields. Images run to tens of
// kilobytes (a Style's events), so equal stretches are skipped without a look at the fields.
bool DiffersInCallsOnly(std::span<const CallField> fields, const ItemImage& before,
                        const ItemImage& after) {
  if (fields.empty() || before.size() != after.size()) return false;
  auto a = before.begin();
  auto b = after.begin();
  while (true) {
    std::tie(a, b) = std::mismatch(a, before.end(), b);
    if (a == before.end()) return true;
    if (!IsCallByte(fields, static_cast<std::size_t>(a - before.begin()))) return false;
    ++a;
    ++b;
  }
}

// An item whose bytes differ only inside call fields is recorded call by call, so that
// a later edit of the item's other bytes does not stop Undo from putting its calls back.
void RecordItem(Journal& journal, Kind kind, ItemIndex index, ItemImage before, ItemImage after) {
  const std::span<const CallField> fields = CallFieldsOf(kind);
  const bool callsOnly = DiffersInCallsOnly(fields, before, after);
  if (!callsOnly) {
    journal.changes.push_back({kind, index, true, 0, std::move(before), std::move(after)});
    return;
  }
  for (const CallField& field : fields) {
    const auto first = static_cast<std::ptrdiff_t>(field.offset);
    if (std::equal(before.begin() + first, before.begin() + first + 2, after.begin() + first)) {
      continue;
    }
    journal.changes.push_back({kind, index, false, field.offset,
                               ItemImage(before.begin() + first, before.begin() + first + 2),
                               ItemImage(after.begin() + first, after.begin() + first + 2)});
  }
}

bool Holds(std::span<const std::uint8_t> now, const Change& change) {
  if (change.whole) return std::ranges::equal(now, change.after);
  return change.offset + change.after.size() <= now.size() &&
         std::equal(change.after.begin(), change.after.end(),
                    now.begin() + static_cast<std::ptrdiff_t>(change.offset));
}

}  // namespace

Journal DiffSets(SetSlot slot, const FileSet& before, const FileSet& after) {
  Journal journal;
  journal.slot = slot;
  for (const Kind kind : kEditableKinds) {
    for (const ItemIndex i : PositionsOf(kind)) {
      if (SameItem(before, after, kind, i)) continue;
      RecordItem(journal, kind, i, ReadItem(before, kind, i), ReadItem(after, kind, i));
    }
  }
  ItemImage layoutBefore = ReadBsqLayout(before.backingSequences);
  ItemImage layoutAfter = ReadBsqLayout(after.backingSequences);
  if (layoutBefore != layoutAfter) {
    journal.changes.push_back({Kind::BackingSequence, kBsqLayoutIndex, true, 0,
                               std::move(layoutBefore), std::move(layoutAfter)});
  }
  return journal;
}

ChangedKinds KindsOf(const Journal& journal) {
  ChangedKinds kinds{};
  for (const Change& change : journal.changes)
    kinds[KindAt(change.kind)] = true;
  return kinds;
}

ChangedKinds RevertJournal(const Journal& journal, FileSet& set) {
  ChangedKinds restored{};
  bool sequencesMoved = false;
  bool layoutSkipped = false;
  for (auto it = journal.changes.rbegin(); it != journal.changes.rend(); ++it) {
    const Change& change = *it;
    if (change.index == kBsqLayoutIndex) {
      if (!Holds(ReadBsqLayout(set.backingSequences), change)) {
        layoutSkipped = true;
        continue;
      }
      WriteBsqLayout(set.backingSequences, change.before);
    } else if (change.whole) {
      if (!Holds(ReadItem(set, change.kind, change.index), change)) continue;
      WriteItem(set, change.kind, change.index, change.before);
      sequencesMoved = sequencesMoved || change.kind == Kind::BackingSequence;
    } else {
      const std::span<std::uint8_t> record = RecordBytes(set, change.kind, change.index);
      if (!Holds(record, change)) continue;
      std::copy(change.before.begin(), change.before.end(),
                record.begin() + static_cast<std::ptrdiff_t>(change.offset));
    }
    restored[KindAt(change.kind)] = true;
  }
  // Sequences put back without their track starts (changed since) are laid out afresh.
  if (sequencesMoved && layoutSkipped) RebuildTrackStarts(set.backingSequences);
  return restored;
}

}  // namespace i40
