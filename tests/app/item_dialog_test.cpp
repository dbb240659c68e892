// The item dialogs as the user meets them: opened from Details and by a double click,
// their widgets bound to the core's model by the controls' names, OK applying through
// the edit engine. What the models show and write is tested in the core.

#include "dialogs/item_dialog.h"
#include "details/item_details.h"
#include "shell/qt_prompter.h"
#include "support/demo_session.h"
#include "support/items.h"

namespace i40::app::test {
namespace {

ModalWatcher::Handler Expect(const char* form, const QString& title,
                             std::function<void(QDialog*)> then = {}) {
  return [form, title, then](QWidget* window) {
    QCOMPARE(NameAndTitle(*window), form + QString(": ") + title);
    auto* dialog = qobject_cast<QDialog*>(window);
    QVERIFY(dialog != nullptr);
    if (then) then(dialog);
  };
}

class ItemDialogsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void detailsAndDoubleClickOpenTheDialogOfTheSelectedItem() {
    DemoSession s;
    // Each tab's first item: Details, then a double click, open its dialog.
    const std::pair<const char*, const char*> tabs[] = {{"FParArr", "Arrangement C11 in DEMO"},
                                                        {"FParSty", "Style C11 in DEMO"},
                                                        {"FParPrg", "Program F11 in DEMO"},
                                                        {"FParBsq", "Backing Sequence 0 in DEMO"}};
    constexpr Kind kTabs[] = {Kind::Arrangement, Kind::Style, Kind::Program, Kind::BackingSequence};
    for (int tab = 0; tab < 4; ++tab) {
      const auto& [form, title] = tabs[tab];
      s.window->tabs()->setCurrentIndex(tab);
      s.window->Select(kTabs[tab], 0);
      s.watcher.Then(Expect(form, title, [](QDialog* d) {
        QVERIFY(d->findChild<QLineEdit*>("txtNam")->isEnabled());
        d->findChild<QPushButton*>("cmdCancel")->click();
      }));
      s.entry("mnuEDetails")->trigger();
      s.watcher.Then(Expect(form, title, [](QDialog* d) { d->reject(); }));
      QWidget* page = s.window->tabs()->widget(tab);
      auto* list = page->findChild<QListWidget*>();
      if (tab == 3) DoubleClickAt(list->viewport(), list->visualItemRect(list->item(0)).center());
      if (tab != 3) DoubleClickCell(page->findChild<QTableWidget*>(), 0, 0);
      QCOMPARE(s.watcher.seen().size(), 2 * tab + 2);  // both, for each tab
    }

    // An empty slot opens nothing; a preset opens greyed, its callers kept.
    const auto seen = s.watcher.seen().size();
    s.window->tabs()->setCurrentIndex(0);
    s.window->Select(Kind::Arrangement, 40);
    s.entry("mnuEDetails")->trigger();
    QCOMPARE(s.watcher.seen().size(), seen);
    s.banks(0, "cboArrBnk")->setCurrentIndex(0);
    s.watcher.Then(Expect("FParArr", "Arrangement A11 in DEMO", [](QDialog* d) {
      QVERIFY(!d->findChild<QLineEdit*>("txtNam")->isEnabled() &&
              !d->findChild<QComboBox*>("cboKick")->isEnabled());
      QVERIFY(d->findChild<QListWidget*>("lstCalled")->isEnabled());
      d->reject();
    }));
    DoubleClickCell(s.grid(0, "grdArr"), 0, 0);
    QCOMPARE(s.watcher.seen().size(), seen + 1);
  }

  void okWritesTheChangeAsOneUndoableEdit() {
    DemoSession s;
    const ArrangementRecord before = s.files().arrangements.records[0];
    s.window->Select(Kind::Arrangement, 0);
    s.watcher.Then(Expect("FParArr", "Arrangement C11 in DEMO", [](QDialog* d) {
      auto* name = d->findChild<QLineEdit*>("txtNam");
      QCOMPARE(name->text(), QString("Pop Ballad      "));  // all sixteen characters
      name->selectAll();
      QTest::keyClicks(name, "  Morning Song");
      QCOMPARE(name->text(), QString("Morning Song"));  // leading blanks go as typed
      auto* kick = d->findChild<QComboBox*>("cboKick");
      kick->setFocus();
      QTest::keyClick(kick, Qt::Key_Down);
      d->findChild<QPushButton*>("cmdOK")->click();
    }));
    s.entry("mnuEDetails")->trigger();
    ArrangementRecord expected = before;
    std::ranges::copy(std::string_view("Morning Song    "), expected.bytes.begin());
    ++expected.bytes[34];
    QVERIFY(s.files().arrangements.records[0] == expected &&
            s.grid(0, "grdArr")->item(0, 0)->text().contains("Morning Song"));
    s.entry("mnuEUndo")->trigger();
    QVERIFY(s.files().arrangements.records[0] == before &&
            s.grid(0, "grdArr")->item(0, 0)->text().contains("Pop Ballad"));
  }

  // A name is single-byte text: the box shows one character a byte (a line break as its
  // picture), and an OK that changed another control leaves the name's bytes alone. A
  // pasted name keeps 16 characters after its leading blanks, as a typed one does.
  void namesShowByteForByteAndPastedOnesKeepSixteen() {
    DemoSession s;
    const std::string bytes =
        "Caf\xC3\xA9 A\nB\rC\xE2\x82\xAC"
        "D ";
    s.files().arrangements.records[1].SetName(bytes);
    s.window->Select(Kind::Arrangement, 1);
    s.watcher.Then(Expect("FParArr", "Arrangement C12 in DEMO", [](QDialog* d) {
      QCOMPARE(d->findChild<QLineEdit*>("txtNam")->text(),
               QString::fromUtf16(u"Caf\u00C3\u00A9 A\u240AB\u240DC\u00E2\u0082\u00ACD "));
      d->findChild<QSpinBox*>("txtTempo")->setValue(96);
      d->findChild<QPushButton*>("cmdOK")->click();
    }));
    s.entry("mnuEDetails")->trigger();
    QCOMPARE(s.files().arrangements.records[1].Name(), bytes);
    QCOMPARE(s.files().arrangements.records[1].bytes[22], std::uint8_t{96 - 30});

    s.watcher.Then(Expect("FParArr", "Arrangement C12 in DEMO", [](QDialog* d) {
      auto* name = d->findChild<QLineEdit*>("txtNam");
      QApplication::clipboard()->setText("   ABCDEFGHIJKLMNOPQRSTUVWX");
      name->selectAll();
      name->paste();
      QCOMPARE(name->text(), QString("ABCDEFGHIJKLMNOP"));
      d->findChild<QPushButton*>("cmdOK")->click();
    }));
    s.entry("mnuEDetails")->trigger();
    QCOMPARE(s.files().arrangements.records[1].Name(), std::string("ABCDEFGHIJKLMNOP"));
    s.ws().sets.Entry(SetSlot{1}).Modified = {};  // nothing to save on closing
  }

  void aRefusedOkKeepsTheDialogOpen() {
    DemoSession s;
    const BsqRecord before = s.files().backingSequences.records[0];
    s.window->tabs()->setCurrentIndex(3);
    s.window->Select(Kind::BackingSequence, 0);
    bool stillOpen = false;
    s.watcher.Then(Expect("FParBsq", "Backing Sequence 0 in DEMO", [&](QDialog* d) {
      auto* next = d->findChild<QLineEdit*>("txtNxt");
      next->selectAll();
      QTest::keyClicks(next, "12");
      d->findChild<QPushButton*>("cmdOK")->click();  // refused: the message comes and goes
      stillOpen = d->isVisible();
      d->findChild<QPushButton*>("cmdCancel")->click();
    }));
    s.watcher.Then([](QWidget* box) {
      QCOMPARE(qobject_cast<QMessageBox*>(box)->icon(), QMessageBox::Warning);
      ClickMessageButton(QMessageBox::Ok)(box);
    });
    s.entry("mnuEDetails")->trigger();
    QVERIFY(stillOpen);
    QCOMPARE(s.watcher.seen(), QStringList({"FParBsq", "msgBox"}));
    QVERIFY(s.files().backingSequences.records[0] == before);
  }

  void theKeyboardStepsAndOpensThePickers() {
    DemoSession s;
    const auto images = s.files();
    s.window->Select(Kind::Arrangement, 0);
    QStringList pickers;
    s.watcher.Then(Expect("FParArr", "Arrangement C11 in DEMO", [&](QDialog* d) {
      auto* tempo = d->findChild<QSpinBox*>("txtTempo");
      const int was = tempo->value();
      tempo->setFocus();
      QTest::keyClick(tempo, Qt::Key_Up);
      QCOMPARE(tempo->value(), was + 1);
      auto* style = d->findChild<QWidget*>("lblSty");
      style->setFocus();
      QTest::keyClick(style, Qt::Key_Space);
      auto* programs = d->findChild<QListWidget*>("lstPrg");
      programs->setFocus();
      programs->setCurrentRow(2);
      QTest::keyClick(programs, Qt::Key_Return);
      QTest::keyClick(d, Qt::Key_Escape);
    }));
    for (int picker = 0; picker < 2; ++picker)
      s.watcher.Then([&](QWidget* shown) { pickers << shown->objectName(); });
    s.entry("mnuEDetails")->trigger();
    QCOMPARE(pickers, QStringList({"FInSty", "FInPrg"}));
    QVERIFY(s.files().arrangements.records == images.arrangements.records &&
            !s.ws().sets.Entry(SetSlot{1}).Modified[0]);
  }

  void globalDialogsOpenFromTheirButtonsAndSendClosesFirst() {
    DemoSession s;
    auto* page = s.window->tabs()->widget(0);
    s.watcher.Then(Expect("FParArg", "Arrangement Global in DEMO", [](QDialog* d) {
      auto* channels = d->findChild<QListWidget*>("lstMidi");
      channels->setCurrentRow(3);
      QTest::keyClick(channels, Qt::Key_Return);  // the channel list comes up
      QCOMPARE(channels->item(3)->text(), QString("Drums : 5"));
      QVERIFY(d->findChild<QWidget*>("optRecog(2)") != nullptr &&
              !d->findChild<QWidget*>("fraVelo")->isVisible());
      d->findChild<QPushButton*>("cmdOK")->click();
    }));
    s.watcher.Then(Expect("FInMidCh", "MIDI Channel Selection", [](QDialog* d) {
      d->findChild<QComboBox*>("cboMidCh")->setCurrentIndex(4);
      d->accept();
    }));
    page->findChild<QPushButton*>("cmdArg")->click();
    QCOMPARE(s.files().arrangementGlobal.record[3], std::uint8_t{4});
    QVERIFY(s.ws()
                .sets.Entry(SetSlot{1})
                .Modified[static_cast<std::size_t>(KindIndex(Kind::ArrangementGlobal))]);

    // Send closes the dialog, then finds no MIDI device but the dry run.
    bool shown = false;
    bool closedFirst = false;
    QPointer<QDialog> global;
    s.watcher.Then(Expect("FParGbl", "Global in DEMO", [&](QDialog* d) {
      global = d;
      shown = true;
      d->findChild<QPushButton*>("cmdSend")->click();
    }));
    s.watcher.Then([&](QWidget* box) {
      closedFirst = shown && (global.isNull() || !global->isVisible()) &&
                    qobject_cast<QMessageBox*>(box) != nullptr;
    });
    s.watcher.Then(RejectDialog());  // the MIDI setup
    page->findChild<QPushButton*>("cmdGbl")->click();
    QVERIFY(closedFirst);
  }

  void screenshotsOfTheDialogs() {
    DemoSession s;
    const std::tuple<Kind, int, const char*> shots[] = {
        {Kind::Arrangement, 256, "dialog_arrangement.png"},
        {Kind::Style, 256, "dialog_style.png"},
        {Kind::Program, 770, "dialog_program.png"},
        {Kind::BackingSequence, 0, "dialog_backing_sequence.png"},
        {Kind::ArrangementGlobal, 0, "dialog_arrangement_global.png"},
        {Kind::Global, 0, "dialog_global.png"}};
    for (const auto& [kind, position, file] : shots) {
      auto model = OpenItemDialog(s.ws(), SetSlot{1}, kind, i40::test::ItemAt(kind, position));
      QVERIFY(model.has_value());
      ItemDialog dialog(*model, s.frame->prompter());
      dialog.setModal(false);  // shown, not run: the session's watcher leaves it alone
      dialog.show();
      QVERIFY2(QTest::qWaitForWindowExposed(&dialog), file);
      Picture(dialog, file);
      QCOMPARE(Unnamed(dialog), QStringList());  // every control can be told apart
      dialog.reject();
    }
  }
};

}  // namespace

[[maybe_unused]] const bool kRegistered = RegisterSuite<ItemDialogsTest>("ItemDialogs");

}  // namespace i40::app::test

#include "item_dialog_test.moc"
