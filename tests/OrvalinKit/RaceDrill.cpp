#include "RaceDrill.h"

#include "LocalFileManager.h"
#include "Mover.h"
#include "OperationError.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A folder that another thread replaces by a link again and again.
struct Target
{
    QString folder;
    QString link;
};

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// Moves each target folder out of the shoot, puts a link to a folder outside in its place,
// then puts the folder back, until stopped.
class Swapper
{
public:
    Swapper(QList<Target> targets, QString aside)
        : m_targets(std::move(targets))
        , m_aside(std::move(aside))
        , m_thread([this] { run(); })
    {
    }

    // Stops and waits; every folder is back in place, or parked in the aside folder when its
    // name was taken meanwhile.
    qint64 stop()
    {
        m_stop = true;
        m_thread.join();
        return m_swaps;
    }

private:
    void run()
    {
        for (int round = 0; !m_stop; ++round) {
            for (qsizetype i = 0; i < m_targets.size() && !m_stop; ++i)
                swap(m_targets.at(i), QStringLiteral("%1/%2-%3").arg(m_aside).arg(i).arg(round));
        }
    }

    void swap(const Target& target, const QString& aside)
    {
        const QByteArray folder = native(target.folder);
        struct stat info;
        if (::lstat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
            return std::this_thread::yield();
        if (::rename(folder.constData(), native(aside).constData()) != 0)
            return;
        if (::symlink(native(target.link).constData(), folder.constData()) == 0) {
            ++m_swaps;
            std::this_thread::yield();
            ::unlink(folder.constData());
        }
        // Never over a folder made meanwhile: the parked one is counted where it is.
        ::renameat2(AT_FDCWD, native(aside).constData(), AT_FDCWD, folder.constData(),
            RENAME_NOREPLACE);
    }

    QList<Target> m_targets;
    QString m_aside;
    std::atomic<bool> m_stop { false };
    qint64 m_swaps = 0;
    std::thread m_thread;
};

void write(const QString& path, const QByteArray& content)
{
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

// Content by relative path of every file below `folder`, never entering a link.
QMultiHash<QByteArray, QString> contents(const QString& folder)
{
    QMultiHash<QByteArray, QString> result;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        result.insert(file.readAll(), path.mid(folder.size() + 1));
    }
    return result;
}

class Round
{
public:
    Round(int filesPerFolder, RaceDrillReport& report)
        : m_report(report)
    {
        for (const QString& folder : { QStringLiteral("A"), QStringLiteral("B") }) {
            for (int i = 0; i < filesPerFolder; ++i) {
                const QString path = QStringLiteral("%1/IMG_%2.JPG").arg(folder).arg(i);
                m_paths.append(path);
                write(shoot() + u'/' + path, path.toUtf8());
                // Decoys outside with the same names: a link followed would reach them.
                write(outside() + u'/' + path, "outside " + path.toUtf8());
            }
        }
        QDir().mkpath(outside() + QStringLiteral("/pushed"));
        QDir().mkpath(aside());
        m_outside = contents(outside());
    }

    void run()
    {
        const QString session
            = shoot() + QStringLiteral("/Orvalin Review/2026-10-05 at 14.03.12");
        // Moving: a folder of the shoot becomes a link to the decoys (pulling them in), one of
        // the session a link to an empty folder outside (pushing the photos out).
        raced({ { shoot() + QStringLiteral("/A"), outside() + QStringLiteral("/A") },
                  { session + QStringLiteral("/B"), outside() + QStringLiteral("/pushed") } },
            [&] { move(); });
        // Restoring: the other way round.
        const QList<Target> restoreTargets {
            { session + QStringLiteral("/A"), outside() + QStringLiteral("/A") },
            { shoot() + QStringLiteral("/B"), outside() + QStringLiteral("/pushed") },
            { shoot() + QStringLiteral("/A"), outside() + QStringLiteral("/A") },
        };
        raced(restoreTargets, [&] { restore(session); });
        // Files the races kept from moving are moved by a second move, and restored again.
        raced({ { shoot() + QStringLiteral("/B"), outside() + QStringLiteral("/pushed") } },
            [&] { move(); });
        raced(restoreTargets, [&] { restore(session); });
        for (const QString& name : QDir(shoot() + QStringLiteral("/Orvalin Review"))
                                       .entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            restore(shoot() + QStringLiteral("/Orvalin Review/") + name);
        check();
    }

private:
    QString shoot() const { return m_base.path() + QStringLiteral("/shoot"); }
    QString outside() const { return m_base.path() + QStringLiteral("/outside"); }
    QString aside() const { return m_base.path() + QStringLiteral("/aside"); }

    void raced(const QList<Target>& targets, const std::function<void()>& action)
    {
        Swapper swapper(targets, aside());
        action();
        m_report.swaps += swapper.stop();
    }

    void move()
    {
        MovePlan plan;
        for (const QString& path : m_paths)
            plan.items.append({ { path, path.toUtf8().size(), FileKind::jpeg }, OrphanGroup::jpeg,
                std::nullopt });
        LocalFileManager disk;
        try {
            Mover::move(plan, shoot(), QStringLiteral("Orvalin Review"),
                QStringLiteral("Orvalin"), QDateTime(QDate(2026, 10, 5), QTime(14, 3, 12)),
                LogWording::english(), disk);
        } catch (const OperationError& error) {
            m_report.problems.append(QStringLiteral("move: ") + error.message());
        }
    }

    void restore(const QString& session)
    {
        LocalFileManager disk;
        try {
            Mover::restore(session, LogWording::english(), QDateTime::currentDateTime(), disk);
        } catch (const OperationError& error) {
            m_report.problems.append(QStringLiteral("restore: ") + error.message());
        }
    }

    void check()
    {
        const QMultiHash<QByteArray, QString> outsideNow = contents(outside());
        if (outsideNow != m_outside) {
            for (auto it = outsideNow.begin(); it != outsideNow.end(); ++it) {
                if (m_outside.value(it.key()) != it.value())
                    ++m_report.outsideTouched;
            }
            m_report.outsideTouched += qMax(0, m_outside.size() - outsideNow.size());
            m_report.problems.append(QStringLiteral("outside changed"));
        }
        QMultiHash<QByteArray, QString> kept = contents(shoot());
        kept.unite(contents(aside()));
        for (const QString& path : m_paths) {
            ++m_report.filesChecked;
            if (kept.values(path.toUtf8()).contains(path))
                ++m_report.back;
            else if (!kept.contains(path.toUtf8())) {
                ++m_report.lost;
                m_report.problems.append(QStringLiteral("lost: ") + path);
            }
        }
    }

    RaceDrillReport& m_report;
    QTemporaryDir m_base;
    QStringList m_paths;
    QMultiHash<QByteArray, QString> m_outside;
};

} // namespace

namespace RaceDrill {

RaceDrillReport run(int rounds, int filesPerFolder)
{
    RaceDrillReport report;
    for (int i = 0; i < rounds; ++i) {
        Round(filesPerFolder, report).run();
        ++report.rounds;
    }
    return report;
}

} // namespace RaceDrill
