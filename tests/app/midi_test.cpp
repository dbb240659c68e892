// MIDI Setup and Send to Korg-i in the Set window, with devices the tests choose: a
// simulated instrument under device names, or no backend at all but the dry run.
#include "shell/midi_wait.h"
#include "simulated_instrument.h"
#include "support/demo_session.h"

namespace i40::app::test {
namespace {

class MidiTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void setupPreselectsByNameAndEnablesSendOnceFound() {
    DemoSession s;
    midi::SimulatedInstrument::Config config;
    config.outputs = {"ALSA: Midi Through", "ALSA: My iS40 MIDI 1", "ALSA: Synth"};
    config.inputs = {"ALSA: Midi Through", "ALSA: my is40 midi 1"};
    s.frame->SetMidiPortFactory(
        [config] { return std::make_unique<midi::SimulatedInstrument>(config); });
    QVERIFY(!s.window->sendAction()->isEnabled());
    s.watcher.Then([](QWidget* setup) {
      QCOMPARE(NameAndTitle(*setup), QString("FMidStup: MIDI Setup"));
      auto* out = setup->findChild<QComboBox*>("cboMidOut");
      QCOMPARE(out->count(), 3);
      QCOMPARE(out->currentIndex(), 1);
      QCOMPARE(setup->findChild<QComboBox*>("cboMidIn")->currentIndex(), 1);
      setup->findChild<QPushButton*>("cmdOK")->click();
    });
    s.window->midiSetupAction()->trigger();
    QVERIFY(s.ws().midi.instrumentFound && s.window->sendAction()->isEnabled());
  }

  // With no backend that opens, only the dry run is offered; it acknowledges like an iS40.
  // A long transfer, and a long wait for an answer, each with a window whose Cancel
  // stops it.
  void theDryRunAcknowledgesAndCancelStopsALongWait() {
    DemoSession s;
    s.watcher.Then([](QWidget*) {});  // "No MIDI driver is present"
    s.watcher.Then([](QWidget* setup) {
      Picture(*setup, "midi_setup.png");
      auto* out = setup->findChild<QComboBox*>("cboMidOut");
      QCOMPARE(out->count(), 1);
      QCOMPARE(out->currentText(), QString(kDryRunPortName));
      setup->findChild<QPushButton*>("cmdOK")->click();
    });
    s.window->midiSetupAction()->trigger();
    QVERIFY(s.ws().midi.instrumentFound);
    QCOMPARE(QApplication::overrideCursor(), nullptr);  // the search is over

    // The confirmation says what goes; the time only for a transfer of over three seconds.
    QStringList asked;
    const auto confirm = [&asked](QWidget* box) {
      asked << box->windowTitle() + ": " + qobject_cast<QMessageBox*>(box)->text();
      if (asked.size() == 1) Picture(*box, "send_confirmation.png");
      ClickMessageButton(QMessageBox::Ok)(box);
    };
    s.window->tabs()->setCurrentIndex(5);  // KBD Sets: a short dump
    s.watcher.Then(confirm);
    s.window->sendAction()->trigger();
    // Nothing said after the confirmation; the status bar tells what happened.
    QCOMPARE(s.watcher.seen(), QStringList({"msgBox", "FMidStup", "msgBox"}));
    QCOMPARE(s.frame->statusBar()->currentMessage(),
             QString("KBD Sets sent to the iS40 and acknowledged"));
    Picture(*s.frame, "status_bar.png");
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // A long transfer: the windows keep painting, its progress window comes up and says
    // how far it has come, and its Cancel stops the dump between packets without a word
    // more; the log says where.
    s.window->tabs()->setCurrentIndex(0);
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    s.frame->statusBar()->clearMessage();
    s.watcher.Then(confirm);
    int ticksWhenShown = -1;
    QString progress;
    s.watcher.Then([&](QWidget* window) {
      ticksWhenShown = ticks;
      progress = NameAndTitle(*window);
      QVERIFY(QRegularExpression("^\\d+ of 12002 bytes, about [1-5] s left$")
                  .match(window->findChild<QLabel*>("lblProgBar")->text())
                  .hasMatch());
      Picture(*window, "midi_transfer.png");
      window->findChild<QPushButton*>("cmdCancel")->click();
    });
    s.window->sendAction()->trigger();  // the Arrangements: 12 KB, 4.2 s at the pace
    QVERIFY2(ticksWhenShown > 10, "the timer did not run during the transfer");
    QCOMPARE(progress, QString("FProgBar: Sending Arrangements to the Korg-i..."));
    QCOMPARE(s.watcher.seen().mid(3), QStringList({"msgBox", "FProgBar"}));  // no "No reply"
    const QByteArray log = FileBytes(PathToQString(s.ws().log.path()));
    QVERIFY2(QRegularExpression("Cancelled after \\d+ of 12002 bytes\n").match(log).hasMatch(),
             log.constData());
    QCOMPARE(asked, QStringList({"i40 Set Editor: Send KBD Sets to the Korg-i?",
                                 "i40 Set Editor: Send Arrangements to the Korg-i?\n\n"
                                 "Transmission time = 5 s"}));
    QCOMPARE(s.frame->statusBar()->currentMessage(), QString());  // cancelled: nothing done
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // An instrument that does not answer: after a second of waiting a window with Cancel,
    // which stops the wait without a word more.
    static_cast<midi::RtMidiPort&>(s.frame->midiPort()).dryRunConfig().dumpAnswer =
        midi::SimulatedInstrument::DumpAnswer::Silence;
    s.window->tabs()->setCurrentIndex(5);
    s.watcher.Then(ClickMessageButton(QMessageBox::Ok)).Then([](QWidget* window) {
      QCOMPARE(window->objectName(), QString("FMidWait"));
      qobject_cast<QProgressDialog*>(window)->cancel();
    });
    s.window->sendAction()->trigger();
    QCOMPARE(s.watcher.seen().mid(5), QStringList({"msgBox", "FMidWait"}));
    QCOMPARE(s.frame->midiWait()->window(), nullptr);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }
};

}  // namespace

[[maybe_unused]] const bool kRegistered = RegisterSuite<MidiTest>("Midi");

}  // namespace i40::app::test

#include "midi_test.moc"
