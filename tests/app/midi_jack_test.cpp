// The editor against the tests' own instrument stand-in behind real JACK ports: Cancel in
// the middle of a dump, and a JACK server that stops in the middle of one.
#include <RtMidi.h>

#include <csignal>
#include <cstdlib>

#include "format/component_io.h"
#include "jack_standin.h"
#include "support/demo_session.h"
#include "sysex/dump.h"

namespace i40::app::test {
namespace {

// The editor's MIDI setup on JACK, the stand-in preselected by its name.
void SetUpMidi(DemoSession& s) {
  s.frame->SetMidiPortFactory(
      [] { return std::make_unique<midi::RtMidiPort>(std::vector<int>{RtMidi::UNIX_JACK}); });
  s.watcher.Then([](QWidget* setup) {
    QVERIFY(setup->findChild<QComboBox*>("cboMidOut")->currentText().contains("i40app-iS40"));
    setup->findChild<QPushButton*>("cmdOK")->click();
  });
  s.window->midiSetupAction()->trigger();
  QVERIFY(s.ws().midi.instrumentFound);
}

// The Set's seven components as they would be saved.
std::vector<std::vector<std::uint8_t>> Components(const FileSet& set) {
  std::vector<std::vector<std::uint8_t>> bytes;
  for (const Kind kind : kStoredKinds)
    bytes.push_back(WriteComponentBytes(kind, set));
  return bytes;
}

}  // namespace

class MidiJackTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Cancel during a long dump: the stand-in receives what went and the F7 that closes it,
  // the Set is as it was, and the editor kept painting.
  void cancelDuringALongDumpClosesItWithF7() {
    DemoSession s;
    i40::test::JackStandIn standIn("i40app-iS40", {});
    QTest::qWait(100);
    SetUpMidi(s);
    const auto before = Components(s.files());
    s.window->tabs()->setCurrentIndex(2);  // Programs: 15 KB, 5 s at the pace
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    s.watcher.Then(ClickMessageButton(QMessageBox::Ok)).Then([&standIn](QWidget* window) {
      QCOMPARE(window->objectName(), QString("FProgBar"));
      QTRY_VERIFY(standIn.BytesReceived() > 2000);
      window->findChild<QPushButton*>("cmdCancel")->click();
    });
    s.window->sendAction()->trigger();
    QVERIFY(ticks > 10);
    const auto full = *DumpMessage(s.ws().sysExHeader, s.files(), Kind::Program, 0);
    QTRY_VERIFY(!standIn.Received().empty() && standIn.Received().back().size() > 2000);
    const auto received = standIn.Received().back();
    QCOMPARE(received.back(), std::uint8_t{0xF7});
    QVERIFY(received.size() < full.size());
    QVERIFY(std::equal(received.begin(), received.end() - 1, full.begin()));
    QVERIFY(Components(s.files()) == before);
    QCOMPARE(s.watcher.seen().mid(1), QStringList({"msgBox", "FProgBar"}));
  }

  // Utilities > Send Whole Set to Korg-i: one question for the Set, one progress window
  // for every dump; Cancel during the second dump ends it with F7 and sends no third.
  void theWholeSetCancelledInItsSecondDump() {
    DemoSession s;
    i40::test::JackStandIn standIn("i40app-iS40", {});
    QTest::qWait(100);
    SetUpMidi(s);
    QAction* entry = s.window->sendWholeSetAction();
    QCOMPARE(std::pair(entry->objectName(), entry->text()),
             std::pair(QString("mnuUMidSendAll"), QString("Send &Whole Set to Korg-i")));
    QVERIFY(entry->isEnabled());
    // Slow enough to stop in the middle of the Arrangement Global's 61 bytes.
    s.frame->midiPort().SetPace(MidiPace{100, 16, 0});
    const std::size_t before = standIn.Received().size();
    QString asked;
    QTimer watch;
    s.watcher
        .Then([&asked](QWidget* box) {
          asked = qobject_cast<QMessageBox*>(box)->text();
          ClickMessageButton(QMessageBox::Ok)(box);
        })
        .ThenLeaveOpen([&watch](QWidget* window) {
          QCOMPARE(window->windowTitle(), QString("Sending DEMO to the Korg-i..."));
          // The transfer goes on meanwhile: the window is watched, not waited on.
          QPointer<QWidget> progress(window);
          connect(&watch, &QTimer::timeout, window, [progress] {
            auto* label = progress->findChild<QLabel*>("lblProgBar");
            if (!label->text().startsWith("dump 2 of 10: Arrangement Global, 16 of 61")) return;
            Picture(*progress, "midi_transfer_whole_set.png");
            progress->findChild<QPushButton*>("cmdCancel")->click();
          });
          watch.start(5);
        });
    entry->trigger();
    watch.stop();
    QVERIFY(asked.startsWith("Send the whole Set DEMO to the Korg-i?\n\nTransmission time = "));
    const auto received = standIn.Received();
    QCOMPARE(static_cast<std::size_t>(received.size()), before + 2);  // Global, then the part
    const auto second = *DumpMessage(s.ws().sysExHeader, s.files(), Kind::ArrangementGlobal, 0);
    QVERIFY(received.back().size() < second.size() && received.back().back() == 0xF7);
    QVERIFY(std::equal(received.back().begin(), received.back().end() - 1, second.begin()));
    QCOMPARE(s.watcher.seen().mid(1), QStringList({"msgBox", "FProgBar"}));
    QCOMPARE(s.frame->statusBar()->currentMessage(), QString());
  }

  // A JACK server that stops in the middle of a dump: the editor says so and runs on,
  // every open Set as it was.
  void aServerThatStopsMidDumpIsAMessageAndTheEditorRunsOn() {
    // As the editor does: a write to a server that has gone fails, it does not end the
    // program (Qt Test counts SIGPIPE as a crash otherwise).
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    const QByteArray server =
        "i40app-stop-" + QByteArray::number(QCoreApplication::applicationPid());
    const QByteArray before = qgetenv("JACK_DEFAULT_SERVER");
    const QTemporaryDir folder;
    const QByteArray script = I40_JACK_SCRIPT " ";
    QCOMPARE(std::system((script + "start " + server + " " + folder.path().toUtf8()).constData()),
             0);
    qputenv("JACK_DEFAULT_SERVER", server);
    i40::test::JackStandIn::Config config;
    config.server = server.toStdString();
    i40::test::JackStandIn standIn("i40app-iS40", config);
    QTest::qWait(100);
    DemoSession s;
    SetUpMidi(s);
    const auto files = Components(s.files());
    QString said;
    s.watcher.Then(ClickMessageButton(QMessageBox::Ok))
        .ThenLeaveOpen([&](QWidget* window) {
          // Half a second into the dump: the server goes.
          QCOMPARE(window->objectName(), QString("FProgBar"));
          QVERIFY(standIn.BytesReceived() > 1000);
          QCOMPARE(
              std::system((script + "stop " + server + " " + folder.path().toUtf8()).constData()),
              0);
          standIn.Abandon();
        })
        .Then([&said](QWidget* box) {
          said = qobject_cast<QMessageBox*>(box)->text();
          ClickMessageButton(QMessageBox::Ok)(box);
        });
    s.window->tabs()->setCurrentIndex(2);
    s.window->sendAction()->trigger();
    QCOMPARE(said, QString("MIDI Output error: \nThe JACK server has stopped."));
    QVERIFY(s.frame->isVisible() && Components(s.files()) == files &&
            s.frame->setWindows().size() == 1);
    qputenv("JACK_DEFAULT_SERVER", before);
    std::signal(SIGPIPE, previous);
  }
};

[[maybe_unused]] const bool kRegistered = RegisterSuite<MidiJackTest>("MidiJack");

}  // namespace i40::app::test

#include "midi_jack_test.moc"
