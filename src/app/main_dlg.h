#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/button_ids.h"
#include "app/command_runner.h"
#include "interface/frontend.h"
#include "lists/app_state.h"
#include "online/advertisements.h"

class QLabel;
class QProgressBar;
class QRect;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTimer;

namespace tessaril::app {

class CNoticeView;
class CStaticLink;
class NumberListView;

// The main window: the source list above, the target list below, one button per command. It is
// the Frontend of every command it starts: a button's handler runs the core command on the
// command worker, and the command's messages, pickers, dialogs, progress and refreshes are
// carried back here. While a command runs nothing can start another or touch a list: the
// command controls are disabled, the views show what they showed when it began, drops and the
// keys Enter, Space and Esc are refused, and a close waits for the command's end. A close with
// numbers in either list asks first.
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

  // Runs `work` on the command worker with a Frontend that carries its calls to this window;
  // `finished` runs here after it. Nothing happens while another command runs.
  void RunCommand(std::function<void(Frontend&)> work, std::function<void()> finished = {});
  bool CommandRunning() const { return runner_.Running(); }
  // Runs the event loop until no command runs (the tests, and the window's end).
  void WaitForCommand() { runner_.WaitUntilIdle(); }

  // Sizes the window to fit `available` (a screen's area without its task bar).
  void FitInto(const QRect& available);

  // "文件对比": the file-tools window; the result files chosen there are read into the source list.
  void RunFileTools();

  // Online pieces.
  bool OpenUrl(const std::string& url) override;
  // "软件升级": the update check that also says when the version in use is the latest. The file
  // is fetched in the background; what the check says comes when it has arrived.
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
  QPushButton* Button(MainButton id) const;
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
    MainButton id;
    const char* label;
    std::function<void()> run;  // empty: the command is not there yet, the button is disabled
  };
  // A button's handler that runs `command` on the worker.
  std::function<void()> Command(std::function<void(Frontend&)> command);
  // An export's handler: the list the radio pair names when the button is pressed.
  std::function<void()> ExportCommand(void (*command)(AppState&, Frontend&, ListId));
  // Disables, while a command runs, every control that starts a command or changes a list.
  void SetCommandControlsEnabled(bool enabled);
  // A close with entries in either list asks first: the lists are the user's unsaved work.
  bool ConfirmClose();

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
  bool asking_to_close_ = false;
  bool update_check_running_ = false;

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
  std::map<MainButton, QPushButton*> buttons_;

  // The advertisement texts and links, and the one shown.
  Advertisements ads_;

  // The buttons a running command disabled, to be enabled at its end.
  std::vector<QPushButton*> disabled_by_command_;
  // Last: it waits for a running command before the rest of the window goes.
  CommandRunner runner_{*this, *this};
};

}  // namespace tessaril::app
