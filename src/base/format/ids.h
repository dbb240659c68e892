#pragma once

// Numbers that must not be passed in each other's place, each its own type: the slot of
// an open Set (from 1), a position of a kind in a Set (a user index, a Backing Sequence,
// a KBD Set), a bank, and an item number (what a call holds: the bank and the position
// in it). Write SetSlot{3}, ItemIndex{12}, BankNo{2}, ItemNumber{256}; Value() gives the
// plain number back where arithmetic or a file needs it.
namespace i40 {

enum class SetSlot : int {};
enum class ItemIndex : int {};
enum class BankNo : int {};
enum class ItemNumber : int {};

constexpr int Value(SetSlot slot) {
  return static_cast<int>(slot);
}
constexpr int Value(ItemIndex index) {
  return static_cast<int>(index);
}
constexpr int Value(BankNo bank) {
  return static_cast<int>(bank);
}
constexpr int Value(ItemNumber number) {
  return static_cast<int>(number);
}

// No Set: a slot that holds nothing, or a clipboard filled from no Set yet.
inline constexpr SetSlot kNoSet{0};
// A number or a position that cannot be given (a preset has no position in a Set).
inline constexpr ItemNumber kNoNumber{-1};
inline constexpr ItemIndex kNoIndex{-1};

// An item as a Set window's cell names it: its number (Arrangements, Styles and
// Programs, presets included) and its position in the Set (the user index, the
// sequence, the KBD Set; -1 on a preset).
struct ItemRef {
  ItemNumber number{-1};
  ItemIndex index{-1};

  bool operator==(const ItemRef&) const = default;
};

}  // namespace i40
