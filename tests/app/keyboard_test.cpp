// The keyboard reaches everything: the focus goes to the items of the window in front,
// Tab leaves a grid and the arrows move in it, Enter opens Details, Ctrl+F4 and Ctrl+W
// close, Escape closes the report and help windows, and no window has two controls on
// one Alt+letter. Every window fits a 1280x800 screen.
#include "compare/compare_window.h"
#include "details/item_details.h"
#include "dialog_model/dialog_model.h"
#include "dialogs/item_dialog.h"
#include "dialogs/list_choice_dialog.h"
#include "dialogs/midi_setup_dialog.h"
#include "pickers/item_picker.h"
#include "report/report_window.h"
#include "shell/about_dialog.h"
#include "shell/help_window.h"
#include "shell/options_dialog.h"
#include "shell/qt_prompter.h"
#include "shell/tip_dialog.h"
#include "support/demo_session.h"
#include "support/items.h"

namespace i40::app::test {
namespace {

QString Report(const QStringList& clashes) {
  return clashes.join("; ");
}

}  // namespace

class KeyboardTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void theWindowInFrontTakesTheKeyboardInItsItems() {
    DemoSession s;
    SetWindow* copy = s.frame->OpenSetWindow(false, CopyOfDemo(s.env.path() / "copy"));
    QVERIFY(copy != nullptr);
    s.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.frame.get()));
    // The copy is in front, and its grid has the keyboard.
    QTRY_COMPARE(
        QApplication::focusWidget(),
        static_cast<QWidget*>(copy->tabs()->widget(0)->findChild<QTableWidget*>("grdArr")));
    QCOMPARE(s.frame->setArea()->activeSubWindow(), copy);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QTRY_COMPARE(s.frame->setArea()->activeSubWindow(), s.window);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.grid(0, "grdArr")));

    // The arrows move between the cells; Tab leaves the grid.
    QTableWidget* grid = s.grid(0, "grdArr");
    grid->setCurrentCell(0, 0);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(std::pair(grid->currentRow(), grid->currentColumn()), std::pair(1, 1));
    QTest::keyClick(grid, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != grid);
    QCOMPARE(std::pair(grid->currentRow(), grid->currentColumn()), std::pair(1, 1));

    // Enter and Alt+Return open Details of the current item (C16 here).
    QString opened;
    const auto record = [&opened](QWidget* dialog) {
      opened = dialog->objectName() + ": " + dialog->windowTitle();
    };
    grid->setFocus();
    s.watcher.Then(record);
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(opened, QString("FParArr: Arrangement C16 in DEMO"));
    QCOMPARE(s.window->editAction(kDetails)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Return));
    opened.clear();
    s.watcher.Then(record);
    s.window->editAction(kDetails)->trigger();
    QCOMPARE(opened, QString("FParArr: Arrangement C16 in DEMO"));

    // The Songs and KBD Sets have no dialog: Details is greyed there, and so is every
    // dump of the Songs, which hold no data.
    for (const int tab : {4, 5}) {
      s.window->tabs()->setCurrentIndex(tab);
      QVERIFY(!s.window->editAction(kDetails)->isEnabled());
      QCOMPARE(s.window->sysExFileAction()->isEnabled(), tab == 5);
    }

    // Ctrl+F4 and Ctrl+W close the window in front; the other takes the room.
    s.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.frame.get()));
    QTest::keyClick(s.frame.get(), Qt::Key_F4, Qt::ControlModifier);
    QTRY_COMPARE(s.frame->setWindows().size(), 1);
    QTRY_COMPARE(copy->geometry().height(), s.frame->setArea()->viewport()->height());
    QTest::keyClick(s.frame.get(), Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY(s.frame->setWindows().isEmpty());
  }

  // Every window: no two controls on one Alt+letter, the whole of it on a 1280x800
  // screen, its title not cut.
  void noWindowHasTwoControlsOnOneAltLetter() {
    DemoSession s;
    s.frame->showNormal();
    s.frame->resize(1280, 800);
    for (int tab = 0; tab < 6; ++tab) {
      s.window->tabs()->setCurrentIndex(tab);
      QVERIFY2(MnemonicClashes(*s.frame).isEmpty(), qPrintable(Report(MnemonicClashes(*s.frame))));
    }
    QList<QWidget*> windows;
    std::vector<DialogModel> models;
    for (const auto& [kind, position] :
         std::initializer_list<std::pair<Kind, int>>{{Kind::Arrangement, 256},
                                                     {Kind::Style, 256},
                                                     {Kind::Program, 770},
                                                     {Kind::BackingSequence, 0},
                                                     {Kind::ArrangementGlobal, 0},
                                                     {Kind::Global, 0}}) {
      models.push_back(
          *OpenItemDialog(s.ws(), SetSlot{1}, kind, i40::test::ItemAt(kind, position)));
    }
    for (DialogModel& model : models)
      windows << new ItemDialog(model, s.frame->prompter(), s.frame.get());
    const ItemSources from{s.ws().presets, s.files()};
    for (const Kind kind : {Kind::Arrangement, Kind::Style, Kind::Program})
      windows << new ItemPicker(kind, from, ItemNumber{256}, QString(), s.frame.get());
    windows << new ListChoiceDialog(
        {"Select Destination Arrangement Bank", "Preset Bank", {"A", "B"}, 0}, s.frame.get());
    windows << new MidiSetupDialog({{"JACK: out"}, {"JACK: in"}, 0, 0}, s.frame.get());
    windows << new OptionsDialog(s.ws().settings, s.frame.get());
    windows << new TipDialog(std::nullopt, true, s.frame.get());
    windows << new AboutDialog(s.frame.get());
    windows << new ReportWindow(s.ws(), s.frame->prompter(), SetSlot{1}, "DEMO", "report",
                                s.frame.get());
    windows << new CompareWindow("A", "B", {}, s.frame.get());
    windows << new CompareChooser(s.ws(), s.frame->prompter(), SetSlot{1}, s.frame.get());
    s.frame->ShowHelp();
    windows << s.frame->helpWindow();
    const QRect screen = s.frame->screen()->availableGeometry();
    for (QWidget* window : windows) {
      window->setWindowModality(Qt::NonModal);  // shown, not run
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window));
      const QString name = window->objectName();
      const QStringList clashes = MnemonicClashes(*window);
      QVERIFY2(clashes.isEmpty(), qPrintable(name + ": " + Report(clashes)));
      QVERIFY2(window->width() <= screen.width() && window->height() <= screen.height(),
               qPrintable(name));
      QVERIFY2(window->width() >=
                   QFontMetrics(window->font()).horizontalAdvance(window->windowTitle()) + 100,
               qPrintable(name + " is narrower than its title"));
    }
    // The report and the help window close on Escape.
    QWidget* report = windows.at(windows.size() - 4);
    for (QWidget* window : windows) {
      if (window != report && window != windows.last()) window->close();
    }
    for (QWidget* window : {report, windows.last()}) {
      window->raise();
      window->activateWindow();
      QTRY_COMPARE(QApplication::activeWindow(), window);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      QTRY_VERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }
  }
};

[[maybe_unused]] const bool kRegistered = RegisterSuite<KeyboardTest>("Keyboard");

}  // namespace i40::app::test

#include "keyboard_test.moc"
