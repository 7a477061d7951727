#pragma once

#include "FileManager.h"

#include <QHash>
#include <mutex>

// The real file system, through open folder descriptors (openat, mkdirat, renameat2).
//
// A move never replaces anything. How that is made sure depends on the file system, learnt from
// its first refusal and kept for the device: an exclusive rename where there is one (the rename
// itself refuses an existing target); else a hard link to the new name, which refuses one too,
// then the old name dropped; else, on file systems with neither (exFAT and other FUSE mounts),
// the target name is reserved by an exclusive create and the rename replaces only that
// reservation, checked to be still the empty file this move made just before the rename.
class LocalFileManager : public FileManager
{
public:
    FolderHandle openFolder(const QString& path) const override;
    std::optional<FolderHandle> openChild(
        const FolderHandle& parent, const QString& name) const override;
    ItemKind kindOf(const FolderHandle& folder, const QString& name) const override;
    FolderHandle createFolder(const FolderHandle& parent, const QString& name) override;
    void moveWithoutReplacing(const FolderHandle& from, const QString& fromName,
        const FolderHandle& to, const QString& toName) override;
    void writeAtomically(
        const FolderHandle& folder, const QString& name, const QByteArray& data) override;
    QByteArray read(const FolderHandle& folder, const QString& name, qint64 limit) const override;
    QStringList list(const FolderHandle& folder) const override;
    void removeEmptyFolder(const FolderHandle& parent, const QString& name) override;

    // The ways of moving without replacing, strongest first.
    enum class MoveGuarantee
    {
        exclusiveRename,
        hardLink,
        reservation,
    };
    // The way moves into `folder`'s file system take, as far as this object has learnt it.
    MoveGuarantee guaranteeFor(const FolderHandle& folder) const;

private:
    int move(int from, const QByteArray& fromName, int to, const QByteArray& toName);

    mutable std::mutex m_mutex;
    // By device number; a device not in here has shown no lack yet.
    QHash<quint64, MoveGuarantee> m_guarantees;
};
