#include "setwindow/set_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <vector>

#include "details/item_details.h"
#include "dialog_model/dialog_model.h"
#include "dialogs/item_dialog.h"
#include "edit/edit_engine.h"
#include "export/preset_export.h"
#include "format/kbdset_record.h"
#include "format/style_blocks.h"
#include "format/vocabulary.h"
#include "kbdsets/kbdset_grid.h"
#include "report/report_window.h"
#include "reports/set_report.h"
#include "reports/set_statistics.h"
#include "reports/subset_report.h"
#include "session/save_set.h"
#include "setwindow/drag_views.h"
#include "shell/app_icon.h"
#include "shell/qt_text.h"
#include "sysex/dump.h"
#include "sysex/midi_setup.h"
#include "sysex/whole_set.h"

namespace i40::app {
namespace {

constexpr int kColumns = 4;
constexpr int kCounterCount = 5;
// The kinds of the tabs, in tab order: the tab widget's index of a kind.
constexpr std::array<Kind, 6> kTabKinds = {Kind::Arrangement,     Kind::Style, Kind::Program,
                                           Kind::BackingSequence, Kind::Song,  Kind::KbdSet};

int TabOf(Kind kind) {
  return static_cast<int>(std::find(kTabKinds.begin(), kTabKinds.end(), kind) - kTabKinds.begin());
}

// Per item tab (Arrangements, Styles, Programs).
constexpr std::array<const char*, 3> kGridNames = {"grdArr", "grdSty", "grdPrg"};
constexpr std::array<const char*, 3> kBankListNames = {"cboArrBnk", "cboStyBnk", "cboPrgBnk"};
constexpr std::array<const char*, 3> kBankListTips = {
    "Select Arrangement Bank here", "Select Style Bank here", "Select Program Bank here"};

// What each Edit entry runs; Details opens the item dialogs instead.
constexpr std::array<std::optional<EditCommand>, kEditEntryCount> kEntryCommands = {
    EditCommand::Undo,
    EditCommand::Cut,
    EditCommand::Copy,
    EditCommand::Paste,
    EditCommand::PasteWithCalls,
    EditCommand::Delete,
    EditCommand::Insert,
    EditCommand::PasteFromIStyle,
    std::nullopt,
    EditCommand::EraseBank,
    EditCommand::Import};

QKeySequence EntryKey(int entry) {
  switch (entry) {
    case kUndo:
      return QKeySequence(Qt::CTRL | Qt::Key_Z);
    case kCut:
      return QKeySequence(Qt::CTRL | Qt::Key_X);
    case kCopy:
      return QKeySequence(Qt::CTRL | Qt::Key_C);
    case kPaste:
      return QKeySequence(Qt::CTRL | Qt::Key_V);
    case kPasteCalls:
      return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V);
    case kDelete:
      return QKeySequence(Qt::Key_Delete);
    case kInsert:
      return QKeySequence(Qt::Key_Insert);
    case kDetails:
      return QKeySequence(Qt::ALT | Qt::Key_Return);  // Enter on an item does it too
    default:
      return {};
  }
}

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

// Per tab: the tab's widgets.
std::size_t At(Kind kind) {
  return At(TabOf(kind));
}

QFont GridFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

QFont KbdHeaderFont() {
  QFont font(QStringLiteral("MS Sans Serif"), 8);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QColor ToQColor(const CellColour& colour, const QPalette& palette) {
  switch (colour.token) {
    case CellColour::Token::SystemGrey:
      return palette.color(QPalette::Disabled, QPalette::Text);
    case CellColour::Token::GridDefault:
      return QColor(kGridBackground.rgb.r, kGridBackground.rgb.g, kGridBackground.rgb.b);
    case CellColour::Token::Rgb:
      break;
  }
  return QColor(colour.rgb.r, colour.rgb.g, colour.rgb.b);
}

void SetUpGrid(QTableWidget* grid, const char* name, int columns) {
  grid->setObjectName(name);
  static const std::pair<const char*, const char*> kSpoken[] = {
      {"grdArr", "Arrangements"},
      {"grdSty", "Styles"},
      {"grdPrg", "Programs"},
      {"grdArk", "KBD Sets"},
      {"grdFreeS", "Free events per Block"}};
  for (const auto& [grid_name, spoken] : kSpoken) {
    if (std::string_view(name) == grid_name) grid->setAccessibleName(QObject::tr(spoken));
  }
  grid->setFont(GridFont());
  grid->setColumnCount(columns);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Shift and Ctrl select several items; a press on a selected one keeps them for a drag.
  grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
  grid->setDragEnabled(true);
  grid->setWordWrap(false);
  grid->setTextElideMode(Qt::ElideNone);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(grid->font()).height() + 4);
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  // Tab leaves the grid for the next control; the arrows move between the cells.
  grid->setTabKeyNavigation(false);
  grid->setItemDelegate(new FocusMarkDelegate(grid));
  QPalette palette = grid->palette();
  palette.setColor(QPalette::Base, ToQColor(kGridBackground, palette));
  grid->setPalette(palette);
}

void PutCell(QTableWidget* grid, int row, int column, const QString& text, const QColor& foreground,
             const QColor& background, Qt::ItemFlags flags) {
  QTableWidgetItem* item = grid->item(row, column);
  if (item == nullptr) {
    item = new QTableWidgetItem;
    grid->setItem(row, column, item);
  }
  item->setFlags(flags);
  item->setText(text);  // an unchanged value is not set again
  item->setForeground(foreground);
  item->setBackground(background);
}

// Every column as wide as its widest text, so that no name is cut; room to spare is
// shared among the columns, so that they fill the visible width. The columns of an item
// grid are one width, whatever a paste put in one of them.
void FitColumns(QTableWidget* grid, bool equal) {
  std::vector<int> widths;
  const QFontMetrics gridMetrics(grid->font());
  for (int column = 0; column < grid->columnCount(); ++column) {
    int widest = 0;
    for (int row = 0; row < grid->rowCount(); ++row) {
      const QTableWidgetItem* item = grid->item(row, column);
      if (item == nullptr) continue;
      const int width = item->data(Qt::FontRole).isValid()
                            ? QFontMetrics(item->font()).horizontalAdvance(item->text())
                            : gridMetrics.horizontalAdvance(item->text());
      widest = std::max(widest, width);
    }
    widths.push_back(widest + 12);
  }
  if (equal && !widths.empty())
    std::fill(widths.begin(), widths.end(), *std::max_element(widths.begin(), widths.end()));
  int total = 0;
  for (const int width : widths)
    total += width;
  const int spare = grid->viewport()->width() - total;
  for (std::size_t column = 0; column < widths.size(); ++column) {
    const int share = spare > 0 ? spare / static_cast<int>(widths.size()) : 0;
    grid->setColumnWidth(static_cast<int>(column), widths[column] + share);
  }
}

// The width a four-column grid needs for its longest cells ("C88 " + a name + " (C88U)").
int GridWidthNeeded() {
  const QFontMetrics metrics(GridFont());
  return kColumns * (metrics.horizontalAdvance(QString(27, 'W')) + 12);
}

int ItemCount(const ItemGrid* grid, bool rows) {
  const int shown = grid->rowCount() - grid->headerRows();
  return rows ? shown : shown * grid->columnCount();
}

}  // namespace

SetWindow::SetWindow(Workspace& ws, Prompter& prompter, SetSlot slot, QWidget* parent)
    : QMdiSubWindow(parent), ws_(ws), prompter_(prompter), slot_(slot), tabs_(new QTabWidget) {
  setObjectName("FDoc");
  setProperty("tag", Value(slot));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(AppIcon());

  view_.tab = kTabKinds.at(At(std::clamp(ws_.settings.ModeId, 0, TabOf(Kind::KbdSet))));
  tabs_->setObjectName("tabMode");
  tabs_->setAccessibleName(tr("Items of the Set by kind"));
  for (const Kind tab : kTabKinds) {
    QWidget* page = nullptr;
    if (ShowsItemGrid(tab)) {
      page = MakeItemPage(tab);
    } else if (tab == Kind::KbdSet) {
      page = MakeKbdSetPage();
    } else {
      page = MakeListPage(tab);
    }
    tabs_->addTab(page, tr(kSetWindowTabCaptions[At(tab)]));
  }
  CreateEditMenu();
  CreateUtilitiesMenu();
  for (const Kind tab : kTabKinds)
    ConnectView(tab);
  setWidget(tabs_);
  // File > Close owns Ctrl+W and Ctrl+F4; the same keys on the window's own menu would
  // make both ambiguous, and neither would close.
  if (QMenu* own = systemMenu()) {
    for (QAction* action : own->actions()) {
      if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)) ||
          action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F4))) {
        action->setShortcuts({});
      }
    }
  }

  tabs_->setCurrentIndex(TabOf(view_.tab));
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index < 0 || index >= static_cast<int>(kTabKinds.size())) return;
    ws_.settings.ModeId = index;
    view_.tab = kTabKinds.at(At(index));
    ShowPage();
    UpdateEditMenu();
  });
  // Wide enough for the four columns of a grid without a horizontal scroll bar.
  resize(std::max(760, GridWidthNeeded() + 80), 480);
  Refresh();
}

bool SetWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    for (ItemGrid* grid : grids_) {
      if (grid != nullptr && grid->viewport() == watched) FitColumns(grid, grid != KbdGrid());
    }
  }
  return QMdiSubWindow::eventFilter(watched, event);
}

// The views outlive this object's own part of the destruction and may still report
// changes (of tab, of current cell); by then the workspace may be gone.
SetWindow::~SetWindow() {
  std::vector<QObject*> senders{tabs_};
  for (ItemGrid* grid : grids_)
    senders.push_back(grid);
  for (ItemList* list : lists_)
    senders.push_back(list);
  for (QComboBox* bank : banks_)
    senders.push_back(bank);
  for (QCheckBox* twin : twins_)
    senders.push_back(twin);
  for (QObject* sender : senders) {
    if (sender != nullptr) disconnect(sender, nullptr, this, nullptr);
  }
}

QWidget* SetWindow::MakeItemPage(Kind kind) {
  const std::size_t t = At(kind);
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* top = new QHBoxLayout;

  auto* bank = new QComboBox;
  bank->setObjectName(kBankListNames[t]);
  bank->setToolTip(tr(kBankListTips[t]));
  for (int b = 0; b < BankCount(kind); ++b)
    bank->addItem(FromCore(BankLetter(kind, BankNo{b})));
  bank->setCurrentIndex(Value(view_.Bank(kind)));
  banks_[t] = bank;
  top->addWidget(bank);
  connect(bank, &QComboBox::currentIndexChanged, this, [this, kind](int chosen) {
    if (chosen < 0 || filling_) return;
    view_.Bank(kind) = BankNo{chosen};
    view_.Current(kind) = 0;  // the first item of the bank
    view_.Selected(kind).clear();
    ShowPage();
    UpdateEditMenu();
  });

  if (HasTwinView(kind)) {
    // Twin View shows banks A and B together; on another bank it shows that bank alone.
    auto* twin = new QCheckBox(tr("Twin View"));
    twin->setObjectName("chkTwin");
    twins_[t] = twin;
    top->addWidget(twin);
    connect(twin, &QCheckBox::toggled, this, [this, kind](bool on) {
      view_.Twin(kind) = on;
      view_.Selected(kind).clear();
      ShowPage();
      UpdateEditMenu();
    });
  }
  top->addStretch();
  if (kind == Kind::Arrangement) {
    // Alt+A is the Arrangements tab's.
    arrangementGlobal_ = new QPushButton(tr("A&rrangement Global"));
    arrangementGlobal_->setObjectName("cmdArg");
    global_ = new QPushButton(tr("&Global"));
    global_->setObjectName("cmdGbl");
    for (QPushButton* button : {arrangementGlobal_, global_}) {
      button->setToolTip(tr("Edit Arrangement Global Parameters"));
      top->addWidget(button);
    }
    connect(arrangementGlobal_, &QPushButton::clicked, this,
            [this] { RunDialog(Kind::ArrangementGlobal, {}); });
    connect(global_, &QPushButton::clicked, this, [this] { RunDialog(Kind::Global, {}); });
  }
  layout->addLayout(top);

  auto* grid = new ItemGrid;
  SetUpGrid(grid, kGridNames[t], kColumns);
  grids_[t] = grid;
  grid->viewport()->installEventFilter(this);
  if (kind != Kind::Style) {
    layout->addWidget(grid, 1);
    return page;
  }
  // One row per Block, beside the Style grid, whose bank C rows are the Blocks.
  auto* row = new QHBoxLayout;
  row->addWidget(grid, 1);
  freeEvents_ = new QTableWidget(kStyleBlockCount, 1);
  SetUpGrid(freeEvents_, "grdFreeS", 1);
  freeEvents_->setSelectionMode(QAbstractItemView::NoSelection);
  freeEvents_->setFocusPolicy(Qt::NoFocus);
  freeEvents_->setContextMenuPolicy(Qt::NoContextMenu);
  freeEvents_->setToolTip(FromCore(FreeEventsLegend()));
  freeEvents_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  freeEvents_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const int width = QFontMetrics(freeEvents_->font()).horizontalAdvance(QStringLiteral("000000"));
  freeEvents_->setColumnWidth(0, width + 12);
  freeEvents_->setFixedWidth(width + 12 + 2 * freeEvents_->frameWidth());
  row->addWidget(freeEvents_, 0, Qt::AlignTop);
  layout->addLayout(row, 1);
  return page;
}

QWidget* SetWindow::MakeListPage(Kind tab) {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  const bool sequences = tab == Kind::BackingSequence;
  auto* frame = new QGroupBox(sequences ? tr("Backing Sequences List") : tr("Songs List"));
  auto* inFrame = new QVBoxLayout(frame);
  auto* list = new ItemList;
  list->setObjectName(sequences ? "lstBsq" : "lstSng");
  list->setAccessibleName(sequences ? tr("Backing Sequences") : tr("Songs"));
  list->setFont(GridFont());
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  list->setItemDelegate(new FocusMarkDelegate(list));
  if (sequences) {
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setDragEnabled(true);
  }
  lists_[At(tab)] = list;
  inFrame->addWidget(list);
  layout->addWidget(frame, 1);

  auto* counts = new QGroupBox(tr("Events count"));
  counts->setObjectName("fraEvents");
  auto* inCounts = new QVBoxLayout(counts);
  for (int i = 0; i < kCounterCount; ++i) {
    auto* label = new QLabel;
    label->setObjectName(QStringLiteral("lblEvents%1").arg(i));
    label->setFont(GridFont());
    counters_[At(tab)][At(i)] = label;
    inCounts->addWidget(label);
  }
  inCounts->addStretch();
  layout->addWidget(counts);
  return page;
}

QWidget* SetWindow::MakeKbdSetPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* grid = new ItemGrid(ItemGrid::Items::Rows, 1);
  SetUpGrid(grid, "grdArk", kColumns);
  grid->setRowCount(kKbdSetCount + 1);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->viewport()->installEventFilter(this);  // the columns follow the width
  grids_[At(Kind::KbdSet)] = grid;
  layout->addWidget(grid);
  return page;
}

void SetWindow::CreateEditMenu() {
  editMenu_ = new QMenu(tr("&Edit"), this);
  editMenu_->setObjectName("mnuEdit");
  for (int entry = 0; entry < kEditEntryCount; ++entry) {
    if (entry == kCut || entry == kDetails || entry == kEraseBank) editMenu_->addSeparator();
    QAction* action = editMenu_->addAction(tr(kEditEntryCaptions[At(entry)]));
    action->setObjectName(kEditEntryNames[At(entry)]);
    if (const QKeySequence key = EntryKey(entry); !key.isEmpty()) action->setShortcut(key);
    edit_[At(entry)] = action;
    if (const auto command = kEntryCommands[At(entry)]) {
      connect(action, &QAction::triggered, this, [this, c = *command] { RunCommand(c); });
    } else if (entry == kDetails) {
      connect(action, &QAction::triggered, this, &SetWindow::ShowDetails);
    }
  }
}

void SetWindow::CreateUtilitiesMenu() {
  utilitiesMenu_ = new QMenu(tr("&Utilities"), this);
  utilitiesMenu_->setObjectName("mnuUtil");
  QAction* report = utilitiesMenu_->addAction(tr("Display Set &Report"));
  report->setObjectName("mnuUReport");
  connect(report, &QAction::triggered, this, &SetWindow::ShowReport);
  subsetReport_ = utilitiesMenu_->addAction(tr("Create Su&bset Report File..."));
  subsetReport_->setObjectName("mnuUSSRep");
  connect(subsetReport_, &QAction::triggered, this, [this] {
    CreateSubsetReportFile(ws_, prompter_, slot_, view_.tab, ws_.sets.Entry(slot_).Name);
  });
  utilitiesMenu_->addSeparator();
  midiSetup_ = utilitiesMenu_->addAction(tr("&MIDI Setup..."));
  midiSetup_->setObjectName("mnuUMidStup");
  connect(midiSetup_, &QAction::triggered, this, [this] {
    if (!midiPort_) return;
    ShowMidiSetup(ws_, prompter_, midiPort_());
    RefreshAllWindows();  // every window's Send entry follows the search
  });
  send_ = utilitiesMenu_->addAction(tr("Send to &Korg-i"));
  send_->setObjectName("mnuUMidSend");
  connect(send_, &QAction::triggered, this, [this] {
    if (!midiPort_) return;
    SendToInstrument(ws_, prompter_, &midiPort_(), slot_, view_.tab, DumpBlockOf(view_));
    RefreshAllWindows();
  });
  sendAll_ = utilitiesMenu_->addAction(tr("Send &Whole Set to Korg-i"));
  sendAll_->setObjectName("mnuUMidSendAll");
  connect(sendAll_, &QAction::triggered, this, [this] {
    if (!midiPort_) return;
    SendWholeSet(ws_, prompter_, &midiPort_(), slot_);
    RefreshAllWindows();
  });
  sysExFile_ = utilitiesMenu_->addAction(tr("Send SysE&x to File..."));
  sysExFile_->setObjectName("mnuUSysex2File");
  connect(sysExFile_, &QAction::triggered, this, [this] {
    // A Style dump carries the Block of the selected Style.
    DumpMidi(ws_, prompter_, nullptr, slot_, view_.tab, DumpBlockOf(view_), true);
  });
  utilitiesMenu_->addSeparator();
  export_ = utilitiesMenu_->addAction(tr("&Export to Preset File..."));
  export_->setObjectName("mnuUExport");
  connect(export_, &QAction::triggered, this, &SetWindow::ExportShownBank);
}

void SetWindow::ShowReport() {
  const std::string title = ws_.sets.Entry(slot_).Name;
  std::string text = SetReportText(ws_, slot_, title, ReportTime(), &prompter_);
  auto* window = new ReportWindow(ws_, prompter_, slot_, title, std::move(text), this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
}

void SetWindow::ExportShownBank() {
  const BankNo bank = view_.Bank(view_.tab);
  const bool goOn = view_.tab == Kind::Arrangement
                        ? ExportArrangementBank(ws_, prompter_, slot_, bank)
                        : ExportProgramBank(ws_, prompter_, slot_, bank);
  if (!goOn) {
    // The preset list can no longer be read: the program cannot go on.
    QCoreApplication::exit(1);
    return;
  }
  RefreshAllWindows();
}

void SetWindow::ConnectView(Kind tab) {
  DragHooks hooks{[this, tab](int position) {
                    std::unique_ptr<QMimeData> mime = DragData(tab, position);
                    if (mime != nullptr) Q_EMIT dragStarted(TabOf(tab), position);
                    return mime;
                  },
                  [this, tab](const QMimeData& mime) {
                    const auto from = DecodeDrag(mime);
                    return from.has_value() && from->kind == tab;
                  },
                  [this, tab](const QMimeData& mime, int position) {
                    // Ctrl held on a drop from another Set: Paste with Calls.
                    Drop(tab, mime, position,
                         QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier));
                  }};

  if (ItemGrid* grid = grids_[At(tab)]) {
    grid->SetEnterAction([this] { ShowDetails(); });
    grid->SetDragHooks(std::move(hooks));
    connect(grid, &QTableWidget::currentCellChanged, this, [this, tab](int row, int column) {
      if (filling_) return;
      const int position = grids_[At(tab)]->PositionOf(row, column);
      if (position < 0) return;
      view_.Current(tab) = position;
      UpdateEditMenu();
    });
    connect(grid, &QWidget::customContextMenuRequested, this,
            [this, tab](const QPoint& point) { ShowPopup(tab, point); });
    connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, tab] { TakeSelection(tab); });
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this, tab](int row, int column) {
      const int position = grids_[At(tab)]->PositionOf(row, column);
      if (position < 0) return;
      Select(tab, position);
      ShowDetails();
    });
  } else if (ItemList* list = lists_[At(tab)]) {
    list->SetEnterAction([this] { ShowDetails(); });
    // Songs hold no data.
    if (tab == Kind::BackingSequence) list->SetDragHooks(std::move(hooks));
    connect(list, &QListWidget::currentRowChanged, this, [this, tab](int row) {
      if (filling_ || row < 0) return;
      view_.Current(tab) = row;
      UpdateEditMenu();
    });
    connect(list, &QWidget::customContextMenuRequested, this,
            [this, tab](const QPoint& point) { ShowPopup(tab, point); });
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, tab] { TakeSelection(tab); });
    connect(list, &QListWidget::itemDoubleClicked, this, [this, tab, list](QListWidgetItem* item) {
      Select(tab, list->row(item));
      ShowDetails();
    });
  }
}

void SetWindow::Refresh() {
  if (unloaded_ || !ws_.sets.InUse(slot_)) return;
  // The Qt way of marking unsaved changes: "DEMO*" (or as the platform shows it).
  const SetEntry& entry = ws_.sets.Entry(slot_);
  setWindowTitle(FromCore(entry.Name) + QStringLiteral("[*]"));
  setWindowModified(std::any_of(entry.Modified.begin(), entry.Modified.end(),
                                [](bool modified) { return modified; }));
  ShowPage();
  UpdateEditMenu();
  Q_EMIT refreshed();
}

void SetWindow::ShowPage() {
  if (!ws_.sets.InUse(slot_)) return;
  if (ShowsItemGrid(view_.tab)) {
    ShowItemGrid(view_.tab);
    if (view_.tab == Kind::Style) ShowFreeEvents();
  } else if (view_.tab == Kind::KbdSet) {
    ShowKbdSets();
  } else {
    ShowListPage(view_.tab);
  }
}

void SetWindow::ShowItemGrid(Kind kind) {
  const auto cells = GridCells(ws_, slot_, kind, view_.Bank(kind), view_.Twin(kind));
  ItemGrid* grid = grids_[At(kind)];
  grid->setToolTip(FromCore(GridLegend(kind, ws_.settings.HighCall)));
  const QPalette palette = grid->palette();
  const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  filling_ = true;
  grid->setRowCount(static_cast<int>((cells.size() + kColumns - 1) / kColumns));
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const CellLook& cell = cells[i];
    const int position = static_cast<int>(i);
    PutCell(grid, position / kColumns, position % kColumns, FromName(cell.text),
            ToQColor(cell.textColour, palette), ToQColor(cell.background, palette), flags);
  }
  filling_ = false;
  FitColumns(grid, true);
  ShowCurrent(kind);
}

void SetWindow::ShowFreeEvents() {
  const SetStatistics statistics = StatisticsOf(ws_.sets.Files(slot_));
  const QPalette palette = freeEvents_->palette();
  for (int block = 0; block < kStyleBlockCount; ++block) {
    PutCell(freeEvents_, block, 0, QString::number(statistics.blocks.at(At(block)).freeEvents),
            ToQColor(colours::kBlack, palette), ToQColor(colours::kLightMagenta, palette),
            Qt::ItemIsEnabled);
    freeEvents_->item(block, 0)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
}

void SetWindow::ShowListPage(Kind tab) {
  ItemList* list = lists_[At(tab)];
  filling_ = true;
  if (tab == Kind::BackingSequence) {
    const auto lines = BackingSequenceLines(ws_, slot_);
    if (list->count() != static_cast<int>(lines.size())) {
      list->clear();
      for (std::size_t i = 0; i < lines.size(); ++i)
        list->addItem(QString());
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
      list->item(static_cast<int>(i))->setText(FromName(lines[i]));
  } else {
    list->clear();  // Songs hold no data
  }
  filling_ = false;
  // The counters are those of the Set's one sequence memory, on both tabs.
  const auto counters = BackingSequenceCounters(ws_, slot_);
  for (std::size_t i = 0; i < counters.size(); ++i)
    counters_[At(tab)][i]->setText(FromCore(counters[i]));
  ShowCurrent(tab);
}

void SetWindow::ShowKbdSets() {
  ItemGrid* grid = KbdGrid();
  const QPalette palette = grid->palette();
  const QColor green = ToQColor(kGridBackground, palette);
  const QColor black = ToQColor(colours::kBlack, palette);
  const QFont header = KbdHeaderFont();
  filling_ = true;
  PutCell(grid, 0, 0, QString(), black, palette.color(QPalette::Button), Qt::NoItemFlags);
  for (std::size_t column = 0; column < kKbdSetGridHeader.size(); ++column) {
    const int c = static_cast<int>(column) + 1;
    PutCell(grid, 0, c, FromCore(kKbdSetGridHeader[column]), palette.color(QPalette::ButtonText),
            palette.color(QPalette::Button), Qt::NoItemFlags);
    grid->item(0, c)->setFont(header);
  }
  const auto rows = KbdSetRows(ws_, slot_);
  const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const int row = static_cast<int>(k) + 1;
    PutCell(grid, row, 0, FromName(rows[k][0]), ToQColor(kKbdSetLabelColour, palette), green,
            flags);
    for (int c = 1; c < kColumns; ++c)
      PutCell(grid, row, c, FromName(rows[k][At(c)]), black, green, flags);
  }
  filling_ = false;
  FitColumns(grid, false);
  ShowCurrent(Kind::KbdSet);
}

// Puts the view's current cell or line where the window's choice says, within what the
// page now holds.
void SetWindow::ShowCurrent(Kind tab) {
  int& current = view_.Current(tab);
  filling_ = true;
  if (ItemGrid* grid = grids_[At(tab)]) {
    const int count = ItemCount(grid, tab == Kind::KbdSet);
    current = std::clamp(current, 0, std::max(count - 1, 0));
    std::erase_if(view_.Selected(tab), [count](int p) { return p >= count; });
    if (count > 0) {
      const auto [row, column] = grid->CellOf(current);
      grid->setCurrentCell(row, column);
    }
    if (view_.Selected(tab).size() > 1) {
      grid->selectionModel()->select(grid->CellsOf(view_.Selected(tab)),
                                     QItemSelectionModel::ClearAndSelect);
    }
  } else if (ItemList* list = lists_[At(tab)]) {
    current = std::clamp(current, 0, std::max(list->count() - 1, 0));
    std::erase_if(view_.Selected(tab), [list](int p) { return p >= list->count(); });
    if (list->count() > 0) list->setCurrentRow(current);
    for (const int line : view_.Selected(tab))
      list->item(line)->setSelected(true);
  }
  filling_ = false;
}

void SetWindow::TakeSelection(Kind tab) {
  if (filling_) return;
  QAbstractItemView* view = grids_[At(tab)] != nullptr
                                ? static_cast<QAbstractItemView*>(grids_[At(tab)])
                                : static_cast<QAbstractItemView*>(lists_[At(tab)]);
  std::vector<int> positions;
  for (const QModelIndex& index : view->selectionModel()->selectedIndexes()) {
    const int position = grids_[At(tab)] != nullptr
                             ? grids_[At(tab)]->PositionOf(index.row(), index.column())
                             : index.row();
    if (position >= 0) positions.push_back(position);
  }
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  if (positions.size() < 2) positions.clear();
  view_.Selected(tab) = std::move(positions);
  UpdateEditMenu();
  Q_EMIT selectionChanged();
}

QString SetWindow::selectionText() const {
  return FromCore(SelectionCountText(view_));
}

void SetWindow::UpdateEditMenu() {
  if (unloaded_ || !ws_.sets.InUse(slot_)) return;
  auto enabled = EditMenuEnabled(ws_, slot_, view_);
  for (std::size_t entry = 0; entry < enabled.size(); ++entry)
    edit_[entry]->setEnabled(enabled[entry]);
  edit_[kUndo]->setText(enabled[kUndo] ? FromCore(UndoMenuCaption(ws_.sets.Entry(slot_)))
                                       : tr("Can't Undo"));
  const Kind kind = view_.tab;
  subsetReport_->setEnabled(HasSubsetReport(kind));
  send_->setEnabled(ws_.midi.instrumentFound && HasDump(kind));
  sendAll_->setEnabled(ws_.midi.instrumentFound);
  sysExFile_->setEnabled(HasDump(kind));
  export_->setEnabled(ShowsItemGrid(kind) && CanExportBank(kind, view_.Bank(kind)));
}

void SetWindow::Select(Kind tab, int position) {
  if (TabOf(tab) >= static_cast<int>(kTabKinds.size()) || position < 0) return;
  std::vector<int>& selected = view_.Selected(tab);
  if (std::find(selected.begin(), selected.end(), position) == selected.end()) selected.clear();
  view_.Current(tab) = position;
  if (tab == view_.tab) ShowCurrent(tab);
  UpdateEditMenu();
}

void SetWindow::ShowItem(Kind kind, ItemIndex index) {
  if (unloaded_ || !ws_.sets.InUse(slot_)) return;
  const SetViewState shown = ViewOfItem(view_, kind, index);
  filling_ = true;
  for (const Kind tab : kTabKinds) {
    if (!ShowsItemGrid(tab)) continue;
    if (banks_[At(tab)] != nullptr) banks_[At(tab)]->setCurrentIndex(Value(shown.Bank(tab)));
    if (twins_[At(tab)] != nullptr) twins_[At(tab)]->setChecked(shown.Twin(tab));
  }
  filling_ = false;
  view_ = shown;
  tabs_->setCurrentIndex(TabOf(shown.tab));
  ShowPage();
  UpdateEditMenu();
}

void SetWindow::RunCommand(EditCommand command) {
  if (unloaded_ || !ws_.sets.InUse(slot_)) return;
  const Selection selected = SelectionOf(view_);
  const BankNo bank = ShowsItemGrid(view_.tab) ? view_.Bank(view_.tab) : BankNo{0};
  RunSelectionCommand(ws_, prompter_, slot_, view_.tab, command, SelectedItems(view_),
                      selected.item.index, bank);
  RefreshAllWindows();
}

ItemGrid* SetWindow::KbdGrid() const {
  return grids_[At(Kind::KbdSet)];
}

void SetWindow::FocusItems() {
  QWidget* items = grids_[At(view_.tab)] != nullptr ? static_cast<QWidget*>(grids_[At(view_.tab)])
                                                    : static_cast<QWidget*>(lists_[At(view_.tab)]);
  if (items != nullptr) items->setFocus(Qt::OtherFocusReason);
}

QString SetWindow::setName() const {
  return ws_.sets.InUse(slot_) ? FromCore(ws_.sets.Entry(slot_).Name) : QString();
}

void SetWindow::ShowDetails() {
  if (!edit_[kDetails]->isEnabled()) return;  // a tab without item dialogs
  RunDialog(view_.tab, SelectionOf(view_).item);
}

void SetWindow::RunDialog(Kind kind, ItemRef item) {
  for (bool again = true; again;) {
    if (unloaded_ || !ws_.sets.InUse(slot_)) return;
    auto model = OpenItemDialog(ws_, slot_, kind, item);
    if (!model) return;
    if (midiPort_) model->midiPort = &midiPort_();
    {
      ItemDialog dialog(*model, prompter_, this);
      dialog.exec();
    }
    again = model->Finish(prompter_);
    // The Set may have changed, even when the dialog was cancelled (a redirection).
    RefreshAllWindows();
  }
}

void SetWindow::RefreshAllWindows() {
  QMdiArea* area = mdiArea();
  if (area == nullptr) {
    Refresh();
    return;
  }
  for (QMdiSubWindow* sub : area->subWindowList()) {
    if (auto* window = qobject_cast<SetWindow*>(sub); window != nullptr && !window->isUnloaded())
      window->Refresh();
  }
}

void SetWindow::ShowPopup(Kind tab, const QPoint& viewportPoint) {
  QAbstractItemView* view = grids_[At(tab)] != nullptr
                                ? static_cast<QAbstractItemView*>(grids_[At(tab)])
                                : static_cast<QAbstractItemView*>(lists_[At(tab)]);
  const int position = grids_[At(tab)] != nullptr ? grids_[At(tab)]->PositionAt(viewportPoint)
                                                  : lists_[At(tab)]->PositionAt(viewportPoint);
  if (position >= 0) Select(tab, position);
  editMenu_->popup(view->viewport()->mapToGlobal(viewportPoint));
}

std::unique_ptr<QMimeData> SetWindow::DragData(Kind tab, int position) const {
  if (TabOf(tab) >= static_cast<int>(kTabKinds.size()) || !ws_.sets.InUse(slot_)) return nullptr;
  SetViewState from = view_;
  from.tab = tab;
  from.Current(tab) = position;
  // A press on a selection of several drags them all; on another cell, that cell alone.
  const std::vector<int>& cells = from.Selected(tab);
  if (std::find(cells.begin(), cells.end(), position) == cells.end()) from.Selected(tab).clear();
  QStringList items;
  for (const ItemIndex index : SelectedItems(from)) {
    if (CanStartDrag(ws_, slot_, tab, index)) items << QString::number(Value(index));
  }
  if (items.isEmpty()) return nullptr;
  auto mime = std::make_unique<QMimeData>();
  // The process travels along: a slot means nothing to another run of the editor.
  const QString source = QStringLiteral("%1 %2 %3 %4")
                             .arg(QCoreApplication::applicationPid())
                             .arg(TabOf(tab))
                             .arg(Value(slot_))
                             .arg(items.join(','));
  mime->setData(kDragMimeType, source.toLatin1());
  return mime;
}

std::optional<SetWindow::DragSource> SetWindow::DecodeDrag(const QMimeData& mime) const {
  if (!mime.hasFormat(kDragMimeType)) return std::nullopt;
  const QStringList parts = QString::fromLatin1(mime.data(kDragMimeType)).split(' ');
  if (parts.size() != 4) return std::nullopt;
  QStringList numbers = parts.mid(0, 3) + parts[3].split(',');
  bool ok = true;
  for (const QString& part : numbers) {
    bool number = false;
    part.toInt(&number);
    ok = ok && number;
  }
  if (!ok || parts[0].toLongLong() != QCoreApplication::applicationPid()) return std::nullopt;
  const int tab = parts[1].toInt();
  if (tab < 0 || tab >= static_cast<int>(kTabKinds.size())) return std::nullopt;
  std::vector<ItemIndex> items;
  for (const QString& item : parts[3].split(','))
    items.push_back(ItemIndex{item.toInt()});
  return DragSource{kTabKinds.at(At(tab)), SetSlot{parts[2].toInt()}, items};
}

void SetWindow::Drop(Kind tab, const QMimeData& mime, int position, bool withCalls) {
  const auto from = DecodeDrag(mime);
  if (!from || from->kind != tab || position < 0) return;
  Select(tab, position);
  SetViewState target = view_;
  target.tab = tab;
  const Selection to = SelectionOf(target);
  // A preset cell or the source itself takes nothing.
  if (!to.userItem ||
      (from->slot == slot_ && from->items == std::vector<ItemIndex>{to.item.index})) {
    Q_EMIT dropFinished(false);
    return;
  }
  QTimer::singleShot(0, this, [this, tab, source = *from, toIndex = to.item.index, withCalls] {
    FinishDrop(tab, source, toIndex, withCalls);
  });
}

void SetWindow::FinishDrop(Kind kind, DragSource from, ItemIndex toIndex, bool withCalls) {
  bool done = false;
  if (!unloaded_ && ws_.sets.InUse(slot_) && ws_.sets.InUse(from.slot))
    done = RunSelectionDrop(ws_, prompter_, kind, from.slot, from.items, slot_, toIndex, withCalls)
               .done;
  RefreshAllWindows();
  Q_EMIT dropFinished(done);
}

bool SetWindow::Save() {
  const bool written = SaveCommand(ws_, prompter_, slot_);
  Refresh();
  return written;
}

bool SetWindow::SaveAs() {
  const bool written = SaveAsCommand(ws_, prompter_, slot_);
  Refresh();
  return written;
}

bool SetWindow::QueryClose() {
  const bool mayClose = QueryCloseSet(ws_, prompter_, slot_);
  if (!mayClose) Refresh();  // a save that ran may have renamed the Set
  return mayClose;
}

void SetWindow::CloseAnswered() {
  answered_ = true;
  close();
  answered_ = false;
}

void SetWindow::closeEvent(QCloseEvent* event) {
  if (unloaded_) {
    event->accept();
    return;
  }
  if (!answered_ && !QueryClose()) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
  if (!event->isAccepted()) return;
  unloaded_ = true;
  UnloadSet(ws_, slot_);
  Q_EMIT unloaded(Value(slot_));
}

}  // namespace i40::app
