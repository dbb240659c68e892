#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "format/file_set.h"
#include "format/item_numbers.h"
#include "presets/preset_tables.h"

// Resolving a number to what it names: preset items from the preset tables, user items
// from the Set that holds the caller (whatever record sits at that position now,
// including an empty one).
namespace i40 {

// Where names come from: the instrument's presets and one Set.
struct ItemSources {
  const PresetTables& presets;
  const FileSet& set;
};

// 16-character name; empty text for a number in no bank.
std::string ItemName(const ItemSources& from, Kind kind, ItemNumber number);
// Name of a user item; 16 spaces for a user index out of range.
std::string ItemUserName(const FileSet& set, Kind kind, ItemIndex userIndex);
// Category 0-15; 255 for a number in no bank or a stored value of 16 or more.
int ItemCategory(const ItemSources& from, Kind kind, ItemNumber number);
// A user slot whose name is 16 spaces; false for a user index out of range.
bool IsItemSlotEmpty(const FileSet& set, Kind kind, ItemIndex userIndex);
// First user item (in user-index order: the 64 user Programs before the 2 user Drum Kits)
// whose 16-character name equals the given one exactly, trailing spaces included; its
// number, or kNoNumber.
ItemNumber FindItemByName(const FileSet& set, Kind kind, std::string_view name);

// The Style a preset Arrangement calls; kNoNumber for a number that is no preset
// Arrangement.
ItemNumber PresetArrangementStyle(const PresetTables& presets, ItemNumber number);

}  // namespace i40
