#include "calls/item_lookup.h"

#include <optional>

#include "format/item_record.h"
#include "format/kind_table.h"
#include "format/positions.h"

namespace i40 {
namespace {

// Name and category of a user item, by user index (in range).
struct UserItem {
  std::string name;
  int category;
};

UserItem UserItemAt(const FileSet& set, Kind kind, ItemIndex userIndex) {
  const std::span<const std::uint8_t> record = RecordBytes(set, kind, userIndex);
  return {RecordName(kind, record), record[static_cast<std::size_t>(FactsOf(kind).categoryOffset)]};
}

const PresetEntry* PresetAt(const PresetTables& presets, Kind kind, ItemNumber number) {
  const BankIndex at = ItemBankIndex(kind, number);
  if (at == kNoBankIndex) return nullptr;
  const auto i = static_cast<std::size_t>(at.index);
  const auto bank = static_cast<std::size_t>(Value(at.bank));
  switch (kind) {
    case Kind::Arrangement:
      return bank <= 1 ? &presets.arrangements[i + 64 * bank] : nullptr;
    case Kind::Style:
      return bank <= 1 ? &presets.styles[i + 64 * bank] : nullptr;
    case Kind::Program:
      switch (bank) {
        case 0:
        case 1:
          return &presets.programsAB[i + 64 * bank];
        case 2:
        case 3:
          return &presets.programsCD[i + 64 * (bank - 2)];
        case 4:
          return &presets.programsE[i];
        case 6:
          return i < presets.drumKits.size() ? &presets.drumKits[i] : nullptr;
        default:
          return nullptr;
      }
    default:
      return nullptr;
  }
}

bool IsUserIndex(Kind kind, ItemIndex userIndex) {
  return Value(userIndex) >= 0 && Value(userIndex) < UserItemCount(kind);
}

int ValidCategory(int stored) {
  return stored < 16 ? stored : kNoCategory;
}

}  // namespace

std::string ItemName(const ItemSources& from, Kind kind, ItemNumber number) {
  if (const PresetEntry* preset = PresetAt(from.presets, kind, number)) return preset->name;
  const ItemIndex user = ItemUserIndex(kind, number);
  return IsUserIndex(kind, user) ? UserItemAt(from.set, kind, user).name : std::string();
}

std::string ItemUserName(const FileSet& set, Kind kind, ItemIndex userIndex) {
  return IsUserIndex(kind, userIndex) ? UserItemAt(set, kind, userIndex).name
                                      : std::string(kEmptyName);
}

int ItemCategory(const ItemSources& from, Kind kind, ItemNumber number) {
  if (const PresetEntry* preset = PresetAt(from.presets, kind, number)) {
    return ValidCategory(preset->category);
  }
  const ItemIndex user = ItemUserIndex(kind, number);
  return IsUserIndex(kind, user) ? ValidCategory(UserItemAt(from.set, kind, user).category)
                                 : kNoCategory;
}

bool IsItemSlotEmpty(const FileSet& set, Kind kind, ItemIndex userIndex) {
  return IsUserIndex(kind, userIndex) && UserItemAt(set, kind, userIndex).name == kEmptyName;
}

ItemNumber FindItemByName(const FileSet& set, Kind kind, std::string_view name) {
  for (int user = 0; user < UserItemCount(kind); ++user) {
    if (UserItemAt(set, kind, ItemIndex{user}).name == name)
      return ItemNumberOfUserIndex(kind, ItemIndex{user});
  }
  return kNoNumber;
}

ItemNumber PresetArrangementStyle(const PresetTables& presets, ItemNumber number) {
  const PresetEntry* preset = PresetAt(presets, Kind::Arrangement, number);
  return preset ? ItemNumber{preset->style} : kNoNumber;
}

}  // namespace i40
