#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <string>

class QMimeData;

namespace tessaril::app {

// The clipboard's text for "复制" and "粘贴". Ten million numbers are 120 MB of text: converting
// them is work for the command's worker, so the window's thread only installs text prepared
// there, or takes the clipboard's text as it is and leaves the conversion to the worker.

// Any thread: `text` (UTF-8, or GBK when it is not valid UTF-8) as the clipboard's plain text,
// owned by the window's thread. Nothing when there is not memory enough for it.
std::unique_ptr<QMimeData> ClipboardDataOf(const std::string& text);
// The window's thread: puts `data` on the clipboard.
void InstallClipboardData(std::unique_ptr<QMimeData> data);

// The clipboard's plain text as taken on the window's thread: UTF-8 bytes when it offers them
// (what this program puts there), else its text as Qt reads it.
struct ClipboardContent {
  QByteArray utf8;
  QString text;
  bool is_utf8 = false;
};
// The window's thread: nothing when the clipboard offers no text. Shares the clipboard's own
// buffers; copies nothing.
std::optional<ClipboardContent> TakeClipboardContent();
// Any thread: the content as UTF-8 text.
std::string ClipboardUtf8(const ClipboardContent& content);

}  // namespace tessaril::app
