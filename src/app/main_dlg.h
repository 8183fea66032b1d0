#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/frontend.h"
#include "lists/app_state.h"
#include "online/advertisements.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTimer;

namespace tessaril::app {

class CNoticeView;
class CStaticLink;
class NumberListView;

// The main window: the source list above, the target list below, one button per command. It is
// the Frontend of every command it starts: a button's handler calls the core command with the
// window, and the command's messages, pickers, dialogs, progress and refreshes come back here.
class CMainDlg : public QDialog, public Frontend {
  Q_OBJECT

 public:
  explicit CMainDlg(AppState& state, QWidget* parent = nullptr);
  ~CMainDlg() override;

  // Frontend.
  void ShowMessage(const Message& message) override;
  bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) override;
  std::optional<std::vector<std::string>> PickOpenFiles(const OpenFileRequest& request) override;
  std::optional<std::string> PickSaveFile(const SaveFileRequest& request) override;
  std::optional<std::string> PickFolder(const std::string& title,
                                        const std::string& initial) override;
  void SetProgress(int percent) override;
  void RefreshSourceView() override;
  void RefreshTargetView() override;
  void SetBusy(bool busy) override;
  std::optional<std::string> ClipboardText() override;
  bool SetClipboardText(const std::string& text) override;
  std::optional<DialogValues> AskDialog(const DialogValues& shown) override;

  // "文件对比": the file-tools window; the result files chosen there are read into the source list.
  void RunFileTools();

  // Online pieces.
  bool OpenUrl(const std::string& url) override;
  // "软件升级": the update check that also says when the version in use is the latest.
  void CheckForUpdateNow();
  // The "帮助" pop-up menu under its button.
  void ShowHelpMenu();
  // "关于 Vessip(&A)...".
  void ShowAboutBox();
  CNoticeView* NoticeView() const { return notice_view_; }
  CStaticLink* AdvertisementLabel() const { return ad_label_; }

  // The advertisement line: its texts and links (same index), shown from entry 0.
  void SetAdvertisements(std::vector<std::string> texts, std::vector<std::string> links);
  // One tick of the 20-second advertisement timer.
  void RotateAdvertisement();

  // For the window tests and the screenshots.
  QPushButton* Button(int id) const;
  NumberListView* SourceView() const { return source_view_; }
  NumberListView* TargetView() const { return target_view_; }
  bool NoticeShown() const;
  QString SourceCounter() const;
  QString TargetCounter() const;
  QString AdvertisementText() const;
  int Progress() const;
  bool SourceChosenForExport() const;
  AppState& State() { return state_; }

 protected:
  void done(int result) override;

 private:
  struct ButtonSpec {
    int id;
    const char* label;
    std::function<void()> run;  // empty: the command is not there yet, the button is disabled
  };

  void BuildLayout();
  void Initialise();
  void ShutDown();
  QWidget* ButtonRow(const std::vector<ButtonSpec>& specs);
  QPushButton* MakeButton(const ButtonSpec& spec);
  QWidget* MoveColumn(const char* caption, const ButtonSpec& up, const ButtonSpec& down);
  void ShowCounters();
  // The export commands take the list the radio pair names when their button is pressed.
  ListId ExportedList() const;

  AppState& state_;
  bool shut_down_ = false;

  NumberListView* source_view_ = nullptr;
  NumberListView* target_view_ = nullptr;
  QStackedWidget* target_area_ = nullptr;
  CNoticeView* notice_view_ = nullptr;
  QLabel* source_counter_ = nullptr;
  QLabel* target_counter_ = nullptr;
  QString source_counter_text_;
  QString target_counter_text_;
  QProgressBar* progress_ = nullptr;
  CStaticLink* ad_label_ = nullptr;
  QRadioButton* export_source_ = nullptr;
  QRadioButton* export_target_ = nullptr;
  QTimer* ad_timer_ = nullptr;
  std::map<int, QPushButton*> buttons_;

  // The advertisement texts and links, and the one shown.
  Advertisements ads_;
};

}  // namespace tessaril::app
