#include "setwindow/set_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QListWidget>
#include <QTabWidget>
#include <algorithm>

#include "calls/item_lookup.h"
#include "setstore/save_set.h"
#include "shell/app_icon.h"
#include "shell/qt_text.h"

namespace i40::app {
namespace {

struct TabInfo {
  const char* caption;
  const char* listName;  // the list of the Set's items, on the kinds that have one
};

constexpr std::array<TabInfo, 6> kTabs = {{
    {"&Arrangements", "lstUserArr"},
    {"&Styles", "lstUserSty"},
    {"&Programs", "lstUserPrg"},
    {"&Backing Seq", nullptr},
    {"S&ongs", nullptr},
    {"&KBD Sets", nullptr},
}};

constexpr std::array<Kind, 3> kListedKinds = {Kind::Arrangement, Kind::Style, Kind::Program};

}  // namespace

SetWindow::SetWindow(Workspace& ws, Prompter& prompter, int slot, QWidget* parent)
    : QMdiSubWindow(parent), ws_(ws), prompter_(prompter), slot_(slot), tabs_(new QTabWidget) {
  setObjectName("FDoc");
  setProperty("tag", slot);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(AppIcon());

  tabs_->setObjectName("tabMode");
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  for (std::size_t tab = 0; tab < kTabs.size(); ++tab) {
    QWidget* page = nullptr;
    if (kTabs[tab].listName != nullptr) {
      auto* list = new QListWidget;
      list->setObjectName(kTabs[tab].listName);
      list->setFont(fixed);
      lists_[tab] = list;
      page = list;
    } else {
      page = new QWidget;
    }
    tabs_->addTab(page, tr(kTabs[tab].caption));
  }
  setWidget(tabs_);

  tabs_->setCurrentIndex(std::clamp(ws_.settings.ModeId, 0, static_cast<int>(kTabs.size()) - 1));
  connect(tabs_, &QTabWidget::currentChanged, this,
          [this](int index) { ws_.settings.ModeId = index; });
  resize(520, 420);
  Refresh();
}

// The tabs outlive this object's own part of the destruction and may still report a
// change of tab; by then the workspace may be gone.
SetWindow::~SetWindow() {
  disconnect(tabs_, nullptr, this, nullptr);
}

void SetWindow::Refresh() {
  if (!ws_.sets.IsSlot(slot_)) return;
  setWindowTitle(FromCore(ws_.sets.Entry(slot_).Name));
  const FileSet& set = ws_.sets.Files(slot_);
  for (std::size_t i = 0; i < kListedKinds.size(); ++i) {
    const Kind kind = kListedKinds[i];
    QListWidget* list = lists_[i];
    list->clear();
    for (int user = 0; user < UserItemCount(kind); ++user) {
      list->addItem(FromName(ItemUserLabel(kind, user) + " " + ItemUserName(set, kind, user)));
    }
  }
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

void SetWindow::closeEvent(QCloseEvent* event) {
  if (unloaded_) {
    event->accept();
    return;
  }
  if (!QueryCloseSet(ws_, prompter_, slot_)) {
    Refresh();  // a save that ran may have renamed the Set
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
  if (!event->isAccepted()) return;
  unloaded_ = true;
  UnloadSet(ws_, slot_);
  Q_EMIT unloaded(slot_);
}

}  // namespace i40::app
