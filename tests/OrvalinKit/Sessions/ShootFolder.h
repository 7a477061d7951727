#pragma once

#include "MovePlan.h"
#include "Mover.h"
#include "TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

// Whether a program ran and ended well; its output, trimmed, when asked for.
inline bool runs(const QString& program, const QStringList& arguments, QString* output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool done = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return done;
}

// Every name in a folder, hidden ones too, sorted.
inline QStringList contentsOf(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden, QDir::Name);
}

// Lets a failed comparison of restore outcomes name the files and why.
inline void PrintTo(const RestoreFailure& failure, std::ostream* out)
{
    *out << failure.path.toStdString() << " (" << int(failure.reason)
         << "): " << failure.note.toStdString();
}

// An entry of a restore log, with no note and following no file.
inline RestoreLog::Entry entry(const QString& path, const std::optional<QString>& movedTo,
    RestoreLog::Status status = RestoreLog::Status::planned, qint64 size = 1,
    OrphanGroup group = OrphanGroup::jpeg)
{
    return { path, size, group, std::nullopt, movedTo, status, std::nullopt };
}

inline QString textLogOf(const QString& session)
{
    return QString::fromUtf8(readFile(session + u'/' + Mover::textLogName()));
}

// A scanned folder in a temporary place, with the helpers the move and restore tests share.
struct ShootFolder
{
    TempFolder folder;

    // A file whose content is its own path, so that a test can tell every file apart.
    explicit ShootFolder(const QStringList& paths = {}) { add(paths); }
    void add(const QString& path) { folder.write(path, path.toUtf8()); }
    void add(const QStringList& paths)
    {
        for (const QString& path : paths)
            add(path);
    }
    bool holds(const QString& path) const { return readFile(folder.at(path)) == path.toUtf8(); }
    // Every one of `paths` is its own photo at its own place.
    void expectHome(const QStringList& paths) const
    {
        for (const QString& path : paths)
            EXPECT_TRUE(holds(path)) << "not the photo at " << path.toStdString();
    }

    QString root() const { return folder.path(); }
    QString at(const QString& path) const { return folder.at(path); }
    static QString reviewName() { return QStringLiteral("Orvalin Review"); }

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

    static RestoreOutcome restore(const QString& session, FileManager& fileManager,
        const QDateTime& now = at(16, 0, 0), const ReviewLock::Waiting& waiting = {})
    {
        return Mover::restore(session, LogWording::english(), now, fileManager, waiting);
    }

    QList<ReviewSession> sessions(FileManager& fileManager) const
    {
        return Mover::sessions(root(), reviewName(), fileManager);
    }
};
