// Offscreen smoke tests of the main window.
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <atomic>
#include <future>

#include "app/caption_room.h"
#include "app/main_dlg.h"
#include "app/number_list_view.h"
#include "app/screenshot.h"
#include "app/static_link.h"
#include "platform/codepage.h"
#include "platform/settings_store.h"

using namespace tessaril;
using namespace tessaril::app;

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      ++paints;
    return false;
  }
};

// A command that appends one entry and refreshes, waits until the test releases it, then appends
// a second one and refreshes again.
struct BlockingCommand {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::atomic<bool> waiting{false};

  std::function<void(Frontend&)> Work(AppState& state) {
    return [this, &state, released = released](Frontend& f) {
      state.source.Append("13800000001");
      f.RefreshSourceView();
      waiting = true;
      released.wait();
      state.source.Append("13800000002");
      f.RefreshSourceView();
    };
  }
};

// Answers the message boxes shown while it lives with the button labelled `answer`, and notes
// what each box showed.
class BoxAnswerer : public QObject {
 public:
  explicit BoxAnswerer(QString answer) : answer_(std::move(answer)) {
    connect(&timer_, &QTimer::timeout, this, [this] { AnswerShownBox(); });
    timer_.start(5);
  }
  struct Seen {
    QString caption, text, default_button;
    QStringList buttons;
  };
  std::vector<Seen> seen;

 private:
  void AnswerShownBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
      return;
    Seen shown{box->windowTitle(),
               box->text(),
               box->defaultButton() ? box->defaultButton()->text() : QString(),
               {}};
    QAbstractButton* chosen = nullptr;
    for (QAbstractButton* button : box->buttons()) {
      shown.buttons << button->text();
      if (button->text() == answer_)
        chosen = button;
    }
    seen.push_back(shown);
    if (chosen)
      chosen->click();
    else
      box->reject();
  }
  QString answer_;
  QTimer timer_;
};

}  // namespace

class MainDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    state_ = std::make_unique<AppState>(settings_, "/nonexistent/");
    window_ = std::make_unique<CMainDlg>(*state_);
  }
  void cleanup() {
    window_.reset();
    state_.reset();
  }

  void startsWithNoticeAndEmptyCounters() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("KorvaneTessaril8.0"));
    QVERIFY(window_->NoticeShown());
    QCOMPARE(window_->SourceCounter(), QStringLiteral("当前原始号码框内有0个手机号码"));
    QCOMPARE(window_->TargetCounter(), QStringLiteral("当前目标号码框内有0个手机号码"));
    QVERIFY(!window_->SourceChosenForExport());
  }

  void everyButtonIsThereWithItsLabel() {
    const std::pair<MainButton, const char*> expected[] = {
        {MainButton::kFileTools, "文件对比"},
        {MainButton::kSettings, "系统设置"},
        {MainButton::kHelp, "帮助"},
        {MainButton::kEnterSegment, "输入号段"},
        {MainButton::kImportFiles, "导入文件"},
        {MainButton::kRemoveNonMobile, "清除非手机号"},
        {MainButton::kClearSource, "清空"},
        {MainButton::kDigitsUp, "↑↑↑"},
        {MainButton::kAllDown, "↓↓↓"},
        {MainButton::kClearTarget, "清空号码"},
        {MainButton::kExportAll, "导出全部号码"},
        {MainButton::kQuit, "退出"}};
    for (const auto& [id, label] : expected) {
      QPushButton* button = window_->Button(id);
      QVERIFY2(button, label);
      QCOMPARE(button->text(), QString::fromUtf8(label));
    }
    QVERIFY(window_->Button(MainButton::kSortSource)->isEnabled());
  }

  void targetRefreshReplacesTheNoticeForGood() {
    window_->Button(MainButton::kSortTarget)->click();  // sort of the empty target list
    window_->WaitForCommand();
    QVERIFY(!window_->NoticeShown());
    QCOMPARE(window_->Progress(), 0);
    window_->RefreshSourceView();
    QVERIFY(!window_->NoticeShown());
  }

  // Tab goes through the window as it reads: the top row, the source list and its buttons, the
  // moves, the target list (or the notice in its place) and its buttons, the export row, "退出".
  void tabFollowsTheWindowFromTopToBottom() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QPushButton* quit = window_->Button(MainButton::kQuit);
    const auto stops_after_quit = [&] {
      QStringList stops;
      quit->setFocus(Qt::TabFocusReason);
      do {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* at = QApplication::focusWidget();
        if (auto* button = qobject_cast<QAbstractButton*>(at))
          stops << button->text();
        else
          stops << (at == window_->SourceView()   ? QStringLiteral("source")
                    : at == window_->TargetView() ? QStringLiteral("target")
                                                  : QStringLiteral("notice"));
      } while (QApplication::focusWidget() != quit && stops.size() < 100);
      return stops.join(QLatin1Char(' '));
    };
    const QString order =
        "文件对比 系统设置 空号过滤 号码实时查询 短信验证码 语音验证码 营销短信 国际验证码 帮助 "
        "source 输入号段 导入号段 导入文件 提取号码 粘贴 号码排序 号码乱序 滤除号码 消除重号 "
        "清除非手机号 复制 清空 ↑↑↑ ↓↓↓ ↑↑↑ ↓↓↓ ↑↑↑ ↓↓↓ ↑↑↑ ↓↓↓ %1 号码排序 号码乱序 滤除号码 "
        "消除重号 复制号码 清空号码 原始号码 按号码段导出 按重复次数导出 按地区分类导出 "
        "按照运营商导出 分批导出号码 导出全部号码 退出";
    QCOMPARE(stops_after_quit(), order.arg(QStringLiteral("notice")));
    window_->Button(MainButton::kSortTarget)->click();
    window_->WaitForCommand();
    QCOMPARE(stops_after_quit(), order.arg(QStringLiteral("target")));
  }

  void countersCountEveryEntry() {
    for (int i = 0; i < 25; ++i)
      state_->source.Append(i < 2 ? "abc" : "13800000000");
    window_->Button(MainButton::kSortSource)->click();
    window_->WaitForCommand();
    QCOMPARE(window_->SourceCounter(), QStringLiteral("当前原始号码框内有25个手机号码"));
    QCOMPARE(window_->SourceView()->RowCount(), 25);
  }

  void hugeListRefreshesAndJumpsToTheEnd() {
    for (int i = 0; i < 2000000; ++i)
      state_->target.Append("13800000000");
    window_->RefreshTargetView();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    NumberListView* view = window_->TargetView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_End);
    QCOMPARE(view->CurrentRow(), 1999999);
    QVERIFY(view->FirstVisibleColumn() > 0);
    QVERIFY(view->grab().width() > 0);
  }

  void advertisementsRotateInOrder() {
    const QString before = window_->AdvertisementText();
    window_->RotateAdvertisement();  // no texts: nothing changes
    QCOMPARE(window_->AdvertisementText(), before);
    window_->SetAdvertisements({"a0", "a1", "a2"}, {"", "", ""});
    QCOMPARE(window_->AdvertisementText(), QStringLiteral("a0"));
    QStringList shown;
    for (int i = 0; i < 4; ++i) {
      window_->RotateAdvertisement();
      shown << window_->AdvertisementText();
    }
    QCOMPARE(shown, (QStringList{"a1", "a2", "a0", "a1"}));
  }

  void exportChoiceSurvivesTicksAndCommands() {
    window_->Button(MainButton::kSortSource)->click();
    window_->WaitForCommand();
    window_->RotateAdvertisement();
    QVERIFY(!window_->SourceChosenForExport());
  }

  void windowStaysLiveAndRefusesInputWhileACommandRuns() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QApplication::clipboard()->setText(QStringLiteral("13900000009"));
    BlockingCommand command;
    int count_at_end = -1;
    window_->RunCommand(command.Work(*state_),
                        [&] { count_at_end = static_cast<int>(state_->source.Count()); });
    QTRY_VERIFY(command.waiting);
    QVERIFY(window_->CommandRunning());
    // The refresh the command asked for is shown while it still runs.
    QCOMPARE(window_->SourceCounter(), QStringLiteral("当前原始号码框内有1个手机号码"));

    // The event loop paints meanwhile.
    PaintCounter painted(window_->SourceView()->viewport());
    window_->SourceView()->viewport()->update();
    QTRY_VERIFY(painted.paints > 0);

    // "粘贴" and the other commands do nothing, now or later; a second command is refused.
    QPushButton* paste = window_->Button(MainButton::kPaste);
    QVERIFY(!paste->isEnabled());
    QVERIFY(!window_->Button(MainButton::kSortSource)->isEnabled());
    QVERIFY(window_->Button(MainButton::kQuit)->isEnabled());
    QTest::mouseClick(paste, Qt::LeftButton);
    QTest::mouseDClick(paste, Qt::LeftButton);
    bool second_ran = false;
    window_->RunCommand([&](Frontend&) { second_ran = true; });

    // A drop on the source view is refused.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/dropped.txt"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_->SourceView()->viewport(), &enter);
    QVERIFY(!enter.isAccepted());
    QSignalSpy dropped(window_->SourceView(), &NumberListView::filesDropped);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_->SourceView()->viewport(), &drop);
    QCOMPARE(dropped.count(), 0);

    command.release.set_value();
    window_->WaitForCommand();
    QTest::qWait(50);
    QCOMPARE(count_at_end, 2);
    QCOMPARE(state_->source.Count(), 2);
    QVERIFY(!second_ran);
    QVERIFY(paste->isEnabled());
    QCOMPARE(window_->SourceCounter(), QStringLiteral("当前原始号码框内有2个手机号码"));
    QVERIFY(window_->isVisible());
  }

  void closeDuringACommandWaitsForItsEnd() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    BlockingCommand command;
    int count_at_end = -1;
    bool visible_at_end = false;
    window_->RunCommand(command.Work(*state_), [&] {
      count_at_end = static_cast<int>(state_->source.Count());
      visible_at_end = window_->isVisible();
    });
    QTRY_VERIFY(command.waiting);
    window_->close();                                                       // the close box
    QTest::keyClick(window_.get(), Qt::Key_Escape);                         // Esc: dropped
    QTest::mouseClick(window_->Button(MainButton::kQuit), Qt::LeftButton);  // "退出"
    QTest::qWait(50);
    QVERIFY(window_->isVisible());
    QCOMPARE(state_->source.Count(), 1);
    BoxAnswerer yes(QStringLiteral("是"));
    command.release.set_value();
    QTRY_VERIFY(!window_->isVisible());
    QCOMPARE(count_at_end, 2);
    QVERIFY(visible_at_end);
    // The close then asks once, as any close with numbers in a list, and runs the usual close
    // sequence, which empties the lists.
    QCOMPARE(yes.seen.size(), size_t{1});
    QCOMPARE(state_->source.Count(), 0);
  }

  void focusReturnsToTheControlThatStartedACommand() {
    for (int i = 0; i < 5; ++i)
      state_->source.Append("1380000000" + std::to_string(i));
    window_->RefreshSourceView();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    // "号码乱序", "消除重号", "号码排序", "清空" and the target's "号码乱序", pressed with the
    // mouse or a key.
    for (MainButton id :
         {MainButton::kShuffleSource, MainButton::kRemoveRepeatsSource, MainButton::kSortSource,
          MainButton::kShuffleTarget, MainButton::kClearSource}) {
      QPushButton* button = window_->Button(id);
      if (id == MainButton::kRemoveRepeatsSource)
        QTest::mouseClick(button, Qt::LeftButton);
      else {
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
      }
      window_->WaitForCommand();
      QCOMPARE(window_->focusWidget(), button);
    }
    // A command that opens a dialog, cancelled ("导入文件"): back on its button too.
    QPushButton* import = window_->Button(MainButton::kImportFiles);
    import->setFocus(Qt::TabFocusReason);
    QTimer cancel;
    connect(&cancel, &QTimer::timeout, [&] {
      if (auto* picker = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        picker->reject();
    });
    cancel.start(5);
    QTest::keyClick(import, Qt::Key_Return);
    window_->WaitForCommand();
    QCOMPARE(window_->focusWidget(), import);
    QCOMPARE(state_->source.Count(), 0);
  }

  void keysPressedDuringACommandAreDropped() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QPushButton* sort = window_->Button(MainButton::kSortSource);
    sort->setFocus(Qt::TabFocusReason);
    BlockingCommand command;
    window_->RunCommand(command.Work(*state_));
    QTRY_VERIFY(command.waiting);
    // The focus moved on from the disabled button. Neither there nor on "退出", the export
    // radio or the list do Enter, keypad Enter, Space or Esc act.
    QWidget* moved_to = window_->focusWidget();
    QVERIFY(moved_to && moved_to != sort);
    auto* radio = window_->findChild<QRadioButton*>();
    const bool radio_checked = radio->isChecked();
    QSignalSpy quit_clicked(window_->Button(MainButton::kQuit), &QPushButton::clicked);
    BoxAnswerer yes(QStringLiteral("是"));
    for (QWidget* widget :
         {moved_to, static_cast<QWidget*>(window_->Button(MainButton::kQuit)),
          static_cast<QWidget*>(radio), static_cast<QWidget*>(window_->SourceView()),
          static_cast<QWidget*>(window_.get())}) {
      widget->setFocus(Qt::TabFocusReason);
      QTest::keyClick(widget, Qt::Key_Return);
      QTest::keyClick(widget, Qt::Key_Enter, Qt::KeypadModifier);
      QTest::keyClick(widget, Qt::Key_Space);
      QTest::keyClick(widget, Qt::Key_Escape);
    }
    QCOMPARE(quit_clicked.count(), 0);
    QCOMPARE(radio->isChecked(), radio_checked);
    command.release.set_value();
    window_->WaitForCommand();
    QTest::qWait(50);
    // Nothing was deferred: the window stays, with its list, and nothing asked.
    QVERIFY(window_->isVisible());
    QCOMPARE(state_->source.Count(), 2);
    QVERIFY(yes.seen.empty());
    QCOMPARE(window_->focusWidget(), sort);
    // Enter after the command runs the focused button as usual.
    QSignalSpy sorted(sort, &QPushButton::clicked);
    QTest::keyClick(sort, Qt::Key_Return);
    window_->WaitForCommand();
    QCOMPARE(sorted.count(), 1);
  }

  void closeWithNumbersInAListAsksFirst() {
    const std::pair<const char*, std::function<void(CMainDlg&)>> closes[] = {
        {"退出",
         [](CMainDlg& w) { QTest::mouseClick(w.Button(MainButton::kQuit), Qt::LeftButton); }},
        {"Esc", [](CMainDlg& w) { QTest::keyClick(w.SourceView(), Qt::Key_Escape); }},
        {"Enter on the list",
         [](CMainDlg& w) {
           w.SourceView()->setFocus(Qt::MouseFocusReason);
           QTest::keyClick(w.SourceView(), Qt::Key_Return);
         }},
        {"close box", [](CMainDlg& w) { w.close(); }},
    };
    for (const auto& [name, close] : closes) {
      for (ListId list : {ListId::Source, ListId::Target}) {
        cleanup();
        init();
        state_->List(list).Append("13800000001");
        window_->RefreshSourceView();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        {
          BoxAnswerer no(QStringLiteral("否"));
          close(*window_);
          QTRY_COMPARE(no.seen.size(), size_t{1});
          QVERIFY2(window_->isVisible(), name);
          QCOMPARE(state_->List(list).Count(), 1);
          QCOMPARE(no.seen[0].caption, QStringLiteral("提示"));
          QCOMPARE(no.seen[0].text, QStringLiteral("号码框内还有未导出的号码，确定退出吗？"));
          QCOMPARE(no.seen[0].buttons, (QStringList{"是", "否"}));
          QCOMPARE(no.seen[0].default_button, QStringLiteral("否"));
        }
        BoxAnswerer yes(QStringLiteral("是"));
        close(*window_);
        QTRY_VERIFY2(!window_->isVisible(), name);
        QCOMPARE(yes.seen.size(), size_t{1});
        QCOMPARE(state_->List(list).Count(), 0);
      }
    }
    // Both lists empty: closed at once.
    cleanup();
    init();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    BoxAnswerer yes(QStringLiteral("是"));
    window_->close();
    QVERIFY(!window_->isVisible());
    QTest::qWait(20);
    QVERIFY(yes.seen.empty());
  }

  void everyCaptionFitsItsTitleBar() {
    for (const ScreenshotEntry& entry : ScreenshotEntries()) {
      std::unique_ptr<QWidget> widget(entry.make(*window_));
      if (!qobject_cast<QDialog*>(widget.get()) || qobject_cast<QFileDialog*>(widget.get()))
        continue;
      widget->adjustSize();
      QVERIFY2(widget->width() >= CaptionWidth(*widget), entry.class_name);
      QVERIFY2(widget->minimumSizeHint().width() >= CaptionWidth(*widget), entry.class_name);
    }
    QVERIFY(window_->width() >= CaptionWidth(*window_));
  }

  void enterRunsTheFocusedButtonElsewhereItCloses() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    QPushButton* sort = window_->Button(MainButton::kSortSource);
    QSignalSpy clicked(sort, &QPushButton::clicked);
    sort->setFocus(Qt::TabFocusReason);
    QTest::keyClick(sort, Qt::Key_Return);
    window_->WaitForCommand();
    QTest::keyClick(sort, Qt::Key_Enter);
    window_->WaitForCommand();
    QTest::keyClick(sort, Qt::Key_Space);
    window_->WaitForCommand();
    QCOMPARE(clicked.count(), 3);
    QVERIFY(window_->isVisible());
    // Enter with the focus on the source view goes to "退出".
    window_->SourceView()->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(window_->SourceView(), Qt::Key_Return);
    QCOMPARE(clicked.count(), 3);
    QVERIFY(!window_->isVisible());
    QCOMPARE(window_->result(), int(QDialog::Accepted));
  }

  void targetViewSelectsWithShiftAndCtrl() {
    for (int i = 0; i < 10; ++i)
      state_->target.Append("1380000000" + std::to_string(i));
    window_->RefreshTargetView();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    NumberListView* view = window_->TargetView();
    QVERIFY(view->RowsPerColumn() >= 5);
    auto click = [&](int row, Qt::KeyboardModifiers modifiers) {
      const int height = view->fontMetrics().height() + 2;
      QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                        QPoint(10, row * height + height / 2));
    };
    auto selected = [&] {
      std::vector<int> rows;
      for (int row = 0; row < 10; ++row) {
        if (view->IsSelected(row))
          rows.push_back(row);
      }
      return rows;
    };
    click(0, Qt::NoModifier);
    click(3, Qt::ShiftModifier);
    QCOMPARE(selected(), (std::vector<int>{0, 1, 2, 3}));
    click(1, Qt::ControlModifier);
    QCOMPARE(selected(), (std::vector<int>{0, 2, 3}));
    click(4, Qt::ShiftModifier);
    QCOMPARE(selected(), (std::vector<int>{1, 2, 3, 4}));
  }

  void advertisementTextInGbkOrUtf8() {
    CStaticLink* label = window_->AdvertisementLabel();
    label->SetText(Utf8ToGbk("号码过滤找我们"));
    QCOMPARE(label->text(), QStringLiteral("号码过滤找我们"));
    label->SetText("号码过滤找我们");
    QCOMPARE(label->text(), QStringLiteral("号码过滤找我们"));
    // A long text does not widen the window.
    const int width = window_->sizeHint().width();
    label->SetText(std::string(400, 'x'));
    QCOMPARE(window_->sizeHint().width(), width);
  }

  void windowFitsTheScreensUsersHave() {
    // The minimum fits a 1024x768 screen with a task bar and a title bar.
    QVERIFY(window_->minimumSizeHint().width() <= 1024 - 16);
    QVERIFY(window_->minimumSizeHint().height() <= 768 - 40 - 40);
    for (const QRect available : {QRect(0, 0, 1366, 728), QRect(0, 0, 1024, 728)}) {
      window_->FitInto(available);
      QVERIFY(window_->width() <= available.width());
      QVERIFY(window_->height() <= available.height() - 30);
      QVERIFY(window_->x() >= 0 && window_->y() >= 0);
    }
  }

 private:
  SettingsStore settings_;
  std::unique_ptr<AppState> state_;
  std::unique_ptr<CMainDlg> window_;
};

QTEST_MAIN(MainDlgTest)
#include "main_dlg_test.moc"
