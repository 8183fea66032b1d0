#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/button_ids.h"
#include "app/command_runner.h"
#include "app/forwarding_frontend.h"
#include "filetools/file_tools.h"
#include "lists/app_state.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace tessaril::app {

// "Korvane手机号码处理器": the file tools. The window shows a FileTools model and runs the core's
// file commands on it with itself as their Frontend: messages, pickers and the blacklist dialog
// open over this window and the progress shows on its own bar; what belongs to the main window
// (its refreshes, its dialogs, the clipboard) is passed on to it. Like the main window it runs
// each command on a worker, with its controls disabled meanwhile and a close waiting for it.
class CFileToolsDlg : public QDialog, public ForwardingFrontend {
  Q_OBJECT

 public:
  CFileToolsDlg(AppState& state, Frontend& main_window, QWidget* parent = nullptr);
  // Saves the three settings: every way of closing passes here.
  ~CFileToolsDlg() override;

  // Runs the window modally; true when it closed with OK, and then `import_list` holds the
  // result files chosen for import (empty after "退出").
  static bool Run(QWidget* parent, AppState& state, Frontend& main_window,
                  std::vector<std::string>& import_list);

  const FileTools& Model() const { return tools_; }
  QPushButton* Button(FileToolsButton id) const;
  QListWidget* SourceList() const { return source_list_; }
  QListWidget* ResultList() const { return result_list_; }
  bool CommandRunning() const { return runner_.Running(); }
  void WaitForCommand() { runner_.WaitUntilIdle(); }

  // Frontend.
  void ShowMessage(const Message& message) override;
  bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) override;
  std::optional<std::vector<std::string>> PickOpenFiles(const OpenFileRequest& request) override;
  std::optional<std::string> PickSaveFile(const SaveFileRequest& request) override;
  std::optional<std::string> PickFolder(const std::string& title,
                                        const std::string& initial) override;
  void SetProgress(int percent) override;
  // The blacklist dialog opens over this window; every other dialog over the main window.
  std::optional<DialogValues> AskDialog(const DialogValues& shown) override;

 protected:
  void done(int result) override;

 private:
  QPushButton* MakeButton(FileToolsButton id, const char* label, void (CFileToolsDlg::*handler)());
  // Fields to the model and back.
  void StoreFields();
  void ShowFields();
  void ShowLists();
  // Runs `work` on the worker with the fields stored into the model; `finished` runs here after.
  void RunCommand(std::function<void(Frontend&)> work, std::function<void()> finished);
  void RunTool(void (*command)(AppState&, Frontend&, FileTools&));
  void SetControlsEnabled(bool enabled);
  std::vector<int> Selected(QListWidget* list) const;
  void SaveSettings();

  void OnPickFileA();
  void OnPickFileB();
  void OnCompareTwo();
  void OnCompareThree();
  void OnAddFiles();
  void OnRemove();
  void OnMergeTwo();
  void OnMergeMany();
  void OnBlacklist();
  void OnImportSelected();
  void OnChangePath();
  void OnPickFolder();
  void OnExit();
  void OnHelp();

  AppState& state_;
  FileTools tools_;
  std::map<FileToolsButton, QPushButton*> buttons_;
  QLineEdit* file_a_;
  QLineEdit* file_b_;
  QCheckBox* delete_flag_;
  QListWidget* source_list_;
  QListWidget* result_list_;
  QCheckBox* change_path_;
  QLineEdit* str_path_;
  QProgressBar* progress_;
  std::vector<QWidget*> disabled_by_command_;
  // Last: it waits for a running command before the rest of the window goes.
  CommandRunner runner_{*this, *this};
};

}  // namespace tessaril::app
