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

using namespace Qt::StringLiterals;

namespace {

// A folder that another thread replaces by a link again and again.
struct Target
{
    QString folder;
    QString link;
};

// Moves the target folder aside, puts a link to a folder outside in its place, then puts the
// folder back; returns whether the link stood.
bool swap(const Target& target, const QString& asidePath)
{
    const QByteArray folder = QFile::encodeName(target.folder);
    const QByteArray aside = QFile::encodeName(asidePath);
    struct stat info;
    if (::lstat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        std::this_thread::yield();
        return false;
    }
    if (::rename(folder.constData(), aside.constData()) != 0)
        return false;
    const bool linked
        = ::symlink(QFile::encodeName(target.link).constData(), folder.constData()) == 0;
    if (linked) {
        std::this_thread::yield();
        ::unlink(folder.constData());
    }
    // Never over a folder made meanwhile: the parked one is counted where it is. FUSE drives
    // have no exclusive rename; there a plain one puts the folder back if its name is still free.
    if (::renameat2(AT_FDCWD, aside.constData(), AT_FDCWD, folder.constData(), RENAME_NOREPLACE)
            != 0
        && errno == EINVAL && ::lstat(folder.constData(), &info) != 0 && errno == ENOENT)
        ::rename(aside.constData(), folder.constData());
    return linked;
}

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
        for (const QString& folder : { u"A"_s, u"B"_s }) {
            for (int i = 0; i < filesPerFolder; ++i) {
                const QString path = u"%1/IMG_%2.JPG"_s.arg(folder).arg(i);
                m_paths.append(path);
                write(shoot() + u'/' + path, path.toUtf8());
                // Decoys outside with the same names: a link followed would reach them.
                write(outside() + u'/' + path, "outside " + path.toUtf8());
            }
        }
        QDir().mkpath(outside() + u"/pushed"_s);
        QDir().mkpath(aside());
        m_outside = contents(outside());
    }

    void run()
    {
        const QString session = shoot() + u"/Orvalin Review/2026-10-05 at 14.03.12"_s;
        const Target shootA { shoot() + u"/A"_s, outside() + u"/A"_s };
        const Target shootB { shoot() + u"/B"_s, outside() + u"/pushed"_s };
        // Moving: a folder of the shoot becomes a link to the decoys (pulling them in), one of
        // the session a link to an empty folder outside (pushing the photos out).
        raced({ shootA, { session + u"/B"_s, outside() + u"/pushed"_s } }, [&] { move(); });
        // Restoring: the other way round.
        const QList<Target> restoreTargets { { session + u"/A"_s, outside() + u"/A"_s }, shootB,
            shootA };
        raced(restoreTargets, [&] { restore(session); });
        // Files the races kept from moving are moved by a second move, and restored again.
        raced({ shootB }, [&] { move(); });
        raced(restoreTargets, [&] { restore(session); });
        const QDir review(shoot() + u"/Orvalin Review"_s);
        for (const QString& name : review.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            restore(review.filePath(name));
        check();
    }

private:
    QString shoot() const { return m_base.path() + u"/shoot"_s; }
    QString outside() const { return m_base.path() + u"/outside"_s; }
    QString aside() const { return m_base.path() + u"/aside"_s; }

    // Runs `action` while another thread swaps the targets for links as fast as it can. When it
    // stops, every folder is back in place, or parked aside when its name was taken meanwhile.
    void raced(const QList<Target>& targets, const std::function<void()>& action)
    {
        std::atomic<bool> stop = false;
        std::thread swapper([&] {
            for (int round = 0; !stop; ++round) {
                for (qsizetype i = 0; i < targets.size() && !stop; ++i)
                    m_report.swaps
                        += swap(targets.at(i), u"%1/%2-%3"_s.arg(aside()).arg(i).arg(round));
            }
        });
        action();
        stop = true;
        swapper.join();
    }

    void move()
    {
        MovePlan plan;
        for (const QString& path : m_paths)
            plan.items.append({ { path, path.toUtf8().size(), FileKind::jpeg }, OrphanGroup::jpeg,
                std::nullopt });
        attempt(u"move: "_s, [&](FileManager& disk) {
            Mover::move(plan, shoot(), u"Orvalin Review"_s, u"Orvalin"_s,
                QDateTime(QDate(2026, 10, 5), QTime(14, 3, 12)), LogWording::english(), disk);
        });
    }

    void restore(const QString& session)
    {
        attempt(u"restore: "_s, [&](FileManager& disk) {
            Mover::restore(session, LogWording::english(), QDateTime::currentDateTime(), disk);
        });
    }

    // A refusal is no fault here; it is noted among the problems all the same.
    void attempt(const QString& what, const std::function<void(FileManager&)>& action)
    {
        LocalFileManager disk;
        try {
            action(disk);
        } catch (const OperationError& error) {
            m_report.problems.append(what + error.message());
        }
    }

    void check()
    {
        // Files changed or new outside, and files gone from there.
        const QMultiHash<QByteArray, QString> outsideNow = contents(outside());
        for (auto it = outsideNow.begin(); it != outsideNow.end(); ++it)
            m_report.outsideTouched += !m_outside.contains(it.key(), it.value());
        m_report.outsideTouched += qMax(0, m_outside.size() - outsideNow.size());
        QMultiHash<QByteArray, QString> kept = contents(shoot());
        kept.unite(contents(aside()));
        for (const QString& path : m_paths) {
            ++m_report.filesChecked;
            if (kept.values(path.toUtf8()).contains(path))
                ++m_report.back;
            else if (!kept.contains(path.toUtf8())) {
                ++m_report.lost;
                m_report.problems.append(u"lost: "_s + path);
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
