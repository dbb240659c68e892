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
std::string ItemName(const ItemSources& from, Kind kind, int number);
// Name of a user item; 16 spaces for a user index out of range.
std::string ItemUserName(const FileSet& set, Kind kind, int userIndex);
// Category 0-15; 255 for a number in no bank or a stored value of 16 or more.
int ItemCategory(const ItemSources& from, Kind kind, int number);
// A user slot whose name is 16 spaces; false for a user index out of range.
bool IsItemSlotEmpty(const FileSet& set, Kind kind, int userIndex);
// First user item (in user-index order) whose 16-character name equals the given one
// exactly, trailing spaces included; its number, or -1.
int FindItemByName(const FileSet& set, Kind kind, std::string_view name);

// The Style a preset Arrangement calls; -1 for a number that is no preset Arrangement.
int PresetArrangementStyle(const PresetTables& presets, int number);

inline std::string ArrangementName(const ItemSources& from, int number) {
  return ItemName(from, Kind::Arrangement, number);
}
inline std::string ArrangementUserName(const FileSet& set, int userIndex) {
  return ItemUserName(set, Kind::Arrangement, userIndex);
}
inline int ArrangementCategory(const ItemSources& from, int number) {
  return ItemCategory(from, Kind::Arrangement, number);
}
inline bool IsArrangementSlotEmpty(const FileSet& set, int userIndex) {
  return IsItemSlotEmpty(set, Kind::Arrangement, userIndex);
}
inline int FindArrangementByName(const FileSet& set, std::string_view name) {
  return FindItemByName(set, Kind::Arrangement, name);
}

inline std::string StyleName(const ItemSources& from, int number) {
  return ItemName(from, Kind::Style, number);
}
inline std::string StyleUserName(const FileSet& set, int slot) {
  return ItemUserName(set, Kind::Style, slot);
}
inline int StyleCategory(const ItemSources& from, int number) {
  return ItemCategory(from, Kind::Style, number);
}
inline bool IsStyleSlotEmpty(const FileSet& set, int slot) {
  return IsItemSlotEmpty(set, Kind::Style, slot);
}
inline int FindStyleByName(const FileSet& set, std::string_view name) {
  return FindItemByName(set, Kind::Style, name);
}

inline std::string ProgramName(const ItemSources& from, int number) {
  return ItemName(from, Kind::Program, number);
}
inline std::string ProgramUserName(const FileSet& set, int userIndex) {
  return ItemUserName(set, Kind::Program, userIndex);
}
inline int ProgramCategory(const ItemSources& from, int number) {
  return ItemCategory(from, Kind::Program, number);
}
inline bool IsProgramSlotEmpty(const FileSet& set, int userIndex) {
  return IsItemSlotEmpty(set, Kind::Program, userIndex);
}
// Searches the 64 user Programs before the 2 user Drum Kits.
inline int FindProgramByName(const FileSet& set, std::string_view name) {
  return FindItemByName(set, Kind::Program, name);
}

}  // namespace i40
