#include "app/screenshot.h"
#include "app/move_by_features_dlg.h"
#include "app/region_tree_widget.h"
#include "app/region_type_dlg.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QListView>
#include <QPixmap>
#include <QTreeWidget>
#include <iostream>

#include "app/about_dlg.h"
#include "app/batch_size_dlg.h"
#include "app/blacklist_dlg.h"
#include "app/export_format_dlg.h"
#include "app/extract_dlg.h"
#include "app/file_tools_dlg.h"
#include "app/main_dlg.h"
#include "app/move_by_digits_dlg.h"
#include "app/move_by_type_dlg.h"
#include "app/notice_view.h"
#include "app/segment_entry_dlg.h"
#include "app/segment_export_dlg.h"
#include "app/segment_picker_dlg.h"
#include "app/settings_dlg.h"
#include "classify/carrier_prefixes.h"
#include "classify/region_tree.h"
#include "export/export_all.h"
#include "filetools/blacklist.h"
#include "online/online_addresses.h"

namespace tessaril::app {
namespace {

bool Save(QWidget& widget, const QString& folder, const char* name) {
  widget.show();
  widget.adjustSize();
  for (int i = 0; i < 5; ++i)
    QApplication::processEvents();
  const QString path = QDir(folder).filePath(QString::fromUtf8(name) + ".png");
  const bool ok = widget.grab().save(path);
  std::cout << (ok ? "wrote " : "could not write ") << path.toStdString() << "\n";
  return ok;
}

}  // namespace

std::vector<ScreenshotEntry> ScreenshotEntries() {
  return {
      {"CSettingsDlg",
       [](CMainDlg& w) -> QWidget* {
         return new CSettingsDlg(SettingsDialogTexts(w.State().settings), &w);
       }},
      // Acquisition dialogs.
      {"CExtractDlg", [](CMainDlg& w) -> QWidget* { return new CExtractDlg(ExtractValues{}, &w); }},
      {"CSegmentEntryDlg",
       [](CMainDlg& w) -> QWidget* { return new CSegmentEntryDlg(SegmentEntryValues{}, &w); }},
      {"CSegmentPickerDlg",
       [](CMainDlg& w) -> QWidget* {
         // The tree of the data folder with its first city selected.
         SegmentPickerValues shown;
         shown.tree = ReadRegionTree(w.State().RegionTreeFile()).value_or(RegionTree{});
         auto* dialog = new CSegmentPickerDlg(shown, w.State().prefixes, w.State().locations, &w);
         if (QTreeWidgetItem* province = dialog->Tree()->topLevelItem(0)) {
           dialog->Tree()->setCurrentItem(province->childCount() ? province->child(0) : province);
           dialog->SegmentList()->selectionModel()->select(
               dialog->SegmentList()->model()->index(0, 0), QItemSelectionModel::Select);
         }
         return dialog;
       }},

      // Move dialogs.
      {"CMoveByTypeDlg",
       [](CMainDlg& w) -> QWidget* { return new CMoveByTypeDlg(MoveByTypeValues{}, &w); }},
      {"CMoveByDigitsDlg",
       [](CMainDlg& w) -> QWidget* { return new CMoveByDigitsDlg(DigitMaskValues{}, &w); }},
      {"CMoveByFeaturesDlg",
       [](CMainDlg& w) -> QWidget* {
         FeatureMoveValues shown;
         shown.tree = ReadRegionTree(w.State().RegionTreeFile()).value_or(RegionTree{});
         return new CMoveByFeaturesDlg(shown, &w);
       }},

      // Export dialogs.
      {"CExportFormatDlg",
       [](CMainDlg& w) -> QWidget* {
         return new CExportFormatDlg(LoadExportFormat(w.State().settings), &w);
       }},
      {"CBatchSizeDlg",
       [](CMainDlg& w) -> QWidget* { return new CBatchSizeDlg(BatchSizeValues{}, &w); }},
      {"CSegmentExportDlg",
       [](CMainDlg& w) -> QWidget* { return new CSegmentExportDlg(SegmentExportValues{}, &w); }},
      {"CRegionTypeDlg",
       [](CMainDlg& w) -> QWidget* { return new CRegionTypeDlg(RegionTypeValues{}, &w); }},

      // File-tools dialogs.
      {"CFileToolsDlg",
       [](CMainDlg& w) -> QWidget* { return new CFileToolsDlg(w.State(), w, &w); }},
      {"CBlacklistDlg",
       [](CMainDlg& w) -> QWidget* {
         return new CBlacklistDlg(LoadBlacklistValues(w.State().settings, w.State().data_folder),
                                  nullptr, &w);
       }},

      // Qt's own file picker, in Chinese when Qt's translations are installed.
      {"QFileDialog",
       [](CMainDlg& w) -> QWidget* {
         auto* picker = new QFileDialog(&w, QStringLiteral("导入文件"), QDir::homePath(),
                                        QStringLiteral("文本文件 (*.txt)"));
         picker->setOption(QFileDialog::DontUseNativeDialog);
         picker->setFileMode(QFileDialog::ExistingFiles);
         return picker;
       }},

      // Online pieces.
      {"CAboutDlg",
       [](CMainDlg& w) -> QWidget* {
         return new CAboutDlg(OnlineAddressOf(w.State().settings, kHomePage), &w);
       }},
      // The notice view as it stands in the main window at start.
      {"CNoticeView",
       [](CMainDlg& w) -> QWidget* {
         auto* view = new CNoticeView(OnlineAddressOf(w.State().settings, kNoticeUrl));
         view->setMinimumSize(w.NoticeView() ? w.NoticeView()->size() : QSize(900, 260));
         view->NavigateToNoticePage();
         return view;
       }},
  };
}

bool WriteScreenshots(CMainDlg& window, const QString& folder, const std::vector<QSize>& screens) {
  QDir().mkpath(folder);
  for (const QSize& screen : screens) {
    window.FitInto(QRect(0, 0, screen.width(), screen.height() - kTaskBarHeight));
    window.show();
    for (int i = 0; i < 5; ++i)
      QApplication::processEvents();
    const QString path = QDir(folder).filePath(
        QStringLiteral("CMainDlg-%1x%2.png").arg(screen.width()).arg(screen.height()));
    const bool written = window.grab().save(path);
    std::cout << (written ? "wrote " : "could not write ") << path.toStdString() << " ("
              << window.width() << "x" << window.height() << ", at least "
              << window.minimumSizeHint().width() << "x" << window.minimumSizeHint().height()
              << ")\n";
    if (!written)
      return false;
  }
  window.show();
  for (int i = 0; i < 5; ++i)
    QApplication::processEvents();
  bool ok = window.grab().save(QDir(folder).filePath("CMainDlg.png"));
  std::cout << (ok ? "wrote " : "could not write ")
            << QDir(folder).filePath("CMainDlg.png").toStdString() << "\n";
  for (const ScreenshotEntry& entry : ScreenshotEntries()) {
    QWidget* widget = entry.make(window);
    widget->setAttribute(Qt::WA_DeleteOnClose, false);
    ok = Save(*widget, folder, entry.class_name) && ok;
    delete widget;
  }
  window.close();
  return ok;
}

}  // namespace tessaril::app
