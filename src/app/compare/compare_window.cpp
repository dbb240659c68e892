#include "compare/compare_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include "session/open_set.h"
#include "shell/dialog_buttons.h"
#include "shell/printing.h"
#include "shell/qt_prompter.h"
#include "shell/qt_text.h"

namespace i40::app {
namespace {

constexpr int kSlotRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kBrowse = -1;  // the entry that opens the file dialog

QString Item(const std::string& label, const std::string& name) {
  QString text = FromCore(label);
  if (!name.empty()) text += (text.isEmpty() ? "" : " ") + FromCore("'" + name + "'");
  return text;
}

QStringList RowOf(const SetDifference& d) {
  const bool added = d.what == DiffWhat::Added;
  const bool removed = d.what == DiffWhat::Removed;
  return {FromCore(KindCaption(d.kind)), added ? QString() : Item(d.labelA, d.nameA),
          removed ? QString() : Item(d.labelB, d.nameB), FromCore(WhatDiffers(d))};
}

}  // namespace

CompareWindow::CompareWindow(const QString& titleA, const QString& titleB,
                             std::vector<SetDifference> differences, QWidget* parent)
    : QDialog(parent),
      titleA_(titleA),
      titleB_(titleB),
      differences_(std::move(differences)),
      summary_(new QLabel(this)),
      table_(new QTableWidget(this)) {
  setObjectName("FCompare");
  setWindowTitle(tr("Compare %1 with %2").arg(titleA_, titleB_));
  setAttribute(Qt::WA_DeleteOnClose);
  summary_->setObjectName("lblSummary");
  summary_->setText(differences_.empty()       ? tr("The two Sets hold the same data.")
                    : differences_.size() == 1 ? tr("1 difference")
                                               : tr("%1 differences").arg(differences_.size()));
  table_->setObjectName("grdCompare");
  table_->setAccessibleName(tr("Differences between the two Sets"));
  table_->setColumnCount(4);
  table_->setHorizontalHeaderLabels({tr("Kind"), titleA_, titleB_, tr("Difference")});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setWordWrap(false);
  table_->setRowCount(static_cast<int>(differences_.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const QStringList cells = RowOf(differences_[static_cast<std::size_t>(row)]);
    for (int column = 0; column < cells.size(); ++column) {
      auto* cell = new QTableWidgetItem(cells.at(column));
      cell->setToolTip(cells.at(column));
      table_->setItem(row, column, cell);
    }
  }
  table_->resizeColumnsToContents();

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* print = buttons->addButton(tr("&Print..."), QDialogButtonBox::ActionRole);
  print->setObjectName("cmdPrint");
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  close->setObjectName("cmdClose");
  connect(print, &QPushButton::clicked, this, &CompareWindow::Print);
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(table_);
  layout->addWidget(buttons);
  resize(980, 520);
}

QString CompareWindow::PageHtml() const {
  QString html = "<h3>" + windowTitle().toHtmlEscaped() + "</h3><p>" +
                 summary_->text().toHtmlEscaped() +
                 "</p><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>";
  for (const QString& head : {tr("Kind"), titleA_, titleB_, tr("Difference")})
    html += "<th>" + head.toHtmlEscaped() + "</th>";
  html += "</tr>";
  for (const SetDifference& d : differences_) {
    html += "<tr>";
    for (const QString& cell : RowOf(d))
      html += "<td>" + cell.toHtmlEscaped() + "</td>";
    html += "</tr>";
  }
  return html + "</table>";
}

std::optional<QString> CompareWindow::PrintTo(QPrinter& printer) const {
  QTextDocument page;
  page.setHtml(PageHtml());
  return PrintDocument(page, printer);
}

void CompareWindow::Print() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  dialog.setObjectName("dlgPrint");
  if (dialog.exec() != QDialog::Accepted) return;
  if (const auto problem = PrintTo(printer)) {
    const Message message{"The comparison could not be printed: " + ToCore(*problem), "",
                          MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok};
    MakeMessageBox(message, this)->exec();
  }
}

CompareChooser::CompareChooser(const Workspace& ws, Prompter& prompter, SetSlot currentSlot,
                               QWidget* parent)
    : QDialog(parent),
      ws_(ws),
      prompter_(prompter),
      setA_(new QComboBox(this)),
      setB_(new QComboBox(this)) {
  setObjectName("FCompareChoose");
  setWindowTitle(tr("Compare Sets"));
  setA_->setObjectName("cboSetA");
  setB_->setObjectName("cboSetB");
  setA_->setAccessibleName(tr("First Set"));
  setB_->setAccessibleName(tr("Second Set"));
  // The Set in front first, the next open one (or a Set on disk) second.
  SetSlot other = kNoSet;
  for (const SetSlot slot : ws_.sets.Slots()) {
    if (ws_.sets.InUse(slot) && slot != currentSlot && other == kNoSet) other = slot;
  }
  FillList(setA_, currentSlot);
  FillList(setB_, other);
  for (QComboBox* list : {setA_, setB_}) {
    connect(list, &QComboBox::activated, this, [this, list](int index) {
      if (list->itemData(index, kSlotRole).toInt() == kBrowse) Browse(list);
    });
  }

  auto* form = new QFormLayout;
  form->addRow(tr("&First Set:"), setA_);
  form->addRow(tr("&Second Set:"), setB_);
  const OkCancelButtons buttons = AddOkCancel(this, tr("&OK"));
  // OK once both lists name a Set.
  QPushButton* ok = buttons.ok;
  const auto update = [this, ok] {
    ok->setEnabled(!ChoiceOf(setA_).title.isEmpty() && !ChoiceOf(setB_).title.isEmpty());
  };
  for (QComboBox* list : {setA_, setB_})
    connect(list, &QComboBox::currentIndexChanged, this, update);
  update();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons.row);
  setMinimumWidth(420);
}

void CompareChooser::FillList(QComboBox* list, SetSlot selected) {
  for (const SetSlot slot : ws_.sets.Slots()) {
    if (!ws_.sets.InUse(slot)) continue;
    list->addItem(tr("%1 (open)").arg(FromCore(ws_.sets.Entry(slot).Name)), Value(slot));
    if (slot == selected) list->setCurrentIndex(list->count() - 1);
  }
  list->addItem(tr("Set on disk..."), kBrowse);
  if (selected == kNoSet) list->setCurrentIndex(-1);
}

void CompareChooser::Browse(QComboBox* list) {
  const auto path = AskForSet(ws_, prompter_, "Select a Set to compare");
  if (!path) {
    list->setCurrentIndex(-1);
    return;
  }
  const int at = list->count() - 1;  // before "Set on disk..."
  list->insertItem(at, PathToQString(*path), 0);
  list->setItemData(at, PathToQString(*path), kPathRole);
  list->setCurrentIndex(at);
}

CompareChooser::Choice CompareChooser::ChoiceOf(const QComboBox* list) const {
  const int index = list->currentIndex();
  Choice choice;
  if (index < 0) return choice;
  const int slot = list->itemData(index, kSlotRole).toInt();
  if (slot > 0) {
    choice.source.slot = SetSlot{slot};
    choice.title = FromCore(ws_.sets.Entry(SetSlot{slot}).Name);
  } else if (slot == 0) {
    choice.source.setPath = QStringToPath(list->itemData(index, kPathRole).toString());
    choice.title = list->itemText(index);
  }
  return choice;
}

std::pair<CompareChooser::Choice, CompareChooser::Choice> CompareChooser::chosen() const {
  return {ChoiceOf(setA_), ChoiceOf(setB_)};
}

}  // namespace i40::app
