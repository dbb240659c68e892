#pragma once

#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

#include "host/prompter.h"
#include "session/workspace.h"

namespace i40::app {

class ProgressWindow;

// How the core's message boxes look in Qt.
QMessageBox::Icon ToQtIcon(MessageIcon icon);
QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons);
QMessageBox::StandardButton ToQtButton(Answer answer);
// The answer of a box closed with that button; NoButton (closed otherwise) counts as the
// box's way out: Cancel where there is one, else No, else OK.
Answer FromQtButton(QMessageBox::StandardButton button, MessageButtons buttons);

// The title of a message box that has none of its own: the program's name, as the user
// knows it (not the file name, which the window system would show otherwise).
inline constexpr const char* kMessageBoxTitle = "i40 Set Editor";

// A message box with the core's text, title (an empty one becomes kMessageBoxTitle),
// icon, buttons and default button, not yet shown.
std::unique_ptr<QMessageBox> MakeMessageBox(const Message& message, QWidget* parent);

// "All|*.*" becomes "All (*)"; a kind's "*.ARR" also matches "*.arr", since Sets copied
// from the instrument's disks may carry lower-case extensions.
QStringList NameFilters(const std::vector<FileFilter>& filters);

// Sets a file dialog up as the core asks: title, folder, filters, the filter first
// selected, default extension and file name.
void ConfigureFileDialog(QFileDialog& dialog, const FileRequest& request, bool save);

// The Prompter of the desktop: real message boxes, the system's file dialogs, the
// pickers and the progress window.
class QtPrompter : public Prompter {
 public:
  // Work shorter than this never shows its progress window.
  static constexpr int kDefaultProgressDelayMs = 500;

  explicit QtPrompter(Workspace& ws, QWidget* parent = nullptr);
  ~QtPrompter() override;

  void SetParent(QWidget* parent) { parent_ = parent; }
  void SetProgressDelay(int milliseconds) { progressDelayMs_ = milliseconds; }

  Answer Ask(const Message& message) override;
  std::optional<std::filesystem::path> ChooseOpenFile(const FileRequest& request) override;
  std::optional<std::filesystem::path> ChooseSaveFile(const FileRequest& request) override;
  ItemNumber Pick(const PickRequest& request) override;
  int ChooseFromList(const ListChoice& choice) override;
  std::optional<MidiDevices> ChooseMidiDevices(const MidiSetupRequest& request) override;
  void BeginProgress(const std::string& caption, const std::string& label, double minimum,
                     double maximum) override;
  void SetProgress(double value) override;
  void EndProgress() override;
  void ShowOutcome(const std::string& text) override;
  void BeginCancellableProgress(const std::string& caption, const std::string& label,
                                double minimum, double maximum) override;
  bool UpdateCancellableProgress(double value, const std::string& label) override;

  // Where the outcomes of commands are shown (the frame's status bar).
  void SetOutcomeHandler(std::function<void(const QString&)> handler) {
    outcome_ = std::move(handler);
  }

  // The progress window of the work under way, shown or not yet; null when none runs.
  ProgressWindow* progressWindow() const;

 private:
  std::optional<std::filesystem::path> ChooseFile(const FileRequest& request, bool save);
  void ShowProgress();

  Workspace& ws_;
  QPointer<QWidget> parent_;
  QPointer<ProgressWindow> progress_;
  QElapsedTimer progressClock_;
  double progressMinimum_ = 0;
  double progressMaximum_ = 1;
  int progressDelayMs_ = kDefaultProgressDelayMs;
  bool waitCursor_ = false;
  std::function<void(const QString&)> outcome_;
};

}  // namespace i40::app
