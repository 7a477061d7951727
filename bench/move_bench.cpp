// Moving and restoring end to end through orvalin-cli, against bare renames of the same files.
//
// `orvalin-cli move --tick raw` scans the tree, plans, writes both logs and moves every file
// into a new session; `orvalin-cli restore --all` lists the sessions and puts every file back.
// The baseline renames the same files with renameat between open folders, making the target
// folders first: to a session-like folder for the move, and back for the restore. Both run on
// the same tree in the same run, alternately; the median run counts. The log encoding is timed
// on its own as well, and the listing of many sessions.
//
// usage: move_bench [runs at 50,000 files] [runs at 200,000 files]

#include "LocalFileManager.h"
#include "Mover.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int filesPerFolder = 200;
constexpr int sessionCount = 50;
constexpr int entriesPerSession = 2000;
const QString reviewName = QStringLiteral("Orvalin Review");

double seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

QString folderName(int folder)
{
    return QStringLiteral("Shoot %1").arg(folder, 4, 10, QChar(u'0'));
}

QString fileName(int file)
{
    return QStringLiteral("IMG_%1.CR3").arg(file, 6, 10, QChar(u'0'));
}

int folderCount(int files)
{
    return (files + filesPerFolder - 1) / filesPerFolder;
}

void makeTree(const QString& root, int files)
{
    QDir(root).removeRecursively();
    for (int folder = 0; folder < folderCount(files); ++folder)
        QDir().mkpath(root + u'/' + folderName(folder));
    for (int i = 0; i < files; ++i) {
        const QByteArray path
            = QFile::encodeName(root + u'/' + folderName(i / filesPerFolder) + u'/' + fileName(i));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            std::perror(path.constData());
        else
            ::close(fd);
    }
}

int openFolder(const QString& path)
{
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// Renames every file from one tree to the other between open folders, making the target folders
// first. Returns the number of files renamed.
int bareRenames(const QString& from, const QString& to, int files)
{
    ::mkdir(QFile::encodeName(to).constData(), 0777);
    int renamed = 0;
    for (int folder = 0; folder < folderCount(files); ++folder) {
        const QString name = folderName(folder);
        ::mkdir(QFile::encodeName(to + u'/' + name).constData(), 0777);
        const int source = openFolder(from + u'/' + name);
        const int target = openFolder(to + u'/' + name);
        const int last = std::min(files, (folder + 1) * filesPerFolder);
        for (int i = folder * filesPerFolder; i < last; ++i) {
            const QByteArray file = QFile::encodeName(fileName(i));
            if (::renameat(source, file.constData(), target, file.constData()) == 0)
                ++renamed;
        }
        ::close(source);
        ::close(target);
    }
    return renamed;
}

int runCli(const QStringList& arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(ORVALIN_CLI_PATH), arguments);
    process.waitForFinished(-1);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

struct Timing
{
    double measured = 0;
    double baseline = 0;
    double ratio() const { return measured / baseline; }
};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

struct Summary
{
    double medianSeconds = 0;
    double medianRatio = 0;
};

Summary report(const char* what, int files, const QList<Timing>& timings)
{
    QList<double> ratios;
    QList<double> measured;
    for (const Timing& timing : timings) {
        ratios.append(timing.ratio());
        measured.append(timing.measured);
        std::printf("  %-8s %7d files  %7.3f s   bare renames %7.3f s   ratio %5.2fx\n", what,
            files, timing.measured, timing.baseline, timing.ratio());
    }
    const Summary summary { median(measured), median(ratios) };
    std::printf("%-8s %7d files: median ratio %5.2fx (range %.2f-%.2fx; target 2x)\n", what, files,
        summary.medianRatio, *std::min_element(ratios.begin(), ratios.end()),
        *std::max_element(ratios.begin(), ratios.end()));
    return summary;
}

struct SizeResult
{
    Summary move;
    Summary restore;
};

SizeResult benchEndToEnd(const QString& base, int files, int runs)
{
    const QString root = base + QStringLiteral("/Shoots");
    const QString bare = base + QStringLiteral("/Bare session");
    std::printf("\n%d files in %d folders, %d runs\n", files, folderCount(files), runs);
    std::fflush(stdout);
    makeTree(root, files);
    QList<Timing> moves;
    QList<Timing> restores;
    for (int run = 0; run < runs; ++run) {
        Timing move;
        Timing restore;
        QDir(bare).removeRecursively();
        int renamed = 0;
        move.baseline = seconds([&] { renamed = bareRenames(root, bare, files); });
        restore.baseline = seconds([&] { renamed += bareRenames(bare, root, files); });
        if (renamed != 2 * files)
            std::fprintf(stderr, "bare renames: %d of %d\n", renamed, 2 * files);

        move.measured = seconds([&] {
            if (runCli({ QStringLiteral("move"), QStringLiteral("--no-only-mixed-folders"),
                    QStringLiteral("--tick"), QStringLiteral("raw"), root })
                != 0)
                std::fprintf(stderr, "move failed\n");
        });
        restore.measured = seconds([&] {
            if (runCli({ QStringLiteral("restore"), root, QStringLiteral("--all") }) != 0)
                std::fprintf(stderr, "restore failed\n");
        });
        if (QDir(root + u'/' + folderName(0)).entryList(QDir::Files).size()
            != std::min(files, filesPerFolder))
            std::fprintf(stderr, "not every file came back\n");
        QDir(root + u'/' + reviewName).removeRecursively();
        moves.append(move);
        restores.append(restore);
    }
    return { report("move", files, moves), report("restore", files, restores) };
}

void reportScaling(
    const char* what, const Summary& small, int smallFiles, const Summary& large, int largeFiles)
{
    const double perFile = (large.medianSeconds / largeFiles) / (small.medianSeconds / smallFiles);
    std::printf("%-8s time per file at %d over %d files: %.2fx (target at most 1.2x)\n", what,
        largeFiles, smallFiles, perFile);
}

// What encoding and decoding a large log costs, next to writing its bytes.
void benchLogCoding(const QString& base, int files)
{
    RestoreLog log { 1, QStringLiteral("Orvalin"), QDateTime::currentDateTimeUtc(),
        base + QStringLiteral("/Shoots"), Destination::review, {}, std::nullopt };
    for (int i = 0; i < files; ++i) {
        const QString path = folderName(i / filesPerFolder) + u'/' + fileName(i);
        log.entries.append({ path, 25'000'000, OrphanGroup::raw, std::nullopt, path,
            RestoreLog::Status::moved, std::nullopt });
    }
    QByteArray json;
    QByteArray text;
    RestoreLog decoded;
    const double encodeJson = seconds([&] { json = log.encoded(); });
    const double encodeText
        = seconds([&] { text = Mover::text(log, base, LogWording::english()).toUtf8(); });
    const double decode = seconds([&] { decoded = RestoreLog::decoded(json); });
    LocalFileManager disk;
    const double write = seconds([&] {
        disk.writeAtomically(base + u'/' + Mover::logName(), json);
        disk.writeAtomically(base + u'/' + Mover::textLogName(), text);
    });
    if (!(decoded == log))
        std::fprintf(stderr, "the log does not read back as written\n");
    std::printf("\nlog of %d entries (%.1f MB JSON, %.1f MB text): encode JSON %.3f s, text %.3f "
                "s, decode JSON %.3f s, write both with fsync %.3f s\n",
        files, json.size() / 1e6, text.size() / 1e6, encodeJson, encodeText, decode, write);
}

void benchSessions(const QString& base)
{
    const QString root = base + QStringLiteral("/Listed");
    RestoreLog log;
    log.app = QStringLiteral("Orvalin");
    log.rootPath = root;
    for (int i = 0; i < entriesPerSession; ++i) {
        const QString path = folderName(i / filesPerFolder) + u'/' + fileName(i);
        log.entries.append({ path, 25'000'000, OrphanGroup::raw, std::nullopt, path,
            RestoreLog::Status::moved, std::nullopt });
    }
    LocalFileManager disk;
    for (int s = 0; s < sessionCount; ++s) {
        log.created = QDateTime::currentDateTimeUtc().addSecs(-s * 60);
        const QString session = root + u'/' + reviewName + QStringLiteral("/session %1").arg(s);
        disk.createFolders(session);
        disk.writeAtomically(session + u'/' + Mover::logName(), log.encoded());
    }
    double best = 1e9;
    qsizetype listed = 0;
    for (int run = 0; run < 5; ++run)
        best = std::min(
            best, seconds([&] { listed = Mover::sessions(root, reviewName, disk).size(); }));
    std::printf("Mover::sessions, %lld sessions of %d entries: %.3f s (target under 0.5 s)\n",
        qlonglong(listed), entriesPerSession, best);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int smallRuns = arguments.size() > 1 ? arguments.at(1).toInt() : 5;
    const int largeRuns = arguments.size() > 2 ? arguments.at(2).toInt() : 3;
    QTemporaryDir base;
    if (!base.isValid())
        return 1;
    constexpr int small = 50'000;
    constexpr int large = 200'000;
    const SizeResult smallResult = benchEndToEnd(base.path(), small, smallRuns);
    const SizeResult largeResult = benchEndToEnd(base.path(), large, largeRuns);
    std::printf("\n");
    reportScaling("move", smallResult.move, small, largeResult.move, large);
    reportScaling("restore", smallResult.restore, small, largeResult.restore, large);
    benchLogCoding(base.path(), large);
    benchSessions(base.path());
    return 0;
}
