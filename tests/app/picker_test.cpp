#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <variant>

#include "calls/picker_model.h"
#include "format/set_paths.h"
#include "pickers/item_picker.h"
#include "presets/preset_list.h"
#include "session/open_set.h"
#include "shell/qt_prompter.h"
#include "test_suites.h"
#include "test_support.h"
#include "ui/scripted_prompter.h"

namespace i40::app::test {
namespace {

QStringList Texts(const QComboBox* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i)
    texts << list->itemText(i);
  return texts;
}

QStringList Texts(const std::vector<PickerLine>& lines) {
  QStringList texts;
  for (const PickerLine& line : lines)
    texts << FromName(line.text);
  return texts;
}

QList<int> Numbers(const QComboBox* list) {
  QList<int> numbers;
  for (int i = 0; i < list->count(); ++i)
    numbers << list->itemData(i).toInt();
  return numbers;
}

QString LabelText(const QWidget& picker, const char* name) {
  const auto* label = picker.findChild<QLabel*>(name);
  return label != nullptr ? label->text() : QString();
}

}  // namespace

// The pickers over the demo Set and the shipped preset names.
class PickerTest : public QObject {
  Q_OBJECT

 private:
  ItemSources From() const { return {ws_.presets, ws_.sets.Files(slot_)}; }

  Workspace ws_;
  int slot_ = 0;

 private Q_SLOTS:
  void initTestCase() {
    auto presets = ReadPresetList(SourceData() / "I40PRSTS.TXT");
    QVERIFY(std::holds_alternative<PresetTables>(presets));
    ws_.presets = std::get<PresetTables>(presets);
    ws_.templateSet = EmptyTemplatePath(SourceData());
    ScriptedPrompter quiet;
    slot_ = OpenSet(ws_, quiet, false, DemoSet());
    QCOMPARE(slot_, 1);
  }

  void arrangementPickerOpensOnTheStartNumber() {
    ItemPicker picker(Kind::Arrangement, From(), 300, " for Backing Sequence 1");
    QCOMPARE(picker.objectName(), QString("FInArr"));
    QCOMPARE(picker.windowTitle(), QString("Select an Arrangement for Backing Sequence 1"));
    QVERIFY(!picker.windowIcon().isNull());
    QCOMPARE(LabelText(picker, "lblBnk"), QString("Bank"));
    QCOMPARE(LabelText(picker, "lblCat"), QString("Category"));
    QCOMPARE(LabelText(picker, "lblRef"), QString("Name"));
    QCOMPARE(Texts(picker.bankList()), QStringList({"A", "B", "C"}));
    QCOMPARE(picker.categoryList()->count(), 16);
    QCOMPARE(picker.categoryList()->itemText(0), QString("8 Beat"));
    QCOMPARE(picker.categoryList()->itemText(15), QString("User 4"));

    QCOMPARE(picker.bankList()->currentIndex(), 2);
    QCOMPARE(picker.categoryList()->currentIndex(), -1);
    QCOMPARE(picker.itemList()->count(), 64);
    QCOMPARE(Texts(picker.itemList()), Texts(PickerBankLines(From(), Kind::Arrangement, 2)));
    QCOMPARE(picker.itemList()->currentIndex(), 44);
    QCOMPARE(picker.chosen(), 300);
    QCOMPARE(picker.itemList()->itemText(0), QString("C11 Pop Ballad      "));
    QCOMPARE(picker.findChild<QPushButton*>("cmdCancel")->text(), QString("&Cancel"));
  }

  void bankAndCategoryClearEachOtherAndPresetsComeFirst() {
    ItemPicker picker(Kind::Arrangement, From(), 256, "");
    // A category that holds presets and user Arrangements of the demo Set.
    int mixed = -1;
    for (int category = 0; category < 16 && mixed < 0; ++category) {
      bool preset = false;
      bool user = false;
      for (const PickerLine& line : PickerCategoryLines(From(), Kind::Arrangement, category)) {
        (line.number >= 256 ? user : preset) = true;
      }
      if (preset && user) mixed = category;
    }
    QVERIFY(mixed >= 0);

    picker.categoryList()->setCurrentIndex(mixed);
    QCOMPARE(picker.bankList()->currentIndex(), -1);
    QCOMPARE(picker.categoryList()->currentIndex(), mixed);
    QCOMPARE(picker.model().category(), mixed);
    const QList<int> numbers = Numbers(picker.itemList());
    QCOMPARE(Texts(picker.itemList()),
             Texts(PickerCategoryLines(From(), Kind::Arrangement, mixed)));
    bool userSeen = false;
    for (int number : numbers) {
      if (number >= 256) userSeen = true;
      QVERIFY2(!(userSeen && number < 256), "a preset after a user Arrangement");
    }
    for (qsizetype i = 1; i < numbers.size(); ++i) {
      if ((numbers.at(i) < 256) == (numbers.at(i - 1) < 256))
        QVERIFY(numbers.at(i) > numbers.at(i - 1));
    }

    picker.bankList()->setCurrentIndex(1);
    QCOMPARE(picker.categoryList()->currentIndex(), -1);
    QCOMPARE(picker.bankList()->currentIndex(), 1);
    QCOMPARE(picker.itemList()->count(), 64);
    QCOMPARE(picker.itemList()->itemData(0).toInt(), 64);
    QCOMPARE(picker.chosen(), 64);

    picker.itemList()->setCurrentIndex(10);
    QCOMPARE(picker.chosen(), 74);
    QCOMPARE(picker.model().Chosen(), 74);
  }

  void stylePickerHasItsOwnCaptionAndLabels() {
    ItemPicker picker(Kind::Style, From(), 271, "for the calls check");
    QCOMPARE(picker.objectName(), QString("FInSty"));
    QCOMPARE(picker.windowTitle(), QString("Select a Style"));
    QCOMPARE(LabelText(picker, "lblBnk"), QString("Style Bank"));
    QCOMPARE(LabelText(picker, "lblCat"), QString("Style Category"));
    QCOMPARE(LabelText(picker, "lblRef"), QString("Style Reference and Name"));
    QCOMPARE(picker.bankList()->currentIndex(), 2);
    QCOMPARE(picker.itemList()->count(), 16);
    QCOMPARE(picker.itemList()->currentIndex(), 15);
    QCOMPARE(picker.itemList()->itemText(0), QString("C11 Ballad Style    "));
    QCOMPARE(picker.chosen(), 271);
  }

  void programPickerListsAllSevenBanks() {
    ItemPicker picker(Kind::Program, From(), 1038, "for track 'DRUMS  '");
    QCOMPARE(picker.objectName(), QString("FInPrg"));
    QCOMPARE(picker.windowTitle(), QString("Select a Program for track 'DRUMS  '"));
    QCOMPARE(LabelText(picker, "lblBnk"), QString("Program Bank"));
    QCOMPARE(LabelText(picker, "lblCat"), QString("Program Category"));
    QCOMPARE(LabelText(picker, "lblRef"), QString("Program Reference and Name"));
    QCOMPARE(Texts(picker.bankList()), QStringList({"A", "B", "C", "D", "E", "F", "R"}));
    QCOMPARE(picker.categoryList()->itemText(14), QString("Drum/Perc."));
    QCOMPARE(picker.bankList()->currentIndex(), 6);
    QCOMPARE(picker.itemList()->count(), 16);
    QCOMPARE(picker.itemList()->currentIndex(), 14);
    QCOMPARE(picker.itemList()->currentText(), QString("R27 Studio Kit      "));
    QCOMPARE(picker.chosen(), 1038);

    picker.bankList()->setCurrentIndex(5);
    QCOMPARE(picker.itemList()->count(), 64);
    QCOMPARE(picker.chosen(), 768);
    QCOMPARE(picker.itemList()->currentText(), QString("F11 Grand Piano     "));
  }

  void okReturnsTheNumberWhileCancelAndTheCloseBoxReturnMinusOne() {
    QtPrompter prompter(ws_);
    ModalWatcher watcher;
    for (Kind kind : {Kind::Arrangement, Kind::Style, Kind::Program}) {
      const int start = kind == Kind::Program ? 768 : 256;
      watcher.Then([](QWidget* picker) {
        picker->findChild<QComboBox*>("cboRef")->setCurrentIndex(5);
        picker->findChild<QPushButton*>("cmdOK")->click();
      });
      QCOMPARE(prompter.Pick({kind, slot_, start, ""}), start + 5);

      watcher.Then([](QWidget* picker) {
        picker->findChild<QComboBox*>("cboRef")->setCurrentIndex(5);
        picker->findChild<QPushButton*>("cmdCancel")->click();
      });
      QCOMPARE(prompter.Pick({kind, slot_, start, ""}), -1);

      watcher.Then([](QWidget* picker) {
        picker->findChild<QComboBox*>("cboCat")->setCurrentIndex(1);
        picker->close();
      });
      QCOMPARE(prompter.Pick({kind, slot_, start, ""}), -1);

      // Enter takes the item shown.
      watcher.Then([](QWidget* picker) { QTest::keyClick(picker, Qt::Key_Return); });
      QCOMPARE(prompter.Pick({kind, slot_, start + 2, ""}), start + 2);
    }
    QCOMPARE(watcher.seen().size(), 12);
    QCOMPARE(watcher.unexpected(), 0);
  }

  void screenshotsOfThePickers() {
    struct Shot {
      Kind kind;
      int start;
      const char* caption;
      const char* file;
    };
    const Shot shots[] = {
        {Kind::Arrangement, 256, " for Backing Sequence 1", "picker_arrangement.png"},
        {Kind::Style, 257, "", "picker_style.png"},
        {Kind::Program, 770, "for track 'BASS   '", "picker_program.png"},
    };
    for (const Shot& shot : shots) {
      ItemPicker picker(shot.kind, From(), shot.start, shot.caption);
      picker.show();
      QVERIFY(QTest::qWaitForWindowExposed(&picker));
      const QString file = ScreenshotPath(shot.file);
      QFile::remove(file);
      QVERIFY(picker.grab().save(file));
      QVERIFY(!QImage(file).isNull());
      picker.reject();
    }
  }
};

std::unique_ptr<QObject> MakePickerTest() {
  return std::make_unique<PickerTest>();
}

}  // namespace i40::app::test

#include "picker_test.moc"
