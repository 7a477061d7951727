#pragma once

#include "MovePlan.h"
#include "Mover.h"
#include "TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

// Writes a file at an absolute path, making its folders.
inline void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

// A scanned folder in a temporary place, with the helpers the move and restore tests share.
struct ShootFolder
{
    TempFolder folder;

    QString root() const { return folder.path(); }
    static QString reviewName() { return QStringLiteral("Orvalin Review"); }

    // A file whose content is its own path, so that a test can tell every file apart.
    void add(const QString& path) { folder.write(path, path.toUtf8()); }
    bool holds(const QString& path) const { return readFile(folder.at(path)) == path.toUtf8(); }

    // One ticked item per path, each in the group of its kind.
    static MovePlan plan(const QStringList& paths)
    {
        MovePlan plan;
        for (const QString& path : paths) {
            const FileKind kind = FileKinds::fromExtension(RelativePath::extension(path));
            const OrphanGroup group = kind == FileKind::raw ? OrphanGroup::raw
                : kind == FileKind::sidecar                 ? OrphanGroup::sidecar
                                                            : OrphanGroup::jpeg;
            plan.items.append({ { path, path.toUtf8().size(), kind }, group, std::nullopt });
        }
        return plan;
    }

    static QDateTime at(int hour, int minute, int second, int day = 5)
    {
        return QDateTime(QDate(2026, 10, day), QTime(hour, minute, second));
    }

    MoveOutcome move(const QStringList& paths, FileManager& fileManager,
        const QDateTime& now = at(14, 3, 12)) const
    {
        return Mover::move(plan(paths), root(), reviewName(), QStringLiteral("Orvalin"), now,
            LogWording::english(), fileManager);
    }
};
