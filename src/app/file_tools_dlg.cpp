#include "app/file_tools_dlg.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <memory>

#include "app/app_icon.h"
#include "app/blacklist_dlg.h"
#include "app/caption_room.h"
#include "app/enter_in_text_box.h"
#include "app/qt_prompts.h"
#include "app/qt_text.h"
#include "filetools/blacklist.h"
#include "filetools/compare_files.h"
#include "filetools/merge_files.h"
#include "lists/run_command.h"

namespace tessaril::app {
namespace {

QListWidget* MakeFileList(QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list->setMinimumWidth(260);
  return list;
}

}  // namespace

CFileToolsDlg::CFileToolsDlg(AppState& state, Frontend& main_window, QWidget* parent)
    : QDialog(parent), ForwardingFrontend(main_window), state_(state) {
  setWindowTitle(QStringLiteral("Korvane手机号码处理器"));
  setWindowIcon(AppIcon());
  auto* layout = new QVBoxLayout(this);

  // The comparison of two files.
  auto* compare = new QGroupBox(QStringLiteral("两个文件对比功能"), this);
  auto* compare_layout = new QGridLayout(compare);
  // Each box is named by its label (for screen readers) and followed in the Tab order by its
  // own "浏览...", as the rows read.
  const auto file_row = [&](int row, const char* label_text, FileToolsButton pick,
                            void (CFileToolsDlg::*on_pick)()) {
    auto* label = new QLabel(QString::fromUtf8(label_text), compare);
    auto* edit = new QLineEdit(compare);
    label->setBuddy(edit);
    compare_layout->addWidget(label, row, 0);
    compare_layout->addWidget(edit, row, 1);
    compare_layout->addWidget(MakeButton(pick, "浏览...", on_pick), row, 2);
    return edit;
  };
  file_a_ = file_row(0, "主文件(文件A):", FileToolsButton::kPickFileA, &CFileToolsDlg::OnPickFileA);
  file_b_ =
      file_row(1, "辅助文件(文件B):", FileToolsButton::kPickFileB, &CFileToolsDlg::OnPickFileB);
  auto* compare_buttons = new QHBoxLayout;
  compare_buttons->addWidget(MakeButton(FileToolsButton::kCompareTwo, "两个文件对比倒出2个文件",
                                        &CFileToolsDlg::OnCompareTwo));
  compare_buttons->addWidget(MakeButton(FileToolsButton::kCompareThree, "两个文件对比倒出3个文件",
                                        &CFileToolsDlg::OnCompareThree));
  // Created hidden, as it always was: its state is only kept and saved.
  delete_flag_ = new QCheckBox(QStringLiteral("删除原文件"), compare);
  delete_flag_->hide();
  compare_buttons->addWidget(delete_flag_);
  compare_layout->addLayout(compare_buttons, 2, 0, 1, 3);
  layout->addWidget(compare);

  // The two file lists and the merge and blacklist commands.
  auto* merge = new QGroupBox(QStringLiteral("多文件整合"), this);
  auto* merge_layout = new QGridLayout(merge);
  auto* source_label = new QLabel(QStringLiteral("要转换的文件(*.txt):"), merge);
  auto* result_label = new QLabel(QStringLiteral("转换后的文件(*.txt):"), merge);
  merge_layout->addWidget(source_label, 0, 0);
  merge_layout->addWidget(result_label, 0, 2);
  source_list_ = MakeFileList(merge);
  result_list_ = MakeFileList(merge);
  source_list_->setAccessibleName(source_label->text());
  result_list_->setAccessibleName(result_label->text());
  merge_layout->addWidget(source_list_, 1, 0);
  auto* arrow = new QLabel(QStringLiteral("=>"), merge);
  merge_layout->addWidget(arrow, 1, 1);
  merge_layout->addWidget(result_list_, 1, 2);
  auto* list_buttons = new QHBoxLayout;
  list_buttons->addWidget(
      MakeButton(FileToolsButton::kAddFiles, "加入...", &CFileToolsDlg::OnAddFiles));
  list_buttons->addWidget(MakeButton(FileToolsButton::kRemove, "删除", &CFileToolsDlg::OnRemove));
  list_buttons->addWidget(
      MakeButton(FileToolsButton::kMergeTwo, "整合->2个文件", &CFileToolsDlg::OnMergeTwo));
  list_buttons->addWidget(
      MakeButton(FileToolsButton::kMergeMany, "整合->多个文件", &CFileToolsDlg::OnMergeMany));
  list_buttons->addWidget(
      MakeButton(FileToolsButton::kBlacklist, "滤除黑名单", &CFileToolsDlg::OnBlacklist));
  merge_layout->addLayout(list_buttons, 2, 0, 1, 3);
  merge_layout->addWidget(MakeButton(FileToolsButton::kImportSelected, "将选中文件导入到原始数据中",
                                     &CFileToolsDlg::OnImportSelected),
                          3, 0, 1, 3);
  layout->addWidget(merge, 1);

  // The output folder, the progress and the closing buttons.
  auto* path_row = new QHBoxLayout;
  change_path_ = new QCheckBox(QStringLiteral("改变路径"), this);
  str_path_ = new QLineEdit(this);
  str_path_->setAccessibleName(change_path_->text());
  path_row->addWidget(change_path_);
  path_row->addWidget(str_path_, 1);
  path_row->addWidget(
      MakeButton(FileToolsButton::kPickFolder, "浏览", &CFileToolsDlg::OnPickFolder));
  layout->addLayout(path_row);
  auto* bottom = new QHBoxLayout;
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  bottom->addWidget(progress_, 1);
  bottom->addWidget(MakeButton(FileToolsButton::kHelp, "帮助", &CFileToolsDlg::OnHelp));
  QPushButton* exit = MakeButton(FileToolsButton::kExit, "退出", &CFileToolsDlg::OnExit);
  exit->setDefault(true);
  bottom->addWidget(exit);
  layout->addLayout(bottom);
  connect(change_path_, &QCheckBox::clicked, this, &CFileToolsDlg::OnChangePath);
  connect(source_list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    RemoveSourceFile(tools_, source_list_->row(item));
    ShowLists();
  });

  runner_.busy_changed = [this](bool busy) { SetControlsEnabled(!busy); };
  // A control that cannot take the focus back gives it to the list where the tools' results show.
  runner_.focus_fallback = [this](QWidget*) { return result_list_; };
  // "退出" is the default button: Enter in a path box must not close the window.
  KeepEnterInTextBoxes(this);
  // Opening: the settings are read and shown; both path controls start enabled.
  LoadFileToolsSettings(state_.settings, tools_);
  ShowFields();
  ShowLists();
  MakeRoomForCaption(this);
  resize(860, 660);
}

CFileToolsDlg::~CFileToolsDlg() {
  runner_.WaitUntilIdle();
  SaveSettings();
}

void CFileToolsDlg::done(int result) {
  // A close made while a command runs waits for its end.
  if (runner_.DeferCloseUntilIdle([this, result] { done(result); }))
    return;
  SaveSettings();
  QDialog::done(result);
}

void CFileToolsDlg::SetControlsEnabled(bool enabled) {
  if (enabled) {
    for (QWidget* control : disabled_by_command_)
      control->setEnabled(true);
    disabled_by_command_.clear();
    return;
  }
  // Everything that starts a command or changes the fields and lists the command reads; "退出"
  // stays, and its close waits.
  std::vector<QWidget*> controls = {file_a_,      file_b_,      delete_flag_, source_list_,
                                    result_list_, change_path_, str_path_};
  for (const auto& [id, button] : buttons_) {
    if (id != FileToolsButton::kExit)
      controls.push_back(button);
  }
  for (QWidget* control : controls) {
    if (control->isEnabled()) {
      control->setEnabled(false);
      disabled_by_command_.push_back(control);
    }
  }
}

void CFileToolsDlg::RunCommand(std::function<void(Frontend&)> work,
                               std::function<void()> finished) {
  if (runner_.Running())
    return;
  StoreFields();
  // Running out of memory stops the command with a message instead of ending the program.
  runner_.Run(
      [this, work = std::move(work)](Frontend& frontend) {
        tessaril::RunCommand(state_, frontend, [&] { work(frontend); });
      },
      std::move(finished));
}

bool CFileToolsDlg::Run(QWidget* parent, AppState& state, Frontend& main_window,
                        std::vector<std::string>& import_list) {
  CFileToolsDlg window(state, main_window, parent);
  if (window.exec() != QDialog::Accepted)
    return false;
  import_list = window.tools_.import_list;
  return true;
}

QPushButton* CFileToolsDlg::MakeButton(FileToolsButton id, const char* label,
                                       void (CFileToolsDlg::*handler)()) {
  auto* button = new QPushButton(QString::fromUtf8(label), this);
  // Enter runs the focused button; elsewhere it runs "退出", the default button.
  button->setAutoDefault(true);
  connect(button, &QPushButton::clicked, this, handler);
  buttons_[id] = button;
  return button;
}

QPushButton* CFileToolsDlg::Button(FileToolsButton id) const {
  auto it = buttons_.find(id);
  return it == buttons_.end() ? nullptr : it->second;
}

void CFileToolsDlg::StoreFields() {
  tools_.file_a = TypedPath(file_a_->text());
  tools_.file_b = TypedPath(file_b_->text());
  tools_.str_path = TypedPath(str_path_->text());
  tools_.change_path = change_path_->isChecked() ? 1 : 0;
  tools_.delete_flag = delete_flag_->isChecked() ? 1 : 0;
}

void CFileToolsDlg::ShowFields() {
  file_a_->setText(ShownPath(tools_.file_a));
  file_b_->setText(ShownPath(tools_.file_b));
  str_path_->setText(ShownPath(tools_.str_path));
  change_path_->setChecked(tools_.change_path == 1);
  delete_flag_->setChecked(tools_.delete_flag == 1);
}

void CFileToolsDlg::ShowLists() {
  // The list widgets size their horizontal scroll range to their widest entry themselves.
  auto show = [](QListWidget* list, const std::vector<std::string>& paths) {
    list->clear();
    for (const std::string& path : paths)
      list->addItem(ShownPath(path));
  };
  show(source_list_, tools_.source_files);
  show(result_list_, tools_.result_files);
}

void CFileToolsDlg::SaveSettings() {
  StoreFields();
  SaveFileToolsSettings(state_.settings, tools_);
}

std::vector<int> CFileToolsDlg::Selected(QListWidget* list) const {
  std::vector<int> rows;
  for (QListWidgetItem* item : list->selectedItems())
    rows.push_back(list->row(item));
  return rows;
}

void CFileToolsDlg::RunTool(void (*command)(AppState&, Frontend&, FileTools&)) {
  RunCommand([this, command](Frontend& f) { command(state_, f, tools_); }, [this] { ShowLists(); });
}

void CFileToolsDlg::OnPickFileA() {
  RunCommand([this](Frontend& f) { PickFileA(tools_, f); }, [this] { ShowFields(); });
}

void CFileToolsDlg::OnPickFileB() {
  RunCommand([this](Frontend& f) { PickFileB(tools_, f); }, [this] { ShowFields(); });
}

void CFileToolsDlg::OnCompareTwo() {
  RunTool(CompareIntoTwoFiles);
}
void CFileToolsDlg::OnCompareThree() {
  RunTool(CompareIntoThreeFiles);
}
void CFileToolsDlg::OnMergeTwo() {
  RunTool(MergeIntoTwoFiles);
}
void CFileToolsDlg::OnMergeMany() {
  RunTool(MergeIntoManyFiles);
}
void CFileToolsDlg::OnBlacklist() {
  RunTool(FilterBlacklistFiles);
}

void CFileToolsDlg::OnAddFiles() {
  RunCommand([this](Frontend& f) { AddSourceFiles(tools_, f); }, [this] { ShowLists(); });
}

void CFileToolsDlg::OnRemove() {
  RunCommand([this, sources = Selected(source_list_), results = Selected(result_list_)](
                 Frontend& f) { RemoveSelectedFiles(tools_, f, sources, results); },
             [this] { ShowLists(); });
}

void CFileToolsDlg::OnImportSelected() {
  auto chosen = std::make_shared<bool>(false);
  RunCommand([this, chosen, rows = Selected(result_list_)](
                 Frontend& f) { *chosen = ImportSelectedResults(tools_, f, rows); },
             [this, chosen] {
               if (*chosen)
                 accept();
             });
}

void CFileToolsDlg::OnChangePath() {
  StoreFields();
  str_path_->setEnabled(change_path_->isChecked());
  buttons_[FileToolsButton::kPickFolder]->setEnabled(change_path_->isChecked());
  SaveFileToolsSettings(state_.settings, tools_);
}

void CFileToolsDlg::OnPickFolder() {
  RunCommand([this](Frontend& f) { PickOutputFolder(tools_, f); },
             [this] { str_path_->setText(ShownPath(tools_.str_path)); });
}

void CFileToolsDlg::OnExit() {
  done(QDialog::Accepted);
}

void CFileToolsDlg::OnHelp() {
  // Opened with the desktop's handler for text files.
  if (std::optional<std::string> help = FindHelpFile(state_.data_folder, *this))
    QDesktopServices::openUrl(QUrl::fromLocalFile(Q(*help)));
}

// Frontend.

void CFileToolsDlg::ShowMessage(const Message& message) {
  ShowMessageBox(this, message);
}

bool CFileToolsDlg::AskYesNo(const std::string& text, const std::string& caption,
                             MessageIcon icon) {
  return AskYesNoBox(this, text, caption, icon);
}

std::optional<std::vector<std::string>> CFileToolsDlg::PickOpenFiles(
    const OpenFileRequest& request) {
  return PickOpenFilesDialog(this, state_.settings, request);
}

std::optional<std::string> CFileToolsDlg::PickSaveFile(const SaveFileRequest& request) {
  return PickSaveFileDialog(this, state_.settings, request);
}

std::optional<std::string> CFileToolsDlg::PickFolder(const std::string& title,
                                                     const std::string& initial) {
  return PickFolderDialog(this, state_.settings, title, initial);
}

void CFileToolsDlg::SetProgress(int percent) {
  progress_->setValue(percent);
}

std::optional<DialogValues> CFileToolsDlg::AskDialog(const DialogValues& shown) {
  if (const auto* blacklist = std::get_if<BlacklistValues>(&shown))
    return DialogAnswer(CBlacklistDlg::Ask(this, *blacklist, state_.settings));
  return ForwardingFrontend::AskDialog(shown);
}

}  // namespace tessaril::app
