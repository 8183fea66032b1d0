#pragma once

#include <optional>
#include <string>
#include <vector>

#include "interface/frontend.h"

class QWidget;

namespace tessaril::app {

// The message boxes and pickers every window shows for the commands it runs, over `parent`.
void ShowMessageBox(QWidget* parent, const Message& message);
// The button Enter presses in a yes/no question.
enum class YesNoDefault { Yes, No };
bool AskYesNoBox(QWidget* parent, const std::string& text, const std::string& caption,
                 MessageIcon icon, YesNoDefault default_button = YesNoDefault::Yes);
std::optional<std::vector<std::string>> PickOpenFilesDialog(QWidget* parent,
                                                            const OpenFileRequest& request);
std::optional<std::string> PickSaveFileDialog(QWidget* parent, const SaveFileRequest& request);
std::optional<std::string> PickFolderDialog(QWidget* parent, const std::string& title,
                                            const std::string& initial);

}  // namespace tessaril::app
