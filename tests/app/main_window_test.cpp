#include <filesystem>
#include <fstream>

#include "format/set_paths.h"
#include "set_builder.h"
#include "shell/help_window.h"
#include "shell/single_instance.h"
#include "support/demo_session.h"

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

  // Without a Set to open, the frame shows with the About box over it, not modal and
  // gone at a key; the open dialog starts in the folder of the user's Sets; the tip
  // comes once the About box has gone.
  void startUpShowsTheAboutBoxOverTheFrameThenTheTip() {
    TestEnvironment env(true);
    MainWindow frame(env.store);
    ModalWatcher watcher;
    QString tipShown;
    watcher
        .Then([&frame](QWidget* window) {
          auto* dialog = qobject_cast<QFileDialog*>(window);
          QVERIFY(dialog != nullptr);
          QVERIFY(frame.isVisible() && frame.startUpAbout() != nullptr);
          QCOMPARE(dialog->windowTitle(), QString("Select a Korg-i40 Set"));
          QCOMPARE(Canonical(dialog->directory().absolutePath()),
                   Canonical(PathToQString(frame.workspace().settings.PathNam)));
          dialog->reject();
        })
        .Then([&tipShown](QWidget* tip) {
          QVERIFY(tip->findChild<QCheckBox*>("chkTips")->isChecked());
          tipShown = Caption(*tip, "lblTipText");
          tip->findChild<QAbstractButton*>("cmdClose")->click();
        });

    QVERIFY(frame.Start(env.options));
    QCOMPARE(frame.workspace().settings.PathNam, env.setsFolder());
    QPointer<QWidget> about(frame.startUpAbout());
    QVERIFY(about != nullptr && about->isVisible() && !about->isModal());
    QCOMPARE(about->objectName(), QString("FAbout"));
    QCOMPARE(watcher.seen(), QStringList({"dlgOpen"}));
    QTest::keyClick(&frame, Qt::Key_Shift);
    QTRY_VERIFY(about.isNull());
    QTRY_COMPARE(watcher.seen(), QStringList({"dlgOpen", "FTip"}));
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
             "1 " + PathToQString(env.setsFolder()));
  }

  // A first run (no recent Set, no "i40 Sets" in the documents folder) copies the demo Set
  // into a new "i40 Sets" and opens the copy, remembered at once; a second start copies
  // nothing. The About box goes by itself after three seconds.
  void firstRunOpensACopyOfTheDemoSet() {
    TestEnvironment env;
    env.FirstRun();
    const fs::path copy = env.setsFolder() / "DEMO";
    {
      MainWindow frame(env.store);
      ModalWatcher watcher;
      QVERIFY(frame.Start(env.options));
      QCOMPARE(frame.setWindows().size(), 1);
      QCOMPARE(frame.workspace().sets.Entry(SetSlot{1}).Dir, env.setsFolder());
      for (const Kind kind : kStoredKinds) {
        QCOMPARE(FileBytes(PathToQString(ComponentPath(copy, kind))),
                 FileBytes(PathToQString(ComponentPath(DemoSet(), kind))));
      }
      QCOMPARE(env.Stored("RecentSet1"), PathToQString(copy));
      frame.showNormal();
      frame.resize(1280, 800);
      frame.findChild<QAction*>("mnuWTile")->trigger();
      Picture(frame, "first_run.png");
      QPointer<QWidget> about(frame.startUpAbout());
      QTRY_VERIFY_WITH_TIMEOUT(about.isNull(), 5000);
      QVERIFY(frame.close());
      QCOMPARE(watcher.seen(), QStringList());
    }
    const auto before = fs::last_write_time(ComponentPath(copy, Kind::Style));
    fs::remove(ComponentPath(copy, Kind::Global));  // the user's to change, never put back
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(RejectDialog());  // no Set to open at start-up: the dialog
    QVERIFY(frame.Start(env.options));
    QVERIFY(frame.setWindows().isEmpty());
    QVERIFY(!fs::exists(ComponentPath(copy, Kind::Global)));
    QVERIFY(fs::last_write_time(ComponentPath(copy, Kind::Style)) == before);
    QCOMPARE(std::distance(fs::directory_iterator(env.setsFolder()), fs::directory_iterator()), 6);
  }

  void lastSetWhoseFolderIsGoneLeavesTheFrameEmpty() {
    TestEnvironment env;
    env.Store("StartOld", "1");
    env.Store("OldSetNam", PathToQString(env.path() / "gone" / "OLDSET"));
    MainWindow frame(env.store);
    ModalWatcher watcher;
    QVERIFY(frame.Start(env.options));
    QCOMPARE(watcher.seen(), QStringList());
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
    QCOMPARE(watcher.seen(), QStringList({"msgBox", "msgBox", "msgBox"}));
    QCOMPARE(withWindow, 3);

    QCOMPARE(frame.setWindows().size(), 1);
    SetWindow* window = frame.setWindows().first();
    QCOMPARE(window->windowTitle(), QString("DUPS[*]"));
    // The tab last shown is where a Set window opens, and a new choice is kept.
    QCOMPARE(window->tabs()->currentIndex(), 2);
    window->tabs()->setCurrentIndex(0);
    QCOMPARE(frame.workspace().settings.ModeId, 0);
    QVERIFY(!frame.workspace().sets.Entry(SetSlot{1}).AnyModified());
    QCOMPARE(Shown(frame), kAllEntries);
  }

  void windowMenuArrangesTheSetWindowsAndRemembersHow() {
    DemoSession s;
    MainWindow& frame = *s.frame;
    // A Set of the same name from another folder, by path: no name question then.
    QVERIFY(frame.OpenSetWindow(false, CopyOfDemo(s.env.path() / "copy")) != nullptr);
    QCOMPARE(s.watcher.seen(), QStringList());

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

  // However a Set that is open already is asked for, its window comes to the front and
  // nothing more opens: File > Recent Sets, File > Open (any component, no question),
  // a file dropped on the frame, and a second start of the editor.
  void everyWayOfOpeningAnOpenSetShowsItsWindow() {
    DemoSession s;
    MainWindow& frame = *s.frame;
    const QString name = QStringLiteral("i40seted-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance running;
    QVERIFY(running.Listen(name));
    connect(&running, &SingleInstance::filesReceived, &frame, &MainWindow::OpenFiles);
    SetWindow* other = frame.OpenSetWindow(false, CopyOfDemo(s.env.path() / "copy"));
    QVERIFY(other != nullptr && frame.setWindows().size() == 2);
    const auto demoInFront = [&] {
      return frame.setWindows().size() == 2 && frame.setArea()->activeSubWindow() == s.window;
    };

    auto* recent = frame.findChild<QMenu*>("mnuFRecent");
    Q_EMIT recent->aboutToShow();
    QCOMPARE(recent->actions().last()->text(), "&2 " + PathToQString(DemoSet()));
    recent->actions().last()->trigger();
    QVERIFY(demoInFront());

    frame.setArea()->setActiveSubWindow(other);
    s.watcher.Then([](QWidget* dialog) {
      qobject_cast<QFileDialog*>(dialog)->selectFile(
          PathToQString(ComponentPath(DemoSet(), Kind::Style)));
      static_cast<QDialog*>(dialog)->accept();
    });
    Entry(frame, "mnuFOpen")->trigger();
    QVERIFY(demoInFront());

    frame.setArea()->setActiveSubWindow(other);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(PathToQString(ComponentPath(DemoSet(), Kind::Program))),
                   QUrl::fromLocalFile(PathToQString(ComponentPath(DemoSet(), Kind::KbdSet)))});
    // As the window system delivers a drop: an enter that finds the target, then the drop.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(&frame, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(&frame, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_VERIFY(demoInFront());

    frame.setArea()->setActiveSubWindow(other);
    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("I40SETED_INSTANCE", name);
    second.setProcessEnvironment(environment);
    second.start(I40_EDITOR, {PathToQString(ComponentPath(DemoSet(), Kind::Arrangement))});
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 20000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY(demoInFront());

    // A Set of that name from another folder, picked in the dialog, is asked about.
    const auto third = CopyOfDemo(s.env.path() / "third");
    QString question;
    s.watcher
        .Then([&third](QWidget* dialog) {
          qobject_cast<QFileDialog*>(dialog)->selectFile(
              PathToQString(ComponentPath(third, Kind::Arrangement)));
          static_cast<QDialog*>(dialog)->accept();
        })
        .Then([&question](QWidget* box) {
          question = qobject_cast<QMessageBox*>(box)->text();
          ClickMessageButton(QMessageBox::Ok)(box);
        })
        .Then(ClickMessageButton(QMessageBox::Ok));  // the other copy of the name: once each
    Entry(frame, "mnuFOpen")->trigger();
    QCOMPARE(question, QString("Name DEMO is already in use.\nContinue anyway?"));
    QCOMPARE(frame.setWindows().size(), 3);
    QCOMPARE(s.watcher.seen(), QStringList({"dlgOpen", "dlgOpen", "msgBox", "msgBox"}));
  }

  // Quit asks every question before it closes anything: a Cancel at the second Set leaves
  // the first open too, although its answer was No.
  void quitAsksEveryQuestionBeforeClosingAnything() {
    DemoSession s;
    SetWindow* copy = s.frame->OpenSetWindow(false, CopyOfDemo(s.env.path() / "copy"));
    QVERIFY(copy != nullptr);
    for (const SetSlot slot : {SetSlot{1}, SetSlot{2}})
      s.ws().sets.Entry(slot).Modified[static_cast<std::size_t>(Kind::Program)] = true;
    QStringList asked;
    const auto answer = [&asked](QMessageBox::StandardButton button) {
      return [&asked, button](QWidget* box) {
        asked << qobject_cast<QMessageBox*>(box)->text();
        ClickMessageButton(button)(box);
      };
    };
    s.watcher.Then(answer(QMessageBox::No)).Then(answer(QMessageBox::Cancel));
    QVERIFY(!s.frame->close());
    QCOMPARE(asked, QStringList({"Save the changes in DEMO ?", "Save the changes in DEMO ?"}));
    QCOMPARE(s.frame->setWindows().size(), 2);
    QVERIFY(s.ws().sets.InUse(SetSlot{1}) && s.ws().sets.InUse(SetSlot{2}) &&
            s.ws().sets.Entry(SetSlot{1}).AnyModified());

    // Answered without a Cancel: every window closes, none asks again.
    s.watcher.Then(answer(QMessageBox::No)).Then(answer(QMessageBox::No));
    QVERIFY(s.frame->close());
    QCOMPARE(asked.size(), 4);
    QVERIFY(!s.ws().sets.AnySetOpen());
  }

  // A recent Set whose folder or Arrangement file has gone is not created anew: the user
  // may take it off the list. A Set missing only another component is asked about as
  // File > Open asks.
  void aRecentSetThatHasGoneCreatesNothing() {
    TestEnvironment env;
    const auto noFolder = env.path() / "gone" / "OLD";
    const auto noArrangements = CopyOfDemo(env.path() / "part");
    fs::remove(ComponentPath(noArrangements, Kind::Arrangement));
    const auto noKbdSets = CopyOfDemo(env.path() / "kbs");
    fs::remove(ComponentPath(noKbdSets, Kind::KbdSet));
    env.Store("RecentSet1", PathToQString(noFolder));
    env.Store("RecentSet2", PathToQString(noArrangements));
    env.Store("RecentSet3", PathToQString(noKbdSets));
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(RejectDialog());
    QVERIFY(frame.Start(env.options));
    auto* recent = frame.findChild<QMenu*>("mnuFRecent");
    const auto choose = [recent](int entry) {
      Q_EMIT recent->aboutToShow();
      recent->actions().at(entry)->trigger();
    };
    QStringList asked;
    const auto answer = [&asked](QMessageBox::StandardButton button) {
      return [&asked, button](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        asked << message->windowTitle() + ": " + message->text();
        QCOMPARE(message->icon(), QMessageBox::Question);
        ClickMessageButton(button)(box);
      };
    };
    watcher.Then(answer(QMessageBox::No)).Then(answer(QMessageBox::Yes));
    choose(0);
    choose(1);
    QCOMPARE(asked,
             QStringList({"i40 Set Editor: The Set OLD is no longer in " +
                              PathToQString(noFolder.parent_path()) + ". Remove it from the list?",
                          "i40 Set Editor: The Set DEMO is no longer in " +
                              PathToQString(noArrangements.parent_path()) +
                              ". Remove it from the list?"}));
    QVERIFY(!fs::exists(noFolder.parent_path()));
    QVERIFY(!fs::exists(ComponentPath(noArrangements, Kind::Arrangement)));
    QVERIFY(frame.setWindows().isEmpty());
    // No keeps the entry, Yes takes it off.
    Q_EMIT recent->aboutToShow();
    QCOMPARE(recent->actions().size(), 2);
    QCOMPARE(recent->actions().at(1)->text(), "&2 " + PathToQString(noKbdSets));

    QString missing;
    watcher.Then([&missing](QWidget* box) {
      missing = qobject_cast<QMessageBox*>(box)->text();
      ClickMessageButton(QMessageBox::Cancel)(box);
    });
    choose(1);
    QCOMPARE(missing, QString("DEMO.KBS is missing.\nCreate it?"));
    QVERIFY(frame.setWindows().isEmpty() && !fs::exists(ComponentPath(noKbdSets, Kind::KbdSet)));
    QCOMPARE(watcher.unexpected(), 0);
  }

  void closingAChangedSetAsksAndCancelKeepsTheProgramRunning() {
    DemoSession s;
    const auto programFile = ComponentPath(DemoSet(), Kind::Program);
    const auto written = fs::last_write_time(programFile);
    s.ws().sets.Entry(SetSlot{1}).Modified[static_cast<std::size_t>(Kind::Program)] = true;

    s.watcher.Then(ClickMessageButton(QMessageBox::Cancel));
    QVERIFY(!s.frame->close());
    QVERIFY(s.frame->isVisible() && s.ws().sets.InUse(SetSlot{1}));
    QCOMPARE(s.frame->setWindows().size(), 1);
    QCOMPARE(s.env.settings.allKeys().size(), 1);  // nothing written while the program runs on

    // No: the Set closes unsaved, the frame closes, the settings are written once.
    s.watcher.Then(ClickMessageButton(QMessageBox::No));
    QVERIFY(s.frame->close());
    QCOMPARE(s.watcher.seen(), QStringList({"msgBox", "msgBox"}));
    QVERIFY(!s.ws().sets.AnySetOpen());
    QCOMPARE(s.env.Stored("OldSetNam"), PathToQString(DemoSet()));
    QCOMPARE(s.env.Stored("PathNam"), PathToQString(DemoSet().parent_path().parent_path()));
    QVERIFY(fs::last_write_time(programFile) == written);
  }

  void newSetIsSavedAsANamedSetThenSavedAndClosesWithoutAQuestion() {
    TestEnvironment env;
    MainWindow frame(env.store);
    ModalWatcher watcher;
    watcher.Then(RejectDialog());
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
    // The outcome shows in the status bar.
    QCOMPARE(frame.statusBar()->currentMessage(),
             "MYSET saved in " + PathToQString(frame.workspace().sets.Entry(SetSlot{1}).Dir));

    // Save writes what changed.
    const auto styles = ComponentPath(QStringToPath(destination), Kind::Style);
    fs::remove(styles);
    frame.workspace().sets.Entry(SetSlot{1}).Modified[static_cast<std::size_t>(Kind::Style)] = true;
    window->Refresh();
    QVERIFY(window->isWindowModified());
    frame.statusBar()->clearMessage();
    Entry(frame, "mnuFSave")->trigger();
    QVERIFY(fs::exists(styles));
    QVERIFY(!window->isWindowModified());
    QCOMPARE(frame.statusBar()->currentMessage(), QString("MYSET saved"));
    // Nothing to save: nothing said.
    frame.statusBar()->clearMessage();
    Entry(frame, "mnuFSave")->trigger();
    QCOMPARE(frame.statusBar()->currentMessage(), QString());

    // An unchanged Set closes without a question; the menus go back to the frame's.
    Entry(frame, "mnuFClose")->trigger();
    QCOMPARE(watcher.seen(), QStringList({"dlgOpen", "dlgSave"}));
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

    s.watcher.Then(ClickButton("cmdOK"));  // Help > About is a box to read, with OK
    Entry(frame, "mnuHAbout")->trigger();
    QCOMPARE(s.watcher.seen(), QStringList({"FOptions", "FTip", "FAbout"}));

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
      watcher.Then(ClickMessageButton(QMessageBox::Ok)).Then(ClickMessageButton(QMessageBox::Ok));
      QVERIFY(!frame.Start(env.options));
      QVERIFY(!frame.isVisible() && frame.startUpAbout() == nullptr);
      // The core's messages (tested there): two on the template's file, one on the names.
      QCOMPARE(watcher.seen().size(), noTemplate ? 2 : 1);
      frame.close();
      QCOMPARE(env.settings.allKeys().size(), 1);  // only what the test stored
    }
  }
};

[[maybe_unused]] const bool kRegistered = RegisterSuite<MainWindowTest>("MainWindow");

}  // namespace i40::app::test

#include "main_window_test.moc"
