// The item dialogs as the user meets them: opened from Details and by a double click,
// their widgets bound to the core's model by the controls' names, OK applying through
// the edit engine. What the models show and write is tested in the core.
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "demo_session.h"
#include "dialogs/dialog_model.h"
#include "dialogs/item_dialog.h"
#include "edit/edit_engine.h"
#include "shell/qt_prompter.h"
#include "test_suites.h"
#include "test_support.h"

namespace i40::app::test {
namespace {

ModalWatcher::Handler Expect(const char* form, const QString& title,
                             std::function<void(QDialog*)> then = {}) {
  return [form, title, then](QWidget* window) {
    QCOMPARE(window->objectName(), QString(form));
    QCOMPARE(window->windowTitle(), title);
    auto* dialog = qobject_cast<QDialog*>(window);
    QVERIFY(dialog != nullptr);
    if (then) then(dialog);
  };
}

template <typename W>
W* Child(QWidget* dialog, const char* name) {
  W* widget = dialog->findChild<W*>(name);
  if (widget == nullptr) qWarning("no %s", name);
  return widget;
}

void DoubleClickLine(QListWidget* list, int row) {
  const QPoint at = list->visualItemRect(list->item(row)).center();
  DoubleClickAt(list->viewport(), at);
}

class ItemDialogsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void detailsAndDoubleClickOpenTheDialogOfTheSelectedItem() {
    DemoSession s;
    struct Tab {
      int tab;
      const char* form;
      const char* title;
    };
    const Tab tabs[] = {{0, "FParArr", "Arrangement C11 in DEMO"},
                        {1, "FParSty", "Style C11 in DEMO"},
                        {2, "FParPrg", "Program F11 in DEMO"},
                        {3, "FParBsq", "Backing Sequence 0 in DEMO"}};
    for (const Tab& t : tabs) {
      s.window->tabs()->setCurrentIndex(t.tab);
      s.window->Select(t.tab, 0);
      s.watcher.Then(Expect(t.form, t.title, [](QDialog* d) {
        QVERIFY(Child<QLineEdit>(d, "txtNam")->isEnabled());
        Child<QPushButton>(d, "cmdCancel")->click();
      }));
      s.entry("mnuEDetails")->trigger();
      QCOMPARE(s.watcher.seen().last(), QString(t.form));

      s.watcher.Then(Expect(t.form, t.title, [](QDialog* d) { d->reject(); }));
      if (t.tab == 3) {
        DoubleClickLine(s.window->tabs()->widget(3)->findChild<QListWidget*>(), 0);
      } else {
        DoubleClickCell(s.window->tabs()->widget(t.tab)->findChild<QTableWidget*>(), 0, 0);
      }
      QCOMPARE(s.watcher.pending(), std::size_t{0});
    }
    QCOMPARE(s.watcher.unexpected(), 0);

    // An empty slot opens nothing; a preset opens greyed, its callers kept.
    const auto seen = s.watcher.seen().size();
    s.window->tabs()->setCurrentIndex(0);
    s.window->Select(0, 40);
    s.entry("mnuEDetails")->trigger();
    QCOMPARE(s.watcher.seen().size(), seen);
    s.banks(0, "cboArrBnk")->setCurrentIndex(0);
    s.watcher.Then(Expect("FParArr", "Arrangement A11 in DEMO", [](QDialog* d) {
      QVERIFY(!Child<QLineEdit>(d, "txtNam")->isEnabled());
      QVERIFY(!Child<QComboBox>(d, "cboKick")->isEnabled());
      QVERIFY(Child<QListWidget>(d, "lstCalled")->isEnabled());
      d->reject();
    }));
    DoubleClickCell(s.grid(0, "grdArr"), 0, 0);
    QCOMPARE(s.watcher.seen().size(), seen + 1);
    QCOMPARE(s.watcher.unexpected(), 0);
  }

  void okWritesTheChangeAsOneUndoableEdit() {
    DemoSession s;
    const ArrangementRecord before = s.files().arrangements.records[0];
    s.window->Select(0, 0);
    s.watcher.Then(Expect("FParArr", "Arrangement C11 in DEMO", [](QDialog* d) {
      auto* name = Child<QLineEdit>(d, "txtNam");
      QCOMPARE(name->text(), QString("Pop Ballad"));  // the padding is not in the way
      name->selectAll();
      QTest::keyClicks(name, "  Morning Song");
      QCOMPARE(name->text(), QString("Morning Song"));  // leading blanks go as typed
      auto* kick = Child<QComboBox>(d, "cboKick");
      kick->setFocus();
      QTest::keyClick(kick, Qt::Key_Down);
      Child<QPushButton>(d, "cmdOK")->click();
    }));
    s.entry("mnuEDetails")->trigger();
    const ArrangementRecord& after = s.files().arrangements.records[0];
    QCOMPARE(QString::fromStdString(after.Name()), QString("Morning Song    "));
    QCOMPARE(after.bytes[34], static_cast<std::uint8_t>(before.bytes[34] + 1));
    QVERIFY(s.grid(0, "grdArr")->item(0, 0)->text().contains("Morning Song"));
    QVERIFY(s.entry("mnuEUndo")->isEnabled());
    s.entry("mnuEUndo")->trigger();
    QVERIFY(s.files().arrangements.records[0] == before);
    QVERIFY(s.grid(0, "grdArr")->item(0, 0)->text().contains("Pop Ballad"));
  }

  void aRefusedOkKeepsTheDialogOpen() {
    DemoSession s;
    const BsqRecord before = s.files().backingSequences.records[0];
    s.window->tabs()->setCurrentIndex(3);
    s.window->Select(3, 0);
    QString shown;
    bool stillOpen = false;
    s.watcher.Then(Expect("FParBsq", "Backing Sequence 0 in DEMO", [&](QDialog* d) {
      auto* next = Child<QLineEdit>(d, "txtNxt");
      next->selectAll();
      QTest::keyClicks(next, "12");
      Child<QPushButton>(d, "cmdOK")->click();  // refused: the message comes and goes
      stillOpen = d->isVisible();
      Child<QPushButton>(d, "cmdCancel")->click();
    }));
    s.watcher.Then([&](QWidget* box) {
      auto* message = qobject_cast<QMessageBox*>(box);
      QVERIFY(message != nullptr);
      shown = message->text();
      QCOMPARE(message->icon(), QMessageBox::Warning);
      message->button(QMessageBox::Ok)->click();
    });
    s.entry("mnuEDetails")->trigger();
    QVERIFY(stillOpen);
    QCOMPARE(shown, QString("Next Backing Sequence must be a number from 0 to 9"));
    QVERIFY(s.files().backingSequences.records[0] == before);
  }

  void theKeyboardStepsAndOpensThePickers() {
    DemoSession s;
    const auto images = s.files();
    s.window->Select(0, 0);
    QStringList pickers;
    s.watcher.Then(Expect("FParArr", "Arrangement C11 in DEMO", [&](QDialog* d) {
      auto* tempo = Child<QSpinBox>(d, "txtTempo");
      const int was = tempo->value();
      tempo->setFocus();
      QTest::keyClick(tempo, Qt::Key_Up);
      QCOMPARE(tempo->value(), was + 1);
      auto* style = Child<QWidget>(d, "lblSty");
      style->setFocus();
      QTest::keyClick(style, Qt::Key_Space);
      auto* programs = Child<QListWidget>(d, "lstPrg");
      programs->setFocus();
      programs->setCurrentRow(2);
      QTest::keyClick(programs, Qt::Key_Return);
      QTest::keyClick(d, Qt::Key_Escape);
    }));
    s.watcher.Then([&](QWidget* picker) {
      pickers << picker->objectName();
      static_cast<QDialog*>(picker)->reject();
    });
    s.watcher.Then([&](QWidget* picker) {
      pickers << picker->objectName();
      static_cast<QDialog*>(picker)->reject();
    });
    s.entry("mnuEDetails")->trigger();
    QCOMPARE(pickers, QStringList({"FInSty", "FInPrg"}));
    QVERIFY(s.files().arrangements.records == images.arrangements.records);
    QVERIFY(!s.ws().sets.Entry(1).Modified[0]);
  }

  void globalDialogsOpenFromTheirButtonsAndSendClosesFirst() {
    DemoSession s;
    auto* page = s.window->tabs()->widget(0);
    s.watcher.Then(Expect("FParArg", "Arrangement Global in DEMO", [](QDialog* d) {
      auto* channels = Child<QListWidget>(d, "lstMidi");
      QCOMPARE(channels->count(), 16);
      channels->setCurrentRow(3);
      QTest::keyClick(channels, Qt::Key_Return);  // the channel list comes up
      QCOMPARE(channels->item(3)->text(), QString("Drums : 5"));
      QVERIFY(Child<QWidget>(d, "optRecog(2)") != nullptr);
      QVERIFY(!Child<QWidget>(d, "fraVelo")->isVisible());
      Child<QPushButton>(d, "cmdOK")->click();
    }));
    s.watcher.Then(Expect("FInMidCh", "MIDI Channel Selection", [](QDialog* d) {
      Child<QComboBox>(d, "cboMidCh")->setCurrentIndex(4);
      d->accept();
    }));
    page->findChild<QPushButton*>("cmdArg")->click();
    QCOMPARE(s.files().arrangementGlobal.record[3], std::uint8_t{4});
    QVERIFY(s.ws().sets.Entry(1).Modified[static_cast<std::size_t>(
        KindIndex(Kind::ArrangementGlobal))]);

    // Send closes the dialog, then finds no MIDI device but the dry run.
    bool shown = false;
    bool closedFirst = false;
    QPointer<QDialog> global;
    s.watcher.Then(Expect("FParGbl", "Global in DEMO", [&](QDialog* d) {
      QCOMPARE(Child<QComboBox>(d, "cboPeds(0)")->count(), 45);
      global = d;
      shown = true;
      Child<QPushButton>(d, "cmdSend")->click();
    }));
    s.watcher.Then([&](QWidget* box) {
      closedFirst = shown && (global.isNull() || !global->isVisible());
      QCOMPARE(qobject_cast<QMessageBox*>(box)->text(), QString("No MIDI driver is present"));
    });
    s.watcher.Then(RejectDialog());  // the MIDI setup
    page->findChild<QPushButton*>("cmdGbl")->click();
    QVERIFY(closedFirst);
    QCOMPARE(s.watcher.unexpected(), 0);
  }

  void screenshotsOfTheDialogs() {
    DemoSession s;
    struct Shot {
      Kind kind;
      int position;
      const char* file;
    };
    const Shot shots[] = {{Kind::Arrangement, 256, "dialog_arrangement.png"},
                          {Kind::Style, 256, "dialog_style.png"},
                          {Kind::Program, 770, "dialog_program.png"},
                          {Kind::BackingSequence, 0, "dialog_backing_sequence.png"},
                          {Kind::ArrangementGlobal, 0, "dialog_arrangement_global.png"},
                          {Kind::Global, 0, "dialog_global.png"}};
    for (const Shot& shot : shots) {
      auto model = OpenItemDialog(s.ws(), 1, shot.kind, shot.position);
      QVERIFY(model.has_value());
      ItemDialog dialog(*model, s.frame->prompter());
      dialog.setModal(false);  // shown, not run: the session's watcher leaves it alone
      dialog.show();
      QVERIFY2(QTest::qWaitForWindowExposed(&dialog), shot.file);
      const QString file = ScreenshotPath(shot.file);
      QFile::remove(file);
      QVERIFY(dialog.grab().save(file));
      QVERIFY(!QImage(file).isNull());
      dialog.reject();
    }
  }
};

}  // namespace

std::unique_ptr<QObject> MakeItemDialogsTest() {
  return std::make_unique<ItemDialogsTest>();
}

}  // namespace i40::app::test

#include "item_dialog_test.moc"
