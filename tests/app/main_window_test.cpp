#include <QMdiArea>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "shell/main_window.h"

namespace i40::app {

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void captionIsTheProgramTitle() {
    MainWindow frame;
    QCOMPARE(frame.windowTitle(), QString("Korg-i40 Set Editor"));
    QCOMPARE(frame.objectName(), QString("FMain"));
    QVERIFY(frame.setArea() != nullptr);
    QCOMPARE(frame.centralWidget(), frame.setArea());
  }

  void opensAndClosesCleanly() {
    MainWindow frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(frame.isVisible());
    QVERIFY(frame.close());
    QVERIFY(!frame.isVisible());
  }

  void exitEntryClosesTheFrame() {
    MainWindow frame;
    frame.show();
    auto* exit = frame.findChild<QAction*>("mnuFExit");
    QVERIFY(exit != nullptr);
    QCOMPARE(exit->shortcut(), QKeySequence(QKeySequence::Quit));
    exit->trigger();
    QVERIFY(!frame.isVisible());
  }
};

}  // namespace i40::app

QTEST_MAIN(i40::app::MainWindowTest)
#include "main_window_test.moc"
