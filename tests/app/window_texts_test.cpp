// The texts of the main window and of every dialog: each fits its control, every control lies
// inside its window, so nothing is cut off; and every box and list a user types or picks in has
// a name (its label's, as a screen reader says it). Built twice: at 100 % and at 150 %, the scale
// many Windows laptops run at (TESSARIL_TEST_SCALE).
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/main_dlg.h"
#include "app/qt_text.h"
#include "app/screenshot.h"
#include "platform/settings_store.h"

using namespace tessaril;
using namespace tessaril::app;

namespace {

// The widest line of a control's text as drawn: without its mnemonic marks.
int TextWidth(const QWidget& widget, QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n')))
    widest = std::max(widest, widget.fontMetrics().horizontalAdvance(line));
  return widest;
}

// The room a button's style leaves for its text (and its icon).
int ButtonTextRoom(QAbstractButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  QStyle::SubElement element = QStyle::SE_PushButtonContents;
  if (qobject_cast<QCheckBox*>(&button))
    element = QStyle::SE_CheckBoxContents;
  else if (qobject_cast<QRadioButton*>(&button))
    element = QStyle::SE_RadioButtonContents;
  else if (!qobject_cast<QPushButton*>(&button))
    return -1;
  int room = button.style()->subElementRect(element, &option, &button).width();
  if (!button.icon().isNull())
    room -= button.iconSize().width() + 4;
  return room;
}

// What is cut off in `window`: one line per control.
QStringList Clipped(QWidget& window) {
  QStringList found;
  const QRect inside = window.rect();
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->isVisibleTo(&window) || child->window() != &window)
      continue;
    const QRect at(child->mapTo(&window, QPoint(0, 0)), child->size());
    if (!inside.contains(at))
      found << QStringLiteral("%1 \"%2\" lies outside the window")
                   .arg(QString::fromLatin1(child->metaObject()->className()), child->objectName());
    if (auto* button = qobject_cast<QAbstractButton*>(child)) {
      const int room = ButtonTextRoom(*button);
      const int needs = TextWidth(*button, button->text());
      if (room >= 0 && needs > room)
        found << QStringLiteral("button \"%1\" needs %2 px, has %3")
                     .arg(button->text())
                     .arg(needs)
                     .arg(room);
    } else if (auto* label = qobject_cast<QLabel*>(child)) {
      if (label->wordWrap() || label->text().isEmpty() || label->textFormat() == Qt::RichText ||
          Qt::mightBeRichText(label->text()))
        continue;
      const int room = label->contentsRect().width() - 2 * label->margin();
      const int needs = TextWidth(*label, label->text());
      if (needs > room)
        found << QStringLiteral("label \"%1\" needs %2 px, has %3")
                     .arg(label->text())
                     .arg(needs)
                     .arg(room);
      if (label->fontMetrics().height() > label->contentsRect().height())
        found << QStringLiteral("label \"%1\" is lower than its font").arg(label->text());
    }
  }
  return found;
}

// The boxes and lists of `window` that a screen reader could not name.
QStringList Unnamed(QWidget& window) {
  QStringList found;
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->isVisibleTo(&window) || child->window() != &window ||
        !(qobject_cast<QLineEdit*>(child) || qobject_cast<QAbstractScrollArea*>(child)) ||
        qobject_cast<QHeaderView*>(child))
      continue;
    // A list's own header or a combo box's popup is named by what holds it.
    if (qobject_cast<QComboBox*>(child->parentWidget()))
      continue;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(child);
    if (face && face->text(QAccessible::Name).trimmed().isEmpty())
      found << QStringLiteral("%1 \"%2\"")
                   .arg(QString::fromLatin1(child->metaObject()->className()), child->objectName());
  }
  return found;
}

}  // namespace

class WindowTextsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyTextFitsAndEveryBoxHasAName_data() {
    QTest::addColumn<int>("entry");
    QTest::newRow("CMainDlg") << -1;
    const auto entries = ScreenshotEntries();
    for (int i = 0; i < int(entries.size()); ++i)
      QTest::newRow(entries[i].class_name) << i;
  }

  void everyTextFitsAndEveryBoxHasAName() {
    QFETCH(int, entry);
    SettingsStore settings;
    AppState state(settings, U(dir_.path()) + "/");
    CMainDlg main_window(state);
    std::unique_ptr<QWidget> dialog;
    QWidget* shown = &main_window;
    if (entry >= 0) {
      dialog.reset(ScreenshotEntries()[entry].make(main_window));
      shown = dialog.get();
    }
    // As the user first sees it.
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    const QStringList clipped = Clipped(*shown);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
    const QStringList unnamed = Unnamed(*shown);
    QVERIFY2(unnamed.isEmpty(),
             qPrintable(QStringLiteral("unnamed: ") + unnamed.join(QStringLiteral("; "))));
  }

 private:
  QTemporaryDir dir_;
};

int main(int argc, char** argv) {
  qputenv("QT_SCALE_FACTOR", TESSARIL_TEST_SCALE);
  QApplication app(argc, argv);
  WindowTextsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_texts_test.moc"
