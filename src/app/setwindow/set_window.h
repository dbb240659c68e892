#pragma once

#include <QMdiSubWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "edit/edit_engine.h"
#include "host/midi_port.h"
#include "host/prompter.h"
#include "session/workspace.h"
#include "view/set_view.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QMimeData;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace i40::app {

class ItemGrid;
class ItemList;

// The window of one open Set (FDoc), inside the frame: six tabs of grids and lists, the
// Set's Edit menu (also its right-button menu) and drag and drop between cells and Set
// windows. Every operation is the core's; the window keeps its view choices (tab, banks,
// Twin View, current cells), runs the commands and redraws. Its caption is the Set name
// and its "tag" property the slot number. Closing it asks about unsaved changes and
// frees the slot.
class SetWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  // What a drag carries, as its MIME type.
  static constexpr const char* kDragMimeType = "application/x-i40seted-item";

  SetWindow(Workspace& ws, Prompter& prompter, SetSlot slot, QWidget* parent = nullptr);
  ~SetWindow() override;

  SetSlot slot() const { return slot_; }
  // The Set's name as the editor uses it everywhere (the caption adds the modified mark).
  QString setName() const;
  // Closed, its slot freed; the window itself is about to go.
  bool isUnloaded() const { return unloaded_; }
  QTabWidget* tabs() const { return tabs_; }
  const SetViewState& view() const { return view_; }

  // The Edit menu (mnuEdit): the frame shows the active window's in its menu bar.
  QMenu* editMenu() const { return editMenu_; }
  QAction* editAction(EditEntry entry) const { return edit_.at(static_cast<std::size_t>(entry)); }

  // The Utilities menu (mnuUtil): reports, SysEx files and the export to preset files of
  // the shown tab; the frame shows it beside the Edit menu.
  QMenu* utilitiesMenu() const { return utilitiesMenu_; }
  QAction* subsetReportAction() const { return subsetReport_; }
  QAction* sysExFileAction() const { return sysExFile_; }
  QAction* exportAction() const { return export_; }

  // Where the MIDI devices are, for MIDI Setup and the sends (the frame's).
  void SetMidiPort(std::function<MidiPort&()> port) { midiPort_ = std::move(port); }
  QAction* midiSetupAction() const { return midiSetup_; }
  QAction* sendAction() const { return send_; }
  QAction* sendWholeSetAction() const { return sendAll_; }

  // Shows the Set as it stands now: caption, the shown tab and the Edit menu.
  void Refresh();
  // The keyboard to the items of the shown tab (its grid or list).
  void FocusItems();

  // Makes an item of a tab the current one (a cell in grid order, a line, a KBD Set); a
  // selection of several that holds it stays, any other goes.
  void Select(Kind tab, int position);
  // What the status bar says of the shown tab's selection: "3 items selected", or nothing.
  QString selectionText() const;
  // Shows an item of a kind selected, on its tab and in its bank (a user index, a
  // sequence or a KBD Set).
  void ShowItem(Kind kind, ItemIndex index);

  // Runs an Edit command on the selected item of the shown tab, then redraws every Set
  // window (a command may change what another window shows).
  void RunCommand(EditCommand command);

  // Edit > Details and a double click: the dialog of the selected item, when its tab
  // has one and the slot holds something.
  void ShowDetails();
  // A dialog of the Set: an item's (its number, or the sequence) or, with the buttons of
  // the Arrangements tab, the Arrangement Global or the Global. A button that closes it
  // acts once it has gone; after an import it opens again.
  void RunDialog(Kind kind, ItemRef item);

  // File > Save and File > Save As...; true when everything asked for was written.
  bool Save();
  bool SaveAs();
  // Asks about unsaved changes as closing does, without closing; false when the window
  // must stay (Cancel, or a save that did not happen).
  bool QueryClose();
  // Closes the window without asking again (the question has been answered).
  void CloseAnswered();

  // The data of a drag from an item of a tab: null for a preset, an empty slot or no
  // item, where no drag starts.
  std::unique_ptr<QMimeData> DragData(Kind tab, int position) const;
  // A drop of a drag's data on an item of a tab: the target is selected at once; the
  // move or copy runs when the drag has ended, since it may ask questions. A copy from
  // another Set `withCalls` brings what the item calls (Ctrl held).
  void Drop(Kind tab, const QMimeData& mime, int position, bool withCalls = false);

 Q_SIGNALS:
  // The Set has been closed and its slot freed; the window goes next.
  void unloaded(int slot);
  // A drag has started from an item of a tab.
  void dragStarted(int tab, int position);
  // A dropped item has been moved or copied here (or the core declined).
  void dropFinished(bool done);
  // The window has shown the Set anew (after every edit).
  void refreshed();
  // The cells selected on the shown tab have changed (see selectionText).
  void selectionChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The grids' columns share their width whenever it changes.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct DragSource {
    Kind kind;
    SetSlot slot;
    std::vector<ItemIndex> items;  // every item dragged, in position order
  };

  QWidget* MakeItemPage(Kind kind);
  QWidget* MakeListPage(Kind tab);
  QWidget* MakeKbdSetPage();
  void CreateEditMenu();
  void CreateUtilitiesMenu();
  void ExportShownBank();
  void ShowReport();
  void ConnectView(Kind tab);

  void ShowPage();
  void ShowItemGrid(Kind kind);
  void ShowFreeEvents();
  void ShowListPage(Kind tab);
  void ShowKbdSets();
  void ShowCurrent(Kind tab);
  // The view's selection of a tab taken from its grid or list.
  void TakeSelection(Kind tab);
  void UpdateEditMenu();
  void RefreshAllWindows();
  void ShowPopup(Kind tab, const QPoint& viewportPoint);
  ItemGrid* KbdGrid() const;

  std::optional<DragSource> DecodeDrag(const QMimeData& mime) const;
  void FinishDrop(Kind kind, DragSource from, ItemIndex toIndex, bool withCalls);

  Workspace& ws_;
  Prompter& prompter_;
  SetSlot slot_;
  SetViewState view_;
  QTabWidget* tabs_;
  std::array<ItemGrid*, 6> grids_{};  // per tab: the item grids and the KBD Set grid
  std::array<ItemList*, 6> lists_{};  // per tab: the Backing Sequence and Song lists
  std::array<QComboBox*, 3> banks_{};
  std::array<QCheckBox*, 3> twins_{};
  std::array<std::array<QLabel*, 5>, 6> counters_{};
  QTableWidget* freeEvents_ = nullptr;
  QPushButton* arrangementGlobal_ = nullptr;
  QPushButton* global_ = nullptr;
  QMenu* editMenu_ = nullptr;
  std::array<QAction*, kEditEntryCount> edit_{};
  QMenu* utilitiesMenu_ = nullptr;
  QAction* subsetReport_ = nullptr;
  QAction* sysExFile_ = nullptr;
  QAction* midiSetup_ = nullptr;
  QAction* send_ = nullptr;
  QAction* sendAll_ = nullptr;
  std::function<MidiPort&()> midiPort_;
  QAction* export_ = nullptr;
  bool filling_ = false;  // the views are being redrawn: their changes are not the user's
  bool unloaded_ = false;
  bool answered_ = false;  // the save question was asked before the close
};

}  // namespace i40::app
