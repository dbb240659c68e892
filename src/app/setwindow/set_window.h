#pragma once

#include <QMdiSubWindow>
#include <array>

#include "setstore/workspace.h"
#include "ui/prompter.h"

class QListWidget;
class QTabWidget;

namespace i40::app {

// The window of one open Set (FDoc), inside the frame. Its caption is the Set name and
// its "tag" property the slot number. Closing it asks about unsaved changes and frees
// the slot.
class SetWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  SetWindow(Workspace& ws, Prompter& prompter, int slot, QWidget* parent = nullptr);
  ~SetWindow() override;

  int slot() const { return slot_; }
  // Closed, its slot freed; the window itself is about to go.
  bool isUnloaded() const { return unloaded_; }
  QTabWidget* tabs() const { return tabs_; }

  // Shows the Set as it stands now: caption and item lists.
  void Refresh();

  // File > Save and File > Save As...; true when everything asked for was written.
  bool Save();
  bool SaveAs();

 Q_SIGNALS:
  // The Set has been closed and its slot freed; the window goes next.
  void unloaded(int slot);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  Workspace& ws_;
  Prompter& prompter_;
  int slot_;
  QTabWidget* tabs_;
  std::array<QListWidget*, 3> lists_{};
  bool unloaded_ = false;
};

}  // namespace i40::app
