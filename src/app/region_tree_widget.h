#pragma once

#include <QTreeWidget>

#include "interface/dialog_values.h"

namespace tessaril::app {

// The province/city tree of add.txt, as the segment picker and the feature move show it:
// provinces at the top (kind 1) with their cities (kind 2), in file order; a selected item
// expands alone.
class RegionTreeWidget : public QTreeWidget {
  Q_OBJECT

 public:
  RegionTreeWidget(const RegionTree& tree, QWidget* parent = nullptr);

  // The kind of an item: 1 province, 2 city.
  static int KindOf(const QTreeWidgetItem* item);
  // The selected item's kind (0 when nothing is selected) and text.
  int SelectedKind() const;
  QString SelectedText() const;
};

}  // namespace tessaril::app
