// Times Scanner::scan on a large tree of shoots against find(1) listing the same tree with sizes,
// the fastest plain walk the system has at hand.
//
//   scan_bench [FOLDER]   builds the tree in FOLDER (once; later runs reuse it), else in a
//                         temporary folder that is removed afterwards.

#include "Analyzer.h"
#include "Scanner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int topFolders = 100;
constexpr int subfoldersEach = 19; // 100 + 100 * 19 = 2,000 folders
constexpr int filesPerFolder = 100; // 200,000 files
constexpr int repetitions = 7;

using Clock = std::chrono::steady_clock;

// Camera pairs, lone halves and sidecars, in the proportions of a culled shoot.
const char* nameFor(int index, char* buffer, size_t size)
{
    static const char* const patterns[] = { "IMG_%04d.CR3", "IMG_%04d.JPG", "IMG_%04d.CR3",
        "IMG_%04d.JPG", "DSC_%04d.NEF", "DSC_%04d.NEF.xmp", "IMG_%04d.HEIC", "IMG_%04d.xmp",
        "_MG_%04d.CR2", "IMG_%04d.CR3.dop" };
    std::snprintf(buffer, size, patterns[index % 10], index / 2);
    return buffer;
}

void writeFolder(const QByteArray& folder, int seed)
{
    ::mkdir(folder.constData(), 0755);
    char name[64];
    for (int i = 0; i < filesPerFolder; ++i) {
        const QByteArray path = folder + '/' + nameFor(i, name, sizeof name);
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        if (fd < 0) {
            std::perror(path.constData());
            std::exit(1);
        }
        // Sparse sizes: the walk reports them without any data on disk.
        if ((i + seed) % 3 == 0 && ::ftruncate(fd, off_t(1 + (i * 7919 + seed) % 30'000'000)) != 0)
            std::perror("ftruncate");
        ::close(fd);
    }
}

void generateTree(const QString& tree)
{
    std::printf("writing %d files in %d folders to %s ...\n",
        topFolders * (1 + subfoldersEach) * filesPerFolder, topFolders * (1 + subfoldersEach),
        qPrintable(tree));
    std::fflush(stdout);
    QDir().mkpath(tree);
    const QByteArray root = QFile::encodeName(tree);
    for (int top = 0; top < topFolders; ++top) {
        const QByteArray shoot = root + '/' + QByteArray::number(2000 + top / 12) + '-'
            + QByteArray::number(1 + top % 12) + " Shoot " + QByteArray::number(top);
        writeFolder(shoot, top);
        for (int sub = 0; sub < subfoldersEach; ++sub)
            writeFolder(shoot + "/Card " + QByteArray::number(sub), top * 31 + sub);
    }
}

double secondsOf(const std::function<void()>& work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void runFind(const QString& tree)
{
    const QByteArray root = QFile::encodeName(tree);
    const char* arguments[]
        = { "find", root.constData(), "-type", "f", "-printf", "%s %p\n", nullptr };
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "find", &actions, nullptr, const_cast<char**>(arguments), environ)
        != 0) {
        std::perror("find");
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

// The analysis of what the scan found, which should take at most half the scan's time.
double timeAnalyzer(const QList<FileEntry>& entries)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i)
        times.push_back(secondsOf([&] { Analyzer::analyze(entries, MatchOptions()); }));
    const double analysis = median(times);
    std::printf("Analyzer::analyze  %8.1f ms (median of %d)\n", 1000 * analysis, repetitions);
    return analysis;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir temporary;
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    const QString tree = base + QStringLiteral("/tree");
    const QString complete = base + QStringLiteral("/tree.complete");
    if (!QFile::exists(complete)) {
        generateTree(tree);
        QFile(complete).open(QIODevice::WriteOnly);
    }

    // Warm the caches, and check that both see the same files.
    runFind(tree);
    const QList<FileEntry> entries
        = Scanner::scan(tree, ScanOptions { QStringLiteral("Orvalin Review") });
    std::printf("tree: %lld files at %s\n", qlonglong(entries.size()), qPrintable(tree));

    std::vector<double> scanTimes;
    std::vector<double> findTimes;
    for (int i = 0; i < repetitions; ++i) {
        QList<FileEntry> result;
        scanTimes.push_back(secondsOf([&] {
            result = Scanner::scan(tree, ScanOptions { QStringLiteral("Orvalin Review") });
        }));
        findTimes.push_back(secondsOf([&] { runFind(tree); }));
    }
    const double scan = median(scanTimes);
    const double find = median(findTimes);
    std::printf("Scanner::scan      %8.1f ms (median of %d)\n", 1000 * scan, repetitions);
    std::printf("find -printf       %8.1f ms (median of %d)\n", 1000 * find, repetitions);
    std::printf("ratio scan / find  %8.2f (goal: at most 1.20)\n", scan / find);

    const double analysis = timeAnalyzer(entries);
    std::printf("ratio analyze/scan %8.2f (goal: at most 0.50)\n", analysis / scan);
    return 0;
}
