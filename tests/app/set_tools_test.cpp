// The Set checker dock (the core's findings of the Set in front, shown anew after an edit;
// a double click shows the item concerned) and the comparison of two Sets.
#include <QPrinter>
#include <filesystem>

#include "calls/set_findings.h"
#include "compare/compare_window.h"
#include "set_builder.h"
#include "shell/checker_dock.h"
#include "support/demo_session.h"

namespace i40::app::test {
namespace {

class SetToolsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void findingsFollowTheEditsAndShowTheirItems() {
    TestEnvironment env;
    // A Set with something wrong: a call into an empty Program, a chain into an empty
    // Backing Sequence.
    FileSet files = build::DemoSet();
    files.programs.records[2] = build::TemplateSet().programs.records[2];  // F13, called
    BsqRecord& chained = files.backingSequences.records[4];
    chained.SetNext(7);
    chained.bytes[BsqRecord::kFlagsOffset] |= 0x02;
    const auto set = env.path() / "GIG" / "GIG";
    std::filesystem::create_directories(set.parent_path());
    build::WriteSet(files, set);
    env.options.setArgument = set;
    MainWindow frame(env.store);
    ModalWatcher watcher;
    QVERIFY(frame.Start(env.options));
    frame.showNormal();
    frame.resize(1280, 800);
    frame.findChild<QAction*>("mnuWTile")->trigger();
    SetWindow* window = frame.setWindows().value(0);
    QVERIFY(window != nullptr);

    auto* dock = frame.findChild<CheckerDock*>("dckChecker");
    QVERIFY(dock != nullptr && dock->isVisible());
    const auto lines = [dock] {
      QStringList shown;
      for (int i = 0; i < dock->list()->count(); ++i)
        shown << dock->list()->item(i)->text();
      return shown;
    };
    const auto findings = [&frame] {
      QStringList texts;
      for (const SetFinding& f : SetFindings(frame.workspace().sets.Files(SetSlot{1})))
        texts << FromCore(f.text);
      return texts;
    };
    const QStringList before = lines();
    QCOMPARE(before, findings());
    QVERIFY(dock->windowTitle().startsWith("Set Checker: GIG ("));
    Picture(frame, "checker_dock.png");
    // The dock leaves the Set windows their room: a few lines of the 800.
    QVERIFY2(dock->height() <= 120, qPrintable(QString::number(dock->height())));

    // Cutting the first Arrangement, which calls F13, takes its finding away (its callers
    // keep their number and now call an empty Arrangement); Undo brings them back.
    window->ShowItem(Kind::Arrangement, ItemIndex{0});
    watcher.Then(ClickMessageButton(QMessageBox::No));
    window->RunCommand(EditCommand::Cut);
    QVERIFY(lines() != before);
    QCOMPARE(lines(), findings());
    window->RunCommand(EditCommand::Undo);
    QCOMPARE(lines(), before);

    // A double click on a finding shows its item in the Set window.
    const auto row = before.indexOf(QRegularExpression("Backing Sequence 4 .*"));
    QVERIFY(row >= 0);
    QListWidgetItem* item = dock->list()->item(static_cast<int>(row));
    const QPoint at = dock->list()->visualItemRect(item).center();
    DoubleClickAt(dock->list()->viewport(), at);
    QCOMPARE(window->tabs()->currentIndex(), static_cast<int>(Kind::BackingSequence));
    QCOMPARE(window->view().Current(Kind::BackingSequence), 4);
    // Enter does the same: KBD Set A1 calls F13 too.
    const auto kbdSet = before.indexOf(QRegularExpression("KBD Set A1 .*"));
    QVERIFY(kbdSet >= 0);
    dock->list()->setCurrentRow(static_cast<int>(kbdSet));
    QTest::keyClick(dock->list(), Qt::Key_Return);
    QCOMPARE(window->tabs()->currentIndex(), static_cast<int>(Kind::KbdSet));
    QCOMPARE(window->view().Current(Kind::KbdSet), 0);

    // The dock follows the Window menu's entry; it shows nothing once the Set is closed.
    QVERIFY(frame.findChild<QAction*>("mnuWChecker")->isChecked());
    watcher.Then(ClickMessageButton(QMessageBox::No));  // not saved
    QVERIFY(window->close());
    QCOMPARE(dock->list()->count(), 0);
    // A Set without findings says so on one line.
    QVERIFY(frame.OpenSetWindow(false, DemoSet()) != nullptr);
    QCOMPARE(lines(), QStringList({"Nothing found in DEMO"}));
    QCOMPARE(watcher.unexpected(), 0);
  }

  // Compare with Saved lists what the edits changed, against the files; Compare Sets
  // takes two open Sets from its lists. Both windows show the core's comparison.
  void comparisonsShowTheCoresDifferences() {
    DemoSession s;
    s.frame->showNormal();
    s.frame->resize(1280, 800);
    s.files().arrangements.records[1].SetName("Swing Time II");
    s.window->Refresh();
    s.frame->findChild<QAction*>("mnuFCompareSaved")->trigger();
    auto* window = s.frame->findChild<CompareWindow*>("FCompare");
    QVERIFY(window != nullptr && window->isVisible());
    QCOMPARE(window->windowTitle(), QString("Compare DEMO (saved) with DEMO"));
    QCOMPARE(window->table()->rowCount(), 2);  // and the Backing Sequence that calls it
    QStringList row;
    for (int column = 0; column < 4; ++column)
      row << window->table()->item(0, column)->text();
    QCOMPARE(row, QStringList({"Arrangements", "C12 'Swing Time'", "C12 'Swing Time II'",
                               "renamed to 'Swing Time II'"}));
    Picture(*window, "compare_window.png");
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("compare.pdf"));
    window->PrintTo(printer);
    QVERIFY(QFileInfo(dir.filePath("compare.pdf")).size() > 1000);
    QPointer<CompareWindow> first(window);
    window->close();
    QTRY_VERIFY(first.isNull());  // a closed comparison goes

    // The Set and a copy of it, one of them edited: the chooser lists both.
    QVERIFY(s.frame->OpenSetWindow(false, CopyOfDemo(s.env.path() / "copy")) != nullptr);
    s.watcher.Then([](QWidget* shown) {
      auto* chooser = qobject_cast<CompareChooser*>(shown);
      QVERIFY(chooser != nullptr);
      QCOMPARE(chooser->setList(0)->count(), 3);  // two open Sets, then "Set on disk..."
      chooser->setList(0)->setCurrentIndex(0);
      chooser->setList(1)->setCurrentIndex(1);
      chooser->findChild<QPushButton*>("cmdOK")->click();
    });
    s.frame->findChild<QAction*>("mnuFCompare")->trigger();
    window = s.frame->findChild<CompareWindow*>("FCompare");
    QVERIFY(window != nullptr);
    QCOMPARE(window->table()->rowCount(), 2);
    QCOMPARE(window->table()->item(0, 3)->text(), QString("renamed to 'Swing Time'"));
    QCOMPARE(window->summary()->text(), QString("2 differences"));
    window->close();
    s.files().arrangements.records[1].SetName("Swing Time");  // nothing to save on closing
    s.ws().sets.Entry(SetSlot{1}).Modified = {};
  }
};

[[maybe_unused]] const bool kRegistered = RegisterSuite<SetToolsTest>("SetTools");

}  // namespace
}  // namespace i40::app::test

#include "set_tools_test.moc"
