#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <memory>
#include <vector>

#include "format/item_numbers.h"
#include "format/style_blocks.h"
#include "pickers/item_picker.h"
#include "report/report_window.h"
#include "reports/set_report.h"
#include "setwindow/set_window.h"
#include "sysex/dump.h"
#include "test_suites.h"
#include "test_support.h"
#include "ui/set_view.h"

namespace i40::app::test {
namespace {

// The demo Set open in a started frame; nothing is ever saved over it.
struct DemoSession {
  TestEnvironment env;
  std::unique_ptr<MainWindow> frame;
  ModalWatcher watcher;
  SetWindow* window = nullptr;
  bool started = false;

  DemoSession() {
    env.Store("Show Tips at Startup", "0");
    env.Store("WarnDupl", "0");
    env.options.setArgument = DemoSet();
    frame = std::make_unique<MainWindow>(env.store);
    watcher.Then(ClickButton("cmdOK"));  // the About box
    started = frame->Start(env.options);
    window = frame->setWindows().value(0);
  }

  Workspace& ws() { return frame->workspace(); }
  FileSet& files(int slot = 1) { return ws().sets.Files(slot); }
};

QTableWidget* Grid(const SetWindow* window, int tab, const char* name) {
  return window->tabs()->widget(tab)->findChild<QTableWidget*>(name);
}

QAction* Entry(const SetWindow* window, const char* name) {
  return window->findChild<QAction*>(name);
}

QComboBox* BankList(const SetWindow* window, int tab, const char* name) {
  return window->tabs()->widget(tab)->findChild<QComboBox*>(name);
}

QCheckBox* TwinView(const SetWindow* window, int tab) {
  return window->tabs()->widget(tab)->findChild<QCheckBox*>("chkTwin");
}

QPoint CellCentre(QTableWidget* grid, int row, int column) {
  QTableWidgetItem* item = grid->item(row, column);
  if (item == nullptr) return {-1, -1};
  grid->scrollToItem(item);
  return grid->visualItemRect(item).center();
}

void ClickCell(QTableWidget* grid, int row, int column) {
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, row, column));
}

// A press, a move past the drag distance with the button held, a release.
void DragGesture(QTableWidget* grid, int row, int column) {
  QWidget* viewport = grid->viewport();
  const QPoint from = CellCentre(grid, row, column);
  const QPoint to = from + QPoint(QApplication::startDragDistance() + 4, 0);
  QTest::mousePress(viewport, Qt::LeftButton, {}, from);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(viewport->mapToGlobal(to)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &move);
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
}

// What a drop on a cell delivers to the grid; false when the grid refuses the drag.
bool DropOn(QTableWidget* grid, const QMimeData& mime, int row, int column) {
  const QPoint point = CellCentre(grid, row, column);
  QDragEnterEvent enter(point, Qt::MoveAction | Qt::CopyAction, &mime, Qt::LeftButton,
                        Qt::NoModifier);
  QApplication::sendEvent(grid->viewport(), &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(point), Qt::MoveAction | Qt::CopyAction, &mime, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(grid->viewport(), &drop);
  return drop.isAccepted();
}

ModalWatcher::Handler AnswerBox(QMessageBox::StandardButton button, QString* text = nullptr) {
  return [button, text](QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    if (box == nullptr) return;
    if (text != nullptr) *text = box->text();
    if (QAbstractButton* pressed = box->button(button)) pressed->click();
  };
}

template <typename Records>
std::vector<std::vector<std::uint8_t>> BytesOf(const Records& records) {
  std::vector<std::vector<std::uint8_t>> bytes;
  for (const auto& record : records)
    bytes.emplace_back(record.bytes.begin(), record.bytes.end());
  return bytes;
}

QString NameOf(const ArrangementRecord& record) {
  return FromName(record.Name()).trimmed();
}

// Every entry but Details (which waits for the item dialogs) disabled.
void CheckOnlyDetailsMayBeEnabled(const SetWindow* window) {
  for (int entry = 0; entry < kEditEntryCount; ++entry) {
    const QAction* action = Entry(window, kEditEntryNames[static_cast<std::size_t>(entry)]);
    QVERIFY(action != nullptr);
    const bool expected = entry == kDetails && SetWindow::kItemDialogsAvailable;
    QVERIFY2(action->isEnabled() == expected, kEditEntryNames[static_cast<std::size_t>(entry)]);
  }
  QCOMPARE(Entry(window, "mnuEUndo")->text(), QString("Can't Undo"));
}

}  // namespace

class SetWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void tabsCarryTheirControlsAndShowTheSet() {
    DemoSession s;
    QVERIFY(s.started);
    SetWindow* window = s.window;
    QVERIFY(window != nullptr);
    QCOMPARE(window->objectName(), QString("FDoc"));
    QCOMPARE(window->windowTitle(), QString("DEMO"));
    QTabWidget* tabs = window->tabs();
    QCOMPARE(tabs->objectName(), QString("tabMode"));
    QCOMPARE(tabs->count(), 6);
    for (int tab = 0; tab < 6; ++tab)
      QCOMPARE(tabs->tabText(tab), QString(kSetWindowTabCaptions[static_cast<std::size_t>(tab)]));
    const std::pair<int, const char*> controls[] = {
        {0, "cboArrBnk"}, {0, "grdArr"}, {0, "chkTwin"},  {0, "cmdArg"},    {0, "cmdGbl"},
        {1, "cboStyBnk"}, {1, "grdSty"}, {1, "grdFreeS"}, {2, "cboPrgBnk"}, {2, "grdPrg"},
        {2, "chkTwin"},   {3, "lstBsq"}, {4, "lstSng"},   {5, "grdArk"}};
    for (const auto& [tab, name] : controls)
      QVERIFY2(tabs->widget(tab)->findChild<QWidget*>(name) != nullptr, name);
    QVERIFY(TwinView(window, 1) == nullptr);
    QCOMPARE(TwinView(window, 0)->text(), QString("Twin View"));

    // The Arrangement tab: bank C of the Set, Courier New on light green.
    QTableWidget* arrangements = Grid(window, 0, "grdArr");
    QCOMPARE(arrangements->font().family(), QString("Courier New"));
    QCOMPARE(arrangements->palette().color(QPalette::Base), QColor(224, 255, 224));
    QCOMPARE(arrangements->rowCount(), 16);
    QCOMPARE(arrangements->columnCount(), 4);
    const auto cells = GridCells(s.ws(), 1, Kind::Arrangement, 2, false);
    for (int i = 0; i < 64; ++i) {
      QCOMPARE(arrangements->item(i / 4, i % 4)->text(),
               FromName(cells[static_cast<std::size_t>(i)].text));
    }
    QCOMPARE(arrangements->item(0, 0)->text(), QString("C11 Pop Ballad       (C11)U"));
    QCOMPARE(arrangements->item(0, 0)->foreground().color(), QColor(255, 0, 0));  // called
    QCOMPARE(arrangements->item(1, 1)->foreground().color(), QColor(0, 0, 255));  // not called
    QCOMPARE(arrangements->item(0, 0)->background().color(), QColor(224, 255, 224));

    QComboBox* banks = BankList(window, 0, "cboArrBnk");
    QCOMPARE(banks->count(), 3);
    QCOMPARE(banks->itemText(0), QString("A"));
    QCOMPARE(banks->itemText(2), QString("C"));
    QCOMPARE(banks->currentIndex(), 2);
    QCOMPARE(banks->toolTip(), QString("Select Arrangement Bank here"));
    QCOMPARE(BankList(window, 1, "cboStyBnk")->toolTip(), QString("Select Style Bank here"));
    QCOMPARE(BankList(window, 2, "cboPrgBnk")->count(), 7);
    QCOMPARE(BankList(window, 2, "cboPrgBnk")->currentIndex(), 5);

    // Bank A, then banks A and B together, then bank C alone even with Twin View.
    ClickCell(arrangements, 2, 2);
    banks->setCurrentIndex(0);
    QCOMPARE(window->view().current[0], 0);  // the first item of the chosen bank
    QCOMPARE(arrangements->currentRow(), 0);
    QCOMPARE(arrangements->rowCount(), 16);
    QVERIFY(arrangements->item(0, 0)->text().startsWith("A11 "));
    const CellColour preset = GridCells(s.ws(), 1, Kind::Arrangement, 0, false)[0].textColour;
    QVERIFY(preset == colours::kTeal || preset == colours::kDarkRed);  // by its callers
    QCOMPARE(arrangements->item(0, 0)->foreground().color(),
             QColor(preset.rgb.r, preset.rgb.g, preset.rgb.b));
    TwinView(window, 0)->setChecked(true);
    QCOMPARE(arrangements->rowCount(), 32);
    QVERIFY(arrangements->item(31, 3)->text().startsWith(
        FromName(ItemNumberLabel(Kind::Arrangement, 127)) + " "));
    banks->setCurrentIndex(2);
    QCOMPARE(arrangements->rowCount(), 16);
    QVERIFY(arrangements->item(0, 0)->text().startsWith("C11 "));
    TwinView(window, 0)->setChecked(false);

    for (const char* name : {"cmdArg", "cmdGbl"}) {
      auto* button = window->findChild<QPushButton*>(name);
      QCOMPARE(button->toolTip(), QString("Edit Arrangement Global Parameters"));
      QCOMPARE(button->isEnabled(), SetWindow::kGlobalDialogsAvailable);
    }
    QCOMPARE(window->findChild<QPushButton*>("cmdArg")->text(), QString("&Arrangement Global"));
    QCOMPARE(window->findChild<QPushButton*>("cmdGbl")->text(), QString("&Global"));

    // Highlighting off: the Set's Arrangements black, presets in the system's grey.
    s.ws().settings.HighCall = false;
    window->Refresh();
    QCOMPARE(arrangements->item(0, 0)->foreground().color(), QColor(0, 0, 0));
    banks->setCurrentIndex(0);
    QCOMPARE(arrangements->item(0, 0)->foreground().color(),
             arrangements->palette().color(QPalette::Disabled, QPalette::Text));
    s.ws().settings.HighCall = true;

    // Styles: bank C is the four Blocks; the free events beside it, per Block.
    tabs->setCurrentIndex(1);
    QCOMPARE(s.ws().settings.ModeId, 1);
    QTableWidget* styles = Grid(window, 1, "grdSty");
    QCOMPARE(styles->rowCount(), 4);
    QCOMPARE(styles->item(0, 0)->text(), QString("C11 Ballad Style    :5200"));
    QCOMPARE(styles->item(3, 3)->background().color(),
             styles->palette().color(QPalette::Disabled, QPalette::Text));  // no Style data
    QTableWidget* freeEvents = Grid(window, 1, "grdFreeS");
    QCOMPARE(freeEvents->rowCount(), 4);
    for (int block = 0; block < 4; ++block) {
      QCOMPARE(freeEvents->item(block, 0)->text(),
               FromCore(FreeEventsText(s.files().styles, block)));
      QCOMPARE(freeEvents->item(block, 0)->background().color(), QColor(255, 224, 255));
    }

    // Programs: bank F; Twin View on bank A shows A and B.
    tabs->setCurrentIndex(2);
    QTableWidget* programs = Grid(window, 2, "grdPrg");
    const auto programCells = GridCells(s.ws(), 1, Kind::Program, 5, false);
    QCOMPARE(programs->rowCount(), 16);
    QCOMPARE(programs->item(0, 0)->text(), FromName(programCells[0].text));
    QCOMPARE(programs->item(0, 0)->text(), QString("F11 Grand Piano     "));
    BankList(window, 2, "cboPrgBnk")->setCurrentIndex(6);
    QCOMPARE(programs->rowCount(), 4);  // bank R
    BankList(window, 2, "cboPrgBnk")->setCurrentIndex(0);
    TwinView(window, 2)->setChecked(true);
    QCOMPARE(programs->rowCount(), 32);

    // Backing Sequences: the list and the counters.
    tabs->setCurrentIndex(3);
    auto* sequences = window->findChild<QListWidget*>("lstBsq");
    const auto lines = BackingSequenceLines(s.ws(), 1);
    QCOMPARE(sequences->count(), 10);
    for (int i = 0; i < 10; ++i)
      QCOMPARE(sequences->item(i)->text(), FromName(lines[static_cast<std::size_t>(i)]));
    QCOMPARE(sequences->font().family(), QString("Courier New"));
    QWidget* page = tabs->widget(3);
    QStringList frames;
    for (const QGroupBox* box : page->findChildren<QGroupBox*>())
      frames << box->title();
    QCOMPARE(frames, QStringList({"Backing Sequences List", "Events count"}));
    QCOMPARE(page->findChild<QLabel*>("lblEvents0")->text(), QString("BackSeqs: 5340"));
    QCOMPARE(page->findChild<QLabel*>("lblEvents1")->text(), QString());
    QCOMPARE(page->findChild<QLabel*>("lblEvents4")->text(), QString("Free: 60196"));

    tabs->setCurrentIndex(4);
    QCOMPARE(window->findChild<QListWidget*>("lstSng")->count(), 0);
    QCOMPARE(tabs->widget(4)->findChild<QGroupBox*>()->title(), QString("Songs List"));

    // KBD Sets: a header row, then the 15 KBD Sets with red labels.
    tabs->setCurrentIndex(5);
    QTableWidget* kbd = Grid(window, 5, "grdArk");
    QCOMPARE(kbd->rowCount(), 16);
    QCOMPARE(kbd->item(0, 1)->text(), QString("Lower KBD"));
    QCOMPARE(kbd->item(0, 2)->text(), QString("Upper1 KBD"));
    QCOMPARE(kbd->item(0, 3)->text(), QString("Upper2 KBD"));
    QCOMPARE(kbd->item(0, 1)->font().family(), QString("MS Sans Serif"));
    QCOMPARE(kbd->item(0, 1)->font().pointSize(), 8);
    QCOMPARE(kbd->item(1, 0)->text(), QString("A1"));
    QCOMPARE(kbd->item(1, 0)->foreground().color(), QColor(255, 0, 0));
    QCOMPARE(kbd->item(1, 2)->text(), QString("F11 Grand Piano     "));
    QCOMPARE(kbd->item(15, 0)->text(), QString("C5"));
    QCOMPARE(kbd->font().family(), QString("Courier New"));

    // The tab last shown is where the next Set window opens.
    QCOMPARE(s.ws().settings.ModeId, 5);
    SetWindow* second = s.frame->OpenSetWindow(false, DemoSet());
    QVERIFY(second != nullptr);
    QCOMPARE(second->tabs()->currentIndex(), 5);
    QCOMPARE(s.watcher.unexpected(), 0);
  }

  void selectionDecidesTheEditMenu() {
    DemoSession s;
    SetWindow* window = s.window;
    QVERIFY(window != nullptr);

    QMenu* menu = window->findChild<QMenu*>("mnuEdit");
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->title(), QString("&Edit"));
    QStringList names;
    QStringList captions;
    for (const QAction* action : menu->actions()) {
      names << (action->isSeparator() ? QString("-") : action->objectName());
      if (!action->isSeparator()) captions << action->text();
    }
    QCOMPARE(names, QStringList({"mnuEUndo", "-", "mnuECut", "mnuECopy", "mnuEPaste", "mnuEDelete",
                                 "mnuEInsert", "mnuEIStyle", "-", "mnuEDetails", "-",
                                 "mnuEEraseBnk", "mnuEImport"}));
    QCOMPARE(captions,
             QStringList({"Can't Undo", "Cu&t", "&Copy", "&Paste", "&Delete", "In&sert",
                          "Paste from &IStyle...", "Detai&ls", "&Erase Bank", "I&mport..."}));
    QCOMPARE(Entry(window, "mnuEUndo")->shortcut(), QKeySequence("Ctrl+Z"));
    QCOMPARE(Entry(window, "mnuECut")->shortcut(), QKeySequence("Ctrl+X"));
    QCOMPARE(Entry(window, "mnuECopy")->shortcut(), QKeySequence("Ctrl+C"));
    QCOMPARE(Entry(window, "mnuEPaste")->shortcut(), QKeySequence("Ctrl+V"));
    QCOMPARE(Entry(window, "mnuEDelete")->shortcut(), QKeySequence(Qt::Key_Delete));
    QCOMPARE(Entry(window, "mnuEInsert")->shortcut(), QKeySequence(Qt::Key_Insert));

    // The frame shows the Set window's Edit and Utilities menus before its Window menu.
    const QList<QAction*> bar = s.frame->menuBar()->actions();
    const qsizetype at = bar.indexOf(menu->menuAction());
    QVERIFY(at > 0);
    QCOMPARE(bar.value(at + 1)->menu()->objectName(), QString("mnuUtil"));
    QCOMPARE(bar.value(at + 2)->menu()->objectName(), QString("mnuWindow"));
    QCOMPARE(bar.value(at - 1)->menu()->objectName(), QString("mnuFile"));

    // Utilities: the subset report on the item tabs, the export on a user bank.
    QVERIFY(window->subsetReportAction()->isEnabled());
    QVERIFY(window->exportAction()->isEnabled());  // bank C of Arrangements
    QCOMPARE(window->sysExFileAction()->text(), QString("Send SysE&x to File..."));
    QCOMPARE(window->subsetReportAction()->text(), QString("Create Su&bset Report File..."));

    // A user Arrangement: every entry but Details; after a cut, Undo too.
    QTableWidget* grid = Grid(window, 0, "grdArr");
    ClickCell(grid, 1, 1);
    QCOMPARE(window->view().current[0], 5);
    for (const char* name : {"mnuECut", "mnuECopy", "mnuEPaste", "mnuEDelete", "mnuEInsert",
                             "mnuEIStyle", "mnuEEraseBnk", "mnuEImport"}) {
      QVERIFY2(Entry(window, name)->isEnabled(), name);
    }
    QCOMPARE(Entry(window, "mnuEDetails")->isEnabled(), SetWindow::kItemDialogsAvailable);
    QVERIFY(!Entry(window, "mnuEUndo")->isEnabled());
    Entry(window, "mnuECut")->trigger();
    QVERIFY(Entry(window, "mnuEUndo")->isEnabled());
    QCOMPARE(Entry(window, "mnuEUndo")->text(), QString("&Undo"));

    // A preset Arrangement: only Details, and Undo off.
    BankList(window, 0, "cboArrBnk")->setCurrentIndex(0);
    ClickCell(grid, 2, 1);
    QCOMPARE(window->view().current[0], 9);
    CheckOnlyDetailsMayBeEnabled(window);

    // Back on a user cell, Undo is there again; Twin View takes Erase Bank and Import.
    BankList(window, 0, "cboArrBnk")->setCurrentIndex(2);
    ClickCell(grid, 0, 2);
    QVERIFY(Entry(window, "mnuEUndo")->isEnabled());
    QVERIFY(Entry(window, "mnuEEraseBnk")->isEnabled());
    TwinView(window, 0)->setChecked(true);
    QVERIFY(!Entry(window, "mnuEEraseBnk")->isEnabled());
    QVERIFY(!Entry(window, "mnuEImport")->isEnabled());
    QVERIFY(Entry(window, "mnuECut")->isEnabled());
    QVERIFY(Entry(window, "mnuEPaste")->isEnabled());
    TwinView(window, 0)->setChecked(false);
    QVERIFY(Entry(window, "mnuEEraseBnk")->isEnabled());
    QVERIFY(Entry(window, "mnuEImport")->isEnabled());

    // The same on the Program tab.
    window->tabs()->setCurrentIndex(2);
    QVERIFY(Entry(window, "mnuEImport")->isEnabled());
    TwinView(window, 2)->setChecked(true);
    QVERIFY(!Entry(window, "mnuEEraseBnk")->isEnabled());
    QVERIFY(!Entry(window, "mnuEImport")->isEnabled());
    QVERIFY(Entry(window, "mnuECopy")->isEnabled());

    // The Songs tab holds nothing to edit.
    window->tabs()->setCurrentIndex(4);
    CheckOnlyDetailsMayBeEnabled(window);

    // The right button selects the cell under it and pops the Edit menu up.
    window->tabs()->setCurrentIndex(0);
    const QPoint point = CellCentre(grid, 3, 0);
    QContextMenuEvent context(QContextMenuEvent::Mouse, point,
                              grid->viewport()->mapToGlobal(point));
    QApplication::sendEvent(grid->viewport(), &context);
    QCOMPARE(window->view().current[0], 12);
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
    QCOMPARE(s.watcher.unexpected(), 0);
  }

  void cutPasteAndUndoChangeTheGridAndTheSet() {
    DemoSession s;
    SetWindow* window = s.window;
    QVERIFY(window != nullptr);
    QTableWidget* grid = Grid(window, 0, "grdArr");
    auto& records = s.files().arrangements.records;
    const auto original = records[5].bytes;
    const auto blank = s.ws().blanks.arrangement.bytes;
    const auto emptySlot = records[25].bytes;
    QVERIFY(grid->item(1, 1)->text().contains("Country Road"));
    QVERIFY(records[25].IsEmpty());

    ClickCell(grid, 1, 1);
    Entry(window, "mnuECut")->trigger();
    QCOMPARE(records[5].bytes, blank);
    QVERIFY(!grid->item(1, 1)->text().contains("Country Road"));
    QVERIFY(s.ws().sets.Entry(1).Modified[static_cast<std::size_t>(Kind::Arrangement)]);

    ClickCell(grid, 6, 1);
    QCOMPARE(window->view().current[0], 25);
    Entry(window, "mnuEPaste")->trigger();
    QCOMPARE(records[25].bytes, original);
    QVERIFY(grid->item(6, 1)->text().contains("Country Road"));
    QCOMPARE(Entry(window, "mnuEUndo")->text(), QString("&Undo"));

    Entry(window, "mnuEUndo")->trigger();
    QCOMPARE(records[25].bytes, emptySlot);
    QVERIFY(!grid->item(6, 1)->text().contains("Country Road"));
    QVERIFY(!Entry(window, "mnuEUndo")->isEnabled());
    QCOMPARE(Entry(window, "mnuEUndo")->text(), QString("Can't Undo"));
    QCOMPARE(s.watcher.unexpected(), 0);
  }

  void eraseBankAsksFirstAndCancelChangesNothing() {
    DemoSession s;
    SetWindow* window = s.window;
    QVERIFY(window != nullptr);
    QTableWidget* grid = Grid(window, 0, "grdArr");
    ClickCell(grid, 1, 1);
    Entry(window, "mnuECut")->trigger();  // something to undo
    const auto before = BytesOf(s.files().arrangements.records);
    const QString firstCell = grid->item(0, 0)->text();

    s.watcher.Then([](QWidget* shown) {
      auto* box = qobject_cast<QMessageBox*>(shown);
      QVERIFY(box != nullptr);
      QCOMPARE(box->text(), QString("Bank Erasing can't be undone\nContinue?"));
      QCOMPARE(box->icon(), QMessageBox::Warning);
      QCOMPARE(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
      box->button(QMessageBox::Cancel)->click();
    });
    Entry(window, "mnuEEraseBnk")->trigger();
    QCOMPARE(s.watcher.pending(), std::size_t{0});
    QCOMPARE(BytesOf(s.files().arrangements.records), before);
    QCOMPARE(grid->item(0, 0)->text(), firstCell);
    QVERIFY(Entry(window, "mnuEUndo")->isEnabled());
    QCOMPARE(Entry(window, "mnuEUndo")->text(), QString("&Undo"));

    s.watcher.Then(ClickMessageButton(QMessageBox::Ok));
    Entry(window, "mnuEEraseBnk")->trigger();
    for (const auto& record : s.files().arrangements.records)
      QVERIFY(record.IsEmpty());
    QVERIFY(!grid->item(0, 0)->text().contains("Pop Ballad"));
    QVERIFY(!Entry(window, "mnuEUndo")->isEnabled());
    QCOMPARE(s.watcher.unexpected(), 0);
  }

  void kbdSetPasteNeedsSomethingCopied() {
    DemoSession s;
    SetWindow* window = s.window;
    QVERIFY(window != nullptr);
    window->tabs()->setCurrentIndex(5);
    QTableWidget* grid = Grid(window, 5, "grdArk");
    const auto before = BytesOf(s.files().kbdSets.records);
    const auto seen = s.watcher.seen().size();

    ClickCell(grid, 2, 1);
    QCOMPARE(window->view().current[5], 1);
    QVERIFY(Entry(window, "mnuEPaste")->isEnabled());
    Entry(window, "mnuEPaste")->trigger();
    QCOMPARE(BytesOf(s.files().kbdSets.records), before);
    QVERIFY(!s.ws().sets.Entry(1).Modified[static_cast<std::size_t>(Kind::KbdSet)]);
    QVERIFY(!Entry(window, "mnuEUndo")->isEnabled());
    QCOMPARE(s.watcher.seen().size(), seen);

    // With A1 copied, the same Paste writes it over A2.
    ClickCell(grid, 1, 0);
    Entry(window, "mnuECopy")->trigger();
    ClickCell(grid, 2, 0);
    Entry(window, "mnuEPaste")->trigger();
    QCOMPARE(s.files().kbdSets.records[1].bytes, s.files().kbdSets.records[0].bytes);
    QCOMPARE(grid->item(2, 2)->text(), grid->item(1, 2)->text());
    QVERIFY(s.ws().sets.Entry(1).Modified[static_cast<std::size_t>(Kind::KbdSet)]);
    QVERIFY(Entry(window, "mnuEUndo")->isEnabled());
  }

  void utilitiesWriteTheShownTabsFiles() {
    DemoSession s;
    SetWindow* window = s.window;
    QVERIFY(window != nullptr);
    // The Backing Sequence tab has no subset report and nothing to export.
    window->tabs()->setCurrentIndex(3);
    QVERIFY(!window->subsetReportAction()->isEnabled());
    QVERIFY(!window->exportAction()->isEnabled());

    // The KBD Sets as a .SYX file, through the save dialog.
    window->tabs()->setCurrentIndex(5);
    const QString file = s.env.dir.filePath("KBD.SYX");
    s.watcher.Then([&file](QWidget* shown) {
      auto* dialog = qobject_cast<QFileDialog*>(shown);
      QVERIFY(dialog != nullptr);
      QCOMPARE(dialog->windowTitle(), QString("Save KBD Set to SysEx File..."));
      dialog->selectFile(file);
      static_cast<QDialog*>(dialog)->accept();
    });
    window->sysExFileAction()->trigger();
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    const auto expected = *DumpMessage(s.ws().sysExHeader, s.files(), Kind::KbdSet, 0);
    QCOMPARE(bytes, QByteArray(reinterpret_cast<const char*>(expected.data()),
                               static_cast<qsizetype>(expected.size())));

    // On a preset Program bank there is nothing to export.
    window->tabs()->setCurrentIndex(2);
    QComboBox* banks = BankList(window, 2, "cboPrgBnk");
    banks->setCurrentIndex(0);
    QVERIFY(!window->exportAction()->isEnabled());
    banks->setCurrentIndex(6);
    QVERIFY(window->exportAction()->isEnabled());
  }

  void reportWindowShowsPrintsAndSavesTheReport() {
    DemoSession s;
    SetWindow* window = s.window;
    QVERIFY(window != nullptr);
    qputenv("SOURCE_DATE_EPOCH", "1700000000");
    window->findChild<QAction*>("mnuUReport")->trigger();
    auto* report = window->findChild<ReportWindow*>("FReport");
    QVERIFY(report != nullptr);
    QCOMPARE(report->windowTitle(), QString("Report on DEMO"));
    const std::string expected = SetReportText(s.ws(), 1, "DEMO", ReportTime());
    qunsetenv("SOURCE_DATE_EPOCH");
    QString shown = QString::fromLatin1(expected.data(), static_cast<qsizetype>(expected.size()));
    shown.remove('\r');
    QCOMPARE(report->textBox()->toPlainText(), shown);
    QVERIFY(report->textBox()->font().fixedPitch());
    for (const char* name : {"cmdSetPrnt", "cmdPrint", "cmdSave", "cmdClose"}) {
      QVERIFY2(report->findChild<QPushButton*>(name) != nullptr, name);
    }
    QCOMPARE(report->findChild<QPushButton*>("cmdSave")->text(), QString("Create Report &File..."));

    // Printing, here to a PDF file.
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = s.env.dir.filePath("report.pdf");
    printer.setOutputFileName(pdf);
    report->PrintTo(printer);
    QVERIFY(QFileInfo(pdf).size() > 1000);

    // Saving: the report as the core made it, and a line break.
    const QString file = s.env.dir.filePath("DEMO.TXT");
    s.watcher.Then([&file](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      QVERIFY(dialog != nullptr);
      QCOMPARE(dialog->windowTitle(), QString("Save Report to File..."));
      dialog->selectFile(file);
      static_cast<QDialog*>(dialog)->accept();
    });
    report->findChild<QPushButton*>("cmdSave")->click();
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().size(), static_cast<qsizetype>(expected.size() + 2));
    report->findChild<QPushButton*>("cmdClose")->click();
  }

  void dragsCopyBetweenWindowsAndMoveInsideOne() {
    DemoSession s;
    SetWindow* demo = s.window;
    QVERIFY(demo != nullptr);
    SetWindow* fresh = s.frame->OpenSetWindow(true, {});
    QVERIFY(fresh != nullptr);
    QCOMPARE(fresh->slot(), 2);
    const QString freshName = fresh->windowTitle();
    QTableWidget* demoGrid = Grid(demo, 0, "grdArr");
    QTableWidget* freshGrid = Grid(fresh, 0, "grdArr");
    auto& demoRecords = s.files(1).arrangements.records;
    auto& freshRecords = s.files(2).arrangements.records;

    // 8 Beat Rock (C27) calls the Set's Programs Grand Piano and E.Piano Soft, which the
    // new Set lacks: the first is redirected through the picker, the second kept.
    const std::unique_ptr<QMimeData> beatRock = demo->DragData(0, 14);
    QVERIFY(beatRock != nullptr);
    QCOMPARE(NameOf(demoRecords[14]), QString("8 Beat Rock"));
    QString firstQuestion;
    QString secondQuestion;
    int picked = -1;
    s.watcher.Then(AnswerBox(QMessageBox::Yes, &firstQuestion))
        .Then([&picked](QWidget* shown) {
          auto* picker = qobject_cast<ItemPicker*>(shown);
          QVERIFY(picker != nullptr);
          QCOMPARE(picker->objectName(), QString("FInPrg"));
          picker->findChild<QComboBox*>("cboBnk")->setCurrentIndex(0);
          picker->findChild<QComboBox*>("cboRef")->setCurrentIndex(3);
          picked = picker->chosen();
          picker->findChild<QPushButton*>("cmdOK")->click();
        })
        .Then(AnswerBox(QMessageBox::No, &secondQuestion));
    QSignalSpy finished(fresh, &SetWindow::dropFinished);
    QVERIFY(DropOn(freshGrid, *beatRock, 0, 3));
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(finished.at(0).at(0).toBool());
    QCOMPARE(firstQuestion,
             "Track 'Upper1' of Arrangement '8 Beat Rock' calls Program 'Grand "
             "Piano' non-existent in '" +
                 freshName + "'\n\nRedirect this track to an existing Program?");
    QVERIFY(secondQuestion.startsWith(
        "Track 'Upper2' of Arrangement '8 Beat Rock' calls Program 'E.Piano Soft' non-existent"));
    QCOMPARE(NameOf(freshRecords[3]), QString("8 Beat Rock"));
    QVERIFY(picked >= 0 && picked < 64);
    QCOMPARE(freshRecords[3].TrackProgram(6), picked);
    QCOMPARE(freshRecords[3].TrackProgram(7), 769);
    QVERIFY(freshGrid->item(0, 3)->text().contains("8 Beat Rock"));
    QCOMPARE(fresh->view().current[0], 3);
    QVERIFY(fresh->editAction(kUndo)->isEnabled());
    QCOMPARE(NameOf(demoRecords[14]), QString("8 Beat Rock"));  // a copy

    // A preset cell and the source itself take nothing; nor does a grid of another kind.
    const auto freshBefore = BytesOf(freshRecords);
    BankList(fresh, 0, "cboArrBnk")->setCurrentIndex(0);
    QVERIFY(DropOn(freshGrid, *beatRock, 1, 1));
    QTRY_COMPARE(finished.count(), 2);
    QVERIFY(!finished.at(1).at(0).toBool());
    QCOMPARE(BytesOf(freshRecords), freshBefore);
    const auto demoBefore = BytesOf(demoRecords);
    QSignalSpy demoFinished(demo, &SetWindow::dropFinished);
    QVERIFY(DropOn(demoGrid, *beatRock, 3, 2));
    QTRY_COMPARE(demoFinished.count(), 1);
    QVERIFY(!demoFinished.at(0).at(0).toBool());
    QCOMPARE(BytesOf(demoRecords), demoBefore);
    demo->tabs()->setCurrentIndex(2);
    QVERIFY(!DropOn(Grid(demo, 2, "grdPrg"), *beatRock, 0, 0));
    demo->tabs()->setCurrentIndex(0);

    // Inside one Set the Arrangement moves.
    QVERIFY(DropOn(demoGrid, *beatRock, 7, 2));
    QTRY_COMPARE(demoFinished.count(), 2);
    QVERIFY(demoFinished.at(1).at(0).toBool());
    QCOMPARE(NameOf(demoRecords[30]), QString("8 Beat Rock"));
    QVERIFY(demoRecords[14].IsEmpty());
    QVERIFY(demoGrid->item(7, 2)->text().contains("8 Beat Rock"));
    QVERIFY(!demoGrid->item(3, 2)->text().contains("8 Beat Rock"));

    // KBD Sets of one Set: C5 goes before A1 once the question is answered Yes.
    demo->tabs()->setCurrentIndex(5);
    const auto kbdBefore = BytesOf(s.files(1).kbdSets.records);
    const std::unique_ptr<QMimeData> c5 = demo->DragData(5, 14);
    QVERIFY(c5 != nullptr);
    QString kbdQuestion;
    s.watcher.Then(AnswerBox(QMessageBox::Yes, &kbdQuestion));
    QVERIFY(DropOn(Grid(demo, 5, "grdArk"), *c5, 1, 2));
    QTRY_COMPARE(demoFinished.count(), 3);
    QCOMPARE(kbdQuestion, QString("Insert KBD Set C5 before A1"));
    const auto kbdAfter = BytesOf(s.files(1).kbdSets.records);
    QCOMPARE(kbdAfter[0], kbdBefore[14]);
    QCOMPARE(kbdAfter[1], kbdBefore[0]);
    QCOMPARE(kbdAfter[14], kbdBefore[13]);
    QCOMPARE(s.watcher.unexpected(), 0);
  }

  void dragOnAnEmptySlotDoesNotStart() {
    DemoSession s;
    SetWindow* window = s.window;
    QVERIFY(window != nullptr);
    QTableWidget* grid = Grid(window, 0, "grdArr");
    QSignalSpy started(window, &SetWindow::dragStarted);

    QVERIFY(s.files().arrangements.records[25].IsEmpty());
    QVERIFY(window->DragData(0, 25) == nullptr);
    DragGesture(grid, 6, 1);
    QCOMPARE(window->view().current[0], 25);  // selected all the same
    QCOMPARE(started.count(), 0);

    DragGesture(grid, 0, 0);
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), 0);
    QCOMPARE(started.at(0).at(1).toInt(), 0);

    // Presets are not the Set's to give away.
    BankList(window, 0, "cboArrBnk")->setCurrentIndex(0);
    QVERIFY(window->DragData(0, 0) == nullptr);
    DragGesture(grid, 0, 0);
    QCOMPARE(started.count(), 1);

    // An empty Backing Sequence neither.
    const auto& sequences = s.files().backingSequences.records;
    for (int i = 0; i < 10; ++i) {
      QCOMPARE(window->DragData(3, i) == nullptr, sequences[static_cast<std::size_t>(i)].IsEmpty());
    }
  }

  void closingAChangedSetWindowAsksToSave() {
    DemoSession s;
    SetWindow* window = s.window;
    QVERIFY(window != nullptr);
    ClickCell(Grid(window, 0, "grdArr"), 1, 1);
    Entry(window, "mnuECut")->trigger();

    QString question;
    s.watcher.Then(AnswerBox(QMessageBox::Cancel, &question));
    QVERIFY(!window->close());
    QCOMPARE(question, QString("Save the changes in DEMO ?"));
    QVERIFY(s.ws().sets.InUse(1));
    QCOMPARE(s.frame->setWindows().size(), 1);

    s.watcher.Then(ClickMessageButton(QMessageBox::No));
    QVERIFY(window->close());
    QVERIFY(!s.ws().sets.InUse(1));
    QVERIFY(s.frame->setWindows().isEmpty());
    for (const QAction* action : s.frame->menuBar()->actions()) {
      QVERIFY(action->menu() == nullptr || action->menu()->objectName() != "mnuEdit");
    }
    QCOMPARE(s.watcher.unexpected(), 0);
  }

  void tabsArePicturedAndTheirRedrawMeasured() {
    DemoSession s;
    SetWindow* window = s.window;
    QVERIFY(window != nullptr);
    window->showMaximized();
    const char* names[] = {"arrangements", "styles", "programs",
                           "backing_seq",  "songs",  "kbd_sets"};
    for (int tab = 0; tab < 6; ++tab) {
      window->tabs()->setCurrentIndex(tab);
      QTest::qWait(20);
      const QString file = ScreenshotPath(
          QStringLiteral("set_window_%1.png").arg(names[static_cast<std::size_t>(tab)]));
      QFile::remove(file);
      QVERIFY(window->grab().save(file));
      QVERIFY(!QImage(file).isNull());
    }

    // The redraw that follows every command, per tab; the Program grid with highlighting
    // of called Programs, one bank and with Twin View.
    s.ws().settings.HighCall = true;
    constexpr int kRuns = 50;
    for (int tab = 0; tab < 6; ++tab) {
      window->tabs()->setCurrentIndex(tab);
      QElapsedTimer clock;
      clock.start();
      for (int run = 0; run < kRuns; ++run)
        window->Refresh();
      qInfo("Redraw of tab %d (%s): %.3f ms", tab, names[static_cast<std::size_t>(tab)],
            static_cast<double>(clock.nsecsElapsed()) / 1e6 / kRuns);
    }
    window->tabs()->setCurrentIndex(2);
    BankList(window, 2, "cboPrgBnk")->setCurrentIndex(0);
    TwinView(window, 2)->setChecked(true);
    QElapsedTimer clock;
    clock.start();
    for (int run = 0; run < kRuns; ++run)
      window->Refresh();
    qInfo("Redraw of the Program grid, banks A and B with highlighting: %.3f ms",
          static_cast<double>(clock.nsecsElapsed()) / 1e6 / kRuns);

    // A command and its redraw, as the user gets them.
    window->tabs()->setCurrentIndex(2);
    BankList(window, 2, "cboPrgBnk")->setCurrentIndex(5);
    ClickCell(Grid(window, 2, "grdPrg"), 0, 1);
    clock.restart();
    for (int run = 0; run < kRuns; ++run)
      window->editAction(kCopy)->trigger();
    qInfo("Edit > Copy and redraw on the Program tab: %.3f ms",
          static_cast<double>(clock.nsecsElapsed()) / 1e6 / kRuns);
    QCOMPARE(s.watcher.unexpected(), 0);
  }
};

std::unique_ptr<QObject> MakeSetWindowTest() {
  return std::make_unique<SetWindowTest>();
}

}  // namespace i40::app::test

#include "set_window_test.moc"
