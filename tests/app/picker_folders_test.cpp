// Offscreen tests of where the window's pickers start and of the dialogs' title bars.
// The pickers start in the folder last used for their kind, remembered across runs, else in the
// user's Documents folder; never in the working folder, which here is the program's own folder,
// as when the program is started from its Start-menu entry.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/file_tools_dlg.h"
#include "app/main_dlg.h"
#include "app/qt_text.h"
#include "app/screenshot.h"
#include "platform/settings_store.h"

using namespace tessaril;
using namespace tessaril::app;

namespace {

QString Canonical(const QString& folder) {
  return QFileInfo(folder).canonicalFilePath();
}

// Answers the next file picker: records the folder it opened in, then picks `pick` (a file, or a
// folder for the folder picker) or cancels when `pick` is empty.
class PickerAnswerer {
 public:
  explicit PickerAnswerer(QString pick) : pick_(std::move(pick)) { Arm(); }
  QString opened_in;

 private:
  void Arm() {
    QTimer::singleShot(10, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      auto* picker = qobject_cast<QFileDialog*>(modal);
      if (!picker) {
        // Anything else the picker opens (a "file not found" box) is closed, so that the step
        // fails instead of waiting forever.
        if (auto* other = qobject_cast<QDialog*>(modal))
          other->reject();
        return Arm();
      }
      opened_in = Canonical(picker->directory().absolutePath());
      if (pick_.isEmpty())
        return picker->reject();
      // Typed as a whole path: the picker's own selection follows its folder listing, which it
      // reads in the background.
      auto* name = picker->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (!name)
        return picker->reject();  // fails as a cancel
      name->setText(pick_);
      static_cast<QDialog*>(picker)->accept();  // public in QDialog
    });
  }
  QString pick_;
};

}  // namespace

class PickerFoldersTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    // Started from a shortcut, the program works in its own folder.
    QVERIFY(QDir::setCurrent(QCoreApplication::applicationDirPath()));
    documents_ = Canonical(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    QVERIFY2(!documents_.isEmpty(), "the test needs a Documents folder");
    QVERIFY(documents_ != Canonical(QDir::currentPath()));
    QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("导入")));
    QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("导出")));
    imports_ = Canonical(dir_.filePath(QStringLiteral("导入")));
    exports_ = Canonical(dir_.filePath(QStringLiteral("导出")));
    // Through Qt: a standard stream would take the name in the ANSI code page on Windows.
    QFile numbers(imports_ + QStringLiteral("/号码.txt"));
    QVERIFY(numbers.open(QIODevice::WriteOnly));
    QVERIFY(numbers.write("13900000001\r\n") == 13);
  }

  void eachKindStartsWhereItWasLastUsedAcrossRuns() {
    const std::string store = U(dir_.filePath(QStringLiteral("settings.ini")));
    const QString number_file = imports_ + QStringLiteral("/号码.txt");
    const QString new_file = exports_ + QStringLiteral("/新.txt");
    // kind, what is picked (nothing: cancelled), the folder the picker must open in.
    struct Step {
      const char* what;
      char kind;
      QString pick;
      QString expected;
    };
    const std::vector<Step> first_run = {
        {"first open: Documents", 'o', number_file, documents_},
        {"open again: where the last file came from", 'o', QString(), imports_},
        {"cancelled: still there", 'o', QString(), imports_},
        {"save has its own folder", 's', new_file, documents_},
        {"save again", 's', QString(), exports_},
        {"open keeps its own", 'o', QString(), imports_},
        {"folder picker: Documents", 'f', exports_, documents_},
        {"folder picker again", 'f', QString(), exports_},
    };
    const std::vector<Step> next_run = {
        {"next run, open", 'o', QString(), imports_},
        {"next run, save", 's', QString(), exports_},
        {"next run, folder", 'f', QString(), exports_},
    };
    for (const auto& steps : {first_run, next_run}) {
      SettingsStore settings(store);
      AppState state(settings, U(dir_.path()) + "/");
      CMainDlg window(state);
      for (const Step& step : steps) {
        PickerAnswerer answer(step.pick);
        bool picked = false;
        switch (step.kind) {
          case 'o':
            picked = window.PickOpenFiles({"", "文本文件(*.txt)|*.txt||", true}).has_value();
            break;
          case 's':
            picked = window.PickSaveFile({"", "文本文件(*.txt)|*.txt||", "", ""}).has_value();
            break;
          default:
            picked = window.PickFolder("设置路径", "").has_value();
        }
        QVERIFY2(answer.opened_in == step.expected,
                 qPrintable(QStringLiteral("%1: opened in %2")
                                .arg(QString::fromUtf8(step.what), answer.opened_in)));
        QCOMPARE(picked, !step.pick.isEmpty());
      }
    }
  }

  void aRemovedFolderFallsBackToDocuments() {
    const QString gone = dir_.filePath(QStringLiteral("已删除"));
    QVERIFY(QDir().mkpath(gone));
    const QString file = gone + QStringLiteral("/a.txt");
    SettingsStore settings;
    AppState state(settings, U(dir_.path()) + "/");
    CMainDlg window(state);
    {
      PickerAnswerer answer(file);
      QVERIFY(window.PickSaveFile({"", "文本文件(*.txt)|*.txt||", "", ""}));
    }
    QVERIFY(QDir(gone).removeRecursively());
    PickerAnswerer answer{QString()};
    window.PickSaveFile({"", "文本文件(*.txt)|*.txt||", "", ""});
    QCOMPARE(answer.opened_in, documents_);
  }

  void theFileToolsPickersShareTheMemory() {
    SettingsStore settings;
    AppState state(settings, U(dir_.path()) + "/");
    CMainDlg window(state);
    {
      PickerAnswerer answer(imports_ + QStringLiteral("/号码.txt"));
      QVERIFY(window.PickOpenFiles({"", "文本文件(*.txt)|*.txt||", true}));
    }
    CFileToolsDlg tools(state, window);
    PickerAnswerer answer{QString()};
    tools.PickOpenFiles({"", "文本文件(*.txt)|*.txt||", true});
    QCOMPARE(answer.opened_in, imports_);
  }

  // A dialog has only its close button; the two windows keep theirs.
  void dialogsHaveOnlyACloseButton() {
    SettingsStore settings;
    AppState state(settings, U(dir_.path()) + "/");
    CMainDlg window(state);
    QStringList checked;
    for (const ScreenshotEntry& entry : ScreenshotEntries()) {
      std::unique_ptr<QWidget> widget(entry.make(window));
      if (!qobject_cast<QDialog*>(widget.get()) || qobject_cast<QFileDialog*>(widget.get()) ||
          qobject_cast<CFileToolsDlg*>(widget.get()))
        continue;
      widget->show();
      QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
      // What the platform is asked for: a caption and a close button, and nothing it would add
      // by itself (Qt adds the system menu that carries the close button, except on Windows).
      const Qt::WindowFlags flags = widget->windowHandle()->flags();
      QVERIFY2(flags.testFlag(Qt::CustomizeWindowHint), entry.class_name);
      QVERIFY2(flags.testFlag(Qt::WindowCloseButtonHint), entry.class_name);
      QVERIFY2(!flags.testAnyFlags(Qt::WindowMinMaxButtonsHint), entry.class_name);
      QCOMPARE(widget->windowType(), Qt::Dialog);
      checked << QString::fromLatin1(entry.class_name);
    }
    for (const char* name : {"CExportFormatDlg", "CAboutDlg", "CBlacklistDlg"})
      QVERIFY2(checked.contains(QString::fromLatin1(name)), name);
    QVERIFY(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  }

 private:
  QTemporaryDir dir_;
  QString documents_;
  QString imports_;
  QString exports_;
};

// The user's folders of this test: a home of its own with a Documents folder, where the system
// takes them from the environment (Linux); Windows keeps the user's own.
int main(int argc, char** argv) {
  QTemporaryDir home;
  QDir(home.path()).mkpath(QStringLiteral("Documents"));
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
  QApplication app(argc, argv);
  PickerFoldersTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "picker_folders_test.moc"
