#include "shell/checker_dock.h"

#include <QListWidget>

#include "calls/set_findings.h"
#include "shell/qt_text.h"

namespace i40::app {
namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

}  // namespace

CheckerDock::CheckerDock(QWidget* parent)
    : QDockWidget(tr("Set Checker"), parent), list_(new QListWidget(this)) {
  setObjectName("dckChecker");
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  list_->setObjectName("lstFindings");
  list_->setAccessibleName(tr("Findings of the Set in front"));
  list_->setToolTip(tr("Double-click a finding to show its item"));
  setWidget(list_);
  const auto choose = [this](QListWidgetItem* item) {
    if (item == nullptr || !item->data(kKindRole).isValid()) return;
    Q_EMIT findingChosen(static_cast<Kind>(item->data(kKindRole).toInt()),
                         item->data(kIndexRole).toInt());
  };
  connect(list_, &QListWidget::itemDoubleClicked, this, choose);
  connect(list_, &QListWidget::itemActivated, this, choose);
}

void CheckerDock::ShowSet(const Workspace& ws, int slot) {
  list_->clear();
  if (slot == 0 || !ws.sets.InUse(slot)) {
    setWindowTitle(tr("Set Checker"));
    return;
  }
  const auto findings = SetFindings(ws.sets.Files(slot));
  const QString count = findings.empty()       ? tr("nothing found")
                        : findings.size() == 1 ? tr("1 finding")
                                               : tr("%1 findings").arg(findings.size());
  setWindowTitle(tr("Set Checker: %1 (%2)").arg(FromCore(ws.sets.Entry(slot).Name), count));
  for (const SetFinding& finding : findings) {
    auto* item = new QListWidgetItem(FromCore(finding.text), list_);
    item->setData(kKindRole, static_cast<int>(finding.kind));
    item->setData(kIndexRole, finding.index);
  }
}

}  // namespace i40::app
