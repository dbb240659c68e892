#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "format/ids.h"
#include "format/kinds.h"

// Number space of the three callable kinds. A call is an item number; the number says
// the bank and the position in it. Preset banks mean the same items in every Set, the
// user bank means the item at that position of the Set that holds the caller.
//
//   Arrangements  A 0-63, B 64-127, C 256-319 (user 0-63)
//   Styles        A 0-63, B 64-127, C 256-271 (user 0-15)
//   Programs      A-E presets, F 768-831 (user 0-63), R 1024-1037 preset Drum Kits and
//                 1038-1039 the user Drum Kits (user 64-65)
namespace i40 {

inline constexpr int kNoBank = 65535;  // bank or index that cannot be given
inline constexpr int kNoCategory = 255;

// A position in a bank: the bank and the index in it (0-63, row then column).
struct BankIndex {
  BankNo bank{kNoBank};
  int index = kNoBank;

  bool operator==(const BankIndex&) const = default;
};

inline constexpr BankIndex kNoBankIndex{BankNo{kNoBank}, kNoBank};

// First number of each bank of a kind; kNoNumber for a bank the kind does not have.
ItemNumber BankFirstNumber(Kind kind, BankNo bank);

// For Kind::Arrangement, Kind::Style and Kind::Program.
ItemNumber NumberAt(Kind kind, BankIndex at);  // the index used unchanged
BankIndex ItemBankIndex(Kind kind, ItemNumber number);
ItemIndex ItemUserIndexOf(Kind kind, BankIndex at);
ItemIndex ItemUserIndex(Kind kind, ItemNumber number);
ItemNumber ItemNumberOfUserIndex(Kind kind, ItemIndex userIndex);
BankIndex ItemBankIndexOfUserIndex(Kind kind, ItemIndex userIndex);
int UserItemCount(Kind kind);  // 64, 16 or 66

// Bank letter and two digits, row then column ("C11" .. "C88"); empty for a position
// that belongs to no bank of the kind.
std::string ItemLabel(Kind kind, BankIndex at);
std::string ItemNumberLabel(Kind kind, ItemNumber number);
std::string ItemUserLabel(Kind kind, ItemIndex userIndex);
// A KBD Set's: "A1" .. "A5", "B1" .. "B5", "C1" .. "C5" for index 0-14; empty for any
// other index.
std::string KbdSetLabel(ItemIndex index);
// The position a label names ("C12", "f88", "R27"); nothing for a label of no bank.
std::optional<BankIndex> ParseItemLabel(Kind kind, std::string_view label);

}  // namespace i40
