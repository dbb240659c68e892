#include "dialogs/item_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "shell/app_icon.h"
#include "shell/dialog_buttons.h"
#include "shell/qt_text.h"

namespace i40::app {
namespace {

// Where each frame of a dialog sits: row, column and spans of the dialog's grid.
struct FramePlace {
  const char* frame;
  int row;
  int column;
  int rowSpan;
  int columnSpan;
};

std::vector<FramePlace> PlacesOf(const std::string& form) {
  if (form == "FParArr") {
    return {{"fraArr", 0, 0, 1, 1},   {"fraLinks", 1, 0, 3, 1},  {"fraTempo", 0, 1, 1, 1},
            {"fraKbd", 1, 1, 1, 1},   {"fraSw1", 2, 1, 1, 1},    {"fraSw2", 3, 1, 1, 1},
            {"fraDrMap", 0, 2, 2, 1}, {"fraIniVar", 2, 2, 1, 1}, {"fraVarChge", 3, 2, 1, 1}};
  }
  if (form == "FParSty") {
    return {{"fraSty", 0, 0, 1, 1}, {"fraEvents", 0, 1, 1, 1}, {"fraLinks", 1, 0, 1, 2}};
  }
  if (form == "FParArg") {
    return {{"fraMidi", 0, 0, 4, 1},  {"fraSplit", 0, 1, 1, 1}, {"fraRecog", 1, 1, 1, 1},
            {"fraChord", 2, 1, 1, 1}, {"fraVelo", 3, 1, 1, 1},  {"fraChSnd", 3, 1, 1, 1},
            {"fraSynch", 3, 1, 1, 1}, {"fraCmd", 4, 0, 1, 2}};
  }
  if (form == "FParGbl") {
    return {{"fraPedals", 0, 0, 1, 1},
            {"fraEC5", 0, 1, 2, 1},
            {"fraCurv", 1, 0, 1, 1},
            {"fraCmd", 2, 0, 1, 2}};
  }
  if (form == "FParBsq") {
    return {{"fraBsq", 0, 0, 1, 1}, {"fraChain", 0, 1, 1, 1}, {"fraLinks", 1, 0, 1, 2}};
  }
  return {{"fraPrg", 0, 0, 1, 1}, {"fraLinks", 1, 0, 1, 1}};
}

QString NameOf(const DialogControl& control) {
  return QString::fromStdString(control.name);
}

// A control's text: every byte a character (names are single-byte text, and the rest is
// ASCII), the blanks that pad a name included.
QString BoxText(const DialogControl& control) {
  return FromName(control.text);
}

// What a name box takes from what was typed or pasted: printable ASCII, anything else a
// "?", one a character.
std::string TypedText(const QString& text) {
  std::string typed;
  for (const QChar c : text)
    typed += c.unicode() >= 0x20 && c.unicode() < 0x7F ? static_cast<char>(c.unicode()) : '?';
  return typed;
}

}  // namespace

PickLabel::PickLabel(QWidget* parent) : QLabel(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void PickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  QLabel::mouseDoubleClickEvent(event);
  if (isEnabled()) Q_EMIT activated();
}

void PickLabel::keyPressEvent(QKeyEvent* event) {
  if (isEnabled() && (event->key() == Qt::Key_Space || event->key() == Qt::Key_F2)) {
    Q_EMIT activated();
    return;
  }
  QLabel::keyPressEvent(event);
}

StepBox::StepBox(QWidget* parent) : QSpinBox(parent) {
  setRange(-9999, 9999);
  setKeyboardTracking(false);
}

void StepBox::stepBy(int steps) {
  Q_EMIT stepped(steps);
}

QValidator::State StepBox::validate(QString& input, int&) const {
  static const QRegularExpression whole(QStringLiteral("^\\s*[-+]?\\d{0,4}\\s*$"));
  return whole.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

ItemDialog::ItemDialog(DialogModel& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
  setObjectName(QString::fromStdString(model.formName));
  setWindowTitle(FromCore(model.title));
  setWindowIcon(AppIcon());
  setModal(true);
  LayOut();
  Show();
}

QWidget* ItemDialog::control(const QString& name) const {
  const auto it = widgets_.find(name);
  return it == widgets_.end() ? nullptr : it->second;
}

QWidget* ItemDialog::MakeWidget(const DialogControl& c, QWidget* parent) {
  const QString name = NameOf(c);
  QWidget* widget = nullptr;
  switch (c.type) {
    case ControlType::Text: {
      auto* box = new QLineEdit(parent);
      // No length of the box's own: a pasted name loses its leading blanks before it is
      // cut to length, as typing does (the model keeps both rules).
      connect(box, &QLineEdit::textEdited, this,
              [this, name](const QString& text) { CommitText(name, text); });
      widget = box;
      break;
    }
    case ControlType::Number: {
      auto* box = new StepBox(parent);
      connect(box, &QAbstractSpinBox::editingFinished, this,
              [this, name, box] { CommitText(name, box->cleanText()); });
      connect(box, &StepBox::stepped, this,
              [this, name](int steps) { Act(model_.Step(ToCore(name), steps)); });
      widget = box;
      break;
    }
    case ControlType::Combo: {
      auto* box = new QComboBox(parent);
      for (const std::string& entry : c.entries)
        box->addItem(FromCore(entry));
      connect(box, &QComboBox::activated, this,
              [this, name](int index) { Act(model_.Choose(ToCore(name), index)); });
      widget = box;
      break;
    }
    case ControlType::Check: {
      auto* box = new QCheckBox(FromCore(c.caption), parent);
      connect(box, &QCheckBox::clicked, this,
              [this, name](bool checked) { Act(model_.SetCheck(ToCore(name), checked)); });
      widget = box;
      break;
    }
    case ControlType::Picker: {
      auto* label = new PickLabel(parent);
      connect(label, &PickLabel::activated, this,
              [this, name] { Act(model_.Activate(ToCore(name), -1, prompter_)); });
      widget = label;
      break;
    }
    case ControlType::List: {
      auto* list = new QListWidget(parent);
      list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
      if (!c.readOnly) {
        // A double click or Enter on a line opens the picker on it.
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, name, list](QListWidgetItem* item) {
                  Act(model_.Activate(ToCore(name), list->row(item), prompter_));
                });
        list->installEventFilter(this);
      }
      widget = list;
      break;
    }
    case ControlType::Label:
      widget = new QLabel(parent);
      break;
    case ControlType::Options: {
      // One option button a choice, named as a control array; the group holds them.
      widget = new QWidget(parent);
      auto* column = new QVBoxLayout(widget);
      column->setContentsMargins(0, 0, 0, 0);
      for (std::size_t i = 0; i < c.entries.size(); ++i) {
        auto* option = new QRadioButton(FromCore(c.entries[i]), widget);
        option->setObjectName(QString::fromStdString(ArrayName(c.name, static_cast<int>(i))));
        column->addWidget(option);
        connect(option, &QRadioButton::clicked, this,
                [this, name, i] { Act(model_.Choose(ToCore(name), static_cast<int>(i))); });
      }
      break;
    }
    case ControlType::Button: {
      auto* button = new QPushButton(FromCore(c.caption), parent);
      connect(button, &QPushButton::clicked, this,
              [this, name] { Act(model_.Click(ToCore(name), prompter_)); });
      widget = button;
      break;
    }
  }
  widget->setObjectName(name);
  if (!c.tip.empty()) widget->setToolTip(FromCore(c.tip));
  // What a screen reader says: the caption, else the tip, else the control's name.
  QString spoken = FromCore(!c.caption.empty() ? c.caption : !c.tip.empty() ? c.tip : c.name);
  widget->setAccessibleName(spoken.remove('&'));
  widgets_[name] = widget;
  return widget;
}

void ItemDialog::LayOut() {
  auto* grid = new QGridLayout;
  for (const FramePlace& place : PlacesOf(model_.formName)) {
    const DialogFrame* frame = model_.Frame(place.frame);
    if (frame == nullptr) continue;
    auto* box = new QGroupBox(FromCore(frame->caption), this);
    box->setObjectName(place.frame);
    frames_[place.frame] = box;
    auto* inner = new QGridLayout(box);
    int row = 0;
    for (const DialogControl& c : model_.controls) {
      if (c.frame != place.frame) continue;
      QWidget* widget = MakeWidget(c, box);
      const bool captioned =
          c.type != ControlType::Check && c.type != ControlType::Button && !c.caption.empty();
      if (captioned) {
        auto* caption = new QLabel(FromCore(c.caption), box);
        caption->setObjectName(QStringLiteral("lbl_") + NameOf(c));
        caption->setBuddy(widget);
        if (c.type == ControlType::List) {
          inner->addWidget(caption, row++, 0, 1, 2);
          inner->addWidget(widget, row++, 0, 1, 2);
        } else {
          inner->addWidget(caption, row, 0);
          inner->addWidget(widget, row++, 1);
        }
      } else {
        inner->addWidget(widget, row++, 0, 1, 2);
      }
    }
    grid->addWidget(box, place.row, place.column, place.rowSpan, place.columnSpan);
  }

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(AddOkCancel(this, tr("&OK")).row);
}

void ItemDialog::Show() {
  showing_ = true;
  for (const DialogFrame& frame : model_.frames) {
    if (const auto it = frames_.find(QString::fromStdString(frame.name)); it != frames_.end())
      it->second->setVisible(frame.visible);
  }
  for (const DialogControl& c : model_.controls) {
    QWidget* widget = control(NameOf(c));
    if (widget == nullptr) continue;
    const QSignalBlocker block(widget);
    widget->setEnabled(c.enabled);
    widget->setVisible(c.visible);
    if (auto* caption = findChild<QLabel*>(QStringLiteral("lbl_") + NameOf(c)))
      caption->setVisible(c.visible);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
      if (box->text() != BoxText(c)) box->setText(BoxText(c));
    } else if (auto* number = qobject_cast<StepBox*>(widget)) {
      if (c.text.empty()) {
        number->clear();
      } else {
        number->setValue(c.value);
      }
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      combo->setCurrentIndex(c.value);
      // A stand-in is greyed until chosen in; a choice shows blue.
      if (c.greyedStandIn) {
        combo->setStyleSheet(c.acted          ? QStringLiteral("color: rgb(0, 0, 255);")
                             : c.shownStandIn ? QStringLiteral("color: gray; background: white;")
                                              : QString());
      }
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
      check->setChecked(c.value != 0);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
      const int row = list->currentRow();
      list->clear();
      for (const ListLine& line : c.lines)
        list->addItem(FromName(line.text));
      // Room for every line of a short list (the channels, the tracks) without scrolling.
      const int rows = std::clamp(list->count(), 6, 16);
      list->setMinimumHeight(list->sizeHintForRow(0) * rows + 2 * list->frameWidth() + 4);
      if (row >= 0 && row < list->count()) list->setCurrentRow(row);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setText(FromName(c.text));
    } else if (c.type == ControlType::Options) {
      for (std::size_t i = 0; i < c.entries.size(); ++i) {
        auto* option = widget->findChild<QRadioButton*>(
            QString::fromStdString(ArrayName(c.name, static_cast<int>(i))));
        const QSignalBlocker blockOption(option);
        option->setChecked(c.value == static_cast<int>(i));
      }
    }
  }
  showing_ = false;
}

void ItemDialog::CommitText(const QString& name, const QString& text) {
  if (showing_) return;
  const DialogControl* c = model_.Find(ToCore(name));
  if (c == nullptr || text == BoxText(*c)) return;
  Act(model_.SetText(ToCore(name), TypedText(text)));
}

void ItemDialog::Act(ControlRefusal) {
  // A refusal leaves the model as it was; showing it again puts the widget back.
  Show();
  // Send, SysEx to file and Import close the dialog; the caller acts once it has gone.
  if (!model_.closedBy().empty()) QDialog::accept();
}

bool ItemDialog::eventFilter(QObject* watched, QEvent* event) {
  auto* list = qobject_cast<QListWidget*>(watched);
  if (list != nullptr && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list->currentRow() >= 0) {
      Act(model_.Activate(ToCore(list->objectName()), list->currentRow(), prompter_));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ItemDialog::accept() {
  // What is still being typed counts, as it would once the box lost the focus.
  for (const DialogControl& c : model_.controls) {
    if (auto* box = qobject_cast<QLineEdit*>(control(NameOf(c)))) {
      CommitText(NameOf(c), box->text());
    } else if (auto* number = qobject_cast<StepBox*>(control(NameOf(c)))) {
      if (c.enabled && number->cleanText() != FromCore(c.text))
        CommitText(NameOf(c), number->cleanText());
    }
  }
  if (model_.Ok(prompter_)) QDialog::accept();
}

}  // namespace i40::app
