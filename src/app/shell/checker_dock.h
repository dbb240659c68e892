#pragma once

#include <QDockWidget>
#include <vector>

#include "calls/set_findings.h"
#include "format/kinds.h"
#include "session/workspace.h"

class QListWidget;

namespace i40::app {

// The Set checker (dckChecker) at the foot of the frame: what is wrong in the Set in
// front, one line per finding (lstFindings), shown anew after every edit. A double click
// or Enter on a finding asks for its item to be shown.
class CheckerDock : public QDockWidget {
  Q_OBJECT

 public:
  explicit CheckerDock(QWidget* parent = nullptr);

  // The findings of the Set in `slot`; slot 0 (no Set in front) shows nothing.
  void ShowSet(const Workspace& ws, SetSlot slot);
  QListWidget* list() const { return list_; }
  // A height for the dock that leaves the Set windows their room: a few lines.
  int CompactHeight() const;

 Q_SIGNALS:
  void findingChosen(Kind kind, ItemIndex index);

 private:
  std::vector<SetFinding> findings_;  // what each line of the list stands for
  QListWidget* list_;
};

}  // namespace i40::app
