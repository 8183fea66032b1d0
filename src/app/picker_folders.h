#pragma once

#include <QString>

namespace tessaril {
class SettingsStore;
}

namespace tessaril::app {

// The kinds of picker; each starts where the user last picked one of its own kind.
enum class PickerKind { Open, Save, Folder };

// Where a picker of `kind` starts: the folder last used for that kind (kept in the settings, so
// across runs) while it still exists, else the user's Documents folder, else the home folder.
// Never the working folder: started from its Start-menu entry the program works in its own
// folder, which under Program Files is not the user's to write into.
QString PickerStartFolder(const SettingsStore& settings, PickerKind kind);

// Keeps the folder of what the user picked: a file's folder, or a picked folder itself.
void RememberPickerFolder(SettingsStore& settings, PickerKind kind, const QString& picked);

}  // namespace tessaril::app
