#include <variant>

#include "calls/picker_model.h"
#include "format/set_paths.h"
#include "host/scripted_prompter.h"
#include "pickers/item_picker.h"
#include "presets/preset_list.h"
#include "session/open_set.h"
#include "shell/qt_prompter.h"
#include "support/app_support.h"

namespace i40::app::test {
namespace {

QStringList Texts(const QComboBox* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i)
    texts << list->itemText(i) + ':' + list->itemData(i).toString();
  return texts;
}

QStringList Texts(const std::vector<PickerLine>& lines) {
  QStringList texts;
  for (const PickerLine& line : lines)
    texts << FromName(line.text) + ':' + QString::number(Value(line.number));
  return texts;
}

QStringList Texts(const std::vector<std::string>& names) {
  QStringList texts;
  for (const std::string& name : names)
    texts << FromCore(name) + ':';
  return texts;
}

}  // namespace

// The pickers over the demo Set and the shipped preset names.
class PickerTest : public QObject {
  Q_OBJECT

 private:
  ItemSources From() const { return {ws_.presets, ws_.sets.Files(slot_)}; }

  Workspace ws_;
  SetSlot slot_ = kNoSet;

 private Q_SLOTS:
  void initTestCase() {
    auto presets = ReadPresetList(SourceData() / "I40PRSTS.TXT");
    QVERIFY(std::holds_alternative<PresetTables>(presets));
    ws_.presets = std::get<PresetTables>(presets);
    ws_.templateSet = EmptyTemplatePath(SourceData());
    ScriptedPrompter quiet;
    slot_ = OpenSet(ws_, quiet, false, DemoSet());
    QCOMPARE(slot_, SetSlot{1});
  }

  // Caption, labels, lists and the line shown are the model's, opened on the start number;
  // a choice of category, bank or line reaches the model and the lists follow it.
  void eachPickerShowsTheModelOfItsKind() {
    const std::tuple<Kind, int, const char*, const char*> cases[] = {
        {Kind::Arrangement, 300, " for Backing Sequence 1", "FInArr"},
        {Kind::Style, 271, "for the calls check", "FInSty"},
        {Kind::Program, 1038, "for track 'DRUMS  '", "FInPrg"}};
    for (const auto& [kind, start, caller, form] : cases) {
      ItemPicker picker(kind, From(), ItemNumber{start}, caller);
      PickerModel model(kind, From(), ItemNumber{start});
      QCOMPARE(NameAndTitle(picker), form + QString(": ") + FromCore(PickerCaption(kind, caller)));
      const auto labels = PickerFieldLabels(kind);
      CheckCaptions(picker, {{"lblBnk", FromCore(labels[0])},
                             {"lblCat", FromCore(labels[1])},
                             {"lblRef", FromCore(labels[2])},
                             {"cmdOK", "OK"},
                             {"cmdCancel", "&Cancel"}});
      QCOMPARE(Texts(picker.bankList()), Texts(PickerBankNames(kind)));
      QCOMPARE(Texts(picker.categoryList()), Texts(PickerCategoryNames(kind)));
      const auto same = [&] {
        QCOMPARE(picker.bankList()->currentIndex(), Value(model.bank()));
        QCOMPARE(picker.categoryList()->currentIndex(), model.category());
        QCOMPARE(Texts(picker.itemList()), Texts(model.lines()));
        QCOMPARE(picker.itemList()->currentIndex(), model.row());
        QCOMPARE(picker.chosen(), model.Chosen());
      };
      same();
      picker.categoryList()->setCurrentIndex(0);
      model.ChooseCategory(0);
      same();
      picker.bankList()->setCurrentIndex(1);
      model.ChooseBank(BankNo{1});
      same();
      picker.itemList()->setCurrentIndex(3);
      model.ChooseRow(3);
      same();
    }
  }

  // The prompter's Pick: OK and Enter return the number shown, Cancel and the close box -1.
  void pickReturnsTheNumberOnOkAndMinusOneOtherwise() {
    QtPrompter prompter(ws_);
    ModalWatcher watcher;
    QStringList forms;
    for (Kind kind : {Kind::Arrangement, Kind::Style, Kind::Program}) {
      const int start = kind == Kind::Program ? 768 : 256;
      watcher.Then([kind](QWidget* picker) {
        QCOMPARE(picker->windowTitle(), FromCore(PickerCaption(kind, " for test")));
        picker->findChild<QComboBox*>("cboRef")->setCurrentIndex(5);
        picker->findChild<QPushButton*>("cmdOK")->click();
      });
      QCOMPARE(Value(prompter.Pick({kind, slot_, ItemNumber{start}, " for test", ""})), start + 5);
      watcher.Then([](QWidget* picker) {
        picker->findChild<QComboBox*>("cboRef")->setCurrentIndex(5);
        picker->findChild<QPushButton*>("cmdCancel")->click();
      });
      QCOMPARE(prompter.Pick({kind, slot_, ItemNumber{start}, "", ""}), kNoNumber);
      watcher.Then([](QWidget* picker) {
        picker->findChild<QComboBox*>("cboCat")->setCurrentIndex(1);
        QVERIFY(!picker->close());
      });
      QCOMPARE(prompter.Pick({kind, slot_, ItemNumber{start}, "", ""}), kNoNumber);
      watcher.Then([](QWidget* picker) { QTest::keyClick(picker, Qt::Key_Return); });
      QCOMPARE(Value(prompter.Pick({kind, slot_, ItemNumber{start + 2}, "", ""})), start + 2);
      forms << QStringList(4, ItemPicker::FormName(kind));
    }
    // No Set in the slot, or a kind without a picker: nothing to ask.
    QCOMPARE(prompter.Pick({Kind::Arrangement, SetSlot{7}, ItemNumber{0}, "", ""}), kNoNumber);
    QCOMPARE(prompter.Pick({Kind::KbdSet, slot_, ItemNumber{0}, "", ""}), kNoNumber);
    QCOMPARE(watcher.seen(), forms);
  }

  void screenshotsOfThePickers() {
    const std::tuple<Kind, int, const char*, const char*> shots[] = {
        {Kind::Arrangement, 256, " for Backing Sequence 1", "picker_arrangement.png"},
        {Kind::Style, 257, "", "picker_style.png"},
        {Kind::Program, 770, "for track 'BASS   '", "picker_program.png"}};
    for (const auto& [kind, start, caption, file] : shots) {
      ItemPicker picker(kind, From(), ItemNumber{start}, caption);
      picker.show();
      QVERIFY(QTest::qWaitForWindowExposed(&picker));
      Picture(picker, file);
      picker.reject();
    }
  }
};

[[maybe_unused]] const bool kRegistered = RegisterSuite<PickerTest>("Pickers");

}  // namespace i40::app::test

#include "picker_test.moc"
