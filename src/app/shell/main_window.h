#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>

#include "diff/set_diff.h"
#include "host/midi_port.h"
#include "host/prompter.h"
#include "session/workspace.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;

namespace i40::app {

class CheckerDock;
class HelpWindow;
class QtPrompter;
class MidiWait;
class SetWindow;

// What a run starts from: the program's folder (where the file dialogs first open), the
// data folders, and the Set named on the command line, if any.
struct StartOptions {
  std::filesystem::path programDir;
  std::filesystem::path documentsDir;  // the user's documents: "i40 Sets" is made there
  DataLocations data;
  std::filesystem::path setArgument;  // a Set path or any one of its files; empty: none
};

// The folders of an installed or built program: the per-user data folder first, then
// the shipped ones beside the executable.
StartOptions DefaultStartOptions();

// Screens smaller than 800 x 600 cannot show the Set windows properly.
bool ScreenTooSmall(const QSize& screen);
Message ScreenSizeQuestion();

// The Set path of a command-line argument: a component file names its Set; anything
// else is taken as the Set path itself.
std::filesystem::path SetPathFromArgument(const std::filesystem::path& argument);

// The frame window (FMain): one window per open Set, the menus they share, start-up and
// shut-down. It owns the run's Workspace and the Prompter of the desktop.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(SettingsStore& store, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Start-up: settings, template and preset names, the frame with the About box over it,
  // the first Set (the one named, else a first run's copy of the demo, else the last or
  // the open dialog), then the tip of the day.
  // False when the program must end (the user declined, or the template or the preset
  // names cannot be used).
  bool Start(const StartOptions& options);

  Workspace& workspace() { return *ws_; }
  QtPrompter& prompter() { return *prompter_; }
  QMdiArea* setArea() const { return area_; }
  QList<SetWindow*> setWindows() const;
  SetWindow* setWindow(SetSlot slot) const;

  // The MIDI devices, made when first used: every backend RtMidi opens here and the dry
  // run, unless a test gave other devices.
  MidiPort& midiPort();
  void SetMidiPortFactory(std::function<std::unique_ptr<MidiPort>()> factory) {
    midiFactory_ = std::move(factory);
  }
  MidiWait* midiWait() const { return midiWait_; }
  // The packet size and pause of the options, for the next dump.
  void ApplyMidiPace();

  // File > New, File > Open... and start-up: the window of the Set opened, or null. A Set
  // that is open already is not opened again: its window comes to the front and is
  // returned.
  SetWindow* OpenSetWindow(bool isNew, const std::filesystem::path& path);
  // File > Recent Sets: as OpenSetWindow, but a Set that has gone from its folder is not
  // created anew; the user may take it off the list.
  SetWindow* OpenRecentSetWindow(const std::filesystem::path& path);
  // Files dropped on the frame or handed over by a second start of the editor: the Set of
  // each (a component file, or a Set path), each once; then the frame comes to the front.
  void OpenFiles(const QStringList& files);

  // Window menu.
  void Cascade();
  void Tile();
  void ArrangeIcons();

  void ShowAbout();
  // The About box over the frame at start-up, until a key, a click or three seconds.
  void ShowStartUpAbout();
  QWidget* startUpAbout() const { return startUpAbout_.data(); }
  void ShowTipOfTheDay();
  void ShowOptions();
  void ShowHelp();
  // A page of the help ("editing.html#details"; the contents when empty), in a window
  // that belongs to `owner`.
  void ShowHelpPage(const QString& page, QWidget* owner);
  HelpWindow* helpWindow() const;
  QMenu* recentSetsMenu() const { return recent_; }

 protected:
  // Every Set window closes first (each may ask to save); the settings are written
  // once, when the last one has gone.
  void closeEvent(QCloseEvent* event) override;
  // F1 inside a modal dialog opens the dialog's help page.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Set files dragged from a file manager open as File > Open would open them.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateMenus();
  // The active Set window's "3 items selected", or nothing.
  void ShowSelectionCount();
  // The window of a Set just taken into a slot.
  SetWindow* AddSetWindow(SetSlot slot, bool isNew);
  // The window of an open Set, brought to the front; null when the slot has none.
  SetWindow* ShowSetWindow(SetSlot slot);
  void UpdateMenus();
  void FillWindowList();
  void FillRecentSets();
  // A Set opened or saved under a new name goes first in File > Recent Sets.
  void RememberOpenSet(SetSlot slot);
  SetWindow* CurrentSetWindow() const;
  // File > Compare Sets... and File > Compare with Saved: the comparison's window.
  void CompareSets();
  void CompareWithSaved();
  void ShowComparison(const CompareSource& a, const QString& titleA, const CompareSource& b,
                      const QString& titleB);
  // The Set checker shows the Set in front.
  void RefreshChecker();
  void ShowFinding(Kind kind, ItemIndex index);

  SettingsStore& store_;
  std::unique_ptr<Workspace> ws_;
  std::unique_ptr<QtPrompter> prompter_;
  std::function<std::unique_ptr<MidiPort>()> midiFactory_;
  std::unique_ptr<MidiPort> midiPort_;
  MidiWait* midiWait_ = nullptr;
  QMdiArea* area_;
  CheckerDock* checker_;
  QLabel* selectionCount_ = nullptr;
  QPointer<HelpWindow> help_;
  QPointer<HelpWindow> dialogHelp_;
  QPointer<QWidget> startUpAbout_;
  bool started_ = false;
  QStringList pendingFiles_;  // handed over before the start-up was done
  bool settingsWritten_ = false;
  bool checkerShown_ = false;

  QAction* save_ = nullptr;
  QAction* saveAs_ = nullptr;
  QAction* close_ = nullptr;
  QAction* compareSaved_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QMenu* recent_ = nullptr;
  QPointer<QMenu> shownEditMenu_;
  QPointer<QMenu> shownUtilitiesMenu_;  // the Edit menu of the Set window in front
  QAction* cascade_ = nullptr;
  QAction* tile_ = nullptr;
  QAction* arrange_ = nullptr;
  QList<QAction*> windowList_;
  QAction* options_ = nullptr;
  QAction* tip_ = nullptr;
};

}  // namespace i40::app
