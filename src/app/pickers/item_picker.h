#pragma once

#include <QDialog>

#include "calls/picker_model.h"

class QComboBox;
class QLabel;

namespace i40::app {

// The Arrangement, Style and Program pickers (FInArr, FInSty, FInPrg): a bank list, a
// category list and the items of the chosen bank or category. The lists come from a
// PickerModel; the dialog only shows them and passes the user's choices on.
class ItemPicker : public QDialog {
  Q_OBJECT

 public:
  // callerText is what the caller adds to the caption.
  // `item`: the item it chooses for, when one question covered several.
  ItemPicker(Kind kind, const ItemSources& from, ItemNumber start, const QString& callerText,
             QWidget* parent = nullptr, const QString& item = {});

  // The number of the item shown in the item list, or -1 when it is empty.
  ItemNumber chosen() const;

  const PickerModel& model() const { return model_; }
  QComboBox* bankList() const { return bank_; }
  QComboBox* categoryList() const { return category_; }
  QComboBox* itemList() const { return items_; }

  // The form name of a kind's picker.
  static QString FormName(Kind kind);

 protected:
  // The close box acts as Cancel.
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowModel();

  PickerModel model_;
  QComboBox* bank_;
  QComboBox* category_;
  QComboBox* items_;
  bool showing_ = false;
};

}  // namespace i40::app
