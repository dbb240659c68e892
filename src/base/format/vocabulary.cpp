#include "format/vocabulary.h"

#include "format/kind_table.h"

namespace i40 {
namespace {

const BankRow* FindBank(Kind kind, BankNo bank) {
  const auto banks = FactsOf(kind).banks;
  const int b = Value(bank);
  if (b < 0 || static_cast<std::size_t>(b) >= banks.size()) return nullptr;
  return &banks[static_cast<std::size_t>(b)];
}

}  // namespace

std::string_view BankLetter(Kind kind, BankNo bank) {
  const BankRow* row = FindBank(kind, bank);
  return row ? row->letter : std::string_view(" ");
}

int BankLastIndex(Kind kind, BankNo bank) {
  const BankRow* row = FindBank(kind, bank);
  return row ? row->lastIndex : 0;
}

int BankCount(Kind kind) {
  return static_cast<int>(FactsOf(kind).banks.size());
}

}  // namespace i40

namespace i40 {

std::string KeyName(int key) {
  const int note = ((key % 12) + 12) % 12;
  std::string name(kNoteName[static_cast<std::size_t>(note)]);
  if (name.back() == ' ') name.pop_back();
  return name + std::to_string(key / 12 - 1);
}

}  // namespace i40
