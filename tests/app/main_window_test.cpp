#include <filesystem>
#include <fstream>

#include "demo_session.h"
#include "format/set_paths.h"
#include "set_builder.h"
#include "shell/help_window.h"

namespace fs = std::filesystem;

namespace i40::app::test {
namespace {

QAction* Entry(const QWidget& frame, const char* name) {
  return frame.findChild<QAction*>(name);
}

const QStringList kAllEntries = {"mnuFNew",      "mnuFOpen", "mnuFSave",  "mnuFSaveAs",
                                 "mnuFClose",    "mnuFExit", "mnuWindow", "mnuOptions",
                                 "mnuHContents", "mnuHTip",  "mnuHAbout"};

// The File, Window, Options and Help entries that show: the Set's own only with a Set open.
QStringList Shown(const QWidget& frame) {
  QStringList shown;
  for (const QString& name : kAllEntries) {
    const QAction* action = frame.findChild<QAction*>(name);
    if (const auto* menu = frame.findChild<QMenu*>(name)) action = menu->menuAction();
    if (action != nullptr && action->isVisible()) shown << name;
  }
  return shown;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void frameHasItsCaptionIconAndMenus() {
    TestEnvironment env(true);
    MainWindow frame(env.store);
    QCOMPARE(NameAndTitle(frame), QString("FMain: Korg-i40 Set Editor"));
    QVERIFY(!frame.windowIcon().pixmap(32, 32).isNull());
    QCOMPARE(Caption(frame, "mnuHAbout"), QString("About Korg-i40 Set Editor..."));
    const std::pair<const char*, QKeySequence::StandardKey> keys[] = {
        {"mnuFNew", QKeySequence::New},   {"mnuFOpen", QKeySequence::Open},
        {"mnuFSave", QKeySequence::Save}, {"mnuFSaveAs", QKeySequence::SaveAs},
        {"mnuFExit", QKeySequence::Quit}, {"mnuHContents", QKeySequence::HelpContents}};
    for (const auto& [name, key] : keys)
      QCOMPARE(Entry(frame, name)->shortcut(), QKeySequence(key));
    QCOMPARE(Shown(frame),
             QStringList({"mnuFNew", "mnuFOpen", "mnuFExit", "mnuHContents", "mnuHAbout"}));

    // Exit closes the frame; before a start-up nothing is written.
    frame.show();
    Entry(frame, "mnuFExit")->trigger();
    QVERIFY(!frame.isVisible() && env.settings.allKeys().isEmpty());
  }

  void firstRunShowsAboutTipsAndTheOpenDialogInTheProgramFolder() {
    TestEnvironment env(true);
    MainWindow frame(env.store);
    ModalWatcher watcher;
    QString tipShown;
    watcher.Then(ClickButton("cmdOK"))
        .Then([&tipShown](QWidget* tip) {
          QVERIFY(tip->findChild<QCheckBox*>("chkTips")->isChecked());
          tipShown = Caption(*tip, "lblTipText");
          tip->findChild<QAbstractButton*>("cmdClose")->click();
        })
        .Then([](QWidget* window) {
          auto* dialog = qobject_cast<QFileDialog*>(window);
          QVERIFY(dialog != nullptr);
          QCOMPARE(dialog->windowTitle(), QString("Select a Korg-i40 Set"));
          QCOMPARE(Canonical(dialog->directory().absolutePath()),
                   Canonical(QCoreApplication::applicationDirPath()));
          dialog->reject();
        });

    QVERIFY(frame.Start(env.options));
    QCOMPARE(watcher.seen(), QStringList({"FAbout", "FTip", "dlgOpen"}));
    QVERIFY(!tipShown.isEmpty() && !tipShown.startsWith("Can't find"));
    QVERIFY(frame.isVisible() && frame.isMaximized() && frame.setWindows().isEmpty());
    QVERIFY(Entry(frame, "mnuWTile")->isChecked() && !Entry(frame, "mnuWCascade")->isChecked());
    // The log goes to the per-user folder, and only MIDI work creates it.
    QCOMPARE(frame.workspace().log.path(), env.options.data.userDir / "I40SETED.LOG");
    QVERIFY(!fs::exists(frame.workspace().log.path()));

    // The settings are written once, at the end.
    QVERIFY(env.settings.allKeys().isEmpty());
    QVERIFY(frame.close());
    QCOMPARE(env.Stored("Show Tips at Startup") + ' ' + env.Stored("PathNam"),
             "1 " + PathToQString(env.options.programDir));
  }

  void lastSetWhoseFolderIsGoneLeavesTheFrameEmpty() {
    TestEnvironment env;
    env.Store("StartOld", "1");
    env.Store("OldSetNam", PathToQString(env.path() / "gone" / "OLDSET"));
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK"));
    QVERIFY(frame.Start(env.options));
    QCOMPARE(watcher.seen(), QStringList({"FAbout"}));
    QVERIFY(frame.isVisible() && frame.setWindows().isEmpty());
    QVERIFY(!frame.workspace().sets.AnySetOpen());
  }

  void argumentOpensTheSetThenItsDuplicateWarnings() {
    TestEnvironment env;
    env.Store("ModeId", "2");
    const auto set = env.path() / "DUPS" / "DUPS";
    fs::create_directories(set.parent_path());
    build::WriteSet(build::DemoSetWithDuplicates(), set);
    env.options.setArgument = ComponentPath(set, Kind::Program);  // any component
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK"));
    // Each warning comes while the Set's window is already on screen.
    int withWindow = 0;
    for (int i = 0; i < 3; ++i) {
      watcher.Then([&frame, &withWindow](QWidget* box) {
        const auto windows = frame.setWindows();
        withWindow += windows.size() == 1 && windows.first()->isVisible() ? 1 : 0;
        ClickMessageButton(QMessageBox::Ok)(box);
      });
    }

    QVERIFY(frame.Start(env.options));
    // One warning per item kind (their texts and order are the core's).
    QCOMPARE(watcher.seen(), QStringList({"FAbout", "msgBox", "msgBox", "msgBox"}));
    QCOMPARE(withWindow, 3);

    QCOMPARE(frame.setWindows().size(), 1);
    SetWindow* window = frame.setWindows().first();
    QCOMPARE(window->windowTitle(), QString("DUPS[*]"));
    // The tab last shown is where a Set window opens, and a new choice is kept.
    QCOMPARE(window->tabs()->currentIndex(), 2);
    window->tabs()->setCurrentIndex(0);
    QCOMPARE(frame.workspace().settings.ModeId, 0);
    QVERIFY(!frame.workspace().sets.Entry(1).AnyModified());
    QCOMPARE(Shown(frame), kAllEntries);
  }

  void windowMenuArrangesTheSetWindowsAndRemembersHow() {
    DemoSession s;
    MainWindow& frame = *s.frame;
    // The same Set again, by path: no name question for a Set given by path.
    QVERIFY(frame.OpenSetWindow(false, DemoSet()) != nullptr);
    QCOMPARE(s.watcher.seen(), QStringList({"FAbout"}));

    const QList<SetWindow*> windows = frame.setWindows();
    QCOMPARE(windows.size(), 2);
    QCOMPARE(windows.at(1)->property("tag").toInt(), 2);
    const QRect space = frame.setArea()->viewport()->rect();
    auto checkTiled = [&] {
      for (SetWindow* window : windows) {
        QCOMPARE(window->geometry().width(), space.width());
        QCOMPARE(window->geometry().x(), 0);
      }
      QCOMPARE(windows.at(0)->geometry().y(), 0);
      QVERIFY(windows.at(1)->geometry().y() >= windows.at(0)->geometry().bottom());
      QCOMPARE(windows.at(1)->geometry().bottom(), space.height() - 1);
    };
    checkTiled();  // tiling is the default

    Entry(frame, "mnuWCascade")->trigger();
    QCOMPARE(frame.workspace().settings.WArrangeMode, 0);
    QVERIFY(Entry(frame, "mnuWCascade")->isChecked() && !Entry(frame, "mnuWTile")->isChecked());
    Entry(frame, "mnuWTile")->trigger();
    QCOMPARE(frame.workspace().settings.WArrangeMode, 1);
    QVERIFY(Entry(frame, "mnuWTile")->isChecked() && !Entry(frame, "mnuWCascade")->isChecked());
    checkTiled();

    // Arrange Icons lines minimised windows up along the bottom and changes no setting.
    windows.at(0)->showMinimized();
    Entry(frame, "mnuWArrange")->trigger();
    QCOMPARE(windows.at(0)->geometry().bottomLeft(), QPoint(0, space.height() - 1));
    QCOMPARE(frame.workspace().settings.WArrangeMode, 1);

    // The Window menu lists the open Sets.
    auto* menu = frame.findChild<QMenu*>("mnuWindow");
    Q_EMIT menu->aboutToShow();
    int listed = 0;
    for (const QAction* action : menu->actions())
      listed += action->text().endsWith(" DEMO") ? 1 : 0;
    QCOMPARE(listed, 2);
  }

  void closingAChangedSetAsksAndCancelKeepsTheProgramRunning() {
    DemoSession s;
    const auto programFile = ComponentPath(DemoSet(), Kind::Program);
    const auto written = fs::last_write_time(programFile);
    s.ws().sets.Entry(1).Modified[static_cast<std::size_t>(Kind::Program)] = true;

    s.watcher.Then(ClickMessageButton(QMessageBox::Cancel));
    QVERIFY(!s.frame->close());
    QVERIFY(s.frame->isVisible() && s.ws().sets.InUse(1));
    QCOMPARE(s.frame->setWindows().size(), 1);
    QCOMPARE(s.env.settings.allKeys().size(), 1);  // nothing written while the program runs on

    // No: the Set closes unsaved, the frame closes, the settings are written once.
    s.watcher.Then(ClickMessageButton(QMessageBox::No));
    QVERIFY(s.frame->close());
    QCOMPARE(s.watcher.seen(), QStringList({"FAbout", "msgBox", "msgBox"}));
    QVERIFY(!s.ws().sets.AnySetOpen());
    QCOMPARE(s.env.Stored("OldSetNam"), PathToQString(DemoSet()));
    QCOMPARE(s.env.Stored("PathNam"), PathToQString(DemoSet().parent_path().parent_path()));
    QVERIFY(fs::last_write_time(programFile) == written);
  }

  void newSetIsSavedAsANamedSetThenSavedAndClosesWithoutAQuestion() {
    TestEnvironment env;
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK")).Then(RejectDialog());
    QVERIFY(frame.Start(env.options));

    Entry(frame, "mnuFNew")->trigger();
    QCOMPARE(frame.setWindows().size(), 1);
    SetWindow* window = frame.setWindows().first();
    QCOMPARE(window->windowTitle(), QString("NEWSET01[*]"));
    QVERIFY(window->isWindowModified());

    const QString destination = env.dir.filePath("MYSET");
    watcher.Then([&destination](QWidget* dialog) {
      qobject_cast<QFileDialog*>(dialog)->selectFile(destination);
      static_cast<QDialog*>(dialog)->accept();
    });
    Entry(frame, "mnuFSaveAs")->trigger();
    QCOMPARE(window->windowTitle(), QString("MYSET[*]"));
    QVERIFY(!window->isWindowModified());

    // Save writes what changed.
    const auto styles = ComponentPath(QStringToPath(destination), Kind::Style);
    fs::remove(styles);
    frame.workspace().sets.Entry(1).Modified[static_cast<std::size_t>(Kind::Style)] = true;
    window->Refresh();
    QVERIFY(window->isWindowModified());
    Entry(frame, "mnuFSave")->trigger();
    QVERIFY(fs::exists(styles));
    QVERIFY(!window->isWindowModified());

    // An unchanged Set closes without a question; the menus go back to the frame's.
    Entry(frame, "mnuFClose")->trigger();
    QCOMPARE(watcher.seen(), QStringList({"FAbout", "dlgOpen", "dlgSave"}));
    QVERIFY(frame.setWindows().isEmpty() && !Shown(frame).contains("mnuFSave"));
    for (const QAction* action : frame.menuBar()->actions())
      QVERIFY(action->menu() == nullptr || action->menu()->objectName() != "mnuEdit");
    QCOMPARE(frame.workspace().settings.OldSetNam, QStringToPath(destination));

    // The Set saved under its name heads the File menu's recent Sets, kept for the next run;
    // choosing it opens it again.
    auto* recent = frame.findChild<QMenu*>("mnuFRecent");
    QVERIFY(recent != nullptr);
    Q_EMIT recent->aboutToShow();
    QCOMPARE(recent->actions().size(), 1);
    QCOMPARE(recent->actions().first()->text(), "&1 " + destination);
    recent->actions().first()->trigger();
    QCOMPARE(frame.setWindows().size(), 1);
    QCOMPARE(frame.setWindows().first()->setName(), QString("MYSET"));
    QVERIFY(frame.close());
    QCOMPARE(env.Stored("RecentSet1"), destination);
  }

  void helpAboutOptionsAndTipEntriesWork() {
    DemoSession s;
    MainWindow& frame = *s.frame;
    Entry(frame, "mnuHContents")->trigger();
    QPointer<HelpWindow> help(frame.helpWindow());
    QVERIFY(help != nullptr && help->isVisible());
    // Contents (F1) opens the page of the window in front: here the Set window's.
    QCOMPARE(help->browser()->source().fileName(), QString("editing.html"));
    QCOMPARE(help->browser()->documentTitle(), QString("Editing items and calls"));
    help->findChild<QAbstractButton*>("cmdIndex")->click();
    QCOMPARE(help->browser()->source().fileName(), QString("keywords.html"));
    help->findChild<QAbstractButton*>("cmdBack")->click();
    QCOMPARE(help->browser()->source().fileName(), QString("editing.html"));

    s.watcher.Then([](QWidget* options) {
      // F1 in a modal dialog shows its page beside it.
      QTest::keyClick(options, Qt::Key_F1);
      const auto* page = options->findChild<HelpWindow*>();
      QVERIFY(page != nullptr && page->isVisible());
      QCOMPARE(page->browser()->source().fileName(), QString("windows-options.html"));
      options->findChild<QCheckBox*>("chkStartOld")->setChecked(true);
      options->findChild<QCheckBox*>("chkHighCall")->setChecked(false);
      options->findChild<QAbstractButton*>("cmdClose")->click();
    });
    Entry(frame, "mnuOptions")->trigger();
    QVERIFY(s.ws().settings.StartOld && !s.ws().settings.HighCall && s.ws().settings.WarnDupl);

    s.watcher.Then([](QWidget* tip) {
      auto* box = tip->findChild<QCheckBox*>("chkTips");
      QVERIFY(!box->isChecked());  // from the setting
      box->setChecked(true);
      tip->findChild<QAbstractButton*>("cmdClose")->click();
    });
    Entry(frame, "mnuHTip")->trigger();
    QVERIFY(s.ws().settings.ShowTips);

    s.watcher.Then(ClickButton("cmdOK"));
    Entry(frame, "mnuHAbout")->trigger();
    QCOMPARE(s.watcher.seen(), QStringList({"FAbout", "FOptions", "FTip", "FAbout"}));

    QVERIFY(frame.close());
    QVERIFY(help.isNull() || !help->isVisible());
  }

  // Shipped data the program cannot do without ends the start-up after saying why: the
  // template Set, and the preset names (a per-user copy is read before the shipped list).
  void missingDataEndsTheStartUp() {
    for (const bool noTemplate : {true, false}) {
      TestEnvironment env;
      if (noTemplate) {
        const fs::path data = env.path() / "data";  // the preset names but no template Set
        fs::create_directories(data);
        fs::copy_file(SourceData() / "I40PRSTS.TXT", data / "I40PRSTS.TXT");
        env.options.data.shippedDirs = {data};
      } else {
        fs::create_directories(env.options.data.userDir);
        std::ofstream(env.options.data.userDir / "I40PRSTS.TXT") << "no preset names here\n";
      }
      MainWindow frame(env.store);
      ModalWatcher watcher;
      watcher.Then(ClickButton("cmdOK"))
          .Then(ClickMessageButton(QMessageBox::Ok))
          .Then(ClickMessageButton(QMessageBox::Ok));
      QVERIFY(!frame.Start(env.options));
      QVERIFY(!frame.isVisible());
      // The core's messages (tested there): two on the template's file, one on the names.
      QCOMPARE(watcher.seen().size(), noTemplate ? 3 : 2);
      frame.close();
      QCOMPARE(env.settings.allKeys().size(), 1);  // only what the test stored
    }
  }
};

[[maybe_unused]] const bool kRegistered = RegisterSuite<MainWindowTest>("MainWindow");

}  // namespace i40::app::test

#include "main_window_test.moc"
