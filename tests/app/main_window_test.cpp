#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>

#include "format/kinds.h"
#include "format/set_paths.h"
#include "setwindow/set_window.h"
#include "shell/help_window.h"
#include "test_suites.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace i40::app::test {
namespace {

QAction* Entry(const QWidget& frame, const char* name) {
  return frame.findChild<QAction*>(name);
}

bool Visible(const QWidget& frame, const char* name) {
  const QAction* action = Entry(frame, name);
  return action != nullptr && action->isVisible();
}

QMenu* WindowMenu(const QWidget& frame) {
  return frame.findChild<QMenu*>("mnuWindow");
}

void CopySet(const fs::path& from, const fs::path& to) {
  for (Kind kind : kStoredKinds) {
    fs::copy_file(ComponentPath(from, kind), ComponentPath(to, kind),
                  fs::copy_options::overwrite_existing);
  }
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
    QVERIFY(!frame.windowIcon().isNull());
    QCOMPARE(frame.centralWidget(), frame.setArea());

    QCOMPARE(Entry(frame, "mnuHAbout")->text(), QString("About Korg-i40 Set Editor..."));
    QCOMPARE(Entry(frame, "mnuFNew")->shortcut(), QKeySequence(QKeySequence::New));
    QCOMPARE(Entry(frame, "mnuFOpen")->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(Entry(frame, "mnuFSave")->shortcut(), QKeySequence(QKeySequence::Save));
    QCOMPARE(Entry(frame, "mnuFExit")->shortcut(), QKeySequence(QKeySequence::Quit));
    for (const char* name : {"mnuFSaveAs", "mnuFClose", "mnuWCascade", "mnuWTile", "mnuWArrange",
                             "mnuOptions", "mnuHContents", "mnuHTip"}) {
      QVERIFY2(Entry(frame, name) != nullptr, name);
    }

    // With no Set open only the frame's own entries show.
    for (const char* name : {"mnuFNew", "mnuFOpen", "mnuFExit", "mnuHContents", "mnuHAbout"})
      QVERIFY2(Visible(frame, name), name);
    for (const char* name : {"mnuFSave", "mnuFSaveAs", "mnuFClose", "mnuOptions", "mnuHTip"})
      QVERIFY2(!Visible(frame, name), name);
    QVERIFY(!WindowMenu(frame)->menuAction()->isVisible());

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
          auto* box = tip->findChild<QCheckBox*>("chkTips");
          QVERIFY(box != nullptr);
          QVERIFY(box->isChecked());
          tipShown = tip->findChild<QLabel*>("lblTipText")->text();
          tip->findChild<QAbstractButton*>("cmdClose")->click();
        })
        .Then([](QWidget* window) {
          auto* dialog = qobject_cast<QFileDialog*>(window);
          QVERIFY(dialog != nullptr);
          QCOMPARE(dialog->windowTitle(), QString("Select a Korg-i40 Set"));
          QCOMPARE(Canonical(dialog->directory().absolutePath()),
                   Canonical(QCoreApplication::applicationDirPath()));
          QCOMPARE(dialog->nameFilters().value(0), QString("All (*)"));
          QCOMPARE(dialog->nameFilters().value(1), QString("Arrangement (*.ARR *.arr)"));
          QCOMPARE(dialog->nameFilters().size(), 8);
          QCOMPARE(dialog->defaultSuffix(), QString("ARR"));
          QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
          dialog->reject();
        });

    QVERIFY(frame.Start(env.options));
    QCOMPARE(watcher.seen(), QStringList({"FAbout", "FTip", "dlgOpen"}));
    QCOMPARE(watcher.unexpected(), 0);
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
    QVERIFY(frame.workspace().settings.StartOld);
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
    // order Arrangements, Styles, Programs, as boxes without a title.
    QCOMPARE(watcher.seen(), QStringList({"FAbout", "msgBox", "msgBox", "msgBox"}));
    QCOMPARE(watcher.messageTitles(), QStringList({"", "", ""}));
    QVERIFY(watcher.messageTexts().at(0).startsWith("Arrangement duplicate name\n"));
    QVERIFY(watcher.messageTexts().at(1).startsWith("Style duplicate name\n"));
    QVERIFY(watcher.messageTexts().at(2).startsWith("Program duplicate name\n"));

    const QList<SetWindow*> windows = frame.setWindows();
    QCOMPARE(windows.size(), 1);
    SetWindow* window = windows.first();
    QCOMPARE(window->objectName(), QString("FDoc"));
    QCOMPARE(window->windowTitle(), QString("DEMO"));
    QCOMPARE(window->property("tag").toInt(), 1);
    QCOMPARE(window->slot(), 1);
    QVERIFY(!window->windowIcon().isNull());
    QCOMPARE(window->tabs()->currentIndex(), 2);  // the tab last shown
    window->tabs()->setCurrentIndex(0);
    QCOMPARE(frame.workspace().settings.ModeId, 0);

    const SetEntry& entry = frame.workspace().sets.Entry(1);
    QCOMPARE(entry.Name, std::string("DEMO"));
    QCOMPARE(entry.Dir, DemoSet().parent_path());
    QVERIFY(!entry.AnyModified());
    // The dialogs next open beside the Set's folder.
    QCOMPARE(frame.workspace().settings.PathNam, DemoSet().parent_path().parent_path());

    for (const char* name : {"mnuFSave", "mnuFSaveAs", "mnuFClose", "mnuOptions", "mnuHTip"})
      QVERIFY2(Visible(frame, name), name);
    QVERIFY(WindowMenu(frame)->menuAction()->isVisible());
  }

  void windowMenuArrangesTheSetWindowsAndRemembersHow() {
    TestEnvironment env;
    env.Store("Show Tips at Startup", "0");
    env.Store("WarnDupl", "0");
    env.options.setArgument = DemoSet();
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK"));
    QVERIFY(frame.Start(env.options));
    // The same Set again, by path: no name question for a Set given by path.
    QVERIFY(frame.OpenSetWindow(false, DemoSet()) != nullptr);
    QCOMPARE(watcher.seen(), QStringList({"FAbout"}));

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
    QVERIFY(Entry(frame, "mnuWCascade")->isChecked());
    QVERIFY(!Entry(frame, "mnuWTile")->isChecked());
    QVERIFY(windows.at(0)->geometry().topLeft() != windows.at(1)->geometry().topLeft());

    Entry(frame, "mnuWTile")->trigger();
    QCOMPARE(frame.workspace().settings.WArrangeMode, 1);
    QVERIFY(Entry(frame, "mnuWTile")->isChecked());
    QVERIFY(!Entry(frame, "mnuWCascade")->isChecked());
    checkTiled();

    // Arrange Icons lines minimised windows up along the bottom and changes no setting.
    windows.at(0)->showMinimized();
    Entry(frame, "mnuWArrange")->trigger();
    QCOMPARE(windows.at(0)->geometry().x(), 0);
    QCOMPARE(windows.at(0)->geometry().bottom(), space.height() - 1);
    QCOMPARE(frame.workspace().settings.WArrangeMode, 1);

    // The Window menu lists the open Sets.
    Q_EMIT WindowMenu(frame)->aboutToShow();
    int listed = 0;
    for (const QAction* action : WindowMenu(frame)->actions()) {
      if (action->text().endsWith(" DEMO")) ++listed;
    }
    QCOMPARE(listed, 2);

    // The arrangement chosen last is what the next run starts with.
    Entry(frame, "mnuWCascade")->trigger();
    QVERIFY(frame.close());
    QCOMPARE(env.Stored("WArrangeMode"), QString("0"));
  }

  void closingAChangedSetAsksAndCancelKeepsTheProgramRunning() {
    TestEnvironment env;
    env.Store("Show Tips at Startup", "0");
    env.Store("WarnDupl", "0");
    env.options.setArgument = DemoSet();
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK"));
    QVERIFY(frame.Start(env.options));
    const auto programFile = ComponentPath(DemoSet(), Kind::Program);
    const auto written = fs::last_write_time(programFile);
    frame.workspace().sets.Entry(1).Modified[static_cast<std::size_t>(Kind::Program)] = true;

    watcher.Then([](QWidget* window) {
      auto* box = qobject_cast<QMessageBox*>(window);
      QVERIFY(box != nullptr);
      QCOMPARE(box->text(), QString("Save the changes in DEMO ?"));
      QCOMPARE(box->windowTitle(), QString("DEMO"));
      QCOMPARE(box->icon(), QMessageBox::Warning);
      QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
      box->button(QMessageBox::Cancel)->click();
    });
    QVERIFY(!frame.close());
    QVERIFY(frame.isVisible());
    QCOMPARE(frame.setWindows().size(), 1);
    QVERIFY(frame.workspace().sets.InUse(1));
    QVERIFY(!env.HasStored("OldSetNam"));  // nothing written while the program runs on

    // No: the Set closes unsaved, the frame closes, the settings are written once.
    watcher.Then(ClickMessageButton(QMessageBox::No));
    QVERIFY(frame.close());
    QCOMPARE(watcher.seen(), QStringList({"FAbout", "msgBox", "msgBox"}));
    QVERIFY(!frame.workspace().sets.AnySetOpen());
    QCOMPARE(env.Stored("OldSetNam"), PathToQString(DemoSet()));
    QCOMPARE(env.Stored("PathNam"), PathToQString(DemoSet().parent_path().parent_path()));
    QVERIFY(fs::last_write_time(programFile) == written);
  }

  void newSetIsSavedAsANamedSetAndClosesWithoutAQuestion() {
    TestEnvironment env;
    env.Store("Show Tips at Startup", "0");
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK")).Then(RejectDialog());
    QVERIFY(frame.Start(env.options));
    QCOMPARE(watcher.seen(), QStringList({"FAbout", "dlgOpen"}));

    Entry(frame, "mnuFNew")->trigger();
    QCOMPARE(frame.setWindows().size(), 1);
    SetWindow* window = frame.setWindows().first();
    QCOMPARE(window->windowTitle(), QString("NEWSET01"));
    QVERIFY(frame.workspace().sets.Entry(1).AnyModified());

    const QString destination = env.dir.filePath("MYSET");
    watcher.Then([&destination](QWidget* shown) {
      auto* dialog = qobject_cast<QFileDialog*>(shown);
      QVERIFY(dialog != nullptr);
      QCOMPARE(dialog->windowTitle(),
               QString("Select a Korg-i40 destination file (without extension)"));
      QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
      QCOMPARE(dialog->defaultSuffix(), QString("xxx"));
      dialog->selectFile(destination);
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own is protected
    });
    Entry(frame, "mnuFSaveAs")->trigger();
    QCOMPARE(window->windowTitle(), QString("MYSET"));
    for (Kind kind : kStoredKinds)
      QVERIFY(fs::exists(ComponentPath(QStringToPath(destination), kind)));
    QVERIFY(!frame.workspace().sets.Entry(1).AnyModified());

    // An unchanged Set closes without a question; the menus go back to the frame's.
    Entry(frame, "mnuFClose")->trigger();
    QCOMPARE(watcher.seen().size(), 3);
    QVERIFY(frame.setWindows().isEmpty());
    QVERIFY(!Visible(frame, "mnuFSave"));
    QCOMPARE(frame.workspace().settings.OldSetNam, QStringToPath(destination));
  }

  void fileSaveWritesTheChangedComponentsOfAnOpenSet() {
    TestEnvironment env;
    const fs::path copy = env.path() / "COPY";
    CopySet(DemoSet(), copy);
    env.Store("Show Tips at Startup", "0");
    env.Store("WarnDupl", "0");
    env.options.setArgument = ComponentPath(copy, Kind::Arrangement);
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK"));
    QVERIFY(frame.Start(env.options));
    QCOMPARE(frame.setWindows().size(), 1);

    fs::remove(ComponentPath(copy, Kind::Style));
    frame.workspace().sets.Entry(1).Modified[static_cast<std::size_t>(Kind::Style)] = true;
    Entry(frame, "mnuFSave")->trigger();
    QVERIFY(fs::exists(ComponentPath(copy, Kind::Style)));
    QVERIFY(!frame.workspace().sets.Entry(1).AnyModified());
    QCOMPARE(watcher.seen(), QStringList({"FAbout"}));
  }

  void helpAboutOptionsAndTipEntriesWork() {
    TestEnvironment env;
    env.Store("Show Tips at Startup", "0");
    env.Store("WarnDupl", "0");
    env.options.setArgument = DemoSet();
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK"));
    QVERIFY(frame.Start(env.options));

    Entry(frame, "mnuHContents")->trigger();
    QPointer<HelpWindow> help(frame.helpWindow());
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    QCOMPARE(help->browser()->source().fileName(), QString("index.html"));

    watcher.Then([](QWidget* options) {
      QCOMPARE(options->objectName(), QString("FOptions"));
      options->findChild<QCheckBox*>("chkStartOld")->setChecked(true);
      options->findChild<QCheckBox*>("chkHighCall")->setChecked(false);
      options->findChild<QAbstractButton*>("cmdClose")->click();
    });
    Entry(frame, "mnuOptions")->trigger();
    QVERIFY(frame.workspace().settings.StartOld);
    QVERIFY(!frame.workspace().settings.HighCall);
    QVERIFY(frame.workspace().settings.WarnDupl == false);

    watcher.Then([](QWidget* tip) {
      QCOMPARE(tip->objectName(), QString("FTip"));
      auto* box = tip->findChild<QCheckBox*>("chkTips");
      QVERIFY(!box->isChecked());  // from the setting
      box->setChecked(true);
      tip->findChild<QAbstractButton*>("cmdClose")->click();
    });
    Entry(frame, "mnuHTip")->trigger();
    QVERIFY(frame.workspace().settings.ShowTips);

    watcher.Then(ClickButton("cmdOK"));
    Entry(frame, "mnuHAbout")->trigger();
    QCOMPARE(watcher.seen(), QStringList({"FAbout", "FOptions", "FTip", "FAbout"}));

    QVERIFY(frame.close());
    QVERIFY(help.isNull() || !help->isVisible());
    QCOMPARE(env.Stored("StartOld"), QString("1"));
    QCOMPARE(env.Stored("HighCall"), QString("0"));
    QCOMPARE(env.Stored("Show Tips at Startup"), QString("1"));
  }

  void unusableTemplateEndsTheStartUpWithTwoMessages() {
    TestEnvironment env;
    const fs::path data = env.path() / "data";
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
    QVERIFY(env.settings.allKeys().size() == 1);  // only what the test stored
  }

  void unreadablePresetListEndsTheStartUp() {
    TestEnvironment env;
    // The per-user copy is read before the shipped list.
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
