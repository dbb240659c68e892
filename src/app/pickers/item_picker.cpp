#include "pickers/item_picker.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/app_icon.h"
#include "shell/dialog_buttons.h"
#include "shell/qt_text.h"

namespace i40::app {

QString ItemPicker::FormName(Kind kind) {
  switch (kind) {
    case Kind::Arrangement:
      return QStringLiteral("FInArr");
    case Kind::Style:
      return QStringLiteral("FInSty");
    default:
      return QStringLiteral("FInPrg");
  }
}

ItemPicker::ItemPicker(Kind kind, const ItemSources& from, ItemNumber start,
                       const QString& callerText, QWidget* parent, const QString& item)
    : QDialog(parent),
      model_(kind, from, start),
      bank_(new QComboBox(this)),
      category_(new QComboBox(this)),
      items_(new QComboBox(this)) {
  setObjectName(FormName(kind));
  setWindowTitle(FromCore(PickerCaption(kind, ToCore(callerText), ToCore(item))));
  setWindowIcon(AppIcon());
  setModal(true);

  const auto labels = PickerFieldLabels(kind);
  auto* bankLabel = new QLabel(FromCore(labels[0]), this);
  auto* categoryLabel = new QLabel(FromCore(labels[1]), this);
  auto* itemLabel = new QLabel(FromCore(labels[2]), this);
  bankLabel->setObjectName("lblBnk");
  categoryLabel->setObjectName("lblCat");
  itemLabel->setObjectName("lblRef");
  bankLabel->setBuddy(bank_);
  categoryLabel->setBuddy(category_);
  itemLabel->setBuddy(items_);

  bank_->setObjectName("cboBnk");
  category_->setObjectName("cboCat");
  items_->setObjectName("cboRef");
  for (const std::string& name : PickerBankNames(kind))
    bank_->addItem(FromCore(name));
  for (const std::string& name : PickerCategoryNames(kind))
    category_->addItem(FromCore(name));
  // Labels and names line up in a fixed-pitch font.
  items_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  items_->setMaxVisibleItems(16);
  items_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

  auto* grid = new QGridLayout;
  grid->addWidget(bankLabel, 0, 0);
  grid->addWidget(categoryLabel, 0, 1);
  grid->addWidget(bank_, 1, 0);
  grid->addWidget(category_, 1, 1);
  grid->addWidget(itemLabel, 2, 0, 1, 2);
  grid->addWidget(items_, 3, 0, 1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(AddOkCancel(this, tr("OK")).row);

  ShowModel();

  connect(bank_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (showing_ || index < 0) return;
    model_.ChooseBank(BankNo{index});
    ShowModel();
  });
  connect(category_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (showing_ || index < 0) return;
    model_.ChooseCategory(index);
    ShowModel();
  });
  connect(items_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (showing_ || index < 0) return;
    model_.ChooseRow(index);
  });
}

ItemNumber ItemPicker::chosen() const {
  return items_->currentIndex() >= 0 ? ItemNumber{items_->currentData().toInt()} : kNoNumber;
}

void ItemPicker::closeEvent(QCloseEvent* event) {
  event->ignore();
  reject();
}

void ItemPicker::ShowModel() {
  showing_ = true;
  bank_->setCurrentIndex(Value(model_.bank()));
  category_->setCurrentIndex(model_.category());
  items_->clear();
  for (const PickerLine& line : model_.lines())
    items_->addItem(FromName(line.text), Value(line.number));
  items_->setCurrentIndex(model_.row());
  showing_ = false;
}

}  // namespace i40::app
