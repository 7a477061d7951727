// Moving, restoring and listing sessions, against the bare renames of the same files.
//
// The whole move checks every file before and after, makes the session's folders and rewrites
// both logs every 500 files; the baseline only renames. Both run on the same tree, rebuilt
// before every run; the median run counts.

#include "LocalFileManager.h"
#include "Mover.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <sys/stat.h>

namespace {

constexpr int fileCount = 20000;
constexpr int filesPerFolder = 200;
constexpr int sessionCount = 50;
constexpr int entriesPerSession = 2000;
constexpr int runs = 5;
const QString reviewName = QStringLiteral("Orvalin Review");

QStringList relativePaths()
{
    QStringList paths;
    for (int i = 0; i < fileCount; ++i)
        paths.append(QStringLiteral("Shoot %1/IMG_%2.CR3")
                         .arg(i / filesPerFolder)
                         .arg(i, 5, 10, QChar(u'0')));
    return paths;
}

void makeTree(const QString& root, const QStringList& paths)
{
    QDir(root).removeRecursively();
    for (int folder = 0; folder * filesPerFolder < fileCount; ++folder)
        QDir().mkpath(root + QStringLiteral("/Shoot %1").arg(folder));
    for (const QString& path : paths) {
        QFile file(root + u'/' + path);
        if (!file.open(QIODevice::WriteOnly))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
}

MovePlan planOf(const QStringList& paths)
{
    MovePlan plan;
    for (const QString& path : paths)
        plan.items.append({ { path, 25'000'000, FileKind::raw }, OrphanGroup::raw, std::nullopt });
    return plan;
}

double seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Renames every file between two roots, making the target folders first.
void bareRenames(const QString& from, const QString& to, const QStringList& paths)
{
    QDir().mkpath(to);
    for (int folder = 0; folder * filesPerFolder < fileCount; ++folder)
        ::mkdir(QFile::encodeName(to + QStringLiteral("/Shoot %1").arg(folder)).constData(), 0777);
    for (const QString& path : paths) {
        if (std::rename(QFile::encodeName(from + u'/' + path).constData(),
                QFile::encodeName(to + u'/' + path).constData())
            != 0)
            std::perror("rename");
    }
}

struct Timing
{
    double measured = 0;
    double baseline = 0;
    double ratio() const { return measured / baseline; }
};

// The median run by ratio: the machine is shared, and a run disturbed by other work on the
// disk says little.
void report(const char* what, QList<Timing> timings)
{
    std::sort(timings.begin(), timings.end(),
        [](const Timing& a, const Timing& b) { return a.ratio() < b.ratio(); });
    for (const Timing& timing : timings)
        std::printf("  %-16s %7.3f s   bare renames %7.3f s   ratio %5.2fx\n", what,
            timing.measured, timing.baseline, timing.ratio());
    std::printf(
        "%-18s median ratio %5.2fx (target 2x)\n", what, timings.at(timings.size() / 2).ratio());
}

// What the log writes alone cost: a move rewrites both logs, complete, before the first file,
// after every 500 files and at the end.
void reportLogWrites(const QString& base, const RestoreLog& log)
{
    const QString folder = base + QStringLiteral("/log writes");
    LocalFileManager disk;
    QDir().mkpath(folder);
    const FolderHandle handle = disk.openFolder(folder);
    const QByteArray json = log.encoded();
    const QByteArray text = Mover::text(log, folder, LogWording::english()).toUtf8();
    const int writes = fileCount / 500 + 2;
    const double spent = seconds([&] {
        for (int i = 0; i < writes; ++i) {
            disk.writeAtomically(handle, Mover::logName(), json);
            disk.writeAtomically(handle, Mover::textLogName(), text);
        }
    });
    std::printf("  of which %d writes of both logs (%.1f MB each time): about %.3f s\n", writes,
        (json.size() + text.size()) / 1e6, spent);
}

void benchMoveAndRestore(const QString& base)
{
    const QStringList paths = relativePaths();
    const MovePlan plan = planOf(paths);
    const QString root = base + QStringLiteral("/Shoots");
    LocalFileManager disk;

    std::printf("%d files in %d folders, %d runs\n", fileCount, fileCount / filesPerFolder, runs);
    QList<Timing> moves;
    QList<Timing> restores;
    RestoreLog finalLog;
    for (int run = 0; run < runs; ++run) {
        makeTree(root, paths);
        const QString session = root + QStringLiteral("/bare session");
        Timing move;
        Timing restore;
        move.baseline = seconds([&] { bareRenames(root, session, paths); });
        restore.baseline = seconds([&] { bareRenames(session, root, paths); });

        makeTree(root, paths);
        MoveOutcome outcome;
        const QDateTime now = QDateTime::currentDateTime().addSecs(run);
        move.measured = seconds([&] {
            outcome = Mover::move(plan, root, reviewName, QStringLiteral("Orvalin"), now,
                LogWording::english(), disk);
        });
        if (outcome.moved() != fileCount)
            std::fprintf(stderr, "moved only %lld files\n", qlonglong(outcome.moved()));
        RestoreOutcome restored;
        restore.measured = seconds(
            [&] { restored = Mover::restore(outcome.session, LogWording::english(), now, disk); });
        if (restored.restored != fileCount)
            std::fprintf(stderr, "restored only %d files\n", restored.restored);
        benchmark::DoNotOptimize(restored);
        moves.append(move);
        restores.append(restore);
        if (run == 0)
            finalLog = outcome.log;
    }
    report("Mover::move", moves);
    reportLogWrites(base, finalLog);
    report("Mover::restore", restores);
}

void benchSessions(const QString& base)
{
    const QString root = base + QStringLiteral("/Listed");
    RestoreLog log;
    log.app = QStringLiteral("Orvalin");
    log.rootPath = root;
    for (int i = 0; i < entriesPerSession; ++i) {
        const QString path = QStringLiteral("Shoot %1/IMG_%2.CR3").arg(i / filesPerFolder).arg(i);
        log.entries.append({ path, 25'000'000, OrphanGroup::raw, std::nullopt, path,
            RestoreLog::Status::moved, std::nullopt });
    }
    LocalFileManager disk;
    for (int s = 0; s < sessionCount; ++s) {
        log.created = QDateTime::currentDateTimeUtc().addSecs(-s * 60);
        const QString session = root + u'/' + reviewName + QStringLiteral("/session %1").arg(s);
        QDir().mkpath(session);
        disk.writeAtomically(disk.openFolder(session), Mover::logName(), log.encoded());
    }
    double best = 1e9;
    qsizetype listed = 0;
    for (int run = 0; run < runs; ++run)
        best = std::min(
            best, seconds([&] { listed = Mover::sessions(root, reviewName, disk).size(); }));
    std::printf("Mover::sessions, %lld sessions of %d entries: %.3f s (target under 0.5 s)\n",
        qlonglong(listed), entriesPerSession, best);
}

} // namespace

int main()
{
    QTemporaryDir base;
    if (!base.isValid())
        return 1;
    benchMoveAndRestore(base.path());
    benchSessions(base.path());
    return 0;
}
