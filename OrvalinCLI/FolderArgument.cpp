#include "FolderArgument.h"

#include "OperationError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>

namespace FolderArgument {

QString checked(const QString& argument, const FileManager& fileManager)
{
    const QString path = QDir::cleanPath(QFileInfo(argument).absoluteFilePath());
    try {
        fileManager.openFolder(path);
        return path;
    } catch (const OperationError&) {
        // The file manager's message carries the system's reason; these two read better.
        struct stat info;
        const bool found = ::stat(QFile::encodeName(path).constData(), &info) == 0;
        if (!found && errno == ENOENT)
            throw OperationError(QStringLiteral("“%1” doesn’t exist.").arg(argument));
        if (found && !S_ISDIR(info.st_mode))
            throw OperationError(QStringLiteral("“%1” is not a folder.").arg(argument));
        throw;
    }
}

} // namespace FolderArgument
