#pragma once

#include "FileManager.h"

#include <QString>

// What moving and restoring share about a session folder on disk.
namespace SessionFolder {

// A folder's path as logs and messages show it: no trailing "/", except for "/" itself.
QString withoutTrailingSlash(QString path);

// `base`/`relative`, `relative` being a safe relative path.
QString join(const QString& base, const QString& relative);

// How much of base/relativeFolder stands, as real folders.
enum class FolderState
{
    // Every folder exists and none is a link.
    ready,
    // The folders that exist are real; the rest are missing.
    partial,
    // A link or a file stands where a folder should be.
    unsafe,
};
FolderState folderState(
    const FileManager& fileManager, const QString& base, const QString& relativeFolder);

// Creates base/relativeFolder with its missing parents, but only below folders that are real
// folders: mkdir -p follows links, and one planted on the way would lead it outside `base`.
// False, with nothing created, when a link or a file stands on the way. Throws OperationError.
bool createFoldersWithin(
    FileManager& fileManager, const QString& base, const QString& relativeFolder);

} // namespace SessionFolder
