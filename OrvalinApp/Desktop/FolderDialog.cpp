#include "FolderDialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>

namespace FolderDialog {

void configure(QFileDialog& dialog, const QString& message)
{
    // Qt's own dialog, because only it has room for the message line; the platform's dialogs
    // would show the message nowhere but in a title bar too short for it.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setLabelText(
        QFileDialog::Accept, QCoreApplication::translate("FolderDialog", "Scan Folder"));
    dialog.setWindowTitle(message);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        auto* line = new QLabel(message, &dialog);
        line->setObjectName(QStringLiteral("folderDialogMessage"));
        line->setWordWrap(true);
        grid->addWidget(line, grid->rowCount(), 0, 1, grid->columnCount());
    }
}

std::optional<QString> run(QWidget* parent, const QString& message)
{
    QFileDialog dialog(parent);
    configure(dialog, message);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.first();
}

} // namespace FolderDialog
