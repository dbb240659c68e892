#include "dialogs/list_choice_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/app_icon.h"
#include "shell/dialog_buttons.h"
#include "shell/list_helpers.h"
#include "shell/qt_text.h"

namespace i40::app {

ListChoiceDialog::ListChoiceDialog(const ListChoice& choice, QWidget* parent)
    : QDialog(parent),
      label_(new QLabel(FromCore(choice.label), this)),
      list_(new QComboBox(this)) {
  setObjectName(QString::fromStdString(choice.formName));
  setWindowTitle(FromCore(choice.caption));
  setWindowIcon(AppIcon());
  setModal(true);

  label_->setObjectName("lblBnk");
  label_->setBuddy(list_);
  list_->setObjectName(QString::fromStdString(choice.listName));
  QFont fixed("Courier New");
  fixed.setStyleHint(QFont::TypeWriter);
  list_->setFont(fixed);
  for (const std::string& item : choice.items)
    list_->addItem(FromCore(item));
  SelectListItem(list_, choice.selected);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(list_);
  layout->addLayout(AddOkCancel(this, tr("OK")).row);
}

int ListChoiceDialog::chosen() const {
  return list_->currentIndex();
}

void ListChoiceDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
}

}  // namespace i40::app
