// The command worker: a core command run on it through the window's Frontend makes the same calls,
// in the same order, as when it runs on the window's thread, and every call is answered there.
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
#include <fstream>

#include "acquire/import_files.h"
#include "app/command_runner.h"
#include "app/qt_text.h"
#include "lists/app_state.h"
#include "platform/settings_store.h"
#include "support/scripted_frontend.h"

using namespace tessaril;
using namespace tessaril::app;

namespace {

// A scripted front end that also counts the calls answered away from the window's thread.
class ThreadCheckingFrontend : public testing::ScriptedFrontend {
 public:
  void ShowMessage(const Message& message) override {
    Check();
    ScriptedFrontend::ShowMessage(message);
  }
  std::optional<std::vector<std::string>> PickOpenFiles(const OpenFileRequest& request) override {
    Check();
    return ScriptedFrontend::PickOpenFiles(request);
  }
  void SetProgress(int percent) override {
    Check();
    ScriptedFrontend::SetProgress(percent);
  }
  void RefreshSourceView() override {
    Check();
    ScriptedFrontend::RefreshSourceView();
  }
  int off_thread_calls = 0;

 private:
  void Check() {
    if (QThread::currentThread() != qApp->thread())
      ++off_thread_calls;
  }
};

}  // namespace

class CommandRunnerTest : public QObject {
  Q_OBJECT

 private slots:
  void commandOnTheWorkerSeesTheCallsOfTheWindowThread() {
    const std::string good = Write("good.txt", "13800000001\r\n\r\n13800000002\r\n");
    auto script = [&](ThreadCheckingFrontend& ui) {
      // The second file cannot be opened: a message after the first file's lines.
      ui.open_files.push_back(std::vector<std::string>{good, Path("missing.txt")});
    };
    SettingsStore settings;

    AppState direct_state(settings, "/nonexistent/");
    ThreadCheckingFrontend direct;
    script(direct);
    ImportFiles(direct_state, direct);

    AppState worker_state(settings, "/nonexistent/");
    ThreadCheckingFrontend carried;
    script(carried);
    QWidget window;
    CommandRunner runner(window, carried);
    bool finished = false;
    QVERIFY(
        runner.Run([&](Frontend& f) { ImportFiles(worker_state, f); }, [&] { finished = true; }));
    QVERIFY(runner.Running());
    // One command at a time: a second one is refused, not queued.
    QVERIFY(!runner.Run([&](Frontend& f) { ImportFiles(worker_state, f); }));
    runner.WaitUntilIdle();

    QVERIFY(finished);
    QVERIFY(direct.calls.size() >= 3);
    QCOMPARE(carried.calls, direct.calls);
    QCOMPARE(carried.progress, direct.progress);
    QCOMPARE(carried.off_thread_calls, 0);
    QCOMPARE(worker_state.source.Count(), 2);
    QCOMPARE(direct_state.source.Count(), 2);
  }

  void requestsMadeDuringACommandRunAfterIt() {
    ThreadCheckingFrontend ui;
    QWidget window;
    CommandRunner runner(window, ui);
    std::vector<std::string> order;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    runner.Run([&, released](Frontend&) { released.wait(); }, [&] { order.push_back("finished"); });
    QCOMPARE(window.cursor().shape(), Qt::WaitCursor);
    runner.WhenIdle([&] { order.push_back("close"); });
    QVERIFY(order.empty());
    release.set_value();
    runner.WaitUntilIdle();
    QCOMPARE(order, (std::vector<std::string>{"finished", "close"}));
    QVERIFY(window.cursor().shape() != Qt::WaitCursor);
    runner.WhenIdle([&] { order.push_back("at once"); });
    QCOMPARE(order.back(), std::string("at once"));

    // The end of one command is handled once: the next command still runs after it.
    std::promise<void> release_next;
    std::shared_future<void> next_released = release_next.get_future().share();
    QVERIFY(runner.Run([next_released](Frontend&) { next_released.wait(); }));
    QTest::qWait(50);
    QVERIFY(runner.Running());
    release_next.set_value();
    runner.WaitUntilIdle();
  }

 private:
  std::string Path(const std::string& name) const { return U(dir_.path()) + "/" + name; }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }

  QTemporaryDir dir_;
};

QTEST_MAIN(CommandRunnerTest)
#include "command_runner_test.moc"
