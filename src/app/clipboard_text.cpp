#include "app/clipboard_text.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <new>

#include "platform/codepage.h"

namespace tessaril::app {
namespace {

QString PlainUtf8Format() {
  return QStringLiteral("text/plain;charset=utf-8");
}

}  // namespace

std::unique_ptr<QMimeData> ClipboardDataOf(const std::string& text) {
  try {
    // An entry that is not UTF-8 is shown, and copied, as GBK text.
    QByteArray bytes;
    if (IsValidUtf8(text)) {
      bytes = QByteArray(text.data(), static_cast<qsizetype>(text.size()));
    } else {
      const std::string utf8 = GbkToUtf8(text);
      bytes = QByteArray(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }
    auto data = std::make_unique<QMimeData>();
    // Both names share one buffer: "text/plain" says there is text, the charset form hands the
    // bytes over without a conversion.
    data->setData(PlainUtf8Format(), bytes);
    data->setData(QStringLiteral("text/plain"), bytes);
    data->moveToThread(QCoreApplication::instance()->thread());
    return data;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void InstallClipboardData(std::unique_ptr<QMimeData> data) {
  QGuiApplication::clipboard()->setMimeData(data.release());
}

std::optional<ClipboardContent> TakeClipboardContent() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasText())
    return std::nullopt;
  ClipboardContent content;
  if (data->hasFormat(PlainUtf8Format())) {
    content.utf8 = data->data(PlainUtf8Format());
    content.is_utf8 = true;
  } else {
    content.text = data->text();
  }
  return content;
}

std::string ClipboardUtf8(const ClipboardContent& content) {
  if (content.is_utf8)
    return content.utf8.toStdString();
  return content.text.toStdString();
}

}  // namespace tessaril::app
