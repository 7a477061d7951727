#pragma once

#include "FileManager.h"

#include <QHash>
#include <functional>
#include <mutex>

// The real file system, through open folder descriptors (openat, mkdirat, renameat2).
//
// A move never replaces anything. How that is made sure depends on the file system, learnt from
// its first refusal and kept for the device: an exclusive rename where there is one (the rename
// itself refuses an existing target). Where there is none, a move into a folder of the user's
// makes a hard link, which refuses an existing target too, then drops the old name; on file
// systems without hard links either (exFAT and other FUSE mounts) it copies the file into a name
// taken by an exclusive create, syncs it, checks that the name still holds that very file, and
// only then drops the old name: another program that saves at that name meanwhile keeps its file.
// A move into a session folder, where no other program writes, reserves the name by an exclusive
// create and renames over that reservation, checked to be still the empty file it made.
class LocalFileManager : public FileManager
{
public:
    FolderHandle openFolder(const QString& path) const override;
    std::optional<FolderHandle> openChild(
        const FolderHandle& parent, const QString& name) const override;
    ItemKind kindOf(const FolderHandle& folder, const QString& name) const override;
    ItemInfo infoOf(const FolderHandle& folder, const QString& name) const override;
    bool isOnSameMount(const FolderHandle& one, const FolderHandle& other) const override;
    FolderHandle createFolder(const FolderHandle& parent, const QString& name) override;
    void moveWithoutReplacing(const FolderHandle& from, const QString& fromName,
        const FolderHandle& to, const QString& toName, TargetFolder target) override;
    bool completeMove(const FolderHandle& from, const QString& fromName, const FolderHandle& to,
        const QString& toName) override;
    void writeAtomically(
        const FolderHandle& folder, const QString& name, const QByteArray& data) override;
    QByteArray read(const FolderHandle& folder, const QString& name, qint64 limit) const override;
    QStringList list(const FolderHandle& folder) const override;
    void removeEmptyFolder(const FolderHandle& parent, const QString& name) override;
    void removeEmptyFile(const FolderHandle& folder, const QString& name) override;
    std::optional<FolderLock> tryLock(const FolderHandle& folder) override;
    FolderLock lock(const FolderHandle& folder) override;

    // The ways of moving without replacing, strongest first.
    enum class MoveGuarantee
    {
        exclusiveRename,
        hardLink,
        reservation,
    };
    // The way moves into `folder`'s file system take, as far as this object has learnt it.
    MoveGuarantee guaranteeFor(const FolderHandle& folder) const;
    // Moves as if no file system offered more than `strongest`, so that the ways meant for
    // weaker file systems can be run, and tried out, on any disk.
    void presume(MoveGuarantee strongest);

    // The steps of a move that the process may be killed between, each named before its system
    // call is made.
    enum class MoveStep
    {
        renameExclusively,
        link,
        reserve,
        renameOverReservation,
        copy,
        sync,
        dropSource,
    };
    // Called before every step of every move; a test may throw from it to stand for a kill.
    void beforeEachStep(std::function<void(MoveStep)> hook);

private:
    int move(int from, const QByteArray& fromName, int to, const QByteArray& toName,
        TargetFolder target);
    MoveGuarantee startingGuarantee(int folder, std::optional<quint64>& device) const;
    std::optional<FolderLock> lockFolder(const FolderHandle& folder, bool wait);

    mutable std::mutex m_mutex;
    // By device number; a device not in here has shown no lack yet.
    QHash<quint64, MoveGuarantee> m_guarantees;
    MoveGuarantee m_presumed = MoveGuarantee::exclusiveRename;
    std::function<void(MoveStep)> m_beforeStep;
};
