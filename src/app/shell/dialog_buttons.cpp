#include "shell/dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace i40::app {

OkCancelButtons AddOkCancel(QDialog* dialog, const QString& okCaption) {
  auto* ok = new QPushButton(okCaption, dialog);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QDialog::tr("&Cancel"), dialog);
  cancel->setObjectName("cmdCancel");
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return {ok, cancel, row};
}

}  // namespace i40::app
