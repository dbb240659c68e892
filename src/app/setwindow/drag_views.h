#pragma once

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// The grids and lists of a Set window, with drag and drop handed to the window. A
// position is an item's place in the view: a cell in grid order, or a line.
namespace i40::app {

struct DragHooks {
  // The data of a drag from that position; null where no drag may start.
  std::function<std::unique_ptr<QMimeData>(int position)> start;
  std::function<bool(const QMimeData& mime)> accepts;
  std::function<void(const QMimeData& mime, int position)> drop;
};

template <class View>
class DragView : public View {
 public:
  using View::View;

  void SetDragHooks(DragHooks hooks) {
    hooks_ = std::move(hooks);
    this->setAcceptDrops(true);
    this->viewport()->setAcceptDrops(true);
  }

  // The position under a point of the viewport; -1 where there is none.
  virtual int PositionAt(const QPoint& point) const = 0;

  // What Enter and Return do on the current item (its dialog).
  void SetEnterAction(std::function<void()> action) { enter_ = std::move(action); }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && enter_) {
      enter_();
      return event->accept();
    }
    View::keyPressEvent(event);
  }

  void mousePressEvent(QMouseEvent* event) override {
    View::mousePressEvent(event);
    pressPoint_ = event->position().toPoint();
    dragged_ = false;
    pressPosition_ = event->button() == Qt::LeftButton ? PositionAt(pressPoint_) : -1;
  }

  // The drag starts once the pointer has moved a little with the button held, so that a
  // plain click only selects.
  void mouseMoveEvent(QMouseEvent* event) override {
    if (pressPosition_ >= 0 && (event->buttons() & Qt::LeftButton) != 0) {
      if ((event->position().toPoint() - pressPoint_).manhattanLength() <
          QApplication::startDragDistance()) {
        return;
      }
      if (StartDrag(std::exchange(pressPosition_, -1))) return;
    }
    View::mouseMoveEvent(event);
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    pressPosition_ = -1;
    // The release that ends a drag is no click: a selection of several stays.
    if (std::exchange(dragged_, false)) return event->accept();
    View::mouseReleaseEvent(event);
  }

  void dragEnterEvent(QDragEnterEvent* event) override { Accept(event); }
  void dragMoveEvent(QDragMoveEvent* event) override { Accept(event); }

  void dropEvent(QDropEvent* event) override {
    if (!Accept(event)) return;
    if (hooks_.drop) hooks_.drop(*event->mimeData(), PositionAt(event->position().toPoint()));
  }

 private:
  bool Accept(QDropEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (mime == nullptr || !hooks_.accepts || !hooks_.accepts(*mime)) {
      event->ignore();
      return false;
    }
    event->acceptProposedAction();
    return true;
  }

  bool StartDrag(int position) {
    std::unique_ptr<QMimeData> mime = hooks_.start ? hooks_.start(position) : nullptr;
    if (mime == nullptr) return false;
    auto* drag = new QDrag(this);
    drag->setMimeData(mime.release());
    // The cell itself travels with the pointer.
    const QRect cell = this->visualRect(this->indexAt(pressPoint_));
    if (cell.isValid()) drag->setPixmap(this->viewport()->grab(cell));
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    // The release that ended the drag may never reach the view.
    this->setState(QAbstractItemView::NoState);
    dragged_ = true;
    return true;
  }

  DragHooks hooks_;
  std::function<void()> enter_;
  QPoint pressPoint_;
  int pressPosition_ = -1;
  bool dragged_ = false;  // since the last press
};

// The current cell of a view with the keyboard carries a frame that shows through the
// selection's colour, so the keyboard's place is always seen.
class FocusMarkDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    if ((option.state & QStyle::State_HasFocus) == 0) return;
    painter->save();
    QPen pen(option.palette.color(QPalette::Text), 2, Qt::DotLine);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
    painter->restore();
  }
};

// A grid whose items are its cells in row order, or (KBD Sets) its rows; header rows
// at the top hold no items.
class ItemGrid : public DragView<QTableWidget> {
 public:
  enum class Items { Cells, Rows };

  explicit ItemGrid(Items items = Items::Cells, int headerRows = 0)
      : items_(items), headerRows_(headerRows) {}

  int headerRows() const { return headerRows_; }

  int PositionAt(const QPoint& point) const override {
    const QModelIndex index = indexAt(point);
    if (!index.isValid() || index.row() < headerRows_) return -1;
    const int row = index.row() - headerRows_;
    return items_ == Items::Rows ? row : row * columnCount() + index.column();
  }

  // The row and column that show a position.
  std::pair<int, int> CellOf(int position) const {
    if (items_ == Items::Rows) return {position + headerRows_, 0};
    const int columns = std::max(columnCount(), 1);
    return {position / columns + headerRows_, position % columns};
  }

  int PositionOf(int row, int column) const {
    if (row < headerRows_ || column < 0) return -1;
    return items_ == Items::Rows ? row - headerRows_ : (row - headerRows_) * columnCount() + column;
  }

  // The cells (or rows) of positions, as one selection.
  QItemSelection CellsOf(const std::vector<int>& positions) const {
    QItemSelection cells;
    for (const int position : positions) {
      const auto [row, column] = CellOf(position);
      const QModelIndex first = model()->index(row, items_ == Items::Rows ? 0 : column);
      const QModelIndex last =
          model()->index(row, items_ == Items::Rows ? columnCount() - 1 : column);
      if (first.isValid() && last.isValid()) cells.select(first, last);
    }
    return cells;
  }

 protected:
  // Shift+click, Shift+arrow keys and a sweep of the pointer select a run of cells in
  // reading order (left to right, then down) from the anchor, where a table would take a
  // rectangle. The rectangle runs from the anchor to the new current cell.
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override {
    const QModelIndex anchor = indexAt(rect.topLeft());
    const QModelIndex current = indexAt(rect.bottomRight());
    if (items_ == Items::Rows || !anchor.isValid() || !current.isValid()) {
      QTableWidget::setSelection(rect, command);
      return;
    }
    const int from = std::max(PositionOf(anchor.row(), anchor.column()), 0);
    const int to = std::max(PositionOf(current.row(), current.column()), 0);
    std::vector<int> run;
    for (int p = std::min(from, to); p <= std::max(from, to); ++p)
      run.push_back(p);
    selectionModel()->select(CellsOf(run), command);
  }

 private:
  Items items_;
  int headerRows_;
};

class ItemList : public DragView<QListWidget> {
 public:
  int PositionAt(const QPoint& point) const override {
    const QModelIndex index = indexAt(point);
    return index.isValid() ? index.row() : -1;
  }
};

}  // namespace i40::app
