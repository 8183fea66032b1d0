#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <set>
#include <vector>

namespace tessaril {
class NumberList;
}

namespace tessaril::app {

// A virtual view of a NumberList in columns, like a list-mode list view: rows run top to bottom,
// then on in the next column; it scrolls sideways by columns. It holds no text: it asks the list
// for the rows it paints, and a refresh only sets the row count, so a list of tens of millions
// of entries costs nothing to show.
class NumberListView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  NumberListView(const NumberList& list, bool multiple_selection, QWidget* parent = nullptr);

  // Sets the number of rows shown (the refresh of a list).
  void SetRowCount(int rows);
  int RowCount() const { return rows_; }
  int CurrentRow() const { return current_; }
  bool IsSelected(int row) const;
  // Scrolls so that `row` is visible.
  void ScrollTo(int row);
  int RowsPerColumn() const;
  int FirstVisibleColumn() const;

  // While a command runs the list may change under the view: a frozen view paints the rows it
  // showed when it froze (taken again at each refresh, when the command waits for it), takes no
  // input and refuses drops. Thaw reads the list again.
  void Freeze();
  void Thaw();
  bool Frozen() const { return frozen_; }

 signals:
  void filesDropped(const QStringList& paths);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  // Files dropped on a view that accepts drops: filesDropped with their local paths, in order.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  int RowHeight() const;
  int ColumnWidth() const;
  int RowAt(const QPoint& point) const;
  void UpdateScrollBar();
  void MoveCurrent(int row, Qt::KeyboardModifiers modifiers);
  // The rows of the visible columns, as the frozen view paints them.
  void TakeSnapshot();
  QString RowText(int row) const;

  const NumberList& list_;
  bool multiple_;
  int rows_ = 0;
  int current_ = -1;
  int anchor_ = -1;
  // Multiple selection: the range from the anchor to the current row, plus rows toggled with Ctrl.
  int range_begin_ = -1;
  int range_end_ = -1;
  std::set<int> toggled_;

  bool frozen_ = false;
  int snapshot_first_ = 0;
  std::vector<QString> snapshot_;
};

}  // namespace tessaril::app
