#include "format/item_numbers.h"

#include <array>
#include <span>

#include "format/kbdset_record.h"
#include "format/kind_table.h"
#include "format/vocabulary.h"

namespace i40 {
int BankFirstNumber(Kind kind, int bank) {
  const auto banks = FactsOf(kind).banks;
  if (bank < 0 || static_cast<std::size_t>(bank) >= banks.size()) return kNoNumber;
  return banks[static_cast<std::size_t>(bank)].firstNumber;
}

int ItemNumber(Kind kind, int bank, int index) {
  const int first = BankFirstNumber(kind, bank);
  return first == kNoNumber ? kNoNumber : first + index;
}

BankIndex ItemBankIndex(Kind kind, int number) {
  const auto banks = FactsOf(kind).banks;
  for (std::size_t bank = 0; bank < banks.size(); ++bank) {
    const int index = number - banks[bank].firstNumber;
    if (index >= 0 && index <= banks[bank].lastIndex) return {static_cast<int>(bank), index};
  }
  return kNoBankIndex;
}

int ItemUserIndexOf(Kind kind, int bank, int index) {
  const KindFacts& f = FactsOf(kind);
  if (bank == f.userBank && f.userBank >= 0) return index;
  // The user positions inside a preset bank follow those of the user bank.
  if (bank == f.extraUserBank && index >= f.extraUserFirst &&
      index < f.extraUserFirst + f.extraUserCount) {
    return index - f.extraUserFirst + (f.userCount - f.extraUserCount);
  }
  return kNoNumber;
}

int ItemUserIndex(Kind kind, int number) {
  const BankIndex at = ItemBankIndex(kind, number);
  return at == kNoBankIndex ? kNoNumber : ItemUserIndexOf(kind, at.bank, at.index);
}

int UserItemCount(Kind kind) {
  return FactsOf(kind).userCount;
}

BankIndex ItemBankIndexOfUserIndex(Kind kind, int userIndex) {
  const KindFacts& f = FactsOf(kind);
  if (userIndex < 0 || userIndex >= f.userCount) return kNoBankIndex;
  const int inUserBank = f.userCount - f.extraUserCount;
  if (userIndex >= inUserBank) return {f.extraUserBank, userIndex - inUserBank + f.extraUserFirst};
  return {f.userBank, userIndex};
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
