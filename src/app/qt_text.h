#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tessaril::app {

// The program's own texts and paths are UTF-8.
inline QString Q(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string U(const QString& text) {
  return text.toUtf8().toStdString();
}

// A path as the platform writes it ("C:\测试\A.txt" on Windows; "/" on Linux), and what the user
// typed or was shown back in the program's own form, with "/".
QString ShownPath(std::string_view path);
std::string TypedPath(const QString& text);

// What a list view shows of an entry: its bytes as UTF-8 when they are valid UTF-8, else as GBK.
QString EntryText(std::string_view bytes);

// "文本文件(*.txt)|*.txt||" to the filter form of the Qt file dialogs.
QString PickerFilter(const std::string& filter);

}  // namespace tessaril::app
