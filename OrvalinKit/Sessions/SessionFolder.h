#pragma once

#include "FileManager.h"

#include <QString>
#include <optional>

// What moving and restoring share about a session folder on disk.
namespace SessionFolder {

// A folder's path as logs and messages show it: no trailing "/", except for "/" itself.
QString withoutTrailingSlash(QString path);

// `base`/`relative`, `relative` being a safe relative path.
QString join(const QString& base, const QString& relative);

// base/relativeFolder (a safe relative path, or "" for base itself), opened one folder at a
// time without ever following a link. Nothing when a folder on the way is not a real folder;
// `blocker` then tells what stands there instead (none when it is missing). Throws
// OperationError.
std::optional<FolderHandle> openWithin(const FileManager& fileManager, const FolderHandle& base,
    const QString& relativeFolder, ItemKind* blocker = nullptr);

// The same, creating the folders that are missing, each inside the real folder just opened:
// mkdir -p follows links, and one planted on the way would lead it outside `base`. Nothing when
// a link or anything else stands where a folder should be. Throws OperationError.
std::optional<FolderHandle> createFoldersWithin(FileManager& fileManager, const FolderHandle& base,
    const QString& relativeFolder, ItemKind* blocker = nullptr);

// The note's words for what stands on the way: "a folder on the way is a symbolic link" and
// the like.
QString obstacle(ItemKind blocker);

// Why a move was refused, of the two reasons a move or a restore tells apart.
enum class Refusal
{
    fileMissing,
    targetTaken,
};

// Moves `name` of `from` to `targetName` of `to` without replacing anything; the reason when
// nothing is at `name` or something is at `targetName` already. The rename refuses both by
// itself, so neither is looked at unless it does: looking first would cost a move about as much
// again as the rename. Throws OperationError for any other failure.
std::optional<Refusal> moveUnlessRefused(FileManager& fileManager, const FolderHandle& from,
    const QString& name, const FolderHandle& to, const QString& targetName,
    FileManager::TargetFolder target);

} // namespace SessionFolder
