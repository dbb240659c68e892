#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "format/kinds.h"

// Number space of the three callable kinds. A call is an item number; the number says
// the bank and the position in it. Preset banks mean the same items in every Set, the
// user bank means the item at that position of the Set that holds the caller.
namespace i40 {

inline constexpr int kNoBank = 65535;  // bank or index that cannot be given
inline constexpr int kNoNumber = -1;   // number or user index that cannot be given
inline constexpr int kNoCategory = 255;

struct BankIndex {
  int bank = kNoBank;
  int index = kNoBank;

  bool operator==(const BankIndex&) const = default;
};

inline constexpr BankIndex kNoBankIndex{kNoBank, kNoBank};

// First number of each bank of a kind; -1 for a bank the kind does not have.
int BankFirstNumber(Kind kind, int bank);

// Generic forms, for Kind::Arrangement, Kind::Style and Kind::Program.
int ItemNumber(Kind kind, int bank, int index);  // index used unchanged; -1 for no bank
BankIndex ItemBankIndex(Kind kind, int number);
int ItemUserIndexOf(Kind kind, int bank, int index);
int ItemUserIndex(Kind kind, int number);
int ItemNumberOfUserIndex(Kind kind, int userIndex);
BankIndex ItemBankIndexOfUserIndex(Kind kind, int userIndex);
int UserItemCount(Kind kind);  // 64, 16 or 66

// Bank letter and two digits, row then column ("C11" .. "C88"); empty for a position
// that belongs to no bank of the kind.
std::string ItemLabel(Kind kind, int bank, int index);
std::string ItemNumberLabel(Kind kind, int number);
std::string ItemUserLabel(Kind kind, int userIndex);
// A KBD Set's: "A1" .. "A5", "B1" .. "B5", "C1" .. "C5" for index 0-14; empty for any
// other index.
std::string KbdSetLabel(int index);
// The position a label names ("C12", "f88", "R27"); nothing for a label of no bank.
std::optional<BankIndex> ParseItemLabel(Kind kind, std::string_view label);

// Arrangements: A 0-63, B 64-127, C 256-319 (user).
inline int ArrangementNumber(int bank, int index) {
  return ItemNumber(Kind::Arrangement, bank, index);
}
inline BankIndex ArrangementBankIndex(int number) {
  return ItemBankIndex(Kind::Arrangement, number);
}
inline int ArrangementUserIndexOf(int bank, int index) {
  return ItemUserIndexOf(Kind::Arrangement, bank, index);
}
inline int ArrangementUserIndex(int number) {
  return ItemUserIndex(Kind::Arrangement, number);
}
inline int ArrangementNumberOfUserIndex(int userIndex) {
  return ItemNumberOfUserIndex(Kind::Arrangement, userIndex);
}
inline BankIndex ArrangementBankIndexOfUserIndex(int userIndex) {
  return ItemBankIndexOfUserIndex(Kind::Arrangement, userIndex);
}
inline std::string ArrangementLabel(int number) {
  return ItemNumberLabel(Kind::Arrangement, number);
}
inline std::string ArrangementUserLabel(int userIndex) {
  return ItemUserLabel(Kind::Arrangement, userIndex);
}

// Styles: A 0-63, B 64-127, C 256-271 (user slots 0-15).
inline int StyleNumber(int bank, int index) {
  return ItemNumber(Kind::Style, bank, index);
}
inline BankIndex StyleBankIndex(int number) {
  return ItemBankIndex(Kind::Style, number);
}
inline int StyleUserIndexOf(int bank, int index) {
  return ItemUserIndexOf(Kind::Style, bank, index);
}
inline int StyleSlotOfNumber(int number) {
  return ItemUserIndex(Kind::Style, number);
}
inline int StyleNumberOfSlot(int slot) {
  return ItemNumberOfUserIndex(Kind::Style, slot);
}
inline BankIndex StyleBankIndexOfSlot(int slot) {
  return ItemBankIndexOfUserIndex(Kind::Style, slot);
}
inline std::string StyleLabel(int number) {
  return ItemNumberLabel(Kind::Style, number);
}
inline std::string StyleUserLabel(int slot) {
  return ItemUserLabel(Kind::Style, slot);
}

// Programs: A-E presets, F 768-831 (user 0-63), R 1024-1037 preset kits and 1038-1039
// the user Drum Kits (user 64-65).
inline int ProgramNumber(int bank, int index) {
  return ItemNumber(Kind::Program, bank, index);
}
inline BankIndex ProgramBankIndex(int number) {
  return ItemBankIndex(Kind::Program, number);
}
inline int ProgramUserIndexOf(int bank, int index) {
  return ItemUserIndexOf(Kind::Program, bank, index);
}
inline int ProgramUserIndex(int number) {
  return ItemUserIndex(Kind::Program, number);
}
inline int ProgramNumberOfUserIndex(int userIndex) {
  return ItemNumberOfUserIndex(Kind::Program, userIndex);
}
inline BankIndex ProgramBankIndexOfUserIndex(int userIndex) {
  return ItemBankIndexOfUserIndex(Kind::Program, userIndex);
}
inline std::string ProgramLabel(int number) {
  return ItemNumberLabel(Kind::Program, number);
}
inline std::string ProgramUserLabel(int userIndex) {
  return ItemUserLabel(Kind::Program, userIndex);
}

}  // namespace i40
