#pragma once

#include <QDialog>
#include <optional>

#include "interface/dialog_values.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QTreeWidget;

namespace tessaril {
class SettingsStore;
}

namespace tessaril::app {

// "滤除黑名单号码": the blacklist file, the provinces and carriers kept, the way the outputs are
// split and ordered. OK keeps the ticked provinces in sheng.txt (unless "全部地区" is ticked) and
// stays open when that file cannot be written; Cancel still stores the options as shown (after OK
// the command stores them).
class CBlacklistDlg : public QDialog {
  Q_OBJECT

 public:
  CBlacklistDlg(const BlacklistValues& shown, SettingsStore* settings, QWidget* parent = nullptr);
  BlacklistValues Values() const;

  // OK and Cancel.
  void accept() override;
  void reject() override;

  static std::optional<BlacklistValues> Ask(QWidget* parent, const BlacklistValues& shown,
                                            SettingsStore& settings);

 private:
  void ApplyEnableRules();
  void TickAllRegions(bool ticked);
  void Browse();

  BlacklistValues shown_;
  SettingsStore* settings_;
  QTreeWidget* regions_;
  QCheckBox* all_carriers_;
  QCheckBox* all_regions_;
  QCheckBox* telecom_;
  QLineEdit* blacklist_path_;
  QCheckBox* unicom_;
  QCheckBox* mobile_;
  QButtonGroup* export_mode_;
  QCheckBox* remove_duplicates_;
  QCheckBox* export_unrecognised_;
  QButtonGroup* order_;
  QCheckBox* create_folder_;
};

}  // namespace tessaril::app
