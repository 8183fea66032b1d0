#include "app/region_tree_widget.h"

#include <QHeaderView>

#include "app/qt_text.h"

namespace tessaril::app {
namespace {

constexpr int kKindRole = Qt::UserRole + 1;

}  // namespace

RegionTreeWidget::RegionTreeWidget(const RegionTree& tree, QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  for (const RegionProvince& province : tree) {
    auto* top = new QTreeWidgetItem(this, QStringList{Q(province.name)});
    top->setData(0, kKindRole, 1);
    for (const std::string& city : province.cities) {
      auto* child = new QTreeWidgetItem(top, QStringList{Q(city)});
      child->setData(0, kKindRole, 2);
    }
  }
  // A selected branch expands and the others close.
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (!item)
      return;
    QTreeWidgetItem* branch = item->parent() ? item->parent() : item;
    for (int i = 0; i < topLevelItemCount(); ++i) {
      QTreeWidgetItem* top = topLevelItem(i);
      top->setExpanded(top == branch);
    }
  });
}

int RegionTreeWidget::KindOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, kKindRole).toInt() : 0;
}

int RegionTreeWidget::SelectedKind() const {
  const QList<QTreeWidgetItem*> items = selectedItems();
  return items.isEmpty() ? 0 : KindOf(items.front());
}

QString RegionTreeWidget::SelectedText() const {
  const QList<QTreeWidgetItem*> items = selectedItems();
  return items.isEmpty() ? QString() : items.front()->text(0);
}

}  // namespace tessaril::app
