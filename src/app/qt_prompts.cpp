#include "app/qt_prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/picker_folders.h"
#include "app/qt_text.h"

namespace tessaril::app {
namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// A message box sizes itself to its text only, so a short text under a long caption would cut
// the caption in the title bar.
void WidenForCaption(QMessageBox& box) {
  MakeRoomForCaption(&box);
}

}  // namespace

void ShowMessageBox(QWidget* parent, const Message& message) {
  QMessageBox box(ToQt(message.icon), Q(message.caption), Q(message.text), QMessageBox::Ok, parent);
  box.button(QMessageBox::Ok)->setText(Q(kOkLabel));
  WidenForCaption(box);
  box.exec();
}

bool AskYesNoBox(QWidget* parent, const std::string& text, const std::string& caption,
                 MessageIcon icon, YesNoDefault default_button) {
  QMessageBox box(ToQt(icon), Q(caption), Q(text), QMessageBox::Yes | QMessageBox::No, parent);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
  box.button(QMessageBox::No)->setText(QStringLiteral("否"));
  box.setDefaultButton(default_button == YesNoDefault::No ? QMessageBox::No : QMessageBox::Yes);
  WidenForCaption(box);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::vector<std::string>> PickOpenFilesDialog(QWidget* parent,
                                                            SettingsStore& settings,
                                                            const OpenFileRequest& request) {
  const QString start = PickerStartFolder(settings, PickerKind::Open);
  QStringList chosen;
  if (request.multiple) {
    chosen = QFileDialog::getOpenFileNames(parent, Q(request.title), start,
                                           PickerFilter(request.filter));
  } else {
    QString path =
        QFileDialog::getOpenFileName(parent, Q(request.title), start, PickerFilter(request.filter));
    if (!path.isEmpty())
      chosen << path;
  }
  if (chosen.isEmpty())
    return std::nullopt;
  RememberPickerFolder(settings, PickerKind::Open, chosen.front());
  std::vector<std::string> paths;
  for (const QString& path : chosen)
    paths.push_back(U(path));
  return paths;
}

std::optional<std::string> PickSaveFileDialog(QWidget* parent, SettingsStore& settings,
                                              const SaveFileRequest& request) {
  // A proposed bare name goes into the start folder, not the working folder.
  const QString start = PickerStartFolder(settings, PickerKind::Save);
  const QString proposed =
      request.initial_name.empty() ? start : QDir(start).filePath(Q(request.initial_name));
  const QString filter = PickerFilter(request.filter);
  QString selected;
  QString path =
      QFileDialog::getSaveFileName(parent, Q(request.title), proposed, filter, &selected);
  if (path.isEmpty())
    return std::nullopt;
  RememberPickerFolder(settings, PickerKind::Save, path);
  // The file type chosen, by its place in the filter.
  if (request.chosen_type)
    *request.chosen_type = std::max<int>(0, static_cast<int>(filter.split(";;").indexOf(selected)));
  return U(path);
}

std::optional<std::string> PickFolderDialog(QWidget* parent, SettingsStore& settings,
                                            const std::string& title, const std::string& initial) {
  const QString start = !initial.empty() && QDir(Q(initial)).exists()
                            ? Q(initial)
                            : PickerStartFolder(settings, PickerKind::Folder);
  QString path = QFileDialog::getExistingDirectory(parent, Q(title), start);
  if (path.isEmpty())
    return std::nullopt;
  RememberPickerFolder(settings, PickerKind::Folder, path);
  return U(path);
}

}  // namespace tessaril::app
