#pragma once

#include <QString>
#include <optional>

class QFileDialog;
class QWidget;

// The folder picker through which a folder enters the application.
namespace FolderDialog {

// One folder, no files, confirmed with "Scan Folder", with `message` as its title and, where
// the dialog is Qt's own, as a line below the file list.
void configure(QFileDialog& dialog, const QString& message);

// Runs the picker modally; nothing when the user cancels.
std::optional<QString> run(QWidget* parent, const QString& message);

} // namespace FolderDialog
