
#include "session/open_set.h"
#include "shell/progress_window.h"
#include "shell/qt_prompter.h"
#include "support/app_support.h"

namespace i40::app::test {

class PrompterTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The box shows the core's text as it is, its title, and the icon and buttons asked for.
  void messageBoxCarriesTheCoreMessageExactly() {
    using B = QMessageBox;
    using I = MessageIcon;
    using M = MessageButtons;
    // The message; the icon, buttons and default button shown.
    const std::tuple<Message, B::Icon, B::StandardButtons, B::StandardButton> cases[] = {
        {{"Save the changes in DEMO ?", "DEMO", I::Exclamation, M::YesNoCancel, Answer::Cancel},
         B::Warning,
         B::Yes | B::No | B::Cancel,
         B::Cancel},
        {{"Export Bank F\nto Bank A?", "Export", I::Question, M::YesNo, Answer::No},
         B::Question,
         B::Yes | B::No,
         B::No},
        {{"Error getting Style data.\n", "Error", I::Critical, M::Ok, Answer::Ok},
         B::Critical,
         B::Ok,
         B::Ok},
        {{"Ready", "Information", I::Information, M::OkCancel, Answer::Ok},
         B::Information,
         B::Ok | B::Cancel,
         B::Ok},
        // A name with a byte that is no UTF-8 is shown as the single-byte text it is.
        {{"Caf\xE9 Song", "", I::None, M::YesNo, Answer::Yes}, B::NoIcon, B::Yes | B::No, B::Yes},
    };
    for (const auto& [message, icon, buttons, byDefault] : cases) {
      const auto box = MakeMessageBox(message, nullptr);
      QCOMPARE(box->text(), QString::fromLatin1(message.text));
      QCOMPARE(box->textFormat(), Qt::PlainText);
      // A box without a title of its own carries the program's name.
      QCOMPARE(box->windowTitle(), message.title.empty() ? QString("i40 Set Editor")
                                                         : QString::fromLatin1(message.title));
      QCOMPARE(box->icon(), icon);
      QCOMPARE(box->standardButtons(), buttons);
      QCOMPARE(box->defaultButton(), box->button(byDefault));
    }
  }

  void askReturnsTheButtonPressedAndEscapeTheWayOut() {
    Workspace ws;
    QtPrompter prompter(ws);
    ModalWatcher watcher;
    // The buttons shown, the one pressed (NoButton: Escape) and the answer.
    const std::tuple<MessageButtons, QMessageBox::StandardButton, Answer> presses[] = {
        {MessageButtons::YesNoCancel, QMessageBox::Yes, Answer::Yes},
        {MessageButtons::YesNoCancel, QMessageBox::No, Answer::No},
        {MessageButtons::YesNoCancel, QMessageBox::Cancel, Answer::Cancel},
        {MessageButtons::YesNoCancel, QMessageBox::NoButton, Answer::Cancel},
        {MessageButtons::OkCancel, QMessageBox::Ok, Answer::Ok},
        {MessageButtons::OkCancel, QMessageBox::NoButton, Answer::Cancel}};
    for (const auto& [buttons, button, answer] : presses) {
      watcher.Then([button](QWidget* box) {
        if (button == QMessageBox::NoButton) QTest::keyClick(box, Qt::Key_Escape);
        ClickMessageButton(button)(box);
      });
      QCOMPARE(prompter.Ask({"Continue?", "", MessageIcon::Exclamation, buttons, Answer::Cancel}),
               answer);
    }
    // A box closed without a button answers with its way out.
    QCOMPARE(FromQtButton(QMessageBox::NoButton, MessageButtons::YesNo), Answer::No);
    QCOMPARE(FromQtButton(QMessageBox::NoButton, MessageButtons::Ok), Answer::Ok);
    QCOMPARE(watcher.seen().size(), 6);
  }

  void fileDialogsFollowTheRequest() {
    Workspace ws;
    QtPrompter prompter(ws);
    ModalWatcher watcher;
    QTemporaryDir dir;
    QVERIFY(QFile(dir.filePath("SET.ARR")).open(QIODevice::WriteOnly));
    FileRequest request{
        "Select a Korg-i40 Set", QStringToPath(dir.path()), "*.*", SetFileFilters(), 0, ".ARR"};
    const auto choose = [&](bool save, const QString& suffix, const QString& name) {
      return [&, save, suffix, name](QWidget* window) {
        auto* dialog = qobject_cast<QFileDialog*>(window);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), FromCore(request.title));
        QCOMPARE(Canonical(dialog->directory().absolutePath()), Canonical(dir.path()));
        // Every component first, "*.*" takes every file; the upper-case patterns take
        // lower-case names too.
        QCOMPARE(dialog->nameFilters().size(), static_cast<qsizetype>(kStoredKinds.size() + 2));
        QCOMPARE(dialog->nameFilters().value(0),
                 QString("Korg-i40 Sets (*.ARR *.STY *.PRG *.BSQ *.KBS *.ARG *.GBL *.arr *.sty "
                         "*.prg *.bsq *.kbs *.arg *.gbl)"));
        QCOMPARE(dialog->nameFilters().value(2), QString("Arrangement (*.ARR *.arr)"));
        QCOMPARE(dialog->selectedNameFilter(), dialog->nameFilters().value(0));
        QCOMPARE(dialog->defaultSuffix(), suffix);
        QCOMPARE(dialog->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(dialog->fileMode(), save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // The core asks its own question before writing over a file.
        QCOMPARE(dialog->testOption(QFileDialog::DontConfirmOverwrite), save);
        dialog->selectFile(dir.filePath(name));
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own is protected
      };
    };
    watcher.Then(choose(false, "ARR", "SET.ARR"));
    QCOMPARE(Canonical(PathToQString(prompter.ChooseOpenFile(request).value_or(""))),
             Canonical(dir.filePath("SET.ARR")));
    watcher.Then(RejectDialog());
    QVERIFY(!prompter.ChooseOpenFile(request).has_value());

    request.title = "Select a Korg-i40 destination file (without extension)";
    request.defaultExt = "xxx";
    // A name typed without extension comes back with the dialog's ".xxx"; an existing file
    // is taken without a question of the dialog's own.
    const std::pair<const char*, const char*> saves[] = {{"MYSET", "MYSET.xxx"},
                                                         {"SET.ARR", "SET.ARR"}};
    for (const auto& [typed, returned] : saves) {
      watcher.Then(choose(true, "xxx", typed));
      QCOMPARE(PathToQString(prompter.ChooseSaveFile(request).value_or("").filename()),
               QString(returned));
    }
    QCOMPARE(watcher.seen(), QStringList({"dlgOpen", "dlgOpen", "dlgSave", "dlgSave"}));
  }

  void progressWindowShowsOnlyForWorkThatLasts() {
    Workspace ws;
    QWidget frame;
    QtPrompter prompter(ws, &frame);

    prompter.SetProgressDelay(0);
    prompter.BeginProgress("Loading DEMO Files...", "", 0.001, 15.001);
    ProgressWindow* window = prompter.progressWindow();
    QVERIFY(window != nullptr);
    QCOMPARE(NameAndTitle(*window), QString("FProgBar: Loading DEMO Files..."));
    QCOMPARE(window->label()->objectName() + ' ' + window->bar()->objectName(),
             QString("lblProgBar prbProgBar"));
    QVERIFY(window->isVisible() && !window->isModal());
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    prompter.SetProgress(1.001);
    QCOMPARE(window->bar()->value(), 67);  // 1 of 15, rounded
    prompter.SetProgress(15.001);
    QCOMPARE(window->bar()->value(), ProgressWindow::kSteps);
    const QPointer<ProgressWindow> gone(window);
    prompter.EndProgress();
    QVERIFY(gone.isNull() && prompter.progressWindow() == nullptr);
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // Work that ends before the delay never shows its window.
    prompter.SetProgressDelay(3600 * 1000);
    prompter.BeginProgress("Loading QUICK Files...", "Reading", 0, 10);
    for (int step = 1; step <= 10; ++step)
      prompter.SetProgress(step);
    window = prompter.progressWindow();
    QVERIFY(window != nullptr && !window->isVisible());
    QCOMPARE(window->label()->text(), QString("Reading"));
    QCOMPARE(window->bar()->value(), ProgressWindow::kSteps);
    prompter.EndProgress();
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void chooseFromListReturnsTheIndexOrMinusOne() {
    Workspace ws;
    QtPrompter prompter(ws);
    ModalWatcher watcher;
    const ListChoice choice{"Select Destination Arrangement Bank", "Preset Bank", {"A", "B"}, 1};
    watcher.Then([](QWidget* window) {
      QCOMPARE(window->windowTitle(), QString("Select Destination Arrangement Bank"));
      CheckCaptions(*window,
                    {{"lblBnk", "Preset Bank"}, {"cmdOK", "OK"}, {"cmdCancel", "&Cancel"}});
      auto* list = window->findChild<QComboBox*>("cboBnk");
      QCOMPARE(list->count(), 2);
      QCOMPARE(list->itemText(0), QString("A"));
      QCOMPARE(list->currentIndex(), 1);
      list->setCurrentIndex(0);
      window->findChild<QPushButton*>("cmdOK")->click();
    });
    QCOMPARE(prompter.ChooseFromList(choice), 0);

    // The close box is refused: only OK and Cancel end the choice.
    watcher.Then([](QWidget* window) {
      QVERIFY(!window->close() && window->isVisible());
      window->findChild<QPushButton*>("cmdCancel")->click();
    });
    QCOMPARE(prompter.ChooseFromList(choice), -1);

    // A first choice out of range selects the first entry.
    watcher.Then([](QWidget* window) {
      QCOMPARE(window->findChild<QComboBox*>("cboBnk")->currentIndex(), 0);
      window->findChild<QPushButton*>("cmdOK")->click();
    });
    QCOMPARE(prompter.ChooseFromList({"Select", "Preset Bank", {"R11-R12", "R13-R14"}, 9}), 0);
    QCOMPARE(watcher.seen(), QStringList({"FInPrset", "FInPrset", "FInPrset"}));
  }
};

[[maybe_unused]] const bool kRegistered = RegisterSuite<PrompterTest>("Prompter");

}  // namespace i40::app::test

#include "prompter_test.moc"
