#pragma once

#include "FolderHandle.h"
#include "FolderLock.h"
#include "ItemInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Every change that moving and restoring make to the file system goes through one of these, so
// that tests can put faults in the way. Work below a folder starts from an open FolderHandle and
// goes one name at a time: a `name` is a single component (no "/", never "", "." or ".."), so
// that no path is resolved twice and no link is followed below a folder the caller opened.
// Failing operations throw OperationError with a message fit for the user.
class FileManager
{
public:
    // Who else writes in the folder a file is moved into. On file systems with neither an
    // exclusive rename nor hard links this decides how a move makes sure it replaces nothing.
    enum class TargetFolder
    {
        // The user's folders, where any program may save a file at any moment.
        shared,
        // A session folder: written by this application alone, one move or restore at a time.
        ownOnly,
    };

    virtual ~FileManager() = default;

    // Opens a folder the user chose by its path, such as the scanned folder; links on that path
    // are followed, as the user saw them.
    virtual FolderHandle openFolder(const QString& path) const = 0;
    // Opens the folder `name` of `parent` without following a link: nothing when nothing is
    // there, or a link, a file or anything else that is not a real folder.
    virtual std::optional<FolderHandle> openChild(
        const FolderHandle& parent, const QString& name) const = 0;
    virtual ItemKind kindOf(const FolderHandle& folder, const QString& name) const = 0;
    // The kind, size and identity of what stands at `name`; kind none when nothing is there.
    virtual ItemInfo infoOf(const FolderHandle& folder, const QString& name) const = 0;
    // Whether a rename can go from one folder to the other: the same mounted file system.
    virtual bool isOnSameMount(const FolderHandle& one, const FolderHandle& other) const = 0;
    // Creates one folder and opens it; fails when anything is at `name` already, so that two
    // callers can never both think they made it.
    virtual FolderHandle createFolder(const FolderHandle& parent, const QString& name) = 0;
    // Moves a file or folder; never replaces anything at the target, even something that
    // appears between a caller's check and the move.
    virtual void moveWithoutReplacing(const FolderHandle& from, const QString& fromName,
        const FolderHandle& to, const QString& toName, TargetFolder target)
        = 0;
    // Finishes a move of `fromName` to `toName` that was cut off, where what stands at `toName`
    // is provably that move's own unfinished work: the very same file (a hard link made, the old
    // name not dropped yet), or a regular file holding the first bytes of `fromName`, all of
    // them or fewer (a copy begun). The rest is copied in and the old name dropped. False, with
    // nothing changed, when `toName` holds anything else, or either name holds nothing.
    virtual bool completeMove(const FolderHandle& from, const QString& fromName,
        const FolderHandle& to, const QString& toName)
        = 0;
    // Replaces `name` only once the complete data are on disk.
    virtual void writeAtomically(
        const FolderHandle& folder, const QString& name, const QByteArray& data)
        = 0;
    // Reads a regular file of at most `limit` bytes. A link, a FIFO, a device or a bigger file
    // fails rather than block, follow the link or fill the memory.
    virtual QByteArray read(
        const FolderHandle& folder, const QString& name, qint64 limit) const = 0;
    // Names of the folder's direct children, hidden ones included, in listing order.
    virtual QStringList list(const FolderHandle& folder) const = 0;
    // Removes a folder that is empty; fails on one that is not, and on a link.
    virtual void removeEmptyFolder(const FolderHandle& parent, const QString& name) = 0;
    // Removes an empty regular file: the reservation a cut-off move left in a folder only this
    // application writes. Fails on anything else.
    virtual void removeEmptyFile(const FolderHandle& folder, const QString& name) = 0;
    // The advisory lock on `folder` that every process shares, or nothing when another holder
    // has it now. A file system that keeps no locks gives one that excludes nobody.
    virtual std::optional<FolderLock> tryLock(const FolderHandle& folder) = 0;
    // The same lock, waiting for as long as another holder has it.
    virtual FolderLock lock(const FolderHandle& folder) = 0;
};
