#include <QFile>
#include <QFileDialog>
#include <QMdiArea>
#include <QMenuBar>
#include <QTextBrowser>
#include <filesystem>

#include "demo_session.h"
#include "format/kinds.h"
#include "format/set_paths.h"
#include "shell/help_window.h"
#include "test_suites.h"

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
    TestEnvironment env;
    MainWindow frame(env.store);
    QCOMPARE(frame.objectName(), QString("FMain"));
    QCOMPARE(frame.windowTitle(), QString("Korg-i40 Set Editor"));
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
    QVERIFY(!frame.isVisible());
    QVERIFY(env.settings.allKeys().isEmpty());
  }

  void firstRunShowsAboutTipsAndTheOpenDialogInTheProgramFolder() {
    TestEnvironment env;
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
    QVERIFY(!tipShown.isEmpty());
    QVERIFY(!tipShown.startsWith("Can't find"));
    QVERIFY(frame.isVisible());
    QVERIFY(frame.isMaximized());
    QVERIFY(frame.setWindows().isEmpty());
    QVERIFY(Entry(frame, "mnuWTile")->isChecked());
    QVERIFY(!Entry(frame, "mnuWCascade")->isChecked());
    // The log goes to the per-user folder, and only MIDI work creates it.
    QCOMPARE(frame.workspace().log.path(), env.options.data.userDir / "I40SETED.LOG");
    QVERIFY(!fs::exists(frame.workspace().log.path()));

    // The settings are written once, at the end.
    QVERIFY(env.settings.allKeys().isEmpty());
    QVERIFY(frame.close());
    QCOMPARE(env.Stored("Show Tips at Startup"), QString("1"));
    QCOMPARE(env.Stored("PathNam"), PathToQString(env.options.programDir));
  }

  void lastSetWhoseFolderIsGoneLeavesTheFrameEmpty() {
    TestEnvironment env;
    env.Store("StartOld", "1");
    env.Store("Show Tips at Startup", "0");
    env.Store("OldSetNam", PathToQString(env.path() / "gone" / "OLDSET"));
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK"));
    QVERIFY(frame.Start(env.options));
    QCOMPARE(watcher.seen(), QStringList({"FAbout"}));
    QVERIFY(frame.isVisible());
    QVERIFY(frame.setWindows().isEmpty());
    QVERIFY(!frame.workspace().sets.AnySetOpen());
  }

  void argumentOpensTheSetAndItsDuplicateWarnings() {
    TestEnvironment env;
    env.Store("Show Tips at Startup", "0");
    env.Store("ModeId", "2");
    env.options.setArgument = ComponentPath(DemoSet(), Kind::Program);  // any component
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK"));
    for (int i = 0; i < 3; ++i)
      watcher.Then(ClickMessageButton(QMessageBox::Ok));

    QVERIFY(frame.Start(env.options));
    // The demo Set holds one duplicate name of each item kind: one warning each, in the
    // order Arrangements, Styles, Programs.
    QCOMPARE(watcher.seen(), QStringList({"FAbout", "msgBox", "msgBox", "msgBox"}));
    const QStringList kinds = {"Arrangement", "Style", "Program"};
    for (int i = 0; i < 3; ++i)
      QVERIFY(watcher.messageTexts().at(i).startsWith(kinds.at(i) + " duplicate name\n"));

    QCOMPARE(frame.setWindows().size(), 1);
    SetWindow* window = frame.setWindows().first();
    QCOMPARE(window->windowTitle(), QString("DEMO"));
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
    QCOMPARE(windows.at(0)->geometry().x(), 0);
    QCOMPARE(windows.at(0)->geometry().bottom(), space.height() - 1);
    QCOMPARE(frame.workspace().settings.WArrangeMode, 1);

    // The Window menu lists the open Sets.
    auto* menu = frame.findChild<QMenu*>("mnuWindow");
    Q_EMIT menu->aboutToShow();
    int listed = 0;
    for (const QAction* action : menu->actions())
      listed += action->text().endsWith(" DEMO") ? 1 : 0;
    QCOMPARE(listed, 2);

    // The arrangement chosen last is what the next run starts with.
    Entry(frame, "mnuWCascade")->trigger();
    QVERIFY(frame.close());
    QCOMPARE(s.env.Stored("WArrangeMode"), QString("0"));
  }

  void closingAChangedSetAsksAndCancelKeepsTheProgramRunning() {
    DemoSession s;
    const auto programFile = ComponentPath(DemoSet(), Kind::Program);
    const auto written = fs::last_write_time(programFile);
    s.ws().sets.Entry(1).Modified[static_cast<std::size_t>(Kind::Program)] = true;

    s.watcher.Then(ClickMessageButton(QMessageBox::Cancel));
    QVERIFY(!s.frame->close());
    QVERIFY(s.frame->isVisible());
    QCOMPARE(s.frame->setWindows().size(), 1);
    QVERIFY(s.ws().sets.InUse(1));
    QCOMPARE(s.env.settings.allKeys().size(), 2);  // nothing written while the program runs on

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
    env.Store("Show Tips at Startup", "0");
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK")).Then(RejectDialog());
    QVERIFY(frame.Start(env.options));

    Entry(frame, "mnuFNew")->trigger();
    QCOMPARE(frame.setWindows().size(), 1);
    SetWindow* window = frame.setWindows().first();
    QCOMPARE(window->windowTitle(), QString("NEWSET01"));
    QVERIFY(frame.workspace().sets.Entry(1).AnyModified());

    const QString destination = env.dir.filePath("MYSET");
    watcher.Then([&destination](QWidget* dialog) {
      qobject_cast<QFileDialog*>(dialog)->selectFile(destination);
      static_cast<QDialog*>(dialog)->accept();
    });
    Entry(frame, "mnuFSaveAs")->trigger();
    QCOMPARE(window->windowTitle(), QString("MYSET"));
    for (Kind kind : kStoredKinds)
      QVERIFY(fs::exists(ComponentPath(QStringToPath(destination), kind)));
    QVERIFY(!frame.workspace().sets.Entry(1).AnyModified());

    // Save writes what changed.
    const auto styles = ComponentPath(QStringToPath(destination), Kind::Style);
    fs::remove(styles);
    frame.workspace().sets.Entry(1).Modified[static_cast<std::size_t>(Kind::Style)] = true;
    Entry(frame, "mnuFSave")->trigger();
    QVERIFY(fs::exists(styles));
    QVERIFY(!frame.workspace().sets.Entry(1).AnyModified());

    // An unchanged Set closes without a question; the menus go back to the frame's.
    Entry(frame, "mnuFClose")->trigger();
    QCOMPARE(watcher.seen(), QStringList({"FAbout", "dlgOpen", "dlgSave"}));
    QVERIFY(frame.setWindows().isEmpty());
    QVERIFY(!Shown(frame).contains("mnuFSave"));
    for (const QAction* action : frame.menuBar()->actions())
      QVERIFY(action->menu() == nullptr || action->menu()->objectName() != "mnuEdit");
    QCOMPARE(frame.workspace().settings.OldSetNam, QStringToPath(destination));
  }

  void helpAboutOptionsAndTipEntriesWork() {
    DemoSession s;
    MainWindow& frame = *s.frame;
    Entry(frame, "mnuHContents")->trigger();
    QPointer<HelpWindow> help(frame.helpWindow());
    QVERIFY(help != nullptr && help->isVisible());
    QCOMPARE(help->browser()->source().fileName(), QString("index.html"));
    QCOMPARE(help->browser()->documentTitle(), QString("Korg-i40 Set Editor Help: Contents"));
    help->findChild<QAbstractButton*>("cmdIndex")->click();
    QCOMPARE(help->browser()->source().fileName(), QString("keywords.html"));
    help->findChild<QAbstractButton*>("cmdBack")->click();
    QCOMPARE(help->browser()->source().fileName(), QString("index.html"));

    s.watcher.Then([](QWidget* options) {
      options->findChild<QCheckBox*>("chkStartOld")->setChecked(true);
      options->findChild<QCheckBox*>("chkHighCall")->setChecked(false);
      options->findChild<QAbstractButton*>("cmdClose")->click();
    });
    Entry(frame, "mnuOptions")->trigger();
    QVERIFY(s.ws().settings.StartOld && !s.ws().settings.HighCall && !s.ws().settings.WarnDupl);

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
    QCOMPARE(s.env.Stored("StartOld"), QString("1"));
    QCOMPARE(s.env.Stored("HighCall"), QString("0"));
    QCOMPARE(s.env.Stored("Show Tips at Startup"), QString("1"));
  }

  // Shipped data the program cannot do without ends the start-up after saying why.
  void missingDataEndsTheStartUp() {
    {
      TestEnvironment env;
      const fs::path data = env.path() / "data";  // the preset names but no template Set
      fs::create_directories(data);
      fs::copy_file(SourceData() / "I40PRSTS.TXT", data / "I40PRSTS.TXT");
      env.options.data.shippedDirs = {data};
      env.Store("Show Tips at Startup", "0");
      MainWindow frame(env.store);
      ModalWatcher watcher;
      watcher.Then(ClickButton("cmdOK"))
          .Then(ClickMessageButton(QMessageBox::Ok))
          .Then(ClickMessageButton(QMessageBox::Ok));
      QVERIFY(!frame.Start(env.options));
      QCOMPARE(watcher.seen(), QStringList({"FAbout", "msgBox", "msgBox"}));
      QVERIFY(watcher.messageTexts().at(0).startsWith("File "));
      QVERIFY(watcher.messageTexts().at(0).endsWith("I40EMPTY.STY not found"));
      QCOMPARE(watcher.messageTexts().at(1), QString("Error getting Style data.\n"));
      QCOMPARE(watcher.messageTitles().at(1), QString("Error"));
      QVERIFY(!frame.isVisible());
      frame.close();
      QCOMPARE(env.settings.allKeys().size(), 1);  // only what the test stored
    }
    TestEnvironment env;
    // The per-user copy of the preset names is read before the shipped list.
    fs::create_directories(env.options.data.userDir);
    QFile list(PathToQString(env.options.data.userDir / "I40PRSTS.TXT"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("no preset names here\n");
    list.close();
    env.Store("Show Tips at Startup", "0");
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK")).Then(ClickMessageButton(QMessageBox::Ok));
    QVERIFY(!frame.Start(env.options));
    QCOMPARE(watcher.seen(), QStringList({"FAbout", "msgBox"}));
    QCOMPARE(watcher.messageTexts().at(0),
             QString("Error getting Preset names from file I40PRSTS.TXT\nEnding program!"));
    QCOMPARE(watcher.messageTitles().at(0), QString("Error"));
    QVERIFY(!frame.isVisible());
  }
};

std::unique_ptr<QObject> MakeMainWindowTest() {
  return std::make_unique<MainWindowTest>();
}

}  // namespace i40::app::test

#include "main_window_test.moc"
