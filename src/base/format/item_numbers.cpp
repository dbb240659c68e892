#include "format/item_numbers.h"

#include <array>
#include <span>

#include "format/kbdset_record.h"
#include "format/vocabulary.h"

namespace i40 {
namespace {

constexpr std::array<int, 3> kArrangementFirst = {0, 64, 256};
constexpr std::array<int, 3> kStyleFirst = {0, 64, 256};
constexpr std::array<int, 7> kProgramFirst = {0, 64, 256, 320, 512, 768, 1024};

std::span<const int> FirstNumbers(Kind kind) {
  switch (kind) {
    case Kind::Arrangement:
      return kArrangementFirst;
    case Kind::Style:
      return kStyleFirst;
    case Kind::Program:
      return kProgramFirst;
    default:
      return {};
  }
}

// The user bank of each kind: Arrangement and Style bank C, Program bank F.
int UserBank(Kind kind) {
  return kind == Kind::Program ? 5 : 2;
}

constexpr int kDrumKitBank = 6;
constexpr int kFirstUserDrumKitIndex = 14;  // R27 and R28 belong to the Set

}  // namespace

int BankFirstNumber(Kind kind, int bank) {
  const auto first = FirstNumbers(kind);
  if (bank < 0 || static_cast<std::size_t>(bank) >= first.size()) return kNoNumber;
  return first[static_cast<std::size_t>(bank)];
}

int ItemNumber(Kind kind, int bank, int index) {
  const int first = BankFirstNumber(kind, bank);
  return first == kNoNumber ? kNoNumber : first + index;
}

BankIndex ItemBankIndex(Kind kind, int number) {
  const auto first = FirstNumbers(kind);
  for (std::size_t bank = 0; bank < first.size(); ++bank) {
    const int b = static_cast<int>(bank);
    const int index = number - first[bank];
    if (index >= 0 && index <= BankLastIndex(kind, b)) return {b, index};
  }
  return kNoBankIndex;
}

int ItemUserIndexOf(Kind kind, int bank, int index) {
  if (bank == UserBank(kind)) return index;
  if (kind == Kind::Program && bank == kDrumKitBank &&
      (index == kFirstUserDrumKitIndex || index == kFirstUserDrumKitIndex + 1)) {
    return index - kFirstUserDrumKitIndex + 64;
  }
  return kNoNumber;
}

int ItemUserIndex(Kind kind, int number) {
  const BankIndex at = ItemBankIndex(kind, number);
  return at == kNoBankIndex ? kNoNumber : ItemUserIndexOf(kind, at.bank, at.index);
}

int UserItemCount(Kind kind) {
  switch (kind) {
    case Kind::Arrangement:
      return 64;
    case Kind::Style:
      return 16;
    case Kind::Program:
      return 66;
    default:
      return 0;
  }
}

BankIndex ItemBankIndexOfUserIndex(Kind kind, int userIndex) {
  if (userIndex < 0 || userIndex >= UserItemCount(kind)) return kNoBankIndex;
  if (kind == Kind::Program && userIndex >= 64) {
    return {kDrumKitBank, userIndex - 64 + kFirstUserDrumKitIndex};
  }
  return {UserBank(kind), userIndex};
}

int ItemNumberOfUserIndex(Kind kind, int userIndex) {
  const BankIndex at = ItemBankIndexOfUserIndex(kind, userIndex);
  return at == kNoBankIndex ? kNoNumber : ItemNumber(kind, at.bank, at.index);
}

std::string ItemLabel(Kind kind, int bank, int index) {
  if (BankFirstNumber(kind, bank) == kNoNumber) return {};
  if (index < 0 || index > BankLastIndex(kind, bank)) return {};
  std::string label(BankLetter(kind, bank));
  label += static_cast<char>('1' + index / 8);
  label += static_cast<char>('1' + index % 8);
  return label;
}

std::string ItemNumberLabel(Kind kind, int number) {
  const BankIndex at = ItemBankIndex(kind, number);
  return ItemLabel(kind, at.bank, at.index);
}

std::string ItemUserLabel(Kind kind, int userIndex) {
  const BankIndex at = ItemBankIndexOfUserIndex(kind, userIndex);
  return ItemLabel(kind, at.bank, at.index);
}

std::string KbdSetLabel(int index) {
  if (index < 0 || index >= kKbdSetCount) return {};
  return std::string(1, static_cast<char>('A' + index / 5)) + std::to_string(index % 5 + 1);
}

std::optional<BankIndex> ParseItemLabel(Kind kind, std::string_view label) {
  if (label.size() != 3) return std::nullopt;
  const char letter =
      static_cast<char>(label[0] >= 'a' && label[0] <= 'z' ? label[0] - 32 : label[0]);
  const int row = label[1] - '1';
  const int column = label[2] - '1';
  if (row < 0 || row > 7 || column < 0 || column > 7) return std::nullopt;
  for (int bank = 0; bank < BankCount(kind); ++bank) {
    if (BankLetter(kind, bank) != std::string_view(&letter, 1)) continue;
    const int index = row * 8 + column;
    if (index > BankLastIndex(kind, bank)) return std::nullopt;
    return BankIndex{bank, index};
  }
  return std::nullopt;
}

}  // namespace i40
