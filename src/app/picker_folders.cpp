#include "app/picker_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/qt_text.h"
#include "platform/settings_store.h"

namespace tessaril::app {
namespace {

constexpr const char* kSection = "Settings";

const char* KeyOf(PickerKind kind) {
  switch (kind) {
    case PickerKind::Open:
      return "OpenFolder";
    case PickerKind::Save:
      return "SaveFolder";
    case PickerKind::Folder:
      break;
  }
  return "PickedFolder";
}

bool IsFolder(const QString& path) {
  return !path.isEmpty() && QFileInfo(path).isDir();
}

}  // namespace

QString PickerStartFolder(const SettingsStore& settings, PickerKind kind) {
  const QString last = Q(settings.GetString(kSection, KeyOf(kind), ""));
  if (IsFolder(last))
    return QDir::cleanPath(last);
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (IsFolder(documents))
    return documents;
  return QDir::homePath();
}

void RememberPickerFolder(SettingsStore& settings, PickerKind kind, const QString& picked) {
  if (picked.isEmpty())
    return;
  const QFileInfo info(picked);
  const QString folder = kind == PickerKind::Folder ? info.absoluteFilePath() : info.absolutePath();
  // A failed write is told by the settings' own check; the folder still holds for this run.
  settings.SetString(kSection, KeyOf(kind), U(QDir::cleanPath(folder)));
}

}  // namespace tessaril::app
