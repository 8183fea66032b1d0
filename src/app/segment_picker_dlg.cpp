#include "app/segment_picker_dlg.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/dialog_frame.h"
#include "app/limit_edit.h"
#include "app/qt_text.h"
#include "app/region_tree_widget.h"
#include "classify/carrier_prefixes.h"
#include "classify/location_db.h"
#include "interface/messages.h"

namespace tessaril::app {

// The shown segments, read on demand: the list holds no copies, a refresh only resets it.
class SegmentListModel : public QAbstractListModel {
 public:
  explicit SegmentListModel(const SegmentPickerModel& picker) : picker_(picker) {}
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(picker_.Shown().size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || index.row() >= rowCount({}))
      return {};
    return Q(picker_.Shown()[static_cast<size_t>(index.row())]);
  }
  void Reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  const SegmentPickerModel& picker_;
};

CSegmentPickerDlg::CSegmentPickerDlg(const SegmentPickerValues& shown,
                                     const CarrierPrefixes& prefixes, LocationData& locations,
                                     QWidget* parent)
    : QDialog(parent), values_(shown), model_(prefixes), locations_(locations) {
  setWindowTitle(QStringLiteral("选择插入号段"));
  KeepOnlyCloseButton(this);
  auto* layout = new QHBoxLayout(this);
  tree_ = new RegionTreeWidget(shown.tree, this);
  tree_->setAccessibleName(QStringLiteral("地区"));
  tree_->setMinimumWidth(180);
  layout->addWidget(tree_);

  auto* right = new QVBoxLayout;
  auto* group = new QGroupBox(QStringLiteral("选择号码范围"), this);
  auto* grid = new QGridLayout(group);
  const char* labels[] = {"全部号码范围", kCarrierGroupLabels[0], kCarrierGroupLabels[1],
                          kCarrierGroupLabels[2], "自定义号段:"};
  for (int i = 0; i < 5; ++i) {
    choices_[i] = new QRadioButton(QString::fromUtf8(labels[i]), group);
    connect(choices_[i], &QRadioButton::clicked, this, [this] {
      model_.ApplyFilter(ReadFilter(), [this](int p) { progress_->setValue(p); });
      list_model_->Reset();
      ShowTotal();
      ShowChosen();
    });
  }
  choices_[0]->setChecked(true);
  grid->addWidget(choices_[0], 0, 0);
  grid->addWidget(choices_[1], 0, 1);
  grid->addWidget(choices_[2], 0, 2);
  grid->addWidget(choices_[3], 0, 3);
  auto* range = new QHBoxLayout;
  range->addWidget(choices_[4]);
  from_ = new QLineEdit(group);
  to_ = new QLineEdit(group);
  // Named as the range reads: from the first segment to the last.
  from_->setAccessibleName(choices_[4]->text() + QStringLiteral(" 起"));
  to_->setAccessibleName(choices_[4]->text() + QStringLiteral(" 止"));
  range->addWidget(from_);
  range->addWidget(new QLabel(QStringLiteral("0000 -"), group));
  range->addWidget(to_);
  range->addWidget(new QLabel(QStringLiteral("9999"), group));
  range->addWidget(new QLabel(QStringLiteral("(输入前7位号码)"), group));
  grid->addLayout(range, 1, 0, 1, 4);
  right->addWidget(group);

  list_model_ = std::make_unique<SegmentListModel>(model_);
  list_ = new QListView(this);
  list_->setAccessibleName(QStringLiteral("号码段"));
  list_->setModel(list_model_.get());
  // Columns of segments, top to bottom and then on to the right, as a list-mode view.
  list_->setFlow(QListView::TopToBottom);
  list_->setWrapping(true);
  list_->setResizeMode(QListView::Adjust);
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setMinimumSize(520, 300);
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { ShowChosen(); });
  right->addWidget(list_, 1);

  progress_ = new QProgressBar(this);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  right->addWidget(progress_);
  total_ = new QLabel(this);
  chosen_ = new QLabel(this);
  right->addWidget(total_);
  right->addWidget(chosen_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* insert = new QPushButton(QStringLiteral("插入"), this);
  insert->setDefault(true);
  auto* cancel = new QPushButton(Q(kCancelLabel), this);
  connect(insert, &QPushButton::clicked, this, &CSegmentPickerDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(insert);
  buttons->addWidget(cancel);
  right->addLayout(buttons);
  layout->addLayout(right, 1);

  connect(tree_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { SelectItem(item); });
  total_->setText(Q(SegmentTotalLabel(0)));
  chosen_->setText(Q(SegmentChosenLabel(0)));
  MakeRoomForCaption(this);
}

CSegmentPickerDlg::~CSegmentPickerDlg() = default;

SegmentFilter CSegmentPickerDlg::ReadFilter() const {
  SegmentFilter filter;
  for (int i = 0; i < 5; ++i) {
    if (choices_[i]->isChecked())
      filter.choice = i;
  }
  filter.from = U(from_->text());
  filter.to = U(to_->text());
  return filter;
}

void CSegmentPickerDlg::SelectItem(QTreeWidgetItem* item) {
  if (RegionTreeWidget::KindOf(item) == 2) {
    // The database may still be loading: wait for it with the busy cursor.
    if (!locations_.Loaded()) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      locations_.WaitForLoader();
      QApplication::restoreOverrideCursor();
    }
    model_.SelectCity(locations_.Db(), U(item->text(0)), [this](int p) { progress_->setValue(p); });
  } else {
    model_.SelectProvince();
  }
  list_model_->Reset();
  ShowTotal();
  ShowChosen();
}

void CSegmentPickerDlg::ShowTotal() {
  total_->setText(Q(model_.TotalLabel()));
}

void CSegmentPickerDlg::ShowChosen() {
  chosen_->setText(Q(SegmentChosenLabel(list_->selectionModel()->selectedIndexes().size())));
}

QString CSegmentPickerDlg::TotalText() const {
  return total_->text();
}
QString CSegmentPickerDlg::ChosenText() const {
  return chosen_->text();
}

void CSegmentPickerDlg::accept() {
  values_.chosen.clear();
  QModelIndexList selected = list_->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) {
    ShowRefusal(this, kNoSegmentChosen);
    return;
  }
  // In list order, whatever the order of selecting.
  std::sort(selected.begin(), selected.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  for (const QModelIndex& index : selected)
    values_.chosen.push_back(model_.Shown()[static_cast<size_t>(index.row())]);
  QDialog::accept();
}

std::optional<SegmentPickerValues> CSegmentPickerDlg::Ask(QWidget* parent,
                                                          const SegmentPickerValues& shown,
                                                          const CarrierPrefixes& prefixes,
                                                          LocationData& locations) {
  CSegmentPickerDlg dialog(shown, prefixes, locations, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Values();
}

}  // namespace tessaril::app
