#pragma once

#include <memory>

#include "rtmidi_port.h"
#include "setwindow/set_window.h"
#include "support/app_support.h"

namespace i40::app::test {

// The demo Set open in a started frame; nothing is ever saved over it. Any message box at
// start-up (the demo's names are distinct) counts as unexpected; the About box over the
// frame is not modal and asks nothing.
struct DemoSession {
  TestEnvironment env;
  std::unique_ptr<MainWindow> frame;
  ModalWatcher watcher;
  SetWindow* window = nullptr;

  DemoSession() {
    env.options.setArgument = DemoSet();
    frame = std::make_unique<MainWindow>(env.store);
    // No real MIDI backend: only the dry run, whatever the machine has.
    frame->SetMidiPortFactory(
        [] { return std::make_unique<midi::RtMidiPort>(std::vector<int>{}); });
    frame->Start(env.options);
    window = frame->setWindows().value(0);
  }

  // Every window that came up was expected.
  ~DemoSession() { QCOMPARE(watcher.unexpected(), 0); }

  Workspace& ws() { return frame->workspace(); }
  FileSet& files(int slot = 1) { return ws().sets.Files(SetSlot{slot}); }
  QTableWidget* grid(int tab, const char* name) const {
    return window->tabs()->widget(tab)->findChild<QTableWidget*>(name);
  }
  QComboBox* banks(int tab, const char* name) const {
    return window->tabs()->widget(tab)->findChild<QComboBox*>(name);
  }
  QCheckBox* twin(int tab) const { return window->tabs()->widget(tab)->findChild<QCheckBox*>(); }
  QAction* entry(const char* name) const { return window->findChild<QAction*>(name); }
};

inline QPoint CellCentre(QTableWidget* grid, int row, int column) {
  QTableWidgetItem* item = grid->item(row, column);
  grid->scrollToItem(item);
  return grid->visualItemRect(item).center();
}

inline void ClickCell(QTableWidget* grid, int row, int column) {
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, row, column));
}

// What the window system sends for a double click: a click, then the double click and
// its release (QTest's double click alone has no press before it).
inline void DoubleClickAt(QWidget* viewport, QPoint at) {
  QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

inline void DoubleClickCell(QTableWidget* grid, int row, int column) {
  DoubleClickAt(grid->viewport(), CellCentre(grid, row, column));
}

}  // namespace i40::app::test
