#pragma once

#include "FileKind.h"
#include "RelativePath.h"

#include <QHashFunctions>
#include <QJsonObject>
#include <QString>

// One file found by a scan: where it is below the scanned folder, how big, and what it is.
struct FileEntry
{
    // Components joined by "/", no leading "/", in the Unicode form the file system reported.
    QString relativePath;
    qint64 size = 0;
    FileKind kind = FileKind::other;

    // The identity of the file within one scan, and in the set of ticked files.
    const QString& id() const { return relativePath; }
    // "IMG_1.CR3" for "2026-10 Garden/IMG_1.CR3".
    QString name() const;
    // "2026-10 Garden" for "2026-10 Garden/IMG_1.CR3"; empty for a file in the scanned folder.
    QString folder() const;
    // The text after the last "." of the name, as written; empty when there is none.
    QString ext() const;

    QJsonObject toJson() const;
    // Throws CodingError when a key is missing or the kind is unknown.
    static FileEntry fromJson(const QJsonObject& object);

    bool operator==(const FileEntry&) const = default;
};

// Lists of a few hundred thousand entries grow by moving memory rather than entry by entry.
Q_DECLARE_TYPEINFO(FileEntry, Q_RELOCATABLE_TYPE);

inline size_t qHash(const FileEntry& entry, size_t seed = 0) noexcept
{
    return qHashMulti(seed, entry.relativePath, entry.size, entry.kind);
}
