#include "app/qt_text.h"

#include <QDir>
#include <QStringList>

#include "platform/codepage.h"

namespace tessaril::app {

QString ShownPath(std::string_view path) {
  return QDir::toNativeSeparators(Q(path));
}

std::string TypedPath(const QString& text) {
  return U(QDir::fromNativeSeparators(text));
}

QString EntryText(std::string_view bytes) {
  if (IsValidUtf8(bytes))
    return Q(bytes);
  return Q(GbkToUtf8(bytes));
}

QString PickerFilter(const std::string& filter) {
  // Pairs of description and pattern, separated by '|', ending in "||".
  QStringList parts = Q(filter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty())
      break;
    QString description = parts[i];
    if (!description.contains('('))
      description += " (" + parts[i + 1].replace(';', ' ') + ")";
    filters << description;
  }
  return filters.join(";;");
}

}  // namespace tessaril::app
