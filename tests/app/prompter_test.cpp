#include <QComboBox>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "format/set_paths.h"
#include "session/open_set.h"
#include "shell/progress_window.h"
#include "shell/qt_prompter.h"
#include "test_suites.h"
#include "test_support.h"

namespace i40::app::test {

class PrompterTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void iconsButtonsAndDefaultsMapOntoQt() {
    QCOMPARE(ToQtIcon(MessageIcon::None), QMessageBox::NoIcon);
    QCOMPARE(ToQtIcon(MessageIcon::Critical), QMessageBox::Critical);
    QCOMPARE(ToQtIcon(MessageIcon::Question), QMessageBox::Question);
    QCOMPARE(ToQtIcon(MessageIcon::Exclamation), QMessageBox::Warning);
    QCOMPARE(ToQtIcon(MessageIcon::Information), QMessageBox::Information);

    QCOMPARE(ToQtButtons(MessageButtons::Ok), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(ToQtButtons(MessageButtons::OkCancel), QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(ToQtButtons(MessageButtons::YesNo), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(ToQtButtons(MessageButtons::YesNoCancel),
             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    QCOMPARE(ToQtButton(Answer::Ok), QMessageBox::Ok);
    QCOMPARE(ToQtButton(Answer::Cancel), QMessageBox::Cancel);
    QCOMPARE(ToQtButton(Answer::Yes), QMessageBox::Yes);
    QCOMPARE(ToQtButton(Answer::No), QMessageBox::No);

    QCOMPARE(FromQtButton(QMessageBox::Ok, MessageButtons::OkCancel), Answer::Ok);
    QCOMPARE(FromQtButton(QMessageBox::Cancel, MessageButtons::OkCancel), Answer::Cancel);
    QCOMPARE(FromQtButton(QMessageBox::Yes, MessageButtons::YesNo), Answer::Yes);
    QCOMPARE(FromQtButton(QMessageBox::No, MessageButtons::YesNoCancel), Answer::No);
    // A box closed without a button answers with its way out.
    QCOMPARE(FromQtButton(QMessageBox::NoButton, MessageButtons::OkCancel), Answer::Cancel);
    QCOMPARE(FromQtButton(QMessageBox::NoButton, MessageButtons::YesNoCancel), Answer::Cancel);
    QCOMPARE(FromQtButton(QMessageBox::NoButton, MessageButtons::YesNo), Answer::No);
    QCOMPARE(FromQtButton(QMessageBox::NoButton, MessageButtons::Ok), Answer::Ok);
  }

  void messageBoxCarriesTheCoreTextsExactly() {
    const std::vector<Message> messages = {
        {"Save the changes in DEMO ?", "DEMO", MessageIcon::Exclamation,
         MessageButtons::YesNoCancel, Answer::Cancel},
        {"Arrangement duplicate name\nC25 - C11  (Pop Ballad)", "", MessageIcon::Exclamation,
         MessageButtons::Ok, Answer::Ok},
        {"Export Bank F of DEMO\nto Bank A of <X>.PRE?", "Export Bank to Preset File",
         MessageIcon::Question, MessageButtons::YesNo, Answer::No},
        {"KIT.KBS is missing.\nCreate it?", "Open a Set", MessageIcon::Exclamation,
         MessageButtons::OkCancel, Answer::Cancel},
        {"Error getting Style data.\n", "Error", MessageIcon::Critical, MessageButtons::Ok,
         Answer::Ok},
        {"Ready", "Information", MessageIcon::Information, MessageButtons::OkCancel, Answer::Ok},
        {"Plain", "", MessageIcon::None, MessageButtons::YesNo, Answer::Yes},
    };
    for (const Message& message : messages) {
      const auto box = MakeMessageBox(message, nullptr);
      QCOMPARE(box->text(), QString::fromStdString(message.text));
      QCOMPARE(box->textFormat(), Qt::PlainText);
      QCOMPARE(box->windowTitle(), QString::fromStdString(message.title));
      QCOMPARE(box->icon(), ToQtIcon(message.icon));
      QCOMPARE(box->standardButtons(), ToQtButtons(message.buttons));
      QVERIFY(box->defaultButton() != nullptr);
      QCOMPARE(box->defaultButton(), box->button(ToQtButton(message.defaultButton)));
    }
    // A name with a byte that is no UTF-8 is shown as the single-byte text it is.
    const auto box = MakeMessageBox({"Name Caf\xE9 is already in use.", "Warning",
                                     MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok},
                                    nullptr);
    QCOMPARE(box->text(), QString::fromLatin1("Name Caf\xE9 is already in use."));
  }

  void askReturnsTheButtonPressed() {
    Workspace ws;
    QtPrompter prompter(ws);
    ModalWatcher watcher;
    const Message question{"Save the changes in DEMO ?", "DEMO", MessageIcon::Exclamation,
                           MessageButtons::YesNoCancel, Answer::Cancel};
    watcher.Then(ClickMessageButton(QMessageBox::Yes));
    QCOMPARE(prompter.Ask(question), Answer::Yes);
    watcher.Then(ClickMessageButton(QMessageBox::No));
    QCOMPARE(prompter.Ask(question), Answer::No);
    watcher.Then(ClickMessageButton(QMessageBox::Cancel));
    QCOMPARE(prompter.Ask(question), Answer::Cancel);
    watcher.Then([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    QCOMPARE(prompter.Ask(question), Answer::Cancel);

    const Message okCancel{"Bank Erasing can't be undone\nContinue?", "", MessageIcon::Exclamation,
                           MessageButtons::OkCancel, Answer::Ok};
    watcher.Then(ClickMessageButton(QMessageBox::Ok));
    QCOMPARE(prompter.Ask(okCancel), Answer::Ok);
    watcher.Then([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    QCOMPARE(prompter.Ask(okCancel), Answer::Cancel);

    watcher.Then(ClickMessageButton(QMessageBox::Ok));
    prompter.ShowError("Unable to create file!");
    QCOMPARE(watcher.messageTitles().last(), QString("Error"));
    QCOMPARE(watcher.messageTexts().last(), QString("Unable to create file!"));
    QCOMPARE(watcher.seen().size(), 7);
    QCOMPARE(watcher.unexpected(), 0);
  }

  void fileDialogsFollowTheRequest() {
    Workspace ws;
    QtPrompter prompter(ws);
    ModalWatcher watcher;
    QTemporaryDir dir;
    QFile component(dir.filePath("SET.ARR"));
    QVERIFY(component.open(QIODevice::WriteOnly));
    component.close();

    QStringList expectedFilters{"All (*)"};
    for (Kind kind : kStoredKinds) {
      const QString ext = FromCore(KindExt(kind));
      expectedFilters << FromCore(KindName(kind)) + " (*" + ext + " *" + ext.toLower() + ")";
    }
    QCOMPARE(NameFilters(SetFileFilters()), expectedFilters);

    FileRequest open;
    open.title = "Select a Korg-i40 Set";
    open.initialDir = QStringToPath(dir.path());
    open.initialName = "*.*";
    open.filters = SetFileFilters();
    open.defaultExt = ".ARR";
    watcher.Then([&](QWidget* window) {
      auto* dialog = qobject_cast<QFileDialog*>(window);
      QVERIFY(dialog != nullptr);
      QCOMPARE(dialog->windowTitle(), QString("Select a Korg-i40 Set"));
      QCOMPARE(Canonical(dialog->directory().absolutePath()), Canonical(dir.path()));
      QCOMPARE(dialog->nameFilters(), expectedFilters);
      QCOMPARE(dialog->selectedNameFilter(), QString("All (*)"));
      QCOMPARE(dialog->defaultSuffix(), QString("ARR"));
      QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
      QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
      dialog->selectFile(dir.filePath("SET.ARR"));
      static_cast<QDialog*>(dialog)->accept();
    });
    const auto chosen = prompter.ChooseOpenFile(open);
    QVERIFY(chosen.has_value());
    QCOMPARE(Canonical(PathToQString(*chosen)), Canonical(dir.filePath("SET.ARR")));

    watcher.Then(RejectDialog());
    QVERIFY(!prompter.ChooseOpenFile(open).has_value());

    FileRequest save;
    save.title = "Select a Korg-i40 destination file (without extension)";
    save.initialDir = QStringToPath(dir.path());
    save.filters = SetFileFilters();
    save.defaultExt = "xxx";
    auto answerSave = [&](const QString& name) {
      return [&dir, &expectedFilters, name](QWidget* window) {
        auto* dialog = qobject_cast<QFileDialog*>(window);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(),
                 QString("Select a Korg-i40 destination file (without extension)"));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->nameFilters(), expectedFilters);
        QCOMPARE(dialog->defaultSuffix(), QString("xxx"));
        QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        dialog->selectFile(dir.filePath(name));
        static_cast<QDialog*>(dialog)->accept();
      };
    };
    // A name typed without extension comes back with the dialog's ".xxx".
    watcher.Then(answerSave("MYSET"));
    const auto saved = prompter.ChooseSaveFile(save);
    QVERIFY(saved.has_value());
    QCOMPARE(PathToQString(saved->filename()), QString("MYSET.xxx"));
    // An existing file is taken without a question of the dialog's own.
    watcher.Then(answerSave("SET.ARR"));
    const auto existing = prompter.ChooseSaveFile(save);
    QVERIFY(existing.has_value());
    QCOMPARE(PathToQString(existing->filename()), QString("SET.ARR"));
    QCOMPARE(watcher.seen(), QStringList({"dlgOpen", "dlgOpen", "dlgSave", "dlgSave"}));
  }

  void progressWindowShowsOnlyForWorkThatLasts() {
    Workspace ws;
    QWidget frame;
    QtPrompter prompter(ws, &frame);
    QVERIFY(prompter.progressWindow() == nullptr);

    prompter.SetProgressDelay(0);
    prompter.BeginProgress("Loading DEMO Files...", "", 0.001, 15.001);
    ProgressWindow* window = prompter.progressWindow();
    QVERIFY(window != nullptr);
    QCOMPARE(window->objectName(), QString("FProgBar"));
    QCOMPARE(window->windowTitle(), QString("Loading DEMO Files..."));
    QCOMPARE(window->label()->objectName(), QString("lblProgBar"));
    QCOMPARE(window->bar()->objectName(), QString("prbProgBar"));
    QVERIFY(window->isVisible());
    QVERIFY(!window->isModal());
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    prompter.SetProgress(1.001);
    QCOMPARE(window->bar()->value(), 67);  // 1 of 15, rounded
    prompter.SetProgress(7.501);
    QCOMPARE(window->bar()->value(), ProgressWindow::kSteps / 2);
    prompter.SetProgress(15.001);
    QCOMPARE(window->bar()->value(), ProgressWindow::kSteps);
    const QPointer<ProgressWindow> gone(window);
    prompter.EndProgress();
    QVERIFY(gone.isNull());
    QVERIFY(prompter.progressWindow() == nullptr);
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // Work that ends before the delay never shows its window.
    prompter.SetProgressDelay(3600 * 1000);
    prompter.BeginProgress("Loading QUICK Files...", "Reading", 0, 10);
    for (int step = 1; step <= 10; ++step)
      prompter.SetProgress(step);
    window = prompter.progressWindow();
    QVERIFY(window != nullptr);
    QVERIFY(!window->isVisible());
    QCOMPARE(window->label()->text(), QString("Reading"));
    QCOMPARE(window->bar()->value(), ProgressWindow::kSteps);
    prompter.EndProgress();
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // The core's opening of a Set ends its progress window on every way out.
    prompter.SetProgressDelay(0);
    ws.templateSet = EmptyTemplatePath(SourceData());
    ModalWatcher watcher;
    QCOMPARE(OpenSet(ws, prompter, true, {}), 1);
    QVERIFY(prompter.progressWindow() == nullptr);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(watcher.seen(), QStringList());
  }

  void chooseFromListReturnsTheIndexOrMinusOne() {
    Workspace ws;
    QtPrompter prompter(ws);
    ModalWatcher watcher;
    const ListChoice choice{"Select Destination Arrangement Bank", "Preset Bank", {"A", "B"}, 1};
    watcher.Then([](QWidget* window) {
      QCOMPARE(window->objectName(), QString("FInPrset"));
      QCOMPARE(window->windowTitle(), QString("Select Destination Arrangement Bank"));
      QCOMPARE(window->findChild<QLabel*>("lblBnk")->text(), QString("Preset Bank"));
      auto* list = window->findChild<QComboBox*>("cboBnk");
      QVERIFY(list != nullptr);
      QCOMPARE(list->count(), 2);
      QCOMPARE(list->itemText(0), QString("A"));
      QCOMPARE(list->currentIndex(), 1);
      QCOMPARE(window->findChild<QPushButton*>("cmdCancel")->text(), QString("&Cancel"));
      list->setCurrentIndex(0);
      window->findChild<QPushButton*>("cmdOK")->click();
    });
    QCOMPARE(prompter.ChooseFromList(choice), 0);

    // The close box is refused: only OK and Cancel end the choice.
    watcher.Then([](QWidget* window) {
      QVERIFY(!window->close());
      QVERIFY(window->isVisible());
      window->findChild<QComboBox*>("cboBnk")->setCurrentIndex(0);
      window->findChild<QPushButton*>("cmdCancel")->click();
    });
    QCOMPARE(prompter.ChooseFromList(choice), -1);

    // A first choice out of range selects the first entry.
    const ListChoice pairs{
        "Select Destination Program Bank", "Preset Bank", {"R11-R12", "R13-R14"}, 9};
    watcher.Then([](QWidget* window) {
      QCOMPARE(window->findChild<QComboBox*>("cboBnk")->currentIndex(), 0);
      window->findChild<QPushButton*>("cmdOK")->click();
    });
    QCOMPARE(prompter.ChooseFromList(pairs), 0);
    QCOMPARE(watcher.seen(), QStringList({"FInPrset", "FInPrset", "FInPrset"}));
  }

  void pickOpensThePickerOfTheKindAndReturnsItsNumber() {
    Workspace ws;
    const int slot = ws.sets.FindFreeSlot();
    ws.sets.Entry(slot).Name = "TEST";
    ws.sets.Files(slot).arrangements.records[44].SetName("Forty Five");
    QtPrompter prompter(ws);
    ModalWatcher watcher;

    watcher.Then([](QWidget* window) {
      QCOMPARE(window->objectName(), QString("FInArr"));
      QCOMPARE(window->windowTitle(), QString("Select an Arrangement for test"));
      auto* items = window->findChild<QComboBox*>("cboRef");
      QCOMPARE(items->currentData().toInt(), 300);
      QCOMPARE(items->currentText(), QString("C65 Forty Five      "));
      window->findChild<QPushButton*>("cmdOK")->click();
    });
    QCOMPARE(prompter.Pick({Kind::Arrangement, slot, 300, " for test"}), 300);

    watcher.Then([](QWidget* window) {
      QCOMPARE(window->objectName(), QString("FInSty"));
      QCOMPARE(window->windowTitle(), QString("Select a Style"));
      window->findChild<QComboBox*>("cboRef")->setCurrentIndex(3);
      window->findChild<QPushButton*>("cmdCancel")->click();
    });
    QCOMPARE(prompter.Pick({Kind::Style, slot, 257, "for track 'BASS   '"}), -1);

    watcher.Then([](QWidget* window) {
      QCOMPARE(window->objectName(), QString("FInPrg"));
      QCOMPARE(window->windowTitle(), QString("Select a Program for track 'BASS   '"));
      QCOMPARE(window->findChild<QComboBox*>("cboRef")->currentData().toInt(), 1038);
      QVERIFY(!window->close());  // refused, and taken as Cancel
    });
    QCOMPARE(prompter.Pick({Kind::Program, slot, 1038, "for track 'BASS   '"}), -1);

    // No Set in the slot, or a kind without a picker: nothing to ask.
    QCOMPARE(prompter.Pick({Kind::Arrangement, 7, 0, ""}), -1);
    QCOMPARE(prompter.Pick({Kind::KbdSet, slot, 0, ""}), -1);
    QCOMPARE(watcher.seen(), QStringList({"FInArr", "FInSty", "FInPrg"}));
  }
};

std::unique_ptr<QObject> MakePrompterTest() {
  return std::make_unique<PrompterTest>();
}

}  // namespace i40::app::test

#include "prompter_test.moc"
