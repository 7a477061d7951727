#include "FolderCursor.h"

#include "SessionFolder.h"

FolderCursor::FolderCursor(const FolderHandle& base)
    : m_base(base)
{
}

const FolderHandle* FolderCursor::open(
    const FileManager& fileManager, const QString& relativeFolder, ItemKind* blocker)
{
    if (holds(relativeFolder))
        return &*m_folder;
    m_folder.reset();
    return keep(
        relativeFolder, SessionFolder::openWithin(fileManager, m_base, relativeFolder, blocker));
}

const FolderHandle* FolderCursor::openOrCreate(
    FileManager& fileManager, const QString& relativeFolder, ItemKind* blocker)
{
    if (holds(relativeFolder))
        return &*m_folder;
    m_folder.reset();
    return keep(relativeFolder,
        SessionFolder::createFoldersWithin(fileManager, m_base, relativeFolder, blocker));
}

bool FolderCursor::holds(const QString& relativeFolder) const
{
    return m_folder && m_relativeFolder == relativeFolder;
}

const FolderHandle* FolderCursor::keep(
    const QString& relativeFolder, std::optional<FolderHandle> folder)
{
    m_relativeFolder = relativeFolder;
    m_folder = std::move(folder);
    return m_folder ? &*m_folder : nullptr;
}
