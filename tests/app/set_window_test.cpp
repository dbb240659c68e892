// The Set window binds its widgets to the core: what the core works out is what the grids
// and lists show, a command reaches the core and the refresh shows its result. The core's
// own texts and rules are tested in the core.
#include <QPrinter>
#include <vector>

#include "format/style_blocks.h"
#include "kbdsets/kbdset_grid.h"
#include "pickers/item_picker.h"
#include "report/report_window.h"
#include "reports/set_report.h"
#include "shell/qt_prompter.h"
#include "support/demo_session.h"
#include "sysex/dump.h"
#include "view/set_view.h"

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

ModalWatcher::Handler SaveTo(const QString& file, const char* title) {
  return [file, title](QWidget* shown) {
    auto* dialog = qobject_cast<QFileDialog*>(shown);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), QString(title));
    dialog->selectFile(file);
    static_cast<QDialog*>(dialog)->accept();
  };
}

constexpr const char* kGridNames[] = {"grdArr", "grdSty", "grdPrg"};

// Every cell of an item grid as the core works it out: text, colours.
void CheckItemGrid(DemoSession& s, int tab) {
  const SetViewState& view = s.window->view();
  const auto kind = static_cast<Kind>(tab);
  const auto t = static_cast<std::size_t>(tab);
  const auto cells = GridCells(s.ws(), SetSlot{1}, kind, view.Bank(kind), view.Twin(kind));
  QTableWidget* grid = s.grid(tab, kGridNames[t]);
  QCOMPARE(grid->rowCount() * 4, static_cast<int>(cells.size()));
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const QTableWidgetItem* item = grid->item(static_cast<int>(i / 4), static_cast<int>(i % 4));
    QCOMPARE(item->text(), FromName(cells[i].text));
    QCOMPARE(item->foreground().color(),
             cells[i].textColour == CellColour::SystemGrey()
                 ? grid->palette().color(QPalette::Disabled, QPalette::Text)
                 : Qt(cells[i].textColour));
  }
}

}  // namespace

class SetWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void controlsCarryTheirNamesAndCaptions() {
    DemoSession s;
    SetWindow* window = s.window;
    QCOMPARE(NameAndTitle(*window), QString("FDoc: DEMO[*]"));
    QTabWidget* tabs = window->tabs();
    QCOMPARE(tabs->objectName(), QString("tabMode"));
    QCOMPARE(tabs->count(), 6);
    for (int tab = 0; tab < 6; ++tab)
      QCOMPARE(tabs->tabText(tab), QString(kSetWindowTabCaptions[static_cast<std::size_t>(tab)]));
    CheckListing(*window, "set_window.txt");  // captions, tips, the Edit menu's keys
    QCOMPARE(tabs->widget(3)->findChild<QGroupBox*>()->title() + ", " +
                 tabs->widget(4)->findChild<QGroupBox*>()->title(),
             QString("Backing Sequences List, Songs List"));
    QCOMPARE(s.grid(0, "grdArr")->palette().color(QPalette::Base), Qt(kGridBackground));

    // The Edit menu: the core's entries in order, in four groups (captions in the listing).
    QStringList entries, names;
    for (const QAction* action : window->editMenu()->actions())
      entries << (action->isSeparator() ? "-" : action->objectName());
    for (const char* name : kEditEntryNames)
      names << name;
    QVERIFY(entries.removeAll("-") == 3 && entries == names);

    // The frame shows the Set window's Edit and Utilities menus between File and Window.
    QStringList bar;
    for (const QAction* action : s.frame->menuBar()->actions())
      bar << (action->menu() != nullptr ? action->menu()->objectName() : action->objectName());
    QCOMPARE(bar,
             QStringList({"mnuFile", "mnuEdit", "mnuUtil", "mnuWindow", "mnuOptions", "mnuHelp"}));
  }

  void gridsAndListsShowWhatTheCoreWorksOut() {
    DemoSession s;
    SetWindow* window = s.window;
    for (int tab = 0; tab < 3; ++tab) {  // called items highlighted, as by default
      window->tabs()->setCurrentIndex(tab);
      CheckItemGrid(s, tab);
    }
    QTableWidget* freeEvents = s.grid(1, "grdFreeS");
    for (int block = 0; block < 4; ++block) {
      QCOMPARE(freeEvents->item(block, 0)->text(),
               FromCore(FreeEventsText(s.files().styles, block)));
    }

    window->tabs()->setCurrentIndex(3);
    auto* sequences = window->findChild<QListWidget*>("lstBsq");
    const auto lines = BackingSequenceLines(s.ws(), SetSlot{1});
    QCOMPARE(sequences->count(), 10);
    for (int i = 0; i < 10; ++i)
      QCOMPARE(sequences->item(i)->text(), FromName(lines[static_cast<std::size_t>(i)]));
    const auto counters = BackingSequenceCounters(s.ws(), SetSlot{1});
    for (std::size_t i = 0; i < counters.size(); ++i)
      QCOMPARE(Caption(*window->tabs()->widget(3), qPrintable(QString("lblEvents%1").arg(i))),
               FromCore(counters[i]));
    window->tabs()->setCurrentIndex(4);
    QCOMPARE(window->findChild<QListWidget*>("lstSng")->count(), 0);

    window->tabs()->setCurrentIndex(5);  // a page is filled when it is shown
    QTableWidget* kbd = s.grid(5, "grdArk");
    const auto rows = KbdSetRows(s.ws(), SetSlot{1});
    QCOMPARE(kbd->rowCount(), 16);
    for (std::size_t c = 0; c < 3; ++c)
      QCOMPARE(kbd->item(0, static_cast<int>(c) + 1)->text(), FromCore(kKbdSetGridHeader[c]));
    for (std::size_t i = 0; i < 60; ++i) {
      QCOMPARE(kbd->item(static_cast<int>(i / 4 + 1), static_cast<int>(i % 4))->text(),
               FromName(rows[i / 4][i % 4]));
    }
    QCOMPARE(kbd->item(1, 0)->foreground().color(), Qt(kKbdSetLabelColour));

    // The bank list and Twin View choose what the grid shows.
    window->tabs()->setCurrentIndex(0);
    QTableWidget* grid = s.grid(0, "grdArr");
    QComboBox* banks = s.banks(0, "cboArrBnk");
    QCOMPARE(banks->currentIndex(), 2);
    QCOMPARE(s.banks(2, "cboPrgBnk")->currentIndex(), 5);
    ClickCell(grid, 2, 2);
    banks->setCurrentIndex(0);
    QCOMPARE(s.window->view().Current(Kind::Arrangement), 0);  // the first item of the chosen bank
    QCOMPARE(grid->currentRow(), 0);
    s.twin(0)->setChecked(true);
    QCOMPARE(grid->rowCount(), 32);
    CheckItemGrid(s, 0);
    banks->setCurrentIndex(2);
    QCOMPARE(grid->rowCount(), 16);  // bank C alone, Twin View or not
    s.window->tabs()->setCurrentIndex(2);
    s.banks(2, "cboPrgBnk")->setCurrentIndex(6);
    QCOMPARE(s.grid(2, "grdPrg")->rowCount(), 4);  // bank R
  }

  // A frame maximised on a 1280x800 screen shows every column of every grid without a
  // horizontal scroll bar, and the columns share whatever width the window gains.
  void gridColumnsFitAndShareTheWidth() {
    DemoSession s;
    s.frame->showNormal();
    const auto check = [&s](int frameWidth) {
      s.frame->resize(frameWidth, 800);
      s.frame->findChild<QAction*>("mnuWTile")->trigger();
      for (int tab : {0, 1, 2, 5}) {
        s.window->tabs()->setCurrentIndex(tab);
        auto* grid = s.window->tabs()->widget(tab)->findChild<QTableWidget*>(
            tab == 5 ? "grdArk" : kGridNames[static_cast<std::size_t>(tab)]);
        QVERIFY(grid != nullptr);
        QTRY_VERIFY(grid->isVisible());
        QApplication::processEvents();
        int total = 0;
        for (int column = 0; column < grid->columnCount(); ++column)
          total += grid->columnWidth(column);
        const int room = grid->viewport()->width();
        QVERIFY2(total <= room && !grid->horizontalScrollBar()->isVisible(),
                 qPrintable(QString("tab %1: %2 of %3").arg(tab).arg(total).arg(room)));
        QVERIFY2(total > room - grid->columnCount(), qPrintable(QString("tab %1").arg(tab)));
      }
    };
    check(1280);
    check(1600);
  }

  void editCommandsReachTheSetAndTheMenuFollowsTheSelection() {
    DemoSession s;
    SetWindow* window = s.window;
    QTableWidget* grid = s.grid(0, "grdArr");
    auto& records = s.files().arrangements.records;
    const auto original = records[5].bytes;
    const auto emptySlot = records[25].bytes;
    const auto check = [&] {
      const auto enabled = EditMenuEnabled(s.ws(), SetSlot{1}, window->view());
      for (std::size_t i = 0; i < enabled.size(); ++i)
        QVERIFY2(s.entry(kEditEntryNames[i])->isEnabled() == enabled[i], kEditEntryNames[i]);
    };
    ClickCell(grid, 1, 1);  // a user Arrangement
    QCOMPARE(window->view().Current(Kind::Arrangement), 5);
    check();
    QVERIFY(!window->isWindowModified());
    s.entry("mnuECut")->trigger();
    QVERIFY(records[5].IsEmpty() && !grid->item(1, 1)->text().contains("Country Road"));
    QVERIFY(window->isWindowModified());  // the caption's mark
    QCOMPARE(s.entry("mnuEUndo")->text(), QString("&Undo"));
    check();
    ClickCell(grid, 6, 1);
    s.entry("mnuEPaste")->trigger();
    QVERIFY(records[25].bytes == original && grid->item(6, 1)->text().contains("Country Road"));
    s.entry("mnuEUndo")->trigger();
    QVERIFY(records[25].bytes == emptySlot && !grid->item(6, 1)->text().contains("Country Road"));
    QCOMPARE(s.entry("mnuEUndo")->text(), QString("Can't Undo"));
    check();

    // Erase Bank asks through a message box; Cancel changes nothing, Ok erases.
    s.watcher.Then(ClickMessageButton(QMessageBox::Cancel));
    s.entry("mnuEEraseBnk")->trigger();
    QVERIFY(grid->item(0, 0)->text().contains("Pop Ballad"));
    s.watcher.Then(ClickMessageButton(QMessageBox::Ok));
    s.entry("mnuEEraseBnk")->trigger();
    QVERIFY(records[0].IsEmpty() && !grid->item(0, 0)->text().contains("Pop Ballad"));

    s.banks(0, "cboArrBnk")->setCurrentIndex(0);  // a preset
    ClickCell(grid, 2, 1);
    check();
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
    QCOMPARE(window->view().Current(Kind::Arrangement), 12);
    QTRY_VERIFY(window->editMenu()->isVisible());
    window->editMenu()->hide();
  }

  void utilitiesShowTheReportAndWriteTheShownTabsFiles() {
    DemoSession s;
    SetWindow* window = s.window;
    window->tabs()->setCurrentIndex(3);  // no subset report, nothing to export
    QVERIFY(!window->subsetReportAction()->isEnabled() && !window->exportAction()->isEnabled());
    window->tabs()->setCurrentIndex(2);
    s.banks(2, "cboPrgBnk")->setCurrentIndex(0);
    QVERIFY(!window->exportAction()->isEnabled());
    s.banks(2, "cboPrgBnk")->setCurrentIndex(6);
    QVERIFY(window->exportAction()->isEnabled());

    window->tabs()->setCurrentIndex(5);
    const QString file = s.env.dir.filePath("KBD.SYX");
    s.watcher.Then(SaveTo(file, "Save KBD Set to SysEx File..."));
    window->sysExFileAction()->trigger();
    const auto expected = *DumpMessage(s.ws().sysExHeader, s.files(), Kind::KbdSet, 0);
    QCOMPARE(FileBytes(file), QByteArray(reinterpret_cast<const char*>(expected.data()),
                                         static_cast<qsizetype>(expected.size())));

    qputenv("SOURCE_DATE_EPOCH", "1700000000");
    window->findChild<QAction*>("mnuUReport")->trigger();
    auto* report = window->findChild<ReportWindow*>("FReport");
    QVERIFY(report != nullptr);
    QCOMPARE(report->windowTitle(), FromCore(ReportWindowCaption("DEMO")));
    CheckListing(*report, "report_window.txt");
    const std::string text = SetReportText(s.ws(), SetSlot{1}, "DEMO", ReportTime());
    qunsetenv("SOURCE_DATE_EPOCH");
    QCOMPARE(report->textBox()->toPlainText(), QString::fromLatin1(text).remove('\r'));
    // Between the report's CR LF every byte is one character: a line break in a name is
    // its picture, a Latin-1 byte its letter.
    const ReportWindow odd(s.ws(), s.frame->prompter(), SetSlot{1}, "DEMO",
                           "A\nB\r\nC\xE9\xC3\xA9\r\n");
    QCOMPARE(odd.textBox()->toPlainText(), QString::fromUtf16(u"A\u240AB\nC\u00E9\u00C3\u00A9\n"));
    // Print Report asks where to print every time. A printer that does not start (here a
    // file that cannot be written) is reported, and the next print works.
    const QString pdf = s.env.dir.filePath("report.pdf");
    const QString unwritable = s.env.dir.filePath("gone/report.pdf");
    const auto printTo = [&report](const QString& output) {
      return [&report, output](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QString("dlgPrint"));
        report->printer()->setOutputFormat(QPrinter::PdfFormat);
        report->printer()->setOutputFileName(output);
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
      };
    };
    QString problem;
    s.watcher.Then(printTo(unwritable)).Then([&problem](QWidget* box) {
      problem = qobject_cast<QMessageBox*>(box)->text();
      ClickMessageButton(QMessageBox::Ok)(box);
    });
    report->findChild<QPushButton*>("cmdPrint")->click();
    QCOMPARE(problem,
             "The report could not be printed: " + unwritable + ": " + "No such file or directory");
    s.watcher.Then(printTo(pdf));
    report->findChild<QPushButton*>("cmdPrint")->click();
    QVERIFY(QFileInfo(pdf).size() > 1000);
    QCOMPARE(s.frame->statusBar()->currentMessage(), "Report printed to " + pdf);
    // Saved as the core made it, and a line break.
    const QString saved = s.env.dir.filePath("DEMO.TXT");
    s.watcher.Then(SaveTo(saved, "Save Report to File..."));
    report->findChild<QPushButton*>("cmdSave")->click();
    QCOMPARE(QFileInfo(saved).size(), static_cast<qint64>(text.size() + 2));
    report->findChild<QPushButton*>("cmdClose")->click();
  }

  void dropsCopyBetweenWindowsAndMoveInsideOne() {
    DemoSession s;
    SetWindow* demo = s.window;
    SetWindow* fresh = s.frame->OpenSetWindow(true, {});
    QVERIFY(fresh != nullptr);
    QTableWidget* freshGrid = fresh->tabs()->widget(0)->findChild<QTableWidget*>("grdArr");
    auto& freshRecords = s.files(2).arrangements.records;

    // 8 Beat Rock calls two Programs the new Set lacks: the calls check asks through
    // message boxes and the picker.
    const std::unique_ptr<QMimeData> beatRock = demo->DragData(Kind::Arrangement, 14);
    QVERIFY(beatRock != nullptr);
    ItemNumber picked = kNoNumber;
    s.watcher.Then(ClickMessageButton(QMessageBox::Yes))
        .Then([&picked](QWidget* shown) {
          auto* picker = qobject_cast<ItemPicker*>(shown);
          QVERIFY(picker != nullptr);
          QCOMPARE(picker->objectName(), QString("FInPrg"));
          picker->findChild<QComboBox*>("cboBnk")->setCurrentIndex(0);
          picker->findChild<QComboBox*>("cboRef")->setCurrentIndex(3);
          picked = picker->chosen();
          picker->findChild<QPushButton*>("cmdOK")->click();
        })
        .Then(ClickMessageButton(QMessageBox::No));
    QSignalSpy finished(fresh, &SetWindow::dropFinished);
    QVERIFY(DropOn(freshGrid, *beatRock, 0, 3));
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(finished.at(0).at(0).toBool());
    QCOMPARE(freshRecords[3].TrackProgram(6), Value(picked));
    QVERIFY(freshGrid->item(0, 3)->text().contains("8 Beat Rock") &&
            fresh->editAction(kUndo)->isEnabled());

    // Edit > Paste with Calls brings the Programs it calls along, without a question.
    const int seen = static_cast<int>(s.watcher.seen().size());
    demo->ShowItem(Kind::Arrangement, ItemIndex{15});
    demo->editAction(kCopy)->trigger();
    fresh->ShowItem(Kind::Arrangement, ItemIndex{4});
    QVERIFY(fresh->editAction(kPasteCalls)->isEnabled() &&
            !demo->editAction(kPasteCalls)->isEnabled());
    fresh->editAction(kPasteCalls)->trigger();
    QCOMPARE(s.watcher.seen().size(), seen);  // a plain paste would ask for the Programs
    QVERIFY(freshGrid->item(1, 0)->text().contains("16 Beat Pop"));
    // The columns stay one width, however long what was pasted into one of them.
    for (int column = 1; column < 4; ++column)
      QCOMPARE(freshGrid->columnWidth(column), freshGrid->columnWidth(0));
    // The grid's tip says what its colours mean, as the option has them.
    QCOMPARE(freshGrid->toolTip(), FromCore(GridLegend(Kind::Arrangement, true)));

    // A preset cell takes nothing; nor does a grid of another kind.
    const auto before = freshRecords;
    fresh->tabs()->widget(0)->findChild<QComboBox*>("cboArrBnk")->setCurrentIndex(0);
    QVERIFY(DropOn(freshGrid, *beatRock, 1, 1));
    QTRY_COMPARE(finished.count(), 2);
    QVERIFY(!finished.at(1).at(0).toBool() && freshRecords == before);
    demo->tabs()->setCurrentIndex(2);
    QVERIFY(!DropOn(s.grid(2, "grdPrg"), *beatRock, 0, 0));

    // Inside one Set the Arrangement moves; KBD Sets ask first.
    demo->tabs()->setCurrentIndex(0);
    QSignalSpy demoFinished(demo, &SetWindow::dropFinished);
    QVERIFY(DropOn(s.grid(0, "grdArr"), *beatRock, 7, 2));
    QTRY_COMPARE(demoFinished.count(), 1);
    QVERIFY(s.files(1).arrangements.records[14].IsEmpty() &&
            s.grid(0, "grdArr")->item(7, 2)->text().contains("8 Beat Rock"));
    demo->tabs()->setCurrentIndex(5);
    const auto kbdBefore = s.files(1).kbdSets.records;
    s.watcher.Then(ClickMessageButton(QMessageBox::Yes));
    QVERIFY(DropOn(s.grid(5, "grdArk"), *demo->DragData(Kind::KbdSet, 14), 1, 2));
    QTRY_COMPARE(demoFinished.count(), 2);
    QVERIFY(s.files(1).kbdSets.records[0] == kbdBefore[14]);
  }

  // Shift+click and Shift+arrow select runs in reading order, Ctrl+click adds and removes,
  // Ctrl+A takes the bank; a Delete of a range asks once; three Arrangements dragged
  // together land in another Set window with one question for all their calls.
  void severalItemsAreSelectedAndActedOnAtOnce() {
    DemoSession s;
    SetWindow* demo = s.window;
    QTableWidget* grid = s.grid(0, "grdArr");
    QWidget* viewport = grid->viewport();
    const auto selected = [demo](Kind kind) { return demo->view().Selected(kind); };
    auto* count = s.frame->findChild<QLabel*>("lblSelected");
    QVERIFY(count != nullptr);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, CellCentre(grid, 0, 2));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, CellCentre(grid, 1, 1));
    QCOMPARE(selected(Kind::Arrangement), (std::vector<int>{2, 3, 4, 5}));  // no rectangle
    QCOMPARE(count->text(), QString("4 items selected"));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, CellCentre(grid, 0, 3));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, CellCentre(grid, 2, 0));
    QCOMPARE(selected(Kind::Arrangement), (std::vector<int>{2, 4, 5, 8}));
    QCOMPARE(demo->view().Current(Kind::Arrangement), 8);
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(selected(Kind::Arrangement).size(), std::size_t{64});
    QCOMPARE(count->text(), QString("64 items selected"));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, CellCentre(grid, 0, 3));
    QCOMPARE(count->text(), QString());
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(selected(Kind::Arrangement), (std::vector<int>{3, 4, 5, 6, 7}));

    // Programs F11 to F14, deleted at once: one question for those that are called.
    demo->tabs()->setCurrentIndex(2);
    QTableWidget* programs = s.grid(2, "grdPrg");
    QTest::mouseClick(programs->viewport(), Qt::LeftButton, {}, CellCentre(programs, 0, 0));
    QTest::mouseClick(programs->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      CellCentre(programs, 0, 3));
    const auto before = s.files(1);
    QStringList asked;
    const auto answerNo = [&asked](QWidget* shown) {
      auto* box = qobject_cast<QMessageBox*>(shown);
      QVERIFY(box != nullptr);
      asked << box->text();
      box->button(QMessageBox::No)->click();
    };
    s.watcher.Then(answerNo);
    demo->editAction(kDelete)->trigger();
    QCOMPARE(asked.size(), 1);
    QVERIFY2(asked[0].startsWith("These Programs are referenced by"), qPrintable(asked[0]));
    QCOMPARE(programs->item(0, 0)->text().mid(4), FromName(before.programs.records[4].Name()));
    demo->editAction(kUndo)->trigger();
    QVERIFY(s.files(1).programs.records == before.programs.records);

    // 8 Beat Rock, 16 Beat Pop and the next, dragged together into a new Set.
    demo->tabs()->setCurrentIndex(0);
    SetWindow* fresh = s.frame->OpenSetWindow(true, {});
    QTableWidget* freshGrid = fresh->tabs()->widget(0)->findChild<QTableWidget*>("grdArr");
    QTest::mouseClick(viewport, Qt::LeftButton, {}, CellCentre(grid, 3, 2));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, CellCentre(grid, 4, 0));
    QCOMPARE(selected(Kind::Arrangement), (std::vector<int>{14, 15, 16}));
    s.frame->showNormal();
    s.frame->resize(1280, 800);
    s.frame->findChild<QAction*>("mnuWTile")->trigger();
    s.frame->findChild<QMdiArea*>()->setActiveSubWindow(demo);
    QTest::qWait(20);
    QCOMPARE(count->text(), QString("3 items selected"));
    Picture(*s.frame, "selection.png");
    // A drag from one of them keeps them all.
    QSignalSpy started(demo, &SetWindow::dragStarted);
    DragGesture(grid, 3, 3);
    QCOMPARE(started.count(), 1);
    QCOMPARE(selected(Kind::Arrangement), (std::vector<int>{14, 15, 16}));
    const std::unique_ptr<QMimeData> three = demo->DragData(Kind::Arrangement, 15);
    QVERIFY(three != nullptr);
    asked.clear();
    s.watcher.Then(answerNo);
    QSignalSpy finished(fresh, &SetWindow::dropFinished);
    QVERIFY(DropOn(freshGrid, *three, 0, 1));
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(finished.at(0).at(0).toBool());
    QCOMPARE(asked.size(), 1);
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(s.files(2).arrangements.records[static_cast<std::size_t>(1 + i)].Name(),
               s.files(1).arrangements.records[static_cast<std::size_t>(14 + i)].Name());
    }
    // One Undo takes the three back.
    fresh->editAction(kUndo)->trigger();
    for (int i = 1; i < 4; ++i)
      QVERIFY(s.files(2).arrangements.records[static_cast<std::size_t>(i)].IsEmpty());
  }

  void aDragStartsOnlyOnAnItemOfTheSet() {
    DemoSession s;
    QTableWidget* grid = s.grid(0, "grdArr");
    QSignalSpy started(s.window, &SetWindow::dragStarted);
    QVERIFY(s.files().arrangements.records[25].IsEmpty());
    DragGesture(grid, 6, 1);
    QCOMPARE(s.window->view().Current(Kind::Arrangement), 25);  // selected all the same
    QCOMPARE(started.count(), 0);
    DragGesture(grid, 0, 0);
    QCOMPARE(started.count(), 1);
    s.banks(0, "cboArrBnk")->setCurrentIndex(0);  // presets are not the Set's to give away
    DragGesture(grid, 0, 0);
    QCOMPARE(started.count(), 1);
    const auto& sequences = s.files().backingSequences.records;
    for (int i = 0; i < 10; ++i)
      QCOMPARE(s.window->DragData(Kind::BackingSequence, i) == nullptr,
               sequences[static_cast<std::size_t>(i)].IsEmpty());
  }

  // The pictures in the README.
  void tabsArePictured() {
    DemoSession s;
    // The frame as it opens maximised on a 1280x800 screen.
    s.frame->showNormal();
    s.frame->resize(1280, 800);
    s.frame->findChild<QAction*>("mnuWTile")->trigger();
    const char* names[] = {"arrangements", "styles", "programs",
                           "backing_seq",  "songs",  "kbd_sets"};
    for (int tab = 0; tab < 6; ++tab) {
      s.window->tabs()->setCurrentIndex(tab);
      QTest::qWait(20);
      QVERIFY2(Unnamed(*s.frame).isEmpty(), qPrintable(Unnamed(*s.frame).join(", ")));
      Picture(*s.frame, QStringLiteral("set_window_%1.png").arg(names[tab]));
    }
  }
};

[[maybe_unused]] const bool kRegistered = RegisterSuite<SetWindowTest>("SetWindow");

}  // namespace i40::app::test

#include "set_window_test.moc"
