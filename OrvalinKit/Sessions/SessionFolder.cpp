#include "SessionFolder.h"

#include "OperationError.h"

namespace SessionFolder {

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString join(const QString& base, const QString& relative)
{
    return relative.isEmpty() ? base : base + u'/' + relative;
}

namespace {

// One step down; a folder missing, or made by someone else in the meantime, is made or opened.
std::optional<FolderHandle> step(FileManager* maker, const FileManager& fileManager,
    const FolderHandle& folder, const QString& name, ItemKind& blocker)
{
    if (std::optional<FolderHandle> child = fileManager.openChild(folder, name))
        return child;
    blocker = fileManager.kindOf(folder, name);
    if (blocker != ItemKind::none || !maker)
        return std::nullopt;
    try {
        return maker->createFolder(folder, name);
    } catch (const OperationError&) {
        if (std::optional<FolderHandle> child = fileManager.openChild(folder, name))
            return child;
        blocker = fileManager.kindOf(folder, name);
        if (blocker == ItemKind::none)
            throw;
        return std::nullopt;
    }
}

std::optional<FolderHandle> walk(FileManager* maker, const FileManager& fileManager,
    const FolderHandle& base, const QString& relativeFolder, ItemKind* blocker)
{
    ItemKind found = ItemKind::none;
    std::optional<FolderHandle> folder = base.duplicate();
    if (!relativeFolder.isEmpty()) {
        for (const QString& name : relativeFolder.split(u'/')) {
            folder = step(maker, fileManager, *folder, name, found);
            if (!folder)
                break;
        }
    }
    if (blocker)
        *blocker = found;
    return folder;
}

} // namespace

std::optional<FolderHandle> openWithin(const FileManager& fileManager, const FolderHandle& base,
    const QString& relativeFolder, ItemKind* blocker)
{
    return walk(nullptr, fileManager, base, relativeFolder, blocker);
}

std::optional<FolderHandle> createFoldersWithin(FileManager& fileManager, const FolderHandle& base,
    const QString& relativeFolder, ItemKind* blocker)
{
    return walk(&fileManager, fileManager, base, relativeFolder, blocker);
}

std::optional<Refusal> moveUnlessRefused(FileManager& fileManager, const FolderHandle& from,
    const QString& name, const FolderHandle& to, const QString& targetName,
    FileManager::TargetFolder target)
{
    try {
        fileManager.moveWithoutReplacing(from, name, to, targetName, target);
        return std::nullopt;
    } catch (const OperationError&) {
        if (fileManager.kindOf(from, name) == ItemKind::none)
            return Refusal::fileMissing;
        if (fileManager.kindOf(to, targetName) != ItemKind::none)
            return Refusal::targetTaken;
        throw;
    }
}

QString obstacle(ItemKind blocker)
{
    switch (blocker) {
    case ItemKind::link:
        return QStringLiteral("a folder on the way is a symbolic link");
    case ItemKind::none:
        return QStringLiteral("a folder on the way is missing");
    case ItemKind::file:
    case ItemKind::folder:
    case ItemKind::other:
        break;
    }
    return QStringLiteral("a folder on the way is a file");
}

} // namespace SessionFolder
