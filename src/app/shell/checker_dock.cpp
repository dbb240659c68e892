#include "shell/checker_dock.h"

#include <QListWidget>

#include "calls/set_findings.h"
#include "shell/qt_text.h"

namespace i40::app {
namespace {

// A finding's line holds its place in findings_.
constexpr int kFindingRole = Qt::UserRole;

}  // namespace

CheckerDock::CheckerDock(QWidget* parent)
    : QDockWidget(tr("Set Checker"), parent), list_(new QListWidget(this)) {
  setObjectName("dckChecker");
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  list_->setObjectName("lstFindings");
  list_->setAccessibleName(tr("Findings of the Set in front"));
  list_->setToolTip(tr("Double-click a finding to show its item"));
  // Room for one line at least; the frame decides how much more.
  list_->setMinimumHeight(list_->fontMetrics().height() + 4 + 2 * list_->frameWidth());
  setWidget(list_);
  const auto choose = [this](QListWidgetItem* item) {
    if (item == nullptr || !item->data(kFindingRole).isValid()) return;
    const auto at = static_cast<std::size_t>(item->data(kFindingRole).toInt());
    if (at < findings_.size()) Q_EMIT findingChosen(findings_[at].kind, findings_[at].index);
  };
  connect(list_, &QListWidget::itemDoubleClicked, this, choose);
  connect(list_, &QListWidget::itemActivated, this, choose);
}

void CheckerDock::ShowSet(const Workspace& ws, SetSlot slot) {
  list_->clear();
  findings_.clear();
  if (slot == kNoSet || !ws.sets.InUse(slot)) {
    setWindowTitle(tr("Set Checker"));
    return;
  }
  findings_ = SetFindings(ws.sets.Files(slot));
  const auto& findings = findings_;
  if (findings.empty()) {
    // One line that says so; the dock keeps only the room it needs.
    auto* item = new QListWidgetItem(
        tr("Nothing found in %1").arg(FromCore(ws.sets.Entry(slot).Name)), list_);
    item->setFlags(Qt::ItemIsEnabled);
  }
  const QString count = findings.empty()       ? tr("nothing found")
                        : findings.size() == 1 ? tr("1 finding")
                                               : tr("%1 findings").arg(findings.size());
  setWindowTitle(tr("Set Checker: %1 (%2)").arg(FromCore(ws.sets.Entry(slot).Name), count));
  for (std::size_t i = 0; i < findings.size(); ++i) {
    auto* item = new QListWidgetItem(FromCore(findings[i].text), list_);
    item->setData(kFindingRole, static_cast<int>(i));
  }
}

int CheckerDock::CompactHeight() const {
  // Its title and two lines: "Nothing found" needs one.
  const int line = list_->fontMetrics().height() + 4;
  return fontMetrics().height() + 8 + 2 * line + 2 * list_->frameWidth();
}

}  // namespace i40::app
