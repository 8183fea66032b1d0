#pragma once

#include <optional>
#include <string>
#include <vector>

#include "interface/frontend.h"

class QWidget;

namespace tessaril {
class SettingsStore;
}

namespace tessaril::app {

// The message boxes and pickers every window shows for the commands it runs, over `parent`.
void ShowMessageBox(QWidget* parent, const Message& message);
// The button Enter presses in a yes/no question.
enum class YesNoDefault { Yes, No };
bool AskYesNoBox(QWidget* parent, const std::string& text, const std::string& caption,
                 MessageIcon icon, YesNoDefault default_button = YesNoDefault::Yes);
// The pickers start where `settings` say the user last picked one of their kind (see
// picker_folders.h) and remember the new place there.
std::optional<std::vector<std::string>> PickOpenFilesDialog(QWidget* parent,
                                                            SettingsStore& settings,
                                                            const OpenFileRequest& request);
std::optional<std::string> PickSaveFileDialog(QWidget* parent, SettingsStore& settings,
                                              const SaveFileRequest& request);
std::optional<std::string> PickFolderDialog(QWidget* parent, SettingsStore& settings,
                                            const std::string& title, const std::string& initial);

}  // namespace tessaril::app
