#include "app/main_dlg.h"
#include "acquire/segment_picker.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "acquire/clipboard_commands.h"
#include "acquire/extract.h"
#include "acquire/import_files.h"
#include "acquire/segment_entry.h"
#include "app/about_dlg.h"
#include "app/app_icon.h"
#include "app/background_fetch.h"
#include "app/batch_size_dlg.h"
#include "app/blacklist_dlg.h"
#include "app/clipboard_text.h"
#include "app/export_format_dlg.h"
#include "app/extract_dlg.h"
#include "app/file_tools_dlg.h"
#include "app/move_by_digits_dlg.h"
#include "app/move_by_features_dlg.h"
#include "app/move_by_type_dlg.h"
#include "app/notice_view.h"
#include "app/number_list_view.h"
#include "app/open_url.h"
#include "app/qt_prompts.h"
#include "app/qt_text.h"
#include "app/region_type_dlg.h"
#include "app/segment_entry_dlg.h"
#include "app/segment_export_dlg.h"
#include "app/segment_picker_dlg.h"
#include "app/settings_dlg.h"
#include "app/static_link.h"
#include "classify/carrier_prefixes.h"
#include "classify/location_db.h"
#include "classify/location_import.h"
#include "export/export_all.h"
#include "export/export_batches.h"
#include "export/export_by_carrier.h"
#include "export/export_by_region.h"
#include "export/export_by_segment.h"
#include "filetools/file_tools.h"
#include "interface/messages.h"
#include "lists/filter_list.h"
#include "lists/list_commands.h"
#include "lists/move_by_features.h"
#include "lists/move_commands.h"
#include "lists/run_command.h"
#include "online/online_addresses.h"
#include "online/update_check.h"
#include "platform/app_info.h"
#include "platform/file_system.h"
#include "platform/overloaded.h"

namespace tessaril::app {
namespace {

constexpr int kAdvertisementPeriodMs = 20000;
// The window's size on a screen with room for it.
constexpr int kPreferredWidth = 1020;
constexpr int kPreferredHeight = 760;
// Small enough for a 1024x768 screen with a task bar, tall enough for a few rows.
constexpr int kMinimumListHeight = 80;

}  // namespace

CMainDlg::CMainDlg(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
  setWindowTitle(QString::fromUtf8(kApplicationName) + QString::fromUtf8(kApplicationVersion));
  setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
  runner_.busy_changed = [this](bool busy) { SetCommandControlsEnabled(!busy); };
  BuildLayout();
  // A control that cannot take the focus back gives it to the list its command changed.
  runner_.focus_fallback = [this](QWidget* starter) -> QWidget* {
    const bool target = starter && target_area_->parentWidget()->isAncestorOf(starter);
    return target && !NoticeShown() ? static_cast<QWidget*>(target_view_) : source_view_;
  };
  Initialise();
}

CMainDlg::~CMainDlg() {
  // A command still running ends first: it may be in the middle of changing a list.
  runner_.WaitUntilIdle();
  ShutDown();
}

std::function<void()> CMainDlg::Command(std::function<void(Frontend&)> command) {
  return [this, command = std::move(command)] { RunCommand(command); };
}

std::function<void()> CMainDlg::ExportCommand(void (*command)(AppState&, Frontend&, ListId)) {
  return [this, command] {
    const ListId list = ExportedList();
    RunCommand([this, command, list](Frontend& f) { command(state_, f, list); });
  };
}

void CMainDlg::RunCommand(std::function<void(Frontend&)> work, std::function<void()> finished) {
  // Every command the window starts runs here, where running out of memory is caught.
  runner_.Run(
      [this, work = std::move(work)](Frontend& frontend) {
        tessaril::RunCommand(state_, frontend, [&] { work(frontend); });
      },
      std::move(finished));
}

void CMainDlg::SetCommandControlsEnabled(bool enabled) {
  if (!enabled) {
    // "退出" stays: a close made now waits for the command's end.
    for (const auto& [id, button] : buttons_) {
      if (id != MainButton::kQuit && button->isEnabled()) {
        button->setEnabled(false);
        disabled_by_command_.push_back(button);
      }
    }
    source_view_->Freeze();
    target_view_->Freeze();
    return;
  }
  for (QPushButton* button : disabled_by_command_)
    button->setEnabled(true);
  disabled_by_command_.clear();
  source_view_->Thaw();
  target_view_->Thaw();
}

QPushButton* CMainDlg::MakeButton(const ButtonSpec& spec) {
  auto* button = new QPushButton(QString::fromUtf8(spec.label), this);
  // Enter runs the focused button; elsewhere in the window it runs "退出", the default button.
  button->setAutoDefault(true);
  // The style's minimum button width would make the row of twelve source commands wider than a
  // 1024-pixel screen: a button may shrink to its text.
  button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 12);
  button->setEnabled(static_cast<bool>(spec.run));
  if (spec.run)
    connect(button, &QPushButton::clicked, this, spec.run);
  buttons_[spec.id] = button;
  return button;
}

QWidget* CMainDlg::ButtonRow(const std::vector<ButtonSpec>& specs) {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  for (const ButtonSpec& spec : specs)
    layout->addWidget(MakeButton(spec));
  return row;
}

QWidget* CMainDlg::MoveColumn(const char* caption, const ButtonSpec& up, const ButtonSpec& down) {
  auto* column = new QWidget(this);
  auto* layout = new QHBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* picture = new QLabel(column);
  picture->setPixmap(windowIcon().pixmap(28, 28));
  layout->addWidget(picture);
  auto* buttons = new QVBoxLayout;
  auto* title = new QLabel(QString::fromUtf8(caption), column);
  title->setAlignment(Qt::AlignCenter);
  buttons->addWidget(title);
  buttons->addWidget(MakeButton(up));
  buttons->addWidget(MakeButton(down));
  layout->addLayout(buttons);
  return column;
}

void CMainDlg::BuildLayout() {
  setWindowIcon(AppIcon());
  auto* layout = new QVBoxLayout(this);
  const ListId S = ListId::Source;
  const ListId T = ListId::Target;

  layout->addWidget(ButtonRow({
      {MainButton::kFileTools, "文件对比", [this] { RunFileTools(); }},
      {MainButton::kSettings, "系统设置",
       Command([this](Frontend& f) { RunSettingsCommand(state_.settings, state_.prefixes, f); })},
      {MainButton::kServicePage1, "空号过滤",
       [this] { OpenWebUrl(OnlineAddressOf(state_.settings, kServicePage1)); }},
      {MainButton::kServicePage2, "号码实时查询",
       [this] { OpenWebUrl(OnlineAddressOf(state_.settings, kServicePage2)); }},
      {MainButton::kServicePage3, "短信验证码",
       [this] { OpenWebUrl(OnlineAddressOf(state_.settings, kServicePage3)); }},
      {MainButton::kServicePage4, "语音验证码",
       [this] { OpenWebUrl(OnlineAddressOf(state_.settings, kServicePage4)); }},
      {MainButton::kServicePage5, "营销短信",
       [this] { OpenWebUrl(OnlineAddressOf(state_.settings, kServicePage5)); }},
      {MainButton::kServicePage6, "国际验证码",
       [this] { OpenWebUrl(OnlineAddressOf(state_.settings, kServicePage6)); }},
      {MainButton::kHelp, "帮助", [this] { ShowHelpMenu(); }},
  }));

  auto* source_group = new QGroupBox(QStringLiteral("原始号码"), this);
  auto* source_layout = new QVBoxLayout(source_group);
  source_view_ = new NumberListView(state_.source, false, source_group);
  source_view_->setAccessibleName(source_group->title());
  // Files dropped on the source view are read into the source list; elsewhere they are ignored.
  source_view_->setAcceptDrops(true);
  source_view_->viewport()->setAcceptDrops(true);
  connect(source_view_, &NumberListView::filesDropped, this, [this](const QStringList& paths) {
    std::vector<std::string> files;
    for (const QString& path : paths)
      files.push_back(U(path));
    // A drop made while a command runs is refused, not queued (RunCommand starts nothing).
    RunCommand([this, files](Frontend& f) { DropFiles(state_, f, files, true); });
  });
  source_layout->addWidget(source_view_, 1);
  source_view_->setMinimumHeight(kMinimumListHeight);
  source_counter_ = new QLabel(QStringLiteral("当前原始号码框内有0个手机号码"), source_group);
  source_layout->addWidget(source_counter_);
  source_layout->addWidget(ButtonRow({
      {MainButton::kEnterSegment, "输入号段",
       Command([this](Frontend& f) { EnterSegment(state_, f); })},
      {MainButton::kInsertSegments, "导入号段",
       Command([this](Frontend& f) { InsertSegmentsFromPicker(state_, f); })},
      {MainButton::kImportFiles, "导入文件",
       Command([this](Frontend& f) { ImportFiles(state_, f); })},
      {MainButton::kExtract, "提取号码",
       Command([this](Frontend& f) { ExtractFromText(state_, f); })},
      {MainButton::kPaste, "粘贴", Command([this](Frontend& f) { PasteNumbers(state_, f); })},
      {MainButton::kSortSource, "号码排序",
       Command([this, S](Frontend& f) { SortList(state_, f, S); })},
      {MainButton::kShuffleSource, "号码乱序",
       Command([this, S](Frontend& f) { ShuffleList(state_, f, S); })},
      {MainButton::kFilterSource, "滤除号码",
       Command([this, S](Frontend& f) { FilterListAgainstFile(state_, f, S); })},
      {MainButton::kRemoveRepeatsSource, "消除重号",
       Command([this, S](Frontend& f) { RemoveRepeats(state_, f, S); })},
      {MainButton::kRemoveNonMobile, "清除非手机号",
       Command([this](Frontend& f) { RemoveNonMobileEntries(state_, f); })},
      {MainButton::kCopySource, "复制",
       Command([this, S](Frontend& f) { CopyList(state_, f, S); })},
      {MainButton::kClearSource, "清空",
       Command([this, S](Frontend& f) { ClearList(state_, f, S); })},
  }));
  layout->addWidget(source_group, 1);

  auto* moves = new QWidget(this);
  auto* moves_layout = new QHBoxLayout(moves);
  moves_layout->setContentsMargins(0, 0, 0, 0);
  const MoveDirection up = MoveDirection::Up;
  const MoveDirection down = MoveDirection::Down;
  moves_layout->addWidget(
      MoveColumn("按号码数值", {MainButton::kDigitsUp, "↑↑↑", Command([this, up](Frontend& f) {
                                  MoveByDigits(state_, f, up);
                                })},
                 {MainButton::kDigitsDown, "↓↓↓",
                  Command([this, down](Frontend& f) { MoveByDigits(state_, f, down); })}));
  moves_layout->addWidget(
      MoveColumn("按组合特征", {MainButton::kFeaturesUp, "↑↑↑", Command([this, up](Frontend& f) {
                                  MoveByFeatures(state_, f, up);
                                })},
                 {MainButton::kFeaturesDown, "↓↓↓",
                  Command([this, down](Frontend& f) { MoveByFeatures(state_, f, down); })}));
  moves_layout->addWidget(MoveColumn(
      "按号码类型",
      {MainButton::kTypeUp, "↑↑↑", Command([this, up](Frontend& f) { MoveByType(state_, f, up); })},
      {MainButton::kTypeDown, "↓↓↓",
       Command([this, down](Frontend& f) { MoveByType(state_, f, down); })}));
  moves_layout->addWidget(MoveColumn(
      "全部号码",
      {MainButton::kAllUp, "↑↑↑", Command([this, up](Frontend& f) { MoveAll(state_, f, up); })},
      {MainButton::kAllDown, "↓↓↓",
       Command([this, down](Frontend& f) { MoveAll(state_, f, down); })}));
  layout->addWidget(moves);

  auto* target_group = new QGroupBox(QStringLiteral("目标号码"), this);
  auto* target_layout = new QVBoxLayout(target_group);
  target_area_ = new QStackedWidget(target_group);
  target_view_ = new NumberListView(state_.target, true, target_area_);
  target_view_->setAccessibleName(target_group->title());
  target_area_->addWidget(target_view_);
  target_layout->addWidget(target_area_, 1);
  target_area_->setMinimumHeight(kMinimumListHeight);
  target_counter_ = new QLabel(QStringLiteral("当前目标号码框内有0个手机号码"), target_group);
  target_layout->addWidget(target_counter_);
  target_layout->addWidget(ButtonRow({
      {MainButton::kSortTarget, "号码排序",
       Command([this, T](Frontend& f) { SortList(state_, f, T); })},
      {MainButton::kShuffleTarget, "号码乱序",
       Command([this, T](Frontend& f) { ShuffleList(state_, f, T); })},
      {MainButton::kFilterTarget, "滤除号码",
       Command([this, T](Frontend& f) { FilterListAgainstFile(state_, f, T); })},
      {MainButton::kRemoveRepeatsTarget, "消除重号",
       Command([this, T](Frontend& f) { RemoveRepeats(state_, f, T); })},
      {MainButton::kCopyTarget, "复制号码",
       Command([this, T](Frontend& f) { CopyList(state_, f, T); })},
      {MainButton::kClearTarget, "清空号码",
       Command([this, T](Frontend& f) { ClearList(state_, f, T); })},
  }));
  layout->addWidget(target_group, 1);

  auto* export_group = new QGroupBox(QStringLiteral("导出号码"), this);
  auto* export_layout = new QHBoxLayout(export_group);
  export_source_ = new QRadioButton(QStringLiteral("原始号码"), export_group);
  export_target_ = new QRadioButton(QStringLiteral("目标号码"), export_group);
  export_layout->addWidget(export_source_);
  export_layout->addWidget(export_target_);
  export_layout->addWidget(ButtonRow({
      {MainButton::kExportBySegment, "按号码段导出", ExportCommand(ExportBySegment)},
      {MainButton::kExportByRepeatCount, "按重复次数导出", ExportCommand(ExportByRepeatCount)},
      {MainButton::kExportByRegion, "按地区分类导出", ExportCommand(ExportByRegion)},
      {MainButton::kExportByCarrier, "按照运营商导出", ExportCommand(ExportByCarrier)},
      {MainButton::kExportInBatches, "分批导出号码", ExportCommand(ExportInBatches)},
      {MainButton::kExportAll, "导出全部号码", ExportCommand(ExportAll)},
  }));
  layout->addWidget(export_group);

  auto* bottom = new QHBoxLayout;
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  bottom->addWidget(progress_, 2);
  ad_label_ = new CStaticLink(Q(kDefaultAdText), {}, this);
  bottom->addWidget(ad_label_, 3);
  auto* quit = new QPushButton(QStringLiteral("退出"), this);
  quit->setDefault(true);
  connect(quit, &QPushButton::clicked, this, &QDialog::accept);
  buttons_[MainButton::kQuit] = quit;
  bottom->addWidget(quit);
  layout->addLayout(bottom);

  if (QScreen* shown_on = screen())
    FitInto(shown_on->availableGeometry());
  else
    resize(kPreferredWidth, kPreferredHeight);
}

void CMainDlg::Initialise() {
  // The carrier prefixes were loaded with the state; the controls are built.
  state_.StartLocationLoader();
  RefreshSourceView();
  target_view_->SetRowCount(state_.target.Count());
  progress_->setValue(0);
  target_counter_text_ = Q(CounterText(state_.target, ListId::Target));

  // The notice view stands in the target list's place until the first RefreshTargetView.
  notice_view_ = new CNoticeView(OnlineAddressOf(state_.settings, kNoticeUrl), target_area_);
  target_area_->addWidget(notice_view_);
  notice_view_->setAccessibleName(QStringLiteral("公告"));
  target_area_->setCurrentWidget(notice_view_);
  // Tab reaches it where it stands, before the target list's buttons, not after "退出".
  setTabOrder(target_view_, notice_view_);
  // The quiet update check; the notice page unless it handed a download on (then the view goes
  // back to the notice page once the download is complete); the advertisements. Each fetch runs
  // away from the window's thread: the window is up at once, whatever the servers do.
  FetchInBackground(
      notice_view_,
      [url = OnlineAddressOf(state_.settings, kUpdateUrl)] {
        return FetchUpdateFile(url, kUpdateDeadlineMs);
      },
      [this](std::optional<std::string> text) {
        if (text && OfferUpdate(*text, *this, notice_view_->State(), false))
          notice_view_->DocumentComplete();
        else
          notice_view_->NavigateToNoticePageInBackground();
      });
  FetchInBackground(
      this,
      [url = OnlineAddressOf(state_.settings, kAdUrl)] {
        return FetchAdvertisements(url, CHttpGetClient::kDeadlineMs);
      },
      [this](std::optional<std::string> text) {
        // Advertisements set while the fetch ran take its place.
        if (!shut_down_ && ads_.Texts().empty())
          ShowAdvertisements(std::move(text), state_.settings, ads_, *ad_label_);
      });

  ShowCounters();
  export_target_->setChecked(true);

  ad_timer_ = new QTimer(this);
  connect(ad_timer_, &QTimer::timeout, this, &CMainDlg::RotateAdvertisement);
  ad_timer_->start(kAdvertisementPeriodMs);
}

void CMainDlg::done(int result) {
  // Closing while a command runs waits for its end: it never cuts a command short or drops a
  // list in the middle of a change. The close then runs as usual.
  if (runner_.DeferCloseUntilIdle([this, result] { done(result); }))
    return;
  if (!ConfirmClose())
    return;
  ShutDown();
  QDialog::done(result);
}

bool CMainDlg::ConfirmClose() {
  if (shut_down_ || (state_.source.Count() == 0 && state_.target.Count() == 0))
    return true;
  // A second close while the question is shown is the same close.
  if (asking_to_close_)
    return false;
  asking_to_close_ = true;
  const bool close = AskYesNoBox(this, "号码框内还有未导出的号码，确定退出吗？", kPromptCaption,
                                 MessageIcon::Question, YesNoDefault::No);
  asking_to_close_ = false;
  return close;
}

void CMainDlg::FitInto(const QRect& available) {
  // The window manager's frame is known only once the window is shown; before that, and where
  // there is no title bar (offscreen), allow for a title bar and borders of the usual size.
  QSize frame = frameGeometry().size() - geometry().size();
  if (!isVisible() || frame.height() < 20)
    frame = QSize(16, 40);
  const QSize room = available.size() - frame;
  resize(std::max(minimumSizeHint().width(), std::min(kPreferredWidth, room.width())),
         std::max(minimumSizeHint().height(), std::min(kPreferredHeight, room.height())));
  move(available.x() + std::max(0, (available.width() - width() - frame.width()) / 2),
       available.y() + std::max(0, (available.height() - height() - frame.height()) / 2));
}

void CMainDlg::ShutDown() {
  if (shut_down_)
    return;
  shut_down_ = true;
  state_.source.Clear();
  state_.target.Clear();
  state_.data_match_set.clear();
  source_view_->SetRowCount(0);
  target_view_->SetRowCount(0);
  // The loader must not write into a database that is being cleared.
  SetBusy(!state_.locations.Loaded());
  state_.locations.WaitForLoader();
  SetBusy(false);
  state_.locations.Clear();
  if (target_area_->currentWidget() == notice_view_)
    target_area_->setCurrentWidget(target_view_);
  delete notice_view_;
  notice_view_ = nullptr;
  if (ad_timer_)
    ad_timer_->stop();
  ads_.Clear();
}

void CMainDlg::ShowCounters() {
  source_counter_->setText(source_counter_text_);
  target_counter_->setText(target_counter_text_);
}

ListId CMainDlg::ExportedList() const {
  return export_source_->isChecked() ? ListId::Source : ListId::Target;
}

void CMainDlg::SetAdvertisements(std::vector<std::string> texts, std::vector<std::string> links) {
  ads_.Clear();
  links.resize(texts.size());
  for (size_t i = 0; i < texts.size(); ++i)
    ads_.Add(std::move(texts[i]), std::move(links[i]));
  ads_.ShowFirst(*ad_label_);
}

void CMainDlg::RotateAdvertisement() {
  ads_.Rotate(*ad_label_);
  ShowCounters();
}

// Frontend.

void CMainDlg::ShowMessage(const Message& message) {
  ShowMessageBox(this, message);
}

bool CMainDlg::AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) {
  return AskYesNoBox(this, text, caption, icon);
}

std::optional<std::vector<std::string>> CMainDlg::PickOpenFiles(const OpenFileRequest& request) {
  return PickOpenFilesDialog(this, state_.settings, request);
}

std::optional<std::string> CMainDlg::PickSaveFile(const SaveFileRequest& request) {
  return PickSaveFileDialog(this, state_.settings, request);
}

std::optional<std::string> CMainDlg::PickFolder(const std::string& title,
                                                const std::string& initial) {
  return PickFolderDialog(this, state_.settings, title, initial);
}

void CMainDlg::SetProgress(int percent) {
  progress_->setValue(percent);
}

void CMainDlg::RefreshSourceView() {
  source_view_->SetRowCount(state_.source.Count());
  progress_->setValue(0);
  source_counter_text_ = Q(CounterText(state_.source, ListId::Source));
  ShowCounters();
}

void CMainDlg::RefreshTargetView() {
  // The first refresh of the target list replaces the notice view for good.
  target_area_->setCurrentWidget(target_view_);
  target_view_->SetRowCount(state_.target.Count());
  progress_->setValue(0);
  target_counter_text_ = Q(CounterText(state_.target, ListId::Target));
  ShowCounters();
}

void CMainDlg::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (QApplication::overrideCursor()) {
    QApplication::restoreOverrideCursor();
  }
}

// The commands reach the clipboard through the command worker, which prepares the text itself
// (WindowThreadFrontend); these answer a call made on the window's thread.
std::optional<std::string> CMainDlg::ClipboardText() {
  std::optional<ClipboardContent> content = TakeClipboardContent();
  if (!content)
    return std::nullopt;
  return ClipboardUtf8(*content);
}

bool CMainDlg::SetClipboardText(const std::string& text) {
  std::unique_ptr<QMimeData> data = ClipboardDataOf(text);
  if (!data)
    return false;
  InstallClipboardData(std::move(data));
  return true;
}

// Each dialog the commands ask, over this window; there is no catch-all, so a dialog added to
// DialogValues does not build until it has its line here.
std::optional<DialogValues> CMainDlg::AskDialog(const DialogValues& shown) {
  return std::visit(
      Overloaded{
          [&](const CarrierPrefixTexts& v) { return DialogAnswer(CSettingsDlg::Ask(this, v)); },
          [&](const ExtractValues& v) { return DialogAnswer(CExtractDlg::Ask(this, v)); },
          [&](const SegmentEntryValues& v) { return DialogAnswer(CSegmentEntryDlg::Ask(this, v)); },
          [&](const SegmentPickerValues& v) {
            return DialogAnswer(CSegmentPickerDlg::Ask(this, v, state_.prefixes, state_.locations));
          },
          [&](const MoveByTypeValues& v) { return DialogAnswer(CMoveByTypeDlg::Ask(this, v)); },
          [&](const DigitMaskValues& v) { return DialogAnswer(CMoveByDigitsDlg::Ask(this, v)); },
          [&](const FeatureMoveValues& v) {
            return DialogAnswer(CMoveByFeaturesDlg::Ask(this, v));
          },
          [&](const ExportFormatValues& v) { return DialogAnswer(CExportFormatDlg::Ask(this, v)); },
          [&](const BatchSizeValues& v) { return DialogAnswer(CBatchSizeDlg::Ask(this, v)); },
          [&](const SegmentExportValues& v) {
            return DialogAnswer(CSegmentExportDlg::Ask(this, v));
          },
          [&](const RegionTypeValues& v) { return DialogAnswer(CRegionTypeDlg::Ask(this, v)); },
          [&](const BlacklistValues& v) {
            return DialogAnswer(CBlacklistDlg::Ask(this, v, state_.settings));
          },
      },
      shown);
}

void CMainDlg::RunFileTools() {
  std::vector<std::string> import_list;
  if (CFileToolsDlg::Run(this, state_, *this, import_list)) {
    RunCommand([this, import_list](Frontend& f) { HandBackResults(state_, f, import_list); });
  }
}

// Online pieces.

bool CMainDlg::OpenUrl(const std::string& url) {
  return OpenWebUrl(url);
}

void CMainDlg::CheckForUpdateNow() {
  // The file is fetched in the background, like the check at start-up; a second request while
  // one is on its way is the same one.
  if (!notice_view_ || update_check_running_)
    return;
  update_check_running_ = true;
  FetchInBackground(
      notice_view_,
      [url = OnlineAddressOf(state_.settings, kUpdateUrl)] {
        return FetchUpdateFile(url, kUpdateDeadlineMs);
      },
      [this](std::optional<std::string> text) {
        update_check_running_ = false;
        if (text && OfferUpdate(*text, *this, notice_view_->State(), true))
          notice_view_->DocumentComplete();
      });
}

void CMainDlg::ShowHelpMenu() {
  QMenu menu(this);
  const std::string home = OnlineAddressOf(state_.settings, kHomePage);
  menu.addAction(QStringLiteral("关于我们"), this, [home] { OpenWebUrl(home); });
  menu.addAction(QStringLiteral("软件升级"), this, [this] { CheckForUpdateNow(); });
  menu.addSeparator();
  // The user's own segment table in place of the shipped location data, and back.
  menu.addAction(QStringLiteral("更新号段数据..."), this, Command([this](Frontend& f) {
                   ImportLocationData(state_.locations, state_.data_folder, state_.settings.Path(),
                                      f);
                 }));
  menu.addAction(QStringLiteral("恢复原始号段数据"), this, Command([this](Frontend& f) {
                   ResetLocationData(state_.locations, state_.data_folder, state_.settings.Path(),
                                     f);
                 }));
  menu.addSeparator();
  menu.addAction(QStringLiteral("关于 Vessip(&A)..."), this, [this] { ShowAboutBox(); });
  QPushButton* help = Button(MainButton::kHelp);
  menu.exec(help->mapToGlobal(QPoint(0, help->height())));
}

void CMainDlg::ShowAboutBox() {
  CAboutDlg::Show(this, OnlineAddressOf(state_.settings, kHomePage));
}

// For the window tests and the screenshots.

QPushButton* CMainDlg::Button(MainButton id) const {
  auto it = buttons_.find(id);
  return it == buttons_.end() ? nullptr : it->second;
}

bool CMainDlg::NoticeShown() const {
  return notice_view_ && target_area_->currentWidget() == notice_view_;
}
QString CMainDlg::SourceCounter() const {
  return source_counter_->text();
}
QString CMainDlg::TargetCounter() const {
  return target_counter_->text();
}
QString CMainDlg::AdvertisementText() const {
  return ad_label_->text();
}
int CMainDlg::Progress() const {
  return progress_->value();
}
bool CMainDlg::SourceChosenForExport() const {
  return export_source_->isChecked();
}

}  // namespace tessaril::app
