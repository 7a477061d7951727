#pragma once

#include "FileManager.h"

#include <QString>
#include <optional>

// The folder last opened below a base, kept open for the next file: the entries of a log come
// folder by folder, and opening every folder on the way again for each file would cost most of
// a move's or a restore's time. Folders are opened as SessionFolder opens them, one at a time
// and never through a link; an open folder stays the real folder it was.
class FolderCursor
{
public:
    // `base` is kept by reference and must outlive the cursor.
    explicit FolderCursor(const FolderHandle& base);

    // base/relativeFolder, or nothing when it is missing or a folder on the way is not a real
    // folder (`blocker` then tells what stands there). Throws OperationError.
    const FolderHandle* open(
        const FileManager& fileManager, const QString& relativeFolder, ItemKind* blocker = nullptr);
    // The same, creating the folders that are missing.
    const FolderHandle* openOrCreate(
        FileManager& fileManager, const QString& relativeFolder, ItemKind* blocker = nullptr);

private:
    bool holds(const QString& relativeFolder) const;
    const FolderHandle* keep(const QString& relativeFolder, std::optional<FolderHandle> folder);

    const FolderHandle& m_base;
    QString m_relativeFolder;
    std::optional<FolderHandle> m_folder;
};
