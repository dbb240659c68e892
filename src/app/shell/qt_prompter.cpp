#include "shell/qt_prompter.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include "dialogs/list_choice_dialog.h"
#include "dialogs/midi_setup_dialog.h"
#include "pickers/item_picker.h"
#include "shell/app_icon.h"
#include "shell/progress_window.h"
#include "shell/qt_text.h"

namespace i40::app {
namespace {

// While a box asks something during long work, the pointer is an arrow again.
class ArrowWhileAsking {
 public:
  ArrowWhileAsking() : active_(QApplication::overrideCursor() != nullptr) {
    if (active_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~ArrowWhileAsking() {
    if (active_) QApplication::restoreOverrideCursor();
  }
  ArrowWhileAsking(const ArrowWhileAsking&) = delete;
  ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

 private:
  bool active_;
};

bool IsPickable(Kind kind) {
  return kind == Kind::Arrangement || kind == Kind::Style || kind == Kind::Program;
}

}  // namespace

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

QMessageBox::StandardButton ToQtButton(Answer answer) {
  switch (answer) {
    case Answer::Cancel:
      return QMessageBox::Cancel;
    case Answer::Yes:
      return QMessageBox::Yes;
    case Answer::No:
      return QMessageBox::No;
    case Answer::Ok:
      break;
  }
  return QMessageBox::Ok;
}

Answer FromQtButton(QMessageBox::StandardButton button, MessageButtons buttons) {
  switch (button) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      break;
  }
  switch (buttons) {
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
      return Answer::Cancel;
    case MessageButtons::YesNo:
      return Answer::No;
    case MessageButtons::Ok:
      break;
  }
  return Answer::Ok;
}

std::unique_ptr<QMessageBox> MakeMessageBox(const Message& message, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setObjectName("msgBox");
  box->setWindowTitle(message.title.empty() ? QString::fromLatin1(kMessageBoxTitle)
                                            : FromCore(message.title));
  box->setTextFormat(Qt::PlainText);
  box->setText(FromCore(message.text));
  box->setIcon(ToQtIcon(message.icon));
  box->setStandardButtons(ToQtButtons(message.buttons));
  const QMessageBox::StandardButton preferred = ToQtButton(message.defaultButton);
  if (box->button(preferred) != nullptr) box->setDefaultButton(preferred);
  return box;
}

QStringList NameFilters(const std::vector<FileFilter>& filters) {
  QStringList result;
  for (const FileFilter& filter : filters) {
    QString pattern = FromCore(filter.pattern);
    // "*.*" means every file, those without an extension too.
    if (pattern == QLatin1String("*.*")) {
      pattern = QStringLiteral("*");
    } else if (pattern != pattern.toLower()) {
      pattern += ' ' + pattern.toLower();  // "*.ARR *.STY" becomes "*.ARR *.STY *.arr *.sty"
    }
    result << FromCore(filter.name) + " (" + pattern + ')';
  }
  return result;
}

void ConfigureFileDialog(QFileDialog& dialog, const FileRequest& request, bool save) {
  dialog.setObjectName(save ? "dlgSave" : "dlgOpen");
  dialog.setWindowTitle(FromCore(request.title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The core asks its own question before writing over a Set.
  if (save) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.initialDir.empty()) dialog.setDirectory(PathToQString(request.initialDir));
  const QStringList filters = NameFilters(request.filters);
  dialog.setNameFilters(filters);
  if (request.selectedFilter >= 0 && request.selectedFilter < filters.size()) {
    dialog.selectNameFilter(filters.at(request.selectedFilter));
  }
  QString suffix = FromCore(request.defaultExt);
  if (suffix.startsWith('.')) suffix.remove(0, 1);
  dialog.setDefaultSuffix(suffix);
  // A wildcard as the first name ("*.*") only repeats the filter.
  const QString name = FromCore(request.initialName);
  if (!name.isEmpty() && !name.contains(QRegularExpression("[*?]"))) dialog.selectFile(name);
}

QtPrompter::QtPrompter(Workspace& ws, QWidget* parent) : ws_(ws), parent_(parent) {}

QtPrompter::~QtPrompter() {
  EndProgress();
}

Answer QtPrompter::Ask(const Message& message) {
  ArrowWhileAsking arrow;
  const auto box = MakeMessageBox(message, parent_);
  box->exec();
  QAbstractButton* clicked = box->clickedButton();
  const QMessageBox::StandardButton button =
      clicked != nullptr ? box->standardButton(clicked) : QMessageBox::NoButton;
  return FromQtButton(button, message.buttons);
}

std::optional<std::filesystem::path> QtPrompter::ChooseFile(const FileRequest& request, bool save) {
  ArrowWhileAsking arrow;
  QFileDialog dialog(parent_);
  ConfigureFileDialog(dialog, request, save);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
  return QStringToPath(files.first());
}

std::optional<std::filesystem::path> QtPrompter::ChooseOpenFile(const FileRequest& request) {
  return ChooseFile(request, false);
}

std::optional<std::filesystem::path> QtPrompter::ChooseSaveFile(const FileRequest& request) {
  return ChooseFile(request, true);
}

ItemNumber QtPrompter::Pick(const PickRequest& request) {
  if (!IsPickable(request.kind) || !ws_.sets.IsSlot(request.slot)) return kNoNumber;
  ArrowWhileAsking arrow;
  const ItemSources from{ws_.presets, ws_.sets.Files(request.slot)};
  ItemPicker picker(request.kind, from, request.start, FromCore(request.caption), parent_,
                    FromCore(request.item));
  return picker.exec() == QDialog::Accepted ? picker.chosen() : kNoNumber;
}

int QtPrompter::ChooseFromList(const ListChoice& choice) {
  ArrowWhileAsking arrow;
  ListChoiceDialog dialog(choice, parent_);
  return dialog.exec() == QDialog::Accepted ? dialog.chosen() : -1;
}

std::optional<MidiDevices> QtPrompter::ChooseMidiDevices(const MidiSetupRequest& request) {
  ArrowWhileAsking arrow;
  MidiSetupDialog dialog(request, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.chosen();
}

ProgressWindow* QtPrompter::progressWindow() const {
  return progress_.data();
}

void QtPrompter::BeginProgress(const std::string& caption, const std::string& label, double minimum,
                               double maximum) {
  EndProgress();
  progress_ = new ProgressWindow(parent_);
  progress_->Setup(FromCore(caption), FromCore(label));
  progressMinimum_ = minimum;
  progressMaximum_ = maximum;
  progressClock_.start();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  waitCursor_ = true;
  if (progressDelayMs_ <= 0) ShowProgress();
}

void QtPrompter::SetProgress(double value) {
  if (progress_.isNull()) return;
  const double span = progressMaximum_ - progressMinimum_;
  progress_->SetFraction(span > 0 ? (value - progressMinimum_) / span : 1.0);
  if (!progress_->isVisible() && progressClock_.elapsed() >= progressDelayMs_) ShowProgress();
  // A shown window paints between the steps of the work.
  if (progress_->isVisible()) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtPrompter::EndProgress() {
  delete progress_.data();
  progress_.clear();
  if (waitCursor_) {
    QApplication::restoreOverrideCursor();
    waitCursor_ = false;
  }
}

void QtPrompter::BeginCancellableProgress(const std::string& caption, const std::string& label,
                                          double minimum, double maximum) {
  BeginProgress(caption, label, minimum, maximum);
  progress_->AllowCancel();
  // Once shown it holds the rest of the program back, and its Cancel takes clicks.
  progress_->setWindowModality(Qt::ApplicationModal);
}

bool QtPrompter::UpdateCancellableProgress(double value, const std::string& label) {
  if (progress_.isNull()) return true;
  progress_->label()->setText(FromCore(label));
  progress_->label()->setVisible(!label.empty());
  const double span = progressMaximum_ - progressMinimum_;
  progress_->SetFraction(span > 0 ? (value - progressMinimum_) / span : 1.0);
  if (!progress_->isVisible() && progressClock_.elapsed() >= progressDelayMs_) ShowProgress();
  // Until the window is up, the person's input waits, so nothing starts mid-transfer.
  QApplication::processEvents(progress_->isVisible() ? QEventLoop::AllEvents
                                                     : QEventLoop::ExcludeUserInputEvents);
  return progress_.isNull() || !progress_->cancelled();
}

void QtPrompter::ShowOutcome(const std::string& text) {
  if (outcome_) outcome_(FromCore(text));
}

void QtPrompter::ShowProgress() {
  progress_->show();
  progress_->raise();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace i40::app
