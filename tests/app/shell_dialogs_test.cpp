#include <fstream>

#include "shell/about_dialog.h"
#include "shell/help_window.h"
#include "shell/options_dialog.h"
#include "shell/tip_dialog.h"
#include "support/app_support.h"
#include "version.h"

namespace fs = std::filesystem;

namespace i40::app::test {
namespace {

QString TipText(const TipDialog& tip) {
  return Caption(tip, "lblTipText");
}

}  // namespace

class ShellDialogsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The boxes show the settings; the close box keeps the changes as Close does (Close
  // itself is the frame's Options entry in MainWindowTest).
  void optionsCloseBoxKeepsTheChangesLikeClose() {
    Settings settings;
    settings.HighCall = true;
    settings.WarnDupl = false;
    settings.StartOld = false;
    settings.MidiPacketBytes = 300;
    ModalWatcher watcher;
    watcher.Then([](QWidget* options) {
      QCOMPARE(options->windowTitle(), QString("Options"));
      CheckListing(*options, "options.txt");
      for (const char* name : {"chkHighCall", "chkWarnDupl", "chkStartOld"}) {
        auto* box = options->findChild<QCheckBox*>(name);
        QCOMPARE(box->isChecked(), name == std::string_view("chkHighCall"));  // as set
        box->toggle();
      }
      // How a dump leaves: within the ranges a dump's packets may take.
      auto* packet = options->findChild<QSpinBox*>("txtPacket");
      auto* pause = options->findChild<QSpinBox*>("txtPause");
      QCOMPARE(std::tuple(packet->value(), packet->minimum(), packet->maximum()),
               std::tuple(300, 16, 2016));
      QCOMPARE(std::tuple(pause->value(), pause->minimum(), pause->maximum()),
               std::tuple(0, 0, 1000));
      packet->setValue(64);
      pause->setValue(20);
      Picture(*options, "options.png");
      QVERIFY(!options->close());  // the close is cancelled and Close runs instead
      QVERIFY(!options->isVisible());
    });
    RunOptions(settings, nullptr);
    QCOMPARE(watcher.seen(), QStringList({"FOptions"}));
    QVERIFY(!settings.HighCall && settings.WarnDupl && settings.StartOld);
    QCOMPARE(std::pair(settings.MidiPacketBytes, settings.MidiPacketPauseMs), std::pair(64, 20));
  }

  void tipsStartAnywhereAndWrapAround() {
    QTemporaryDir dir;
    const fs::path file = QStringToPath(dir.filePath("I40TIPS.TXT"));
    std::ofstream(file) << "First tip\nSecond tip\n\nThird tip\n";
    TipDialog tip(file, true);
    QCOMPARE(NameAndTitle(tip), QString("FTip: Tip of the Day"));
    CheckListing(tip, "tip.txt");
    QVERIFY(tip.findChild<QCheckBox*>("chkTips")->isChecked());

    QCOMPARE(tip.tips(), QStringList({"First tip", "Second tip", "Third tip"}));
    QCOMPARE(TipText(tip), tip.tips().value(tip.current()));
    auto* next = tip.findChild<QPushButton*>("cmdNextTip");
    while (tip.current() != 2)
      next->click();
    QCOMPARE(TipText(tip), QString("Third tip"));
    next->click();
    QCOMPARE(TipText(tip), QString("First tip"));

    // The first tip is drawn at random.
    QSet<int> starts;
    for (int run = 0; run < 60; ++run)
      starts.insert(TipDialog(file, false).current());
    QVERIFY(starts.size() > 1);
    for (int start : starts)
      QVERIFY(start >= 0 && start < 3);

    // No tips file, or one that is not there: the window says so.
    for (const auto& none : {std::optional<fs::path>(),
                             std::optional<fs::path>(QStringToPath(dir.filePath("NONE.TXT")))}) {
      TipDialog missing(none, false);
      QCOMPARE(TipText(missing), QString("Can't find I40TIPS.TXT"));
      missing.findChild<QPushButton*>("cmdNextTip")->click();
      QCOMPARE(TipText(missing), QString("Can't find I40TIPS.TXT"));
      QVERIFY(!missing.showAtStartup());
    }
  }

  void aboutBoxShowsNameVersionAndCaution() {
    AboutDialog about;
    QCOMPARE(NameAndTitle(about), QString("FAbout: About Korg-i40 Set Editor"));
    CheckListing(about, "about.txt");
    QCOMPARE(
        Caption(about, "lblVersion"),
        QString("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
    // The icon is drawn from our own picture.
    QVERIFY(!about.windowIcon().pixmap(32, 32).isNull());

    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK"));
    QCOMPARE(about.exec(), int(QDialog::Accepted));
  }

  void helpPagesLinkOnlyToPagesAndAnchorsThatExist() {
    const QString folder = PathToQString(SourceData() / "help");
    const QStringList pages = QDir(folder).entryList({"*.html"});
    QVERIFY(pages.contains("index.html") && pages.contains("keywords.html"));
    QVERIFY(pages.size() >= 8);

    const QRegularExpression link("href=\"([^\"#]*)(#([^\"]*))?\"");
    QSet<QString> fromContents;
    for (const QString& page : pages) {
      const QString html = FileBytes(folder + '/' + page);
      QVERIFY2(html.contains("<title>"), qPrintable(page));
      for (auto match = link.globalMatch(html); match.hasNext();) {
        const auto found = match.next();
        const QString target = found.captured(1).isEmpty() ? page : found.captured(1);
        QVERIFY2(!target.contains(':'), qPrintable(page + ": " + target));  // no outside links
        QVERIFY2(pages.contains(target), qPrintable(page + " links to " + target));
        if (!found.captured(3).isEmpty()) {
          const QString anchor = "name=\"" + found.captured(3) + '"';
          QVERIFY2(QString(FileBytes(folder + '/' + target)).contains(anchor),
                   qPrintable(page + " links to " + target + '#' + found.captured(3)));
        }
        if (page == "index.html") fromContents.insert(target);
      }
    }
    // The contents page leads to every page.
    for (const QString& page : pages) {
      if (page != "index.html") QVERIFY2(fromContents.contains(page), qPrintable(page));
    }
  }

  void helpWindowWithoutItsPagesSaysSo() {
    HelpWindow missing(std::nullopt);
    QCOMPARE(missing.objectName(), QString("FHelp"));
    missing.ShowContents();
    QVERIFY(missing.browser()->toPlainText().contains("cannot be found"));
  }

  // The settings are text under "Options", names in UTF-8.
  void settingsLiveInTheOptionsGroupAsText() {
    QTemporaryDir dir;
    QSettings qsettings(dir.filePath("s.ini"), QSettings::IniFormat);
    QtSettingsStore store(qsettings);
    QVERIFY(!store.Get("HighCall").has_value());
    store.Set("Show Tips at Startup", "0");
    QCOMPARE(qsettings.value("Options/Show Tips at Startup").toString(), QString("0"));
    QCOMPARE(store.Get("Show Tips at Startup"), std::optional<std::string>("0"));

    Settings settings;
    settings.PathNam = "/sets/Caf\xC3\xA9";
    SaveSettings(store, settings);
    QCOMPARE(qsettings.value("Options/PathNam").toString(), QString::fromUtf8("/sets/Caf\xC3\xA9"));
    QCOMPARE(LoadSettings(store, "/program").PathNam, settings.PathNam);
  }

  void screenSizeAndCommandLineArgument() {
    QVERIFY(ScreenTooSmall(QSize(799, 600)) && ScreenTooSmall(QSize(800, 599)));
    QVERIFY(!ScreenTooSmall(QSize(800, 600)));
    const Message question = ScreenSizeQuestion();
    QCOMPARE(question.text,
             std::string("For a correct display, the screen resolution\nshould be at least "
                         "800x600 pixels!\nContinue anyway?\n"));
    QCOMPARE(question.title, std::string("Warning"));
    QVERIFY(question.icon == MessageIcon::Exclamation && question.buttons == MessageButtons::YesNo);

    // A relative argument is taken from the current folder.
    const fs::path relative = SetPathFromArgument("some/SET");
    QVERIFY(relative.is_absolute());
    QCOMPARE(relative.filename(), fs::path("SET"));
  }
};

[[maybe_unused]] const bool kRegistered = RegisterSuite<ShellDialogsTest>("ShellDialogs");

}  // namespace i40::app::test

#include "shell_dialogs_test.moc"
