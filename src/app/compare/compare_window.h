#pragma once

#include <QDialog>
#include <optional>
#include <utility>
#include <vector>

#include "diff/set_diff.h"
#include "host/prompter.h"
#include "session/workspace.h"

class QComboBox;
class QLabel;
class QPrinter;
class QTableWidget;

namespace i40::app {

// FCompare: what differs between two Sets, one row a difference, the two Sets side by
// side (kind, the item in the first Set, the item in the second, what differs), to read
// and to print.
class CompareWindow : public QDialog {
  Q_OBJECT

 public:
  CompareWindow(const QString& titleA, const QString& titleB,
                std::vector<SetDifference> differences, QWidget* parent = nullptr);

  QTableWidget* table() const { return table_; }
  QLabel* summary() const { return summary_; }
  // The comparison as a page: a heading, then the table.
  std::optional<QString> PrintTo(QPrinter& printer) const;

 private:
  QString PageHtml() const;
  void Print();

  QString titleA_;
  QString titleB_;
  std::vector<SetDifference> differences_;
  QLabel* summary_;
  QTableWidget* table_;
};

// FCompareChoose: the two Sets of File > Compare Sets...: any open Set, or a Set on disk
// chosen through the file dialog.
class CompareChooser : public QDialog {
  Q_OBJECT

 public:
  CompareChooser(const Workspace& ws, Prompter& prompter, SetSlot currentSlot,
                 QWidget* parent = nullptr);

  // The Sets chosen and their titles, once the dialog was accepted.
  struct Choice {
    CompareSource source;
    QString title;
  };
  std::pair<Choice, Choice> chosen() const;
  QComboBox* setList(int side) const { return side == 0 ? setA_ : setB_; }

 private:
  void FillList(QComboBox* list, SetSlot selected);
  void Browse(QComboBox* list);
  Choice ChoiceOf(const QComboBox* list) const;

  const Workspace& ws_;
  Prompter& prompter_;
  QComboBox* setA_;
  QComboBox* setB_;
};

}  // namespace i40::app
