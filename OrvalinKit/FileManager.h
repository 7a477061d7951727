#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Every change that moving and restoring make to the file system goes through one of these, so
// that tests can put faults in the way. Failing operations throw OperationError with a message
// fit for the user.
class FileManager
{
public:
    virtual ~FileManager() = default;

    // Anything at `path`: a file, a folder, or a link (even one pointing nowhere).
    virtual bool exists(const QString& path) const = 0;
    // Whether a folder on the way from `base` to `base`/`relativePath` (base itself and the last
    // component excluded) is a symbolic link, or is missing and so cannot be vouched for.
    virtual bool passesThroughLink(const QString& base, const QString& relativePath) const = 0;
    // Creates the folder and any missing parents.
    virtual void createFolders(const QString& path) = 0;
    // Creates one folder in an existing one; fails when anything is at `path` already, so that
    // two callers can never both think they made it.
    virtual void createFolder(const QString& path) = 0;
    // Moves a file or folder; never replaces anything at `to`, even something that appears
    // between a caller's check and the move.
    virtual void moveWithoutReplacing(const QString& from, const QString& to) = 0;
    // Replaces `path` only once the complete data are on disk.
    virtual void writeAtomically(const QString& path, const QByteArray& data) = 0;
    virtual QByteArray read(const QString& path) const = 0;
    // Names of the folder's direct children, hidden ones included, in listing order.
    virtual QStringList list(const QString& folder) const = 0;
    // Removes a folder that is empty; fails on one that is not.
    virtual void removeEmptyFolder(const QString& path) = 0;
};
