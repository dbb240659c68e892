#pragma once

// Numbers that must not be passed in each other's place: the slot of an open Set, a
// position of a kind (a user index, a Backing Sequence, a KBD Set) and a bank. Each is
// its own type; write SetSlot{3}, ItemIndex{12}, BankNo{2}.
namespace i40 {

enum class SetSlot : int {};
enum class ItemIndex : int {};
enum class BankNo : int {};

constexpr int Value(SetSlot slot) {
  return static_cast<int>(slot);
}
constexpr int Value(ItemIndex index) {
  return static_cast<int>(index);
}
constexpr int Value(BankNo bank) {
  return static_cast<int>(bank);
}

}  // namespace i40
