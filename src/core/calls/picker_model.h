#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calls/item_lookup.h"

// What the Arrangement, Style and Program pickers show and return, without widgets: a
// bank list, a category list and the list of items of the chosen bank or category.
namespace i40 {

// One line of a picker's item list: the label, a space and the 16-character name, and
// the number the line stands for.
struct PickerLine {
  std::string text;
  ItemNumber number = kNoNumber;

  bool operator==(const PickerLine&) const = default;
};

// The picker's caption: "Select an Arrangement" + the caller's text, "Select a Style"
// (the caller's text is not shown), "Select a Program " + the caller's text.
std::string PickerCaption(Kind kind, std::string_view callerText, std::string_view item = {});

// The texts of the bank, category and item labels of a picker.
std::array<std::string, 3> PickerFieldLabels(Kind kind);

// The bank letters in bank order (the list position is the bank number) and the 16
// category names of the kind.
std::vector<std::string> PickerBankNames(Kind kind);
std::vector<std::string> PickerCategoryNames(Kind kind);

// Every position of a bank in index order, empty user slots included.
std::vector<PickerLine> PickerBankLines(const ItemSources& from, Kind kind, BankNo bank);

// Every item of every bank whose category is the given one: the instrument's presets in
// number order, then the Set's user items in number order.
std::vector<PickerLine> PickerCategoryLines(const ItemSources& from, Kind kind, int category);

// The bank and index a picker opens on: those of the start number, or the first
// position of bank A when the number belongs to no bank.
BankIndex PickerStart(Kind kind, ItemNumber start);

// The state of one picker. Choosing a bank clears the category and the reverse; the
// line selected stays on the same item when the new list holds it, else goes to the
// first line.
class PickerModel {
 public:
  PickerModel(Kind kind, const ItemSources& from, ItemNumber start);

  Kind kind() const { return kind_; }
  BankNo bank() const { return bank_; }       // BankNo{-1} while a category is chosen
  int category() const { return category_; }  // -1 while a bank is chosen
  const std::vector<PickerLine>& lines() const { return lines_; }
  int row() const { return row_; }  // -1 when the list is empty

  void ChooseBank(BankNo bank);
  void ChooseCategory(int category);
  void ChooseRow(int row);

  // The number of the selected line, or kNoNumber when there is none.
  ItemNumber Chosen() const;

 private:
  void Show(std::vector<PickerLine> lines, ItemNumber keepNumber);

  Kind kind_;
  ItemSources from_;
  BankNo bank_{-1};
  int category_ = -1;
  std::vector<PickerLine> lines_;
  int row_ = -1;
};

}  // namespace i40
