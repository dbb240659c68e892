#include "format/vocabulary.h"

namespace i40 {
namespace {

struct BankRow {
  std::string_view letter;
  int lastIndex;
};

constexpr std::array<BankRow, 3> kArrangementBanks = {{{"A", 63}, {"B", 63}, {"C", 63}}};
constexpr std::array<BankRow, 3> kStyleBanks = {{{"A", 63}, {"B", 63}, {"C", 15}}};
constexpr std::array<BankRow, 7> kProgramBanks = {
    {{"A", 63}, {"B", 63}, {"C", 63}, {"D", 63}, {"E", 63}, {"F", 63}, {"R", 15}}};

const BankRow* FindBank(Kind kind, int bank) {
  if (bank < 0) return nullptr;
  const auto b = static_cast<std::size_t>(bank);
  switch (kind) {
    case Kind::Arrangement:
      return b < kArrangementBanks.size() ? &kArrangementBanks[b] : nullptr;
    case Kind::Style:
      return b < kStyleBanks.size() ? &kStyleBanks[b] : nullptr;
    case Kind::Program:
      return b < kProgramBanks.size() ? &kProgramBanks[b] : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

std::string_view BankLetter(Kind kind, int bank) {
  const BankRow* row = FindBank(kind, bank);
  return row ? row->letter : std::string_view(" ");
}

int BankLastIndex(Kind kind, int bank) {
  const BankRow* row = FindBank(kind, bank);
  return row ? row->lastIndex : 0;
}

int BankCount(Kind kind) {
  switch (kind) {
    case Kind::Arrangement:
      return static_cast<int>(kArrangementBanks.size());
    case Kind::Style:
      return static_cast<int>(kStyleBanks.size());
    case Kind::Program:
      return static_cast<int>(kProgramBanks.size());
    default:
      return 0;
  }
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
