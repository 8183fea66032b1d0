#include "app/number_list_view.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "app/qt_text.h"
#include "lists/number_list.h"

namespace tessaril::app {

NumberListView::NumberListView(const NumberList& list, bool multiple_selection, QWidget* parent)
    : QAbstractScrollArea(parent), list_(list), multiple_(multiple_selection) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
          [this] { viewport()->update(); });
}

int NumberListView::RowHeight() const {
  return fontMetrics().height() + 2;
}

int NumberListView::ColumnWidth() const {
  return fontMetrics().horizontalAdvance(QStringLiteral("13800000000")) + 24;
}

int NumberListView::RowsPerColumn() const {
  return std::max(1, viewport()->height() / RowHeight());
}

int NumberListView::FirstVisibleColumn() const {
  return horizontalScrollBar()->value();
}

void NumberListView::Freeze() {
  frozen_ = true;
  horizontalScrollBar()->setEnabled(false);
  TakeSnapshot();
}

void NumberListView::Thaw() {
  frozen_ = false;
  snapshot_.clear();
  horizontalScrollBar()->setEnabled(true);
  viewport()->update();
}

void NumberListView::TakeSnapshot() {
  const int per_column = RowsPerColumn();
  const int visible_columns = viewport()->width() / ColumnWidth() + 1;
  snapshot_first_ = FirstVisibleColumn() * per_column;
  const long long end =
      std::min<long long>({static_cast<long long>(snapshot_first_) +
                               static_cast<long long>(visible_columns) * per_column,
                           rows_, list_.Count()});
  snapshot_.clear();
  for (long long row = snapshot_first_; row < end; ++row)
    snapshot_.push_back(EntryText(list_.At(static_cast<int>(row))));
  viewport()->update();
}

QString NumberListView::RowText(int row) const {
  if (!frozen_)
    return row < list_.Count() ? EntryText(list_.At(row)) : QString();
  const long long at = static_cast<long long>(row) - snapshot_first_;
  return at >= 0 && at < static_cast<long long>(snapshot_.size()) ? snapshot_[at] : QString();
}

void NumberListView::SetRowCount(int rows) {
  rows_ = std::max(0, rows);
  if (current_ >= rows_)
    current_ = rows_ - 1;
  if (anchor_ >= rows_)
    anchor_ = current_;
  range_begin_ = std::min(range_begin_, rows_ - 1);
  range_end_ = std::min(range_end_, rows_ - 1);
  toggled_.erase(toggled_.lower_bound(rows_), toggled_.end());
  UpdateScrollBar();
  // A refresh during a command: the command waits for it, so the list can be read now.
  if (frozen_)
    TakeSnapshot();
  viewport()->update();
}

void NumberListView::UpdateScrollBar() {
  const int per_column = RowsPerColumn();
  const int columns = rows_ == 0 ? 0 : (rows_ - 1) / per_column + 1;
  const int visible = std::max(1, viewport()->width() / ColumnWidth());
  QScrollBar* bar = horizontalScrollBar();
  bar->setRange(0, std::max(0, columns - visible));
  bar->setPageStep(visible);
  bar->setSingleStep(1);
}

bool NumberListView::IsSelected(int row) const {
  if (row < 0 || row >= rows_)
    return false;
  if (!multiple_)
    return row == current_;
  bool in_range = range_begin_ >= 0 && row >= range_begin_ && row <= range_end_;
  return in_range != (toggled_.count(row) > 0);
}

void NumberListView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const int height = RowHeight();
  const int width = ColumnWidth();
  const int per_column = RowsPerColumn();
  const int first_column = FirstVisibleColumn();
  const int visible_columns = viewport()->width() / width + 1;
  const int rows = frozen_ ? rows_ : std::min(rows_, list_.Count());
  for (int c = 0; c < visible_columns; ++c) {
    const long long first_row = static_cast<long long>(first_column + c) * per_column;
    for (int r = 0; r < per_column; ++r) {
      const long long row = first_row + r;
      if (row >= rows)
        return;
      QRect cell(c * width, r * height, width, height);
      const int index = static_cast<int>(row);
      if (IsSelected(index)) {
        painter.fillRect(cell, palette().highlight());
        painter.setPen(palette().highlightedText().color());
      } else {
        painter.setPen(palette().text().color());
      }
      QString text = fontMetrics().elidedText(RowText(index), Qt::ElideRight, width - 8);
      painter.drawText(cell.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
      if (index == current_ && hasFocus()) {
        painter.setPen(QPen(palette().text().color(), 1, Qt::DotLine));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
      }
    }
  }
}

void NumberListView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBar();
}

int NumberListView::RowAt(const QPoint& point) const {
  const int column = FirstVisibleColumn() + point.x() / ColumnWidth();
  const int row_in_column = point.y() / RowHeight();
  if (row_in_column >= RowsPerColumn())
    return -1;
  const long long row = static_cast<long long>(column) * RowsPerColumn() + row_in_column;
  return row < rows_ ? static_cast<int>(row) : -1;
}

void NumberListView::ScrollTo(int row) {
  if (row < 0 || row >= rows_)
    return;
  const int column = row / RowsPerColumn();
  QScrollBar* bar = horizontalScrollBar();
  const int visible = std::max(1, viewport()->width() / ColumnWidth());
  if (column < bar->value()) {
    bar->setValue(column);
  } else if (column >= bar->value() + visible) {
    bar->setValue(column - visible + 1);
  }
}

void NumberListView::MoveCurrent(int row, Qt::KeyboardModifiers modifiers) {
  if (rows_ == 0)
    return;
  row = std::clamp(row, 0, rows_ - 1);
  current_ = row;
  if (multiple_ && (modifiers & Qt::ShiftModifier) && anchor_ >= 0) {
    // Shift selects from the anchor to the row instead of what was selected; with Ctrl too, the
    // rows toggled before stay as they are.
    if (!(modifiers & Qt::ControlModifier))
      toggled_.clear();
    range_begin_ = std::min(anchor_, row);
    range_end_ = std::max(anchor_, row);
  } else if (multiple_ && (modifiers & Qt::ControlModifier)) {
    if (!toggled_.erase(row))
      toggled_.insert(row);
    anchor_ = row;
  } else {
    anchor_ = row;
    range_begin_ = range_end_ = row;
    toggled_.clear();
  }
  ScrollTo(row);
  viewport()->update();
}

void NumberListView::mousePressEvent(QMouseEvent* event) {
  if (frozen_)
    return;
  setFocus();
  const int row = RowAt(event->position().toPoint());
  if (row >= 0)
    MoveCurrent(row, event->modifiers());
}

void NumberListView::keyPressEvent(QKeyEvent* event) {
  if (frozen_) {
    event->ignore();
    return;
  }
  const int per_column = RowsPerColumn();
  const int page = per_column * std::max(1, viewport()->width() / ColumnWidth());
  int row = current_ < 0 ? 0 : current_;
  switch (event->key()) {
    case Qt::Key_Up:
      row -= 1;
      break;
    case Qt::Key_Down:
      row += 1;
      break;
    case Qt::Key_Left:
      row -= per_column;
      break;
    case Qt::Key_Right:
      row += per_column;
      break;
    case Qt::Key_PageUp:
      row -= page;
      break;
    case Qt::Key_PageDown:
      row += page;
      break;
    case Qt::Key_Home:
      row = 0;
      break;
    case Qt::Key_End:
      row = rows_ - 1;
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  MoveCurrent(row, event->modifiers());
}

void NumberListView::wheelEvent(QWheelEvent* event) {
  if (frozen_)
    return;
  // A list in columns scrolls sideways, a column per notch.
  const int delta =
      event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() - delta / 120);
  event->accept();
}

void NumberListView::dragEnterEvent(QDragEnterEvent* event) {
  if (!frozen_ && event->mimeData()->hasUrls())
    event->acceptProposedAction();
}

void NumberListView::dragMoveEvent(QDragMoveEvent* event) {
  if (!frozen_ && event->mimeData()->hasUrls())
    event->acceptProposedAction();
}

void NumberListView::dropEvent(QDropEvent* event) {
  if (frozen_) {
    event->ignore();
    return;
  }
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile())
      paths.push_back(url.toLocalFile());
  }
  event->acceptProposedAction();
  if (!paths.isEmpty())
    emit filesDropped(paths);
}

}  // namespace tessaril::app
