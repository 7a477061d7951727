#pragma once

#include "OrphanGroup.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class FileManager;
class FolderHandle;

// Where a session's moved files went.
enum class Destination : quint8
{
    review
};

// A session's "restore-log.json": where every moved file came from and what became of it.
struct RestoreLog
{
    enum class Status : quint8
    {
        // Recorded before the move; the file was not (yet) moved.
        planned,
        // The file is in the session folder.
        moved,
        // The move of this file did not happen.
        failed,
        // Restore put the file back.
        restored,
        // Restore left the file in the session folder because something is at its place now.
        conflict,
    };

    struct Entry
    {
        // Relative path in the scanned folder before the move.
        QString path;
        qint64 size = 0;
        OrphanGroup group = OrphanGroup::raw;
        // For a follower, the relative path of the file it moved with.
        std::optional<QString> follows;
        // Relative path inside the session folder; readers take `path` when absent.
        std::optional<QString> movedTo;
        Status status = Status::planned;
        std::optional<QString> note;

        // movedTo, or path when the log has none.
        const QString& currentPath() const { return movedTo ? *movedTo : path; }

        bool operator==(const Entry&) const = default;
    };

    int version = 1;
    QString app;
    QDateTime created;
    // Absolute path of the scanned folder, without a trailing "/".
    QString rootPath;
    Destination destination = Destination::review;
    QList<Entry> entries;
    std::optional<QDateTime> restored;

    // Files still in the session folder, and their size.
    qsizetype movedCount() const;
    qint64 movedSize() const;
    bool canRestore() const { return movedCount() != 0; }
    // Files that were moved at some time: moved, restored or conflict.
    qsizetype everMovedCount() const;

    // The file's exact bytes: sorted keys, two-space indentation, UTC whole-second dates.
    QByteArray encoded() const;
    // Accepts any valid JSON of the log's shape; throws CodingError for anything else.
    static RestoreLog decoded(const QByteArray& json);

    // A copy in which planned entries whose file sits in `session` are marked moved; an empty
    // reservation of a cut-off move there is not the file.
    RestoreLog reconciled(const FolderHandle& session, const FileManager& fileManager) const;

    static QString rawValue(Status status);
    static std::optional<Status> statusFromRawValue(QStringView text);

    bool operator==(const RestoreLog&) const = default;
};
