#include "shell/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <system_error>
#include <utility>

#include "compare/compare_window.h"
#include "format/blank_records.h"
#include "format/set_paths.h"
#include "presets/preset_list.h"
#include "rtmidi_port.h"
#include "session/first_run.h"
#include "session/load_component.h"
#include "session/open_set.h"
#include "setwindow/set_window.h"
#include "shell/about_dialog.h"
#include "shell/app_icon.h"
#include "shell/checker_dock.h"
#include "shell/help_window.h"
#include "shell/midi_wait.h"
#include "shell/options_dialog.h"
#include "shell/qt_prompter.h"
#include "shell/qt_text.h"
#include "shell/tip_dialog.h"
#include "version.h"

namespace fs = std::filesystem;

namespace i40::app {
namespace {

constexpr const char* kTemplateFolder = "I40EMPTY";
constexpr int kOutcomeShownMs = 5000;

// The data folder that holds a file or folder of that name; where it should be when
// no folder has it, so that the message names a sensible place.
fs::path DataDirHolding(const DataLocations& data, const fs::path& name) {
  if (const auto found = data.Find(name)) return found->parent_path();
  return data.shippedDirs.empty() ? data.userDir : data.shippedDirs.front();
}

// A window as large as its content asks, but within the screen's free area, and wide
// enough for the window manager to show its whole title (beside its icon and buttons).
void FitToScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return;
  const QRect free = screen->availableGeometry();
  // What a window manager adds around a window, when it has not said yet.
  constexpr QSize kFrame(16, 40);
  constexpr int kTitleBarExtras = 160;
  QFont titleFont = QApplication::font();
  titleFont.setBold(true);
  QSize size = window.size();
  const int titleWidth =
      QFontMetrics(titleFont).horizontalAdvance(window.windowTitle()) + kTitleBarExtras;
  if (size.width() < titleWidth && window.maximumWidth() >= titleWidth) size.setWidth(titleWidth);
  size = size.boundedTo(free.size() - kFrame);
  if (size != window.size()) window.resize(size);
  const QRect placed(window.pos(), size);
  if (!free.contains(placed)) {
    const int right = free.right() - size.width() - kFrame.width();
    const int bottom = free.bottom() - size.height() - kFrame.height();
    window.move(std::max(free.left(), std::min(placed.x(), right)),
                std::max(free.top(), std::min(placed.y(), bottom)));
  }
}

// A menu entry with its form name.
QAction* AddEntry(QMenu* menu, const char* name, const QString& text,
                  const QKeySequence& key = {}) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  if (!key.isEmpty()) action->setShortcut(key);
  return action;
}

}  // namespace

StartOptions DefaultStartOptions() {
  StartOptions options;
  options.programDir = QStringToPath(QCoreApplication::applicationDirPath());
  options.documentsDir =
      QStringToPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  options.data.userDir =
      QStringToPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  options.data.shippedDirs =
      ShippedDataDirs(QStringToPath(QCoreApplication::applicationFilePath()));
  return options;
}

bool ScreenTooSmall(const QSize& screen) {
  return screen.width() < 800 || screen.height() < 600;
}

Message ScreenSizeQuestion() {
  return Message{
      "For a correct display, the screen resolution\nshould be at least 800x600 pixels!\n"
      "Continue anyway?\n",
      "Warning", MessageIcon::Exclamation, MessageButtons::YesNo, Answer::Yes};
}

fs::path SetPathFromArgument(const fs::path& argument) {
  std::error_code ec;
  fs::path path = fs::absolute(argument, ec);
  if (ec) path = argument;
  if (fs::is_regular_file(path, ec)) return SetPathFromComponent(path);
  return path;
}

MainWindow::MainWindow(SettingsStore& store, QWidget* parent)
    : QMainWindow(parent),
      store_(store),
      ws_(std::make_unique<Workspace>()),
      prompter_(std::make_unique<QtPrompter>(*ws_, this)),
      area_(new QMdiArea(this)),
      checker_(new CheckerDock(this)) {
  setObjectName("FMain");
  setWindowTitle(FromCore(kProgramTitle));
  setWindowIcon(AppIcon());
  area_->setObjectName("mdiSets");
  setCentralWidget(area_);
  setAcceptDrops(true);
  statusBar()->setObjectName("staMain");
  // What a command did stays in view long enough to be read, then goes.
  prompter_->SetOutcomeHandler(
      [this](const QString& text) { statusBar()->showMessage(text, kOutcomeShownMs); });
  addDockWidget(Qt::BottomDockWidgetArea, checker_);
  checker_->hide();  // until a Set is open
  // How many items the active Set window has selected, while there are several.
  selectionCount_ = new QLabel(this);
  selectionCount_->setObjectName("lblSelected");
  statusBar()->addPermanentWidget(selectionCount_);
  CreateMenus();
  connect(area_, &QMdiArea::subWindowActivated, this, &MainWindow::UpdateMenus);
  connect(area_, &QMdiArea::subWindowActivated, this, &MainWindow::RefreshChecker);
  // The window brought to the front takes the keyboard in its items, not its tab bar.
  connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
    if (auto* window = qobject_cast<SetWindow*>(sub)) window->FocusItems();
    ShowSelectionCount();
  });
  connect(checker_, &CheckerDock::findingChosen, this, &MainWindow::ShowFinding);
  UpdateMenus();
  qApp->installEventFilter(this);
}

// The Set windows go before the workspace they show.
MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  disconnect(area_, nullptr, this, nullptr);
  delete area_;
}

void MainWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->setObjectName("mnuFile");
  QAction* fileNew = AddEntry(file, "mnuFNew", tr("&New"), QKeySequence::New);
  QAction* open = AddEntry(file, "mnuFOpen", tr("&Open..."), QKeySequence::Open);
  file->addSeparator();
  save_ = AddEntry(file, "mnuFSave", tr("&Save"), QKeySequence::Save);
  saveAs_ = AddEntry(file, "mnuFSaveAs", tr("Save &As..."), QKeySequence::SaveAs);
  // The Set window in front: Ctrl+W, and Ctrl+F4 as on Windows.
  close_ = AddEntry(file, "mnuFClose", tr("&Close"));
  close_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)});
  file->addSeparator();
  QAction* compare = AddEntry(file, "mnuFCompare", tr("Compa&re Sets..."));
  compareSaved_ = AddEntry(file, "mnuFCompareSaved", tr("Compare with Sa&ved"));
  connect(compare, &QAction::triggered, this, &MainWindow::CompareSets);
  connect(compareSaved_, &QAction::triggered, this, &MainWindow::CompareWithSaved);
  file->addSeparator();
  recent_ = file->addMenu(tr("Recent Se&ts"));
  recent_->setObjectName("mnuFRecent");
  connect(recent_, &QMenu::aboutToShow, this, &MainWindow::FillRecentSets);
  file->addSeparator();
  QAction* exit = AddEntry(file, "mnuFExit", tr("E&xit"), QKeySequence::Quit);
  connect(fileNew, &QAction::triggered, this, [this] { OpenSetWindow(true, {}); });
  connect(open, &QAction::triggered, this, [this] { OpenSetWindow(false, {}); });
  connect(save_, &QAction::triggered, this, [this] {
    if (SetWindow* window = CurrentSetWindow()) window->Save();
  });
  connect(saveAs_, &QAction::triggered, this, [this] {
    SetWindow* window = CurrentSetWindow();
    if (window != nullptr && window->SaveAs()) RememberOpenSet(window->slot());
  });
  connect(close_, &QAction::triggered, this, [this] {
    if (SetWindow* window = CurrentSetWindow()) window->close();
  });
  connect(exit, &QAction::triggered, this, &QWidget::close);

  windowMenu_ = menuBar()->addMenu(tr("&Window"));
  windowMenu_->setObjectName("mnuWindow");
  cascade_ = AddEntry(windowMenu_, "mnuWCascade", tr("&Cascade"));
  tile_ = AddEntry(windowMenu_, "mnuWTile", tr("&Tile"));
  arrange_ = AddEntry(windowMenu_, "mnuWArrange", tr("&Arrange Icons"));
  cascade_->setCheckable(true);
  tile_->setCheckable(true);
  tile_->setChecked(true);
  windowMenu_->addSeparator();
  connect(cascade_, &QAction::triggered, this, &MainWindow::Cascade);
  connect(tile_, &QAction::triggered, this, &MainWindow::Tile);
  connect(arrange_, &QAction::triggered, this, &MainWindow::ArrangeIcons);
  QAction* checker = checker_->toggleViewAction();
  checker->setObjectName("mnuWChecker");
  checker->setText(tr("Set C&hecker"));
  windowMenu_->insertAction(nullptr, checker);
  windowMenu_->addSeparator();
  connect(windowMenu_, &QMenu::aboutToShow, this, &MainWindow::FillWindowList);

  // Alt+O is the Songs tab's.
  options_ = menuBar()->addAction(tr("Op&tions"));
  options_->setObjectName("mnuOptions");
  connect(options_, &QAction::triggered, this, &MainWindow::ShowOptions);

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->setObjectName("mnuHelp");
  QAction* contents = AddEntry(help, "mnuHContents", tr("&Contents"), QKeySequence::HelpContents);
  tip_ = AddEntry(help, "mnuHTip", tr("&Tip of the Day..."));
  help->addSeparator();
  QAction* about = AddEntry(help, "mnuHAbout", AboutCaption() + "...");
  connect(contents, &QAction::triggered, this, &MainWindow::ShowHelp);
  connect(tip_, &QAction::triggered, this, &MainWindow::ShowTipOfTheDay);
  connect(about, &QAction::triggered, this, &MainWindow::ShowAbout);
}

// The frame's own menus while no Set is open; the Set windows' entries once one is,
// with the Edit menu of the Set window in front.
void MainWindow::UpdateMenus() {
  const bool anySet = !setWindows().isEmpty();
  for (QAction* action : {save_, saveAs_, close_, compareSaved_, options_, tip_})
    action->setVisible(anySet);
  windowMenu_->menuAction()->setVisible(anySet);

  SetWindow* current = CurrentSetWindow();
  QMenu* edit = current != nullptr ? current->editMenu() : nullptr;
  if (shownEditMenu_ == edit) return;
  for (QPointer<QMenu>* shown : {&shownEditMenu_, &shownUtilitiesMenu_}) {
    if (!shown->isNull()) menuBar()->removeAction((*shown)->menuAction());
  }
  if (edit != nullptr) {
    menuBar()->insertMenu(windowMenu_->menuAction(), edit);
    menuBar()->insertMenu(windowMenu_->menuAction(), current->utilitiesMenu());
  }
  shownEditMenu_ = edit;
  shownUtilitiesMenu_ = current != nullptr ? current->utilitiesMenu() : nullptr;
}

void MainWindow::RememberOpenSet(SetSlot slot) {
  if (!ws_->sets.InUse(slot)) return;
  const SetEntry& entry = ws_->sets.Entry(slot);
  RememberRecentSet(ws_->settings, entry.Dir / PathOfText(entry.Name));
}

void MainWindow::CompareSets() {
  SetWindow* current = CurrentSetWindow();
  CompareChooser chooser(*ws_, *prompter_, current != nullptr ? current->slot() : kNoSet, this);
  if (chooser.exec() != QDialog::Accepted) return;
  const auto [a, b] = chooser.chosen();
  if (a.title.isEmpty() || b.title.isEmpty()) return;
  ShowComparison(a.source, a.title, b.source, b.title);
}

void MainWindow::CompareWithSaved() {
  SetWindow* current = CurrentSetWindow();
  if (current == nullptr || current->isUnloaded()) return;
  const SetEntry& entry = ws_->sets.Entry(current->slot());
  if (IsNewSetName(entry.Name)) {
    prompter_->Ask({"The Set has not been saved yet.", "", MessageIcon::Information,
                    MessageButtons::Ok, Answer::Ok});
    return;
  }
  // What is on disk first, the Set as it stands now second.
  ShowComparison(CompareSource{kNoSet, entry.Dir / PathOfText(entry.Name)},
                 tr("%1 (saved)").arg(current->setName()), CompareSource{current->slot(), {}},
                 current->setName());
}

void MainWindow::ShowComparison(const CompareSource& a, const QString& titleA,
                                const CompareSource& b, const QString& titleB) {
  std::vector<std::string> problems;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  auto differences = CompareSources(*ws_, a, b, problems);
  QApplication::restoreOverrideCursor();
  if (!problems.empty()) {
    std::string text;
    for (const std::string& problem : problems)
      text += (text.empty() ? "" : "\n") + problem;
    prompter_->ShowWarning(text);
  }
  if (!differences) return;
  auto* window = new CompareWindow(titleA, titleB, std::move(*differences), this);
  window->show();
}

void MainWindow::RefreshChecker() {
  SetWindow* current = CurrentSetWindow();
  checker_->ShowSet(*ws_, current != nullptr && !current->isUnloaded() ? current->slot() : kNoSet);
}

void MainWindow::ShowFinding(Kind kind, ItemIndex index) {
  SetWindow* current = CurrentSetWindow();
  if (current == nullptr) return;
  current->ShowItem(kind, index);
  current->setFocus();
}

void MainWindow::FillRecentSets() {
  recent_->clear();
  const auto& recent = ws_->settings.RecentSets;
  for (std::size_t i = 0; i < recent.size(); ++i) {
    const fs::path path = recent[i];
    QAction* action = recent_->addAction(QStringLiteral("&%1 ").arg(i + 1) + PathToQString(path));
    connect(action, &QAction::triggered, this, [this, path] { OpenRecentSetWindow(path); });
  }
  recent_->setEnabled(!recent.empty());
}

void MainWindow::FillWindowList() {
  qDeleteAll(windowList_);
  windowList_.clear();
  const QList<SetWindow*> windows = setWindows();
  SetWindow* current = CurrentSetWindow();
  for (qsizetype i = 0; i < windows.size(); ++i) {
    SetWindow* window = windows.at(i);
    const QString text =
        (i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QString()) + window->setName();
    QAction* action = windowMenu_->addAction(text);
    action->setCheckable(true);
    action->setChecked(window == current);
    connect(action, &QAction::triggered, this, [this, target = QPointer<SetWindow>(window)] {
      if (!target.isNull()) area_->setActiveSubWindow(target);
    });
    windowList_ << action;
  }
}

QList<SetWindow*> MainWindow::setWindows() const {
  QList<SetWindow*> windows;
  for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder)) {
    auto* window = qobject_cast<SetWindow*>(sub);
    if (window != nullptr && !window->isUnloaded()) windows << window;
  }
  return windows;
}

SetWindow* MainWindow::setWindow(SetSlot slot) const {
  for (SetWindow* window : setWindows()) {
    if (window->slot() == slot) return window;
  }
  return nullptr;
}

// The active Set window; when the frame itself is not active, the one last active. A
// window whose Set has just closed no longer counts.
SetWindow* MainWindow::CurrentSetWindow() const {
  auto* active = qobject_cast<SetWindow*>(area_->currentSubWindow());
  if (active != nullptr && !active->isUnloaded()) return active;
  const QList<QMdiSubWindow*> history = area_->subWindowList(QMdiArea::ActivationHistoryOrder);
  for (auto it = history.crbegin(); it != history.crend(); ++it) {
    auto* window = qobject_cast<SetWindow*>(*it);
    if (window != nullptr && !window->isUnloaded()) return window;
  }
  return nullptr;
}

bool MainWindow::Start(const StartOptions& options) {
  if (const QScreen* screen = QGuiApplication::primaryScreen();
      screen != nullptr && ScreenTooSmall(screen->size())) {
    if (prompter_->Ask(ScreenSizeQuestion()) != Answer::Yes) return false;
  }

  ws_->data = options.data;
  ws_->log.SetPath(ws_->data.Writable(SessionLog::kFileName));
  // The file dialogs start where the last one ended, else in the folder of the Sets.
  const fs::path setsFolder =
      options.documentsDir.empty() ? options.programDir : options.documentsDir / kSetsFolderName;
  ws_->settings = LoadSettings(store_, setsFolder);
  cascade_->setChecked(ws_->settings.WArrangeMode == 0);
  tile_->setChecked(ws_->settings.WArrangeMode == 1);

  QApplication::setOverrideCursor(Qt::WaitCursor);
  ws_->templateSet = EmptyTemplatePath(DataDirHolding(ws_->data, kTemplateFolder));
  auto blanks = PrepareBlankRecords(ws_->templateSet, *prompter_);
  std::optional<PresetTables> presets;
  if (blanks) {
    const fs::path presetList =
        DataDirHolding(ws_->data, kPresetListFileName) / kPresetListFileName;
    presets = LoadPresetLists(presetList, *prompter_);
  }
  QApplication::restoreOverrideCursor();
  if (!blanks || !presets) return false;
  ws_->blanks = std::move(*blanks);
  ws_->presets = std::move(*presets);
  ws_->sets.Reset();

  started_ = true;
  // The whole screen, also where no window manager maximises it.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    setGeometry(screen->availableGeometry());
  showMaximized();
  ShowStartUpAbout();
  if (!options.setArgument.empty()) {
    OpenSetWindow(false, SetPathFromArgument(options.setArgument));
  } else if (!pendingFiles_.isEmpty()) {
    // Handed over by a second start during this one: those first.
  } else if (const auto demo = PrepareFirstRun(ws_->settings, ws_->data, options.documentsDir)) {
    // A first run opens a copy of the demo Set the user may change, and remembers it at
    // once: a second start must not look like a first one.
    OpenSetWindow(false, *demo);
    SaveSettings(store_, ws_->settings);
    store_.Flush();
  } else {
    OpenSetWindow(false, ws_->settings.StartOld ? ws_->settings.OldSetNam : fs::path());
  }
  if (!pendingFiles_.isEmpty()) OpenFiles(std::exchange(pendingFiles_, {}));
  // The tip of the day once the About box has gone.
  if (ws_->settings.ShowTips) {
    connect(startUpAbout_.data(), &QObject::destroyed, this,
            [this] { QTimer::singleShot(0, this, &MainWindow::ShowTipOfTheDay); });
  }
  return true;
}

void MainWindow::ShowStartUpAbout() {
  auto* about = new AboutDialog(this);
  about->ShowBriefly();
  startUpAbout_ = about;
}

MidiPort& MainWindow::midiPort() {
  if (!midiPort_) {
    midiPort_ = midiFactory_ ? midiFactory_() : std::make_unique<midi::RtMidiPort>();
    if (midiWait_ == nullptr) midiWait_ = new MidiWait(this);
    midiPort_->SetWaitHook(
        [this](double waited, double longest) { return midiWait_->Waiting(waited, longest); });
    midiPort_->SetWaitEnd([this] { midiWait_->Done(); });
    midiPort_->SetLog([this](const std::string& line) { ws_->log.WriteLine(line); });
    ApplyMidiPace();
  }
  return *midiPort_;
}

void MainWindow::ApplyMidiPace() {
  if (!midiPort_) return;
  MidiPace pace = midiPort_->pace();
  pace.packetBytes = static_cast<std::size_t>(ws_->settings.MidiPacketBytes);
  pace.pauseMs = ws_->settings.MidiPacketPauseMs;
  midiPort_->SetPace(pace);
}

SetWindow* MainWindow::OpenSetWindow(bool isNew, const fs::path& path) {
  // The Set's window is on screen before any warning about its names.
  SetSlot openAs = kNoSet;
  const SetSlot slot = OpenSet(*ws_, *prompter_, isNew, path, RealFileOps(), &openAs);
  return slot != kNoSet ? AddSetWindow(slot, isNew) : ShowSetWindow(openAs);
}

SetWindow* MainWindow::OpenRecentSetWindow(const fs::path& path) {
  SetSlot openAs = kNoSet;
  const SetSlot slot = OpenRecentSet(*ws_, *prompter_, path, &openAs);
  return slot != kNoSet ? AddSetWindow(slot, false) : ShowSetWindow(openAs);
}

SetWindow* MainWindow::ShowSetWindow(SetSlot slot) {
  SetWindow* window = slot != kNoSet ? setWindow(slot) : nullptr;
  if (window == nullptr) return nullptr;
  if (window->isMinimized()) window->showNormal();
  area_->setActiveSubWindow(window);
  return window;
}

void MainWindow::OpenFiles(const QStringList& files) {
  // Handed over during the start-up (the About box, a tip): opened once it is done.
  if (!started_) {
    pendingFiles_ << files;
    return;
  }
  std::vector<fs::path> sets;
  for (const QString& file : files) {
    const fs::path set = SetPathFromArgument(QStringToPath(file));
    if (std::find(sets.begin(), sets.end(), set) == sets.end()) sets.push_back(set);
  }
  for (const fs::path& set : sets)
    OpenSetWindow(false, set);
  if (isMinimized()) showMaximized();
  raise();
  activateWindow();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* mime = event->mimeData();
  if (started_ && mime != nullptr && mime->hasUrls()) {
    for (const QUrl& url : mime->urls()) {
      if (url.isLocalFile()) return event->acceptProposedAction();
    }
  }
  event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event) {
  QStringList files;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) files << url.toLocalFile();
  }
  if (files.isEmpty()) return event->ignore();
  event->acceptProposedAction();
  // The questions opening may ask come after the drag has ended.
  QTimer::singleShot(0, this, [this, files] { OpenFiles(files); });
}

SetWindow* MainWindow::AddSetWindow(SetSlot slot, bool isNew) {
  auto* window = new SetWindow(*ws_, *prompter_, slot);
  window->SetMidiPort([this]() -> MidiPort& { return midiPort(); });
  area_->addSubWindow(window);
  connect(window, &SetWindow::unloaded, this, &MainWindow::UpdateMenus);
  connect(window, &SetWindow::unloaded, this, &MainWindow::RefreshChecker);
  // The windows left share the room again, once the closed one has gone.
  connect(window, &SetWindow::unloaded, this, [this] {
    QTimer::singleShot(0, this, [this] {
      if (ws_->settings.WArrangeMode == 1) Tile();
    });
  });
  connect(window, &SetWindow::refreshed, this, &MainWindow::RefreshChecker);
  connect(window, &SetWindow::selectionChanged, this, &MainWindow::ShowSelectionCount);
  window->show();
  if (!checkerShown_) {
    checker_->show();  // the first time a Set opens; then as the user leaves it
    resizeDocks({checker_}, {checker_->CompactHeight()}, Qt::Vertical);
    checkerShown_ = true;
  }
  if (ws_->settings.WArrangeMode == 0) {
    Cascade();
  } else {
    Tile();
  }
  area_->setActiveSubWindow(window);
  UpdateMenus();
  if (!isNew) {
    RememberOpenSet(slot);
    WarnDuplicatesAfterOpening(*ws_, *prompter_, slot);
  }
  return window;
}

void MainWindow::ShowSelectionCount() {
  const auto* window = qobject_cast<const SetWindow*>(area_->activeSubWindow());
  selectionCount_->setText(window != nullptr ? window->selectionText() : QString());
}

void MainWindow::Cascade() {
  area_->cascadeSubWindows();
  cascade_->setChecked(true);
  tile_->setChecked(false);
  ws_->settings.WArrangeMode = 0;
}

// Tiled horizontally: each window takes the whole width, one above the other.
void MainWindow::Tile() {
  layout()->activate();  // the area as it stands now (the checker may just have appeared)
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* window : area_->subWindowList(QMdiArea::CreationOrder)) {
    if (window->isVisible() && !window->isMinimized()) windows << window;
  }
  if (!windows.isEmpty()) {
    const QRect space = area_->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    const int height = std::max(space.height() / count, 1);
    for (int i = 0; i < count; ++i) {
      QMdiSubWindow* window = windows.at(i);
      if (window->isMaximized()) window->showNormal();
      const int top = i * height;
      const int bottom = i == count - 1 ? space.height() : top + height;
      window->setGeometry(0, top, space.width(), bottom - top);
    }
  }
  cascade_->setChecked(false);
  tile_->setChecked(true);
  ws_->settings.WArrangeMode = 1;
}

// Minimised windows in rows along the bottom edge, left to right.
void MainWindow::ArrangeIcons() {
  const QRect space = area_->viewport()->rect();
  int x = 0;
  int bottom = space.height();
  for (QMdiSubWindow* window : area_->subWindowList(QMdiArea::CreationOrder)) {
    if (!window->isMinimized()) continue;
    const QSize size = window->size();
    if (x > 0 && x + size.width() > space.width()) {
      x = 0;
      bottom -= size.height();
    }
    window->move(x, bottom - size.height());
    x += size.width();
  }
}

void MainWindow::ShowAbout() {
  AboutDialog about(this);
  about.exec();
}

void MainWindow::ShowTipOfTheDay() {
  RunTipOfTheDay(ws_->data, ws_->settings, this);
}

// "Highlight called Items" changes the colours of every Set window; the packet options
// the pace of the next dump.
void MainWindow::ShowOptions() {
  RunOptions(ws_->settings, this);
  ApplyMidiPace();
  for (SetWindow* window : setWindows())
    window->Refresh();
}

namespace {

// The help page of a window, by its form name.
QString HelpPageFor(const QString& form) {
  static const std::pair<const char*, const char*> kPages[] = {
      {"FDoc", "editing.html"},
      {"FParArr", "editing.html#details"},
      {"FParSty", "editing.html#details"},
      {"FParPrg", "editing.html#details"},
      {"FParBsq", "editing.html#details"},
      {"FParArg", "editing.html#details"},
      {"FParGbl", "editing.html#details"},
      {"FInArr", "editing.html#pickers"},
      {"FInSty", "editing.html#pickers"},
      {"FInPrg", "editing.html#pickers"},
      {"FMidStup", "sysex-midi.html#setup"},
      {"FMidWait", "sysex-midi.html#send"},
      {"FReport", "reports.html"},
      {"FOptions", "windows-options.html"},
  };
  for (const auto& [name, page] : kPages) {
    if (form == QLatin1String(name)) return QString::fromLatin1(page);
  }
  return {};
}

}  // namespace

void MainWindow::ShowHelp() {
  // F1 and Help > Contents: the page of the Set window in front, else the contents.
  SetWindow* current = CurrentSetWindow();
  ShowHelpPage(current != nullptr ? HelpPageFor(QStringLiteral("FDoc")) : QString(), this);
}

void MainWindow::ShowHelpPage(const QString& page, QWidget* owner) {
  // A help window beside a modal dialog belongs to it, or the dialog would block it.
  QPointer<HelpWindow>& window = owner == this ? help_ : dialogHelp_;
  if (!window.isNull() && window->parentWidget() != owner) delete window.data();
  if (window.isNull()) {
    window = new HelpWindow(ws_->data.Find(kHelpFolder), owner);
    window->setWindowFlag(Qt::Window);
  }
  if (page.isEmpty()) {
    window->ShowContents();
  } else {
    window->ShowPage(page);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Every window of the program fits the screen and shows its whole title.
  if (event->type() == QEvent::Show && watched != this && watched->isWidgetType()) {
    auto* window = static_cast<QWidget*>(watched);
    if (window->isWindow() && qobject_cast<QMessageBox*>(window) == nullptr) FitToScreen(*window);
  }
  // F1 in a modal dialog: the frame's own F1 does not reach it.
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      ShowHelpPage(HelpPageFor(dialog->objectName()), dialog);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

HelpWindow* MainWindow::helpWindow() const {
  return help_.data();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Every question first, in the Window menu's order; a Cancel at any of them (or a save
  // that did not happen) closes nothing at all.
  for (SetWindow* window : setWindows()) {
    if (!window->QueryClose()) {
      event->ignore();
      return;
    }
  }
  for (SetWindow* window : setWindows())
    window->CloseAnswered();
  if (ws_->sets.AnySetOpen()) {
    event->ignore();
    return;
  }
  if (started_ && !settingsWritten_) {
    SaveSettings(store_, ws_->settings);
    settingsWritten_ = true;
  }
  if (!help_.isNull()) help_->close();
  event->accept();
}

}  // namespace i40::app
