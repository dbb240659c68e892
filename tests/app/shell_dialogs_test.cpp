#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>

#include "shell/about_dialog.h"
#include "shell/app_icon.h"
#include "shell/help_window.h"
#include "shell/list_helpers.h"
#include "shell/options_dialog.h"
#include "shell/tip_dialog.h"
#include "test_suites.h"
#include "test_support.h"
#include "version.h"

namespace fs = std::filesystem;

namespace i40::app::test {
namespace {

fs::path WriteTips(const QTemporaryDir& dir, const QByteArray& text) {
  QFile file(dir.filePath("I40TIPS.TXT"));
  file.open(QIODevice::WriteOnly);
  file.write(text);
  file.close();
  return QStringToPath(file.fileName());
}

QString TipText(const TipDialog& tip) {
  return tip.findChild<QLabel*>("lblTipText")->text();
}

QString ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

}  // namespace

class ShellDialogsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void optionsCloseBoxKeepsTheChangesLikeClose() {
    for (const bool viaCloseBox : {false, true}) {
      Settings settings;
      settings.HighCall = true;
      settings.WarnDupl = false;
      settings.StartOld = false;
      ModalWatcher watcher;
      watcher.Then([viaCloseBox](QWidget* options) {
        QCOMPARE(options->objectName(), QString("FOptions"));
        QCOMPARE(options->windowTitle(), QString("Options"));
        auto* highCall = options->findChild<QCheckBox*>("chkHighCall");
        auto* warnDupl = options->findChild<QCheckBox*>("chkWarnDupl");
        auto* startOld = options->findChild<QCheckBox*>("chkStartOld");
        QCOMPARE(highCall->text(), QString("Highlight called Items"));
        QCOMPARE(warnDupl->text(), QString("Duplicate name warning"));
        QCOMPARE(startOld->text(), QString("Open last Set at Start-up"));
        QCOMPARE(options->findChild<QPushButton*>("cmdClose")->text(), QString("&Close"));
        QVERIFY(highCall->isChecked());
        QVERIFY(!warnDupl->isChecked());
        QVERIFY(!startOld->isChecked());
        highCall->setChecked(false);
        warnDupl->setChecked(true);
        startOld->setChecked(true);
        if (viaCloseBox) {
          QVERIFY(!options->close());  // the close is cancelled and Close runs instead
          QVERIFY(!options->isVisible());
        } else {
          options->findChild<QPushButton*>("cmdClose")->click();
        }
      });
      RunOptions(settings, nullptr);
      QCOMPARE(watcher.seen(), QStringList({"FOptions"}));
      QVERIFY(!settings.HighCall);
      QVERIFY(settings.WarnDupl);
      QVERIFY(settings.StartOld);
    }
  }

  void tipsStartAnywhereAndWrapAround() {
    QTemporaryDir dir;
    const fs::path file = WriteTips(dir, "First tip\nSecond tip\n\nThird tip\n");
    TipDialog tip(file, true);
    QCOMPARE(tip.objectName(), QString("FTip"));
    QCOMPARE(tip.windowTitle(), QString("Tip of the Day"));
    auto* box = tip.findChild<QCheckBox*>("chkTips");
    QCOMPARE(box->text(), QString("&Show Tips at Start-up"));
    QCOMPARE(box->toolTip(), QString("Uncheck to disable"));
    QVERIFY(box->isChecked());
    auto* next = tip.findChild<QPushButton*>("cmdNextTip");
    QCOMPARE(next->text(), QString("&Next Tip"));
    QVERIFY(tip.findChild<QPushButton*>("cmdClose") != nullptr);

    QCOMPARE(tip.tips(), QStringList({"First tip", "Second tip", "Third tip"}));
    QVERIFY(tip.current() >= 0 && tip.current() < 3);
    QCOMPARE(TipText(tip), tip.tips().at(tip.current()));
    while (tip.current() != 2)
      next->click();
    QCOMPARE(TipText(tip), QString("Third tip"));
    next->click();
    QCOMPARE(tip.current(), 0);
    QCOMPARE(TipText(tip), QString("First tip"));
    next->click();
    QCOMPARE(TipText(tip), QString("Second tip"));

    // The first tip is drawn at random.
    QSet<int> starts;
    for (int run = 0; run < 60; ++run)
      starts.insert(TipDialog(file, false).current());
    QVERIFY(starts.size() > 1);
    for (int start : starts)
      QVERIFY(start >= 0 && start < 3);
  }

  void missingTipsFileIsSaidInTheWindow() {
    QTemporaryDir dir;
    for (const auto& file : {std::optional<fs::path>(),
                             std::optional<fs::path>(QStringToPath(dir.filePath("NONE.TXT")))}) {
      TipDialog tip(file, false);
      QCOMPARE(TipText(tip), QString("Can't find I40TIPS.TXT"));
      QCOMPARE(tip.current(), -1);
      tip.findChild<QPushButton*>("cmdNextTip")->click();
      QCOMPARE(TipText(tip), QString("Can't find I40TIPS.TXT"));
      QVERIFY(!tip.showAtStartup());
    }
  }

  void tipOfTheDayKeepsTheBoxAndTheShippedTipsAreThere() {
    const auto tips = ReadTips(SourceData() / "I40TIPS.TXT");
    QVERIFY(tips.has_value());
    QVERIFY(tips->size() >= 12);

    DataLocations data;
    data.shippedDirs = {SourceData()};
    Settings settings;
    settings.ShowTips = true;
    ModalWatcher watcher;
    watcher.Then([&tips](QWidget* window) {
      QVERIFY(tips->contains(window->findChild<QLabel*>("lblTipText")->text()));
      window->findChild<QCheckBox*>("chkTips")->setChecked(false);
      window->findChild<QPushButton*>("cmdClose")->click();
    });
    RunTipOfTheDay(data, settings, nullptr);
    QVERIFY(!settings.ShowTips);

    watcher.Then([](QWidget* window) {
      QVERIFY(!window->findChild<QCheckBox*>("chkTips")->isChecked());
      window->close();
    });
    RunTipOfTheDay(data, settings, nullptr);
    QVERIFY(!settings.ShowTips);
    QCOMPARE(watcher.seen(), QStringList({"FTip", "FTip"}));
  }

  void aboutBoxShowsNameVersionAndCaution() {
    AboutDialog about;
    QCOMPARE(about.objectName(), QString("FAbout"));
    QCOMPARE(about.windowTitle(), QString("About Korg-i40 Set Editor"));
    QCOMPARE(about.findChild<QLabel*>("lblTitle")->text(), QString("Korg-i40 Set Editor"));
    QCOMPARE(
        about.findChild<QLabel*>("lblVersion")->text(),
        QString("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
    QCOMPARE(about.findChild<QLabel*>("lblDescription")->text(),
             QString("This Program helps customizing Korg-i40 file sets, e.g. clear, copy, paste "
                     "and move Arrangements, Styles, Programs etc. inside a file set or between "
                     "different file sets, while preserving calls consistency inside each set - "
                     "and much more!"));
    QCOMPARE(about.findChild<QLabel*>("lblCaution")->text(),
             QString("CAUTION: Apply this program to COPIES, never to original files!"));
    QVERIFY(!about.windowIcon().isNull());

    ModalWatcher watcher;
    watcher.Then(ClickButton("cmdOK"));
    QCOMPARE(about.exec(), int(QDialog::Accepted));
  }

  void helpPagesLinkOnlyToPagesAndAnchorsThatExist() {
    const QString folder = PathToQString(SourceData() / "help");
    QStringList pages;
    QDirIterator it(folder, {"*.html"});
    while (it.hasNext())
      pages << QFileInfo(it.next()).fileName();
    QVERIFY(pages.contains("index.html"));
    QVERIFY(pages.contains("keywords.html"));
    QVERIFY(pages.size() >= 8);

    const QRegularExpression link("href=\"([^\"#]*)(#([^\"]*))?\"");
    QSet<QString> fromContents;
    for (const QString& page : pages) {
      const QString html = ReadAll(folder + '/' + page);
      QVERIFY2(html.contains("<title>"), qPrintable(page));
      for (auto match = link.globalMatch(html); match.hasNext();) {
        const auto found = match.next();
        const QString target = found.captured(1).isEmpty() ? page : found.captured(1);
        QVERIFY2(!target.contains(':'), qPrintable(page + ": " + target));  // no outside links
        QVERIFY2(pages.contains(target), qPrintable(page + " links to " + target));
        if (!found.captured(3).isEmpty()) {
          const QString anchor = "name=\"" + found.captured(3) + '"';
          QVERIFY2(ReadAll(folder + '/' + target).contains(anchor),
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

  void helpWindowShowsContentsAndIndex() {
    HelpWindow help(SourceData() / "help");
    QCOMPARE(help.objectName(), QString("FHelp"));
    help.ShowContents();
    QCOMPARE(help.browser()->source().fileName(), QString("index.html"));
    QCOMPARE(help.browser()->documentTitle(), QString("Korg-i40 Set Editor Help: Contents"));
    help.findChild<QAbstractButton*>("cmdIndex")->click();
    QCOMPARE(help.browser()->source().fileName(), QString("keywords.html"));
    QVERIFY(help.findChild<QAbstractButton*>("cmdBack")->isEnabled());
    help.findChild<QAbstractButton*>("cmdBack")->click();
    QCOMPARE(help.browser()->source().fileName(), QString("index.html"));
    help.browser()->setSource(QUrl("undo.html"));
    QCOMPARE(help.browser()->documentTitle(), QString("Undo"));

    HelpWindow missing(std::nullopt);
    missing.ShowContents();
    QVERIFY(missing.browser()->toPlainText().contains("cannot be found"));
  }

  void iconComesFromOurOwnPicture() {
    const QIcon icon = AppIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(!icon.pixmap(32, 32).isNull());
    QFile svg(kAppIconResource);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    QVERIFY(text.contains("<svg"));
    QVERIFY(text.contains("viewBox=\"0 0 64 64\""));
  }

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
    settings.OldSetNam = "/sets/Caf\xC3\xA9/SHOW";
    settings.WArrangeMode = 0;
    settings.ModeId = 3;
    settings.ShowTips = false;
    settings.HighCall = false;
    settings.WarnDupl = false;
    settings.StartOld = true;
    SaveSettings(store, settings);
    QCOMPARE(qsettings.value("Options/ModeId").toString(), QString("3"));
    QCOMPARE(qsettings.value("Options/PathNam").toString(), QString::fromUtf8("/sets/Caf\xC3\xA9"));
    const Settings back = LoadSettings(store, "/program");
    QCOMPARE(back.PathNam, settings.PathNam);
    QCOMPARE(back.OldSetNam, settings.OldSetNam);
    QCOMPARE(back.WArrangeMode, 0);
    QCOMPARE(back.ModeId, 3);
    QVERIFY(!back.ShowTips && !back.HighCall && !back.WarnDupl && back.StartOld);
    QCOMPARE(qsettings.allKeys().size(), 8);
  }

  void listSelectionFallsBackToTheDefaultEntry() {
    QComboBox combo;
    combo.addItems({"A", "B", "C"});
    SelectListItem(&combo, 1);
    QCOMPARE(combo.currentIndex(), 1);
    SelectListItem(&combo, 3);
    QCOMPARE(combo.currentIndex(), 0);
    SelectListItem(&combo, -1, 2);
    QCOMPARE(combo.currentIndex(), 2);
    QListWidget list;
    list.addItems({"one", "two"});
    SelectListItem(&list, 1);
    QCOMPARE(list.currentRow(), 1);
    SelectListItem(&list, 7, 5);  // neither exists
    QCOMPARE(list.currentRow(), -1);
  }

  void screenSizeAndCommandLineArgument() {
    QVERIFY(ScreenTooSmall(QSize(799, 600)));
    QVERIFY(ScreenTooSmall(QSize(800, 599)));
    QVERIFY(!ScreenTooSmall(QSize(800, 600)));
    const Message question = ScreenSizeQuestion();
    QCOMPARE(question.text,
             std::string("For a correct display, the screen resolution\nshould be at least "
                         "800x600 pixels!\nContinue anyway?\n"));
    QCOMPARE(question.title, std::string("Warning"));
    QVERIFY(question.icon == MessageIcon::Exclamation);
    QVERIFY(question.buttons == MessageButtons::YesNo);

    QCOMPARE(SetPathFromArgument(DemoSet().string() + ".STY"), DemoSet());
    QCOMPARE(SetPathFromArgument(DemoSet()), DemoSet());
    const fs::path relative = SetPathFromArgument("some/SET");
    QVERIFY(relative.is_absolute());
    QCOMPARE(relative.filename(), fs::path("SET"));
  }
};

std::unique_ptr<QObject> MakeShellDialogsTest() {
  return std::make_unique<ShellDialogsTest>();
}

}  // namespace i40::app::test

#include "shell_dialogs_test.moc"
