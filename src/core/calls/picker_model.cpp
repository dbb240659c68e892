#include "calls/picker_model.h"

#include <algorithm>
#include <span>

#include "format/kind_table.h"
#include "format/vocabulary.h"

namespace i40 {
namespace {

PickerLine LineAt(const ItemSources& from, Kind kind, BankIndex at) {
  const ItemNumber number = NumberAt(kind, at);
  return {ItemLabel(kind, at) + " " + ItemName(from, kind, number), number};
}

}  // namespace

std::string PickerCaption(Kind kind, std::string_view callerText, std::string_view item) {
  const KindWords& words = FactsOf(kind).words;
  std::string caption =
      std::string(words.pickerCaption) + std::string(words.pickerWithCaller ? callerText : "");
  if (item.empty()) return caption;
  while (!caption.empty() && caption.back() == ' ')
    caption.pop_back();
  return caption + " for " + std::string(item);
}

std::array<std::string, 3> PickerFieldLabels(Kind kind) {
  const auto& labels = FactsOf(kind).words.pickerLabels;
  return {std::string(labels[0]), std::string(labels[1]), std::string(labels[2])};
}

std::vector<std::string> PickerBankNames(Kind kind) {
  std::vector<std::string> names;
  for (int bank = 0; bank < BankCount(kind); ++bank)
    names.emplace_back(BankLetter(kind, BankNo{bank}));
  return names;
}

std::vector<std::string> PickerCategoryNames(Kind kind) {
  const auto table = FactsOf(kind).categories;
  return {table.begin(), table.end()};
}

std::vector<PickerLine> PickerBankLines(const ItemSources& from, Kind kind, BankNo bank) {
  std::vector<PickerLine> lines;
  if (Value(bank) < 0 || Value(bank) >= BankCount(kind)) return lines;
  for (int index = 0; index <= BankLastIndex(kind, bank); ++index)
    lines.push_back(LineAt(from, kind, {bank, index}));
  return lines;
}

std::vector<PickerLine> PickerCategoryLines(const ItemSources& from, Kind kind, int category) {
  std::vector<PickerLine> presets;
  std::vector<PickerLine> users;
  for (int b = 0; b < BankCount(kind); ++b) {
    const BankNo bank{b};
    for (int index = 0; index <= BankLastIndex(kind, bank); ++index) {
      const BankIndex at{bank, index};
      if (ItemCategory(from, kind, NumberAt(kind, at)) != category) continue;
      // The preset Drum Kits of bank R come after the user Programs of bank F in number
      // order, but they are presets and are listed with them.
      auto& into = ItemUserIndexOf(kind, at) == kNoIndex ? presets : users;
      into.push_back(LineAt(from, kind, at));
    }
  }
  presets.insert(presets.end(), users.begin(), users.end());
  return presets;
}

BankIndex PickerStart(Kind kind, ItemNumber start) {
  const BankIndex at = ItemBankIndex(kind, start);
  return at == kNoBankIndex ? BankIndex{BankNo{0}, 0} : at;
}

PickerModel::PickerModel(Kind kind, const ItemSources& from, ItemNumber start)
    : kind_(kind), from_(from) {
  const BankIndex at = PickerStart(kind, start);
  bank_ = at.bank;
  Show(PickerBankLines(from_, kind_, bank_), NumberAt(kind_, at));
}

void PickerModel::ChooseBank(BankNo bank) {
  const ItemNumber keep = Chosen();
  bank_ = bank;
  category_ = -1;
  Show(PickerBankLines(from_, kind_, bank), keep);
}

void PickerModel::ChooseCategory(int category) {
  const ItemNumber keep = Chosen();
  category_ = category;
  bank_ = BankNo{-1};
  Show(PickerCategoryLines(from_, kind_, category), keep);
}

void PickerModel::ChooseRow(int row) {
  if (row >= 0 && row < static_cast<int>(lines_.size())) row_ = row;
}

ItemNumber PickerModel::Chosen() const {
  return row_ >= 0 ? lines_[static_cast<std::size_t>(row_)].number : kNoNumber;
}

void PickerModel::Show(std::vector<PickerLine> lines, ItemNumber keepNumber) {
  lines_ = std::move(lines);
  const auto kept = std::find_if(lines_.begin(), lines_.end(), [keepNumber](const PickerLine& l) {
    return l.number == keepNumber;
  });
  if (kept != lines_.end()) {
    row_ = static_cast<int>(kept - lines_.begin());
  } else {
    row_ = lines_.empty() ? -1 : 0;
  }
}

}  // namespace i40
