#include "format/item_numbers.h"

#include <span>

#include "format/kbdset_record.h"
#include "format/kind_table.h"
#include "format/vocabulary.h"

namespace i40 {

ItemNumber BankFirstNumber(Kind kind, BankNo bank) {
  const auto banks = FactsOf(kind).banks;
  const int b = Value(bank);
  if (b < 0 || static_cast<std::size_t>(b) >= banks.size()) return kNoNumber;
  return ItemNumber{banks[static_cast<std::size_t>(b)].firstNumber};
}

ItemNumber NumberAt(Kind kind, BankIndex at) {
  const ItemNumber first = BankFirstNumber(kind, at.bank);
  return first == kNoNumber ? kNoNumber : ItemNumber{Value(first) + at.index};
}

BankIndex ItemBankIndex(Kind kind, ItemNumber number) {
  const auto banks = FactsOf(kind).banks;
  for (std::size_t bank = 0; bank < banks.size(); ++bank) {
    const int index = Value(number) - banks[bank].firstNumber;
    if (index >= 0 && index <= banks[bank].lastIndex)
      return {BankNo{static_cast<int>(bank)}, index};
  }
  return kNoBankIndex;
}

ItemIndex ItemUserIndexOf(Kind kind, BankIndex at) {
  const KindFacts& f = FactsOf(kind);
  const int bank = Value(at.bank);
  if (bank == f.userBank && f.userBank >= 0) return ItemIndex{at.index};
  // The user positions inside a preset bank follow those of the user bank.
  if (bank == f.extraUserBank && at.index >= f.extraUserFirst &&
      at.index < f.extraUserFirst + f.extraUserCount) {
    return ItemIndex{at.index - f.extraUserFirst + (f.userCount - f.extraUserCount)};
  }
  return kNoIndex;
}

ItemIndex ItemUserIndex(Kind kind, ItemNumber number) {
  const BankIndex at = ItemBankIndex(kind, number);
  return at == kNoBankIndex ? kNoIndex : ItemUserIndexOf(kind, at);
}

int UserItemCount(Kind kind) {
  return FactsOf(kind).userCount;
}

BankIndex ItemBankIndexOfUserIndex(Kind kind, ItemIndex userIndex) {
  const KindFacts& f = FactsOf(kind);
  const int user = Value(userIndex);
  if (user < 0 || user >= f.userCount) return kNoBankIndex;
  const int inUserBank = f.userCount - f.extraUserCount;
  if (user >= inUserBank) return {BankNo{f.extraUserBank}, user - inUserBank + f.extraUserFirst};
  return {BankNo{f.userBank}, user};
}

ItemNumber ItemNumberOfUserIndex(Kind kind, ItemIndex userIndex) {
  const BankIndex at = ItemBankIndexOfUserIndex(kind, userIndex);
  return at == kNoBankIndex ? kNoNumber : NumberAt(kind, at);
}

std::string ItemLabel(Kind kind, BankIndex at) {
  if (BankFirstNumber(kind, at.bank) == kNoNumber) return {};
  if (at.index < 0 || at.index > BankLastIndex(kind, at.bank)) return {};
  std::string label(BankLetter(kind, at.bank));
  label += static_cast<char>('1' + at.index / 8);
  label += static_cast<char>('1' + at.index % 8);
  return label;
}

std::string ItemNumberLabel(Kind kind, ItemNumber number) {
  return ItemLabel(kind, ItemBankIndex(kind, number));
}

std::string ItemUserLabel(Kind kind, ItemIndex userIndex) {
  return ItemLabel(kind, ItemBankIndexOfUserIndex(kind, userIndex));
}

std::string KbdSetLabel(ItemIndex index) {
  const int i = Value(index);
  if (i < 0 || i >= kKbdSetCount) return {};
  return std::string(1, static_cast<char>('A' + i / 5)) + std::to_string(i % 5 + 1);
}

std::optional<BankIndex> ParseItemLabel(Kind kind, std::string_view label) {
  if (label.size() != 3) return std::nullopt;
  const char letter =
      static_cast<char>(label[0] >= 'a' && label[0] <= 'z' ? label[0] - 32 : label[0]);
  const int row = label[1] - '1';
  const int column = label[2] - '1';
  if (row < 0 || row > 7 || column < 0 || column > 7) return std::nullopt;
  for (int b = 0; b < BankCount(kind); ++b) {
    const BankNo bank{b};
    if (BankLetter(kind, bank) != std::string_view(&letter, 1)) continue;
    const int index = row * 8 + column;
    if (index > BankLastIndex(kind, bank)) return std::nullopt;
    return BankIndex{bank, index};
  }
  return std::nullopt;
}

}  // namespace i40
