// The Set window binds its widgets to the core: what the core works out is what the grids
// and lists show, a command reaches the core and the refresh shows its result. The core's
// own texts and rules are tested in the core.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
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

#include "demo_session.h"
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

QColor Qt(const CellColour& colour) {
  return {colour.rgb.r, colour.rgb.g, colour.rgb.b};
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

ModalWatcher::Handler SaveTo(const QString& file, const char* title) {
  return [file, title](QWidget* shown) {
    auto* dialog = qobject_cast<QFileDialog*>(shown);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), QString(title));
    dialog->selectFile(file);
    static_cast<QDialog*>(dialog)->accept();
  };
}

// Every cell of an item grid as the core works it out: text, colours.
void CheckItemGrid(DemoSession& s, int tab, const char* name) {
  const SetViewState& view = s.window->view();
  const auto kind = static_cast<Kind>(tab);
  const auto t = static_cast<std::size_t>(tab);
  const auto cells = GridCells(s.ws(), 1, kind, view.bank[t], tab != 1 && view.twin[t]);
  QTableWidget* grid = s.grid(tab, name);
  QCOMPARE(grid->rowCount() * 4, static_cast<int>(cells.size()));
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const QTableWidgetItem* item = grid->item(static_cast<int>(i / 4), static_cast<int>(i % 4));
    QCOMPARE(item->text(), FromName(cells[i].text));
    if (cells[i].textColour == CellColour::SystemGrey()) {
      QCOMPARE(item->foreground().color(),
               grid->palette().color(QPalette::Disabled, QPalette::Text));
    } else {
      QCOMPARE(item->foreground().color(), Qt(cells[i].textColour));
    }
  }
}

}  // namespace

class SetWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void controlsCarryTheirNamesAndCaptions() {
    DemoSession s;
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
    QCOMPARE(s.twin(0)->text(), QString("Twin View"));
    QCOMPARE(s.banks(0, "cboArrBnk")->toolTip(), QString("Select Arrangement Bank here"));
    QCOMPARE(s.banks(1, "cboStyBnk")->toolTip(), QString("Select Style Bank here"));
    QCOMPARE(s.banks(2, "cboPrgBnk")->toolTip(), QString("Select Program Bank here"));
    QCOMPARE(window->findChild<QPushButton*>("cmdArg")->text(), QString("&Arrangement Global"));
    QCOMPARE(window->findChild<QPushButton*>("cmdGbl")->text(), QString("&Global"));
    for (const char* name : {"cmdArg", "cmdGbl"}) {
      QCOMPARE(window->findChild<QPushButton*>(name)->toolTip(),
               QString("Edit Arrangement Global Parameters"));
    }
    QStringList frames;
    for (int tab : {3, 4}) {
      for (const QGroupBox* box : tabs->widget(tab)->findChildren<QGroupBox*>())
        frames << box->title();
    }
    QCOMPARE(frames,
             QStringList({"Backing Sequences List", "Events count", "Songs List", "Events count"}));
    tabs->setCurrentIndex(5);  // a page is filled when it is shown
    QTableWidget* kbd = s.grid(5, "grdArk");
    QCOMPARE(kbd->item(0, 1)->text(), QString("Lower KBD"));
    QCOMPARE(kbd->item(0, 2)->text(), QString("Upper1 KBD"));
    QCOMPARE(kbd->item(0, 3)->text(), QString("Upper2 KBD"));
    QCOMPARE(kbd->item(0, 1)->font().family(), QString("MS Sans Serif"));
    QCOMPARE(kbd->item(0, 1)->font().pointSize(), 8);
    QCOMPARE(s.grid(0, "grdArr")->font().family(), QString("Courier New"));
    QCOMPARE(s.grid(0, "grdArr")->palette().color(QPalette::Base), QColor(224, 255, 224));

    QMenu* menu = window->findChild<QMenu*>("mnuEdit");
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
    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"mnuEUndo", QKeySequence("Ctrl+Z")},         {"mnuECut", QKeySequence("Ctrl+X")},
        {"mnuECopy", QKeySequence("Ctrl+C")},         {"mnuEPaste", QKeySequence("Ctrl+V")},
        {"mnuEDelete", QKeySequence(Qt::Key_Delete)}, {"mnuEInsert", QKeySequence(Qt::Key_Insert)}};
    for (const auto& [name, keys] : shortcuts)
      QCOMPARE(s.entry(name)->shortcut(), keys);
    QCOMPARE(window->sysExFileAction()->text(), QString("Send SysE&x to File..."));
    QCOMPARE(window->subsetReportAction()->text(), QString("Create Su&bset Report File..."));

    // The frame shows the Set window's Edit and Utilities menus between File and Window.
    const QList<QAction*> bar = s.frame->menuBar()->actions();
    const qsizetype at = bar.indexOf(menu->menuAction());
    QCOMPARE(bar.value(at - 1)->menu()->objectName(), QString("mnuFile"));
    QCOMPARE(bar.value(at + 1)->menu()->objectName(), QString("mnuUtil"));
    QCOMPARE(bar.value(at + 2)->menu()->objectName(), QString("mnuWindow"));
    QCOMPARE(s.watcher.unexpected(), 0);
  }

  void gridsAndListsShowWhatTheCoreWorksOut() {
    DemoSession s;
    SetWindow* window = s.window;
    QVERIFY(window != nullptr);
    for (const bool highlight : {true, false}) {
      s.ws().settings.HighCall = highlight;
      window->tabs()->setCurrentIndex(0);
      window->Refresh();
      CheckItemGrid(s, 0, "grdArr");
      window->tabs()->setCurrentIndex(1);
      CheckItemGrid(s, 1, "grdSty");
      window->tabs()->setCurrentIndex(2);
      CheckItemGrid(s, 2, "grdPrg");
    }
    QTableWidget* freeEvents = s.grid(1, "grdFreeS");
    for (int block = 0; block < 4; ++block) {
      QCOMPARE(freeEvents->item(block, 0)->text(),
               FromCore(FreeEventsText(s.files().styles, block)));
    }

    window->tabs()->setCurrentIndex(3);
    auto* sequences = window->findChild<QListWidget*>("lstBsq");
    const auto lines = BackingSequenceLines(s.ws(), 1);
    QCOMPARE(sequences->count(), 10);
    for (int i = 0; i < 10; ++i)
      QCOMPARE(sequences->item(i)->text(), FromName(lines[static_cast<std::size_t>(i)]));
    const auto counters = BackingSequenceCounters(s.ws(), 1);
    for (std::size_t i = 0; i < counters.size(); ++i) {
      const auto* label =
          window->tabs()->widget(3)->findChild<QLabel*>(QString("lblEvents%1").arg(i));
      QCOMPARE(label->text(), FromCore(counters[i]));
    }
    window->tabs()->setCurrentIndex(4);
    QCOMPARE(window->findChild<QListWidget*>("lstSng")->count(), 0);

    window->tabs()->setCurrentIndex(5);
    QTableWidget* kbd = s.grid(5, "grdArk");
    const auto rows = KbdSetRows(s.ws(), 1);
    QCOMPARE(kbd->rowCount(), 16);
    for (int r = 0; r < 15; ++r) {
      for (int c = 0; c < 4; ++c) {
        QCOMPARE(kbd->item(r + 1, c)->text(),
                 FromName(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
      }
    }
    QCOMPARE(kbd->item(1, 0)->foreground().color(), QColor(255, 0, 0));

    // The tab last shown is where the next Set window opens.
    QCOMPARE(s.ws().settings.ModeId, 5);
    SetWindow* second = s.frame->OpenSetWindow(false, DemoSet());
    QCOMPARE(second->tabs()->currentIndex(), 5);
  }

  void bankListAndTwinViewChooseWhatTheGridShows() {
    DemoSession s;
    QTableWidget* grid = s.grid(0, "grdArr");
    QComboBox* banks = s.banks(0, "cboArrBnk");
    QCOMPARE(banks->currentIndex(), 2);
    QCOMPARE(s.banks(2, "cboPrgBnk")->currentIndex(), 5);
    ClickCell(grid, 2, 2);
    banks->setCurrentIndex(0);
    QCOMPARE(s.window->view().current[0], 0);  // the first item of the chosen bank
    QCOMPARE(grid->currentRow(), 0);
    s.twin(0)->setChecked(true);
    QCOMPARE(grid->rowCount(), 32);
    CheckItemGrid(s, 0, "grdArr");
    banks->setCurrentIndex(2);
    QCOMPARE(grid->rowCount(), 16);  // bank C alone, Twin View or not
    s.window->tabs()->setCurrentIndex(2);
    s.banks(2, "cboPrgBnk")->setCurrentIndex(6);
    QCOMPARE(s.grid(2, "grdPrg")->rowCount(), 4);  // bank R
  }

  void editMenuFollowsTheSelection() {
    DemoSession s;
    SetWindow* window = s.window;
    QTableWidget* grid = s.grid(0, "grdArr");
    const auto check = [&] {
      const auto enabled = EditMenuEnabled(s.ws(), 1, window->view());
      for (int e = 0; e < kEditEntryCount; ++e) {
        const auto i = static_cast<std::size_t>(e);
        QVERIFY2(s.entry(kEditEntryNames[i])->isEnabled() == enabled[i], kEditEntryNames[i]);
      }
    };
    ClickCell(grid, 1, 1);  // a user Arrangement
    QCOMPARE(window->view().current[0], 5);
    check();
    s.entry("mnuECut")->trigger();
    QCOMPARE(s.entry("mnuEUndo")->text(), QString("&Undo"));
    check();
    s.banks(0, "cboArrBnk")->setCurrentIndex(0);  // a preset
    ClickCell(grid, 2, 1);
    check();
    QCOMPARE(s.entry("mnuEUndo")->text(), QString("Can't Undo"));
    s.banks(0, "cboArrBnk")->setCurrentIndex(2);
    s.twin(0)->setChecked(true);
    check();
    window->tabs()->setCurrentIndex(4);  // Songs hold nothing to edit
    check();

    // The right button selects the cell under it and pops the Edit menu up.
    window->tabs()->setCurrentIndex(0);
    const QPoint point = CellCentre(grid, 3, 0);
    QContextMenuEvent context(QContextMenuEvent::Mouse, point,
                              grid->viewport()->mapToGlobal(point));
    QApplication::sendEvent(grid->viewport(), &context);
    QCOMPARE(window->view().current[0], 12);
    QTRY_VERIFY(window->editMenu()->isVisible());
    window->editMenu()->hide();
  }

  void commandsReachTheSetAndTheGridFollows() {
    DemoSession s;
    QTableWidget* grid = s.grid(0, "grdArr");
    auto& records = s.files().arrangements.records;
    const auto original = records[5].bytes;
    const auto emptySlot = records[25].bytes;

    ClickCell(grid, 1, 1);
    s.entry("mnuECut")->trigger();
    QVERIFY(records[5].IsEmpty());
    QVERIFY(!grid->item(1, 1)->text().contains("Country Road"));
    ClickCell(grid, 6, 1);
    s.entry("mnuEPaste")->trigger();
    QCOMPARE(records[25].bytes, original);
    QVERIFY(grid->item(6, 1)->text().contains("Country Road"));
    s.entry("mnuEUndo")->trigger();
    QCOMPARE(records[25].bytes, emptySlot);
    QVERIFY(!grid->item(6, 1)->text().contains("Country Road"));
    QVERIFY(!s.entry("mnuEUndo")->isEnabled());

    // Erase Bank asks through a message box; Cancel changes nothing, Ok erases.
    QString question;
    s.watcher.Then(AnswerBox(QMessageBox::Cancel, &question));
    s.entry("mnuEEraseBnk")->trigger();
    QCOMPARE(question, QString("Bank Erasing can't be undone\nContinue?"));
    QVERIFY(grid->item(0, 0)->text().contains("Pop Ballad"));
    s.watcher.Then(AnswerBox(QMessageBox::Ok));
    s.entry("mnuEEraseBnk")->trigger();
    QVERIFY(records[0].IsEmpty());
    QVERIFY(!grid->item(0, 0)->text().contains("Pop Ballad"));
    QCOMPARE(s.watcher.unexpected(), 0);
  }

  void utilitiesWriteTheShownTabsFiles() {
    DemoSession s;
    SetWindow* window = s.window;
    window->tabs()->setCurrentIndex(3);  // no subset report, nothing to export
    QVERIFY(!window->subsetReportAction()->isEnabled());
    QVERIFY(!window->exportAction()->isEnabled());

    window->tabs()->setCurrentIndex(5);
    const QString file = s.env.dir.filePath("KBD.SYX");
    s.watcher.Then(SaveTo(file, "Save KBD Set to SysEx File..."));
    window->sysExFileAction()->trigger();
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const auto expected = *DumpMessage(s.ws().sysExHeader, s.files(), Kind::KbdSet, 0);
    QCOMPARE(written.readAll(), QByteArray(reinterpret_cast<const char*>(expected.data()),
                                           static_cast<qsizetype>(expected.size())));

    window->tabs()->setCurrentIndex(2);
    s.banks(2, "cboPrgBnk")->setCurrentIndex(0);
    QVERIFY(!window->exportAction()->isEnabled());
    s.banks(2, "cboPrgBnk")->setCurrentIndex(6);
    QVERIFY(window->exportAction()->isEnabled());
  }

  void reportWindowShowsPrintsAndSavesTheReport() {
    DemoSession s;
    qputenv("SOURCE_DATE_EPOCH", "1700000000");
    s.window->findChild<QAction*>("mnuUReport")->trigger();
    auto* report = s.window->findChild<ReportWindow*>("FReport");
    QVERIFY(report != nullptr);
    QCOMPARE(report->windowTitle(), QString("Report on DEMO"));
    const std::string expected = SetReportText(s.ws(), 1, "DEMO", ReportTime());
    qunsetenv("SOURCE_DATE_EPOCH");
    QString shown = QString::fromLatin1(expected.data(), static_cast<qsizetype>(expected.size()));
    shown.remove('\r');
    QCOMPARE(report->textBox()->toPlainText(), shown);
    QVERIFY(report->textBox()->font().fixedPitch());
    for (const char* name : {"cmdSetPrnt", "cmdPrint", "cmdSave", "cmdClose"})
      QVERIFY2(report->findChild<QPushButton*>(name) != nullptr, name);
    QCOMPARE(report->findChild<QPushButton*>("cmdSave")->text(), QString("Create Report &File..."));

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = s.env.dir.filePath("report.pdf");
    printer.setOutputFileName(pdf);
    report->PrintTo(printer);
    QVERIFY(QFileInfo(pdf).size() > 1000);

    // Saved as the core made it, and a line break.
    const QString file = s.env.dir.filePath("DEMO.TXT");
    s.watcher.Then(SaveTo(file, "Save Report to File..."));
    report->findChild<QPushButton*>("cmdSave")->click();
    QCOMPARE(QFileInfo(file).size(), static_cast<qint64>(expected.size() + 2));
    report->findChild<QPushButton*>("cmdClose")->click();
  }

  void dropsCopyBetweenWindowsAndMoveInsideOne() {
    DemoSession s;
    SetWindow* demo = s.window;
    SetWindow* fresh = s.frame->OpenSetWindow(true, {});
    QVERIFY(fresh != nullptr);
    QTableWidget* freshGrid = fresh->tabs()->widget(0)->findChild<QTableWidget*>("grdArr");
    auto& demoRecords = s.files(1).arrangements.records;
    auto& freshRecords = s.files(2).arrangements.records;

    // 8 Beat Rock calls two Programs the new Set lacks: the calls check asks through
    // message boxes and the picker.
    const std::unique_ptr<QMimeData> beatRock = demo->DragData(0, 14);
    QVERIFY(beatRock != nullptr);
    QString question;
    int picked = -1;
    s.watcher.Then(AnswerBox(QMessageBox::Yes, &question))
        .Then([&picked](QWidget* shown) {
          auto* picker = qobject_cast<ItemPicker*>(shown);
          QVERIFY(picker != nullptr);
          QCOMPARE(picker->objectName(), QString("FInPrg"));
          picker->findChild<QComboBox*>("cboBnk")->setCurrentIndex(0);
          picker->findChild<QComboBox*>("cboRef")->setCurrentIndex(3);
          picked = picker->chosen();
          picker->findChild<QPushButton*>("cmdOK")->click();
        })
        .Then(AnswerBox(QMessageBox::No));
    QSignalSpy finished(fresh, &SetWindow::dropFinished);
    QVERIFY(DropOn(freshGrid, *beatRock, 0, 3));
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(finished.at(0).at(0).toBool());
    QVERIFY(question.startsWith("Track 'Upper1' of Arrangement '8 Beat Rock' calls Program"));
    QCOMPARE(freshRecords[3].TrackProgram(6), picked);
    QVERIFY(freshGrid->item(0, 3)->text().contains("8 Beat Rock"));
    QVERIFY(fresh->editAction(kUndo)->isEnabled());

    // A preset cell takes nothing; nor does a grid of another kind.
    const auto before = freshRecords;
    fresh->tabs()->widget(0)->findChild<QComboBox*>("cboArrBnk")->setCurrentIndex(0);
    QVERIFY(DropOn(freshGrid, *beatRock, 1, 1));
    QTRY_COMPARE(finished.count(), 2);
    QVERIFY(!finished.at(1).at(0).toBool());
    QVERIFY(freshRecords == before);
    demo->tabs()->setCurrentIndex(2);
    QVERIFY(!DropOn(s.grid(2, "grdPrg"), *beatRock, 0, 0));

    // Inside one Set the Arrangement moves; KBD Sets ask first.
    demo->tabs()->setCurrentIndex(0);
    QSignalSpy demoFinished(demo, &SetWindow::dropFinished);
    QVERIFY(DropOn(s.grid(0, "grdArr"), *beatRock, 7, 2));
    QTRY_COMPARE(demoFinished.count(), 1);
    QVERIFY(demoRecords[14].IsEmpty());
    QVERIFY(s.grid(0, "grdArr")->item(7, 2)->text().contains("8 Beat Rock"));
    demo->tabs()->setCurrentIndex(5);
    const auto kbdBefore = s.files(1).kbdSets.records;
    s.watcher.Then(AnswerBox(QMessageBox::Yes, &question));
    QVERIFY(DropOn(s.grid(5, "grdArk"), *demo->DragData(5, 14), 1, 2));
    QTRY_COMPARE(demoFinished.count(), 2);
    QCOMPARE(question, QString("Insert KBD Set C5 before A1"));
    QVERIFY(s.files(1).kbdSets.records[0] == kbdBefore[14]);
    QCOMPARE(s.watcher.unexpected(), 0);
  }

  void aDragStartsOnlyOnAnItemOfTheSet() {
    DemoSession s;
    QTableWidget* grid = s.grid(0, "grdArr");
    QSignalSpy started(s.window, &SetWindow::dragStarted);
    QVERIFY(s.files().arrangements.records[25].IsEmpty());
    DragGesture(grid, 6, 1);
    QCOMPARE(s.window->view().current[0], 25);  // selected all the same
    QCOMPARE(started.count(), 0);
    DragGesture(grid, 0, 0);
    QCOMPARE(started.count(), 1);
    s.banks(0, "cboArrBnk")->setCurrentIndex(0);  // presets are not the Set's to give away
    DragGesture(grid, 0, 0);
    QCOMPARE(started.count(), 1);
    const auto& sequences = s.files().backingSequences.records;
    for (int i = 0; i < 10; ++i)
      QCOMPARE(s.window->DragData(3, i) == nullptr,
               sequences[static_cast<std::size_t>(i)].IsEmpty());
  }

  void closingAChangedSetWindowAsksToSave() {
    DemoSession s;
    ClickCell(s.grid(0, "grdArr"), 1, 1);
    s.entry("mnuECut")->trigger();
    QString question;
    s.watcher.Then(AnswerBox(QMessageBox::Cancel, &question));
    QVERIFY(!s.window->close());
    QCOMPARE(question, QString("Save the changes in DEMO ?"));
    QVERIFY(s.ws().sets.InUse(1));
    s.watcher.Then(AnswerBox(QMessageBox::No));
    QVERIFY(s.window->close());
    QVERIFY(!s.ws().sets.InUse(1));
    for (const QAction* action : s.frame->menuBar()->actions())
      QVERIFY(action->menu() == nullptr || action->menu()->objectName() != "mnuEdit");
    QCOMPARE(s.watcher.unexpected(), 0);
  }

  // The pictures in the README.
  void tabsArePictured() {
    DemoSession s;
    s.window->showMaximized();
    const char* names[] = {"arrangements", "styles", "programs",
                           "backing_seq",  "songs",  "kbd_sets"};
    for (int tab = 0; tab < 6; ++tab) {
      s.window->tabs()->setCurrentIndex(tab);
      QTest::qWait(20);
      const QString file = ScreenshotPath(
          QStringLiteral("set_window_%1.png").arg(names[static_cast<std::size_t>(tab)]));
      QFile::remove(file);
      QVERIFY(s.window->grab().save(file));
      QVERIFY(!QImage(file).isNull());
    }
  }
};

std::unique_ptr<QObject> MakeSetWindowTest() {
  return std::make_unique<SetWindowTest>();
}

}  // namespace i40::app::test

#include "set_window_test.moc"
