#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "acquire/segment_picker.h"
#include "classify/location_data.h"
#include "interface/dialog_values.h"

class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QRadioButton;
class QTreeWidgetItem;

namespace tessaril::app {

class RegionTreeWidget;
class SegmentListModel;

// "选择插入号段": a city from the province/city tree, its segments from the location database,
// narrowed by carrier or range, several of them chosen and inserted.
class CSegmentPickerDlg : public QDialog {
  Q_OBJECT

 public:
  // "确定" / "插入": the dialog's checks, then close with OK.
  void accept() override;
  CSegmentPickerDlg(const SegmentPickerValues& shown, const CarrierPrefixes& prefixes,
                    LocationData& locations, QWidget* parent = nullptr);
  ~CSegmentPickerDlg() override;
  SegmentPickerValues Values() const { return values_; }

  static std::optional<SegmentPickerValues> Ask(QWidget* parent, const SegmentPickerValues& shown,
                                                const CarrierPrefixes& prefixes,
                                                LocationData& locations);

  // For the screenshots and tests.
  RegionTreeWidget* Tree() const { return tree_; }
  QListView* SegmentList() const { return list_; }
  QString TotalText() const;
  QString ChosenText() const;

 private:
  void SelectItem(QTreeWidgetItem* item);
  // The radio buttons and range fields, read at a radio click only.
  SegmentFilter ReadFilter() const;
  void ShowTotal();
  void ShowChosen();

  SegmentPickerValues values_;
  SegmentPickerModel model_;
  LocationData& locations_;
  RegionTreeWidget* tree_;
  QRadioButton* choices_[5];
  QLineEdit* from_;
  QLineEdit* to_;
  QListView* list_;
  std::unique_ptr<SegmentListModel> list_model_;
  QProgressBar* progress_;
  QLabel* total_;
  QLabel* chosen_;
};

}  // namespace tessaril::app
