// Times `orvalin-cli scan --json` end to end, and Scanner::scan alone, on a large tree of shoots
// against find(1) listing the same tree with sizes, the fastest plain walk the system has at
// hand: with warm caches, and, when run as root, with the caches dropped before every run. Also
// checks that the scan lists the tree exactly as the one-thread walk does.
//
//   scan_bench [FOLDER]   builds the tree in FOLDER (once; later runs reuse it), else in a
//                         temporary folder that is removed afterwards.

#include "Analyzer.h"
#include "ChildRun.h"
#include "ReferenceWalk.h"
#include "Scanner.h"
#include "ShootTree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

constexpr int topFolders = 100;
constexpr int subfoldersEach = 19; // 100 + 100 * 19 = 2,000 folders
constexpr int filesPerFolder = 100; // 200,000 files
constexpr int repetitions = 7;
constexpr int coldRepetitions = 3;

using Clock = std::chrono::steady_clock;

void generateTree(const QString& tree)
{
    QDir().mkpath(tree);
    ShootTree::write(QFile::encodeName(tree), topFolders, subfoldersEach, filesPerFolder);
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
    ChildRun::of(arguments);
}

void runCli(const QString& tree)
{
    const QByteArray root = QFile::encodeName(tree);
    const char* arguments[] = { ORVALIN_CLI_PATH, "scan", "--json", root.constData(), nullptr };
    ChildRun::of(arguments);
}

QList<FileEntry> scanOf(const QString& tree)
{
    return Scanner::scan(tree, ScanOptions { QStringLiteral("Orvalin Review") });
}

// Empties the kernel's page, directory and inode caches, which takes root.
bool dropCaches()
{
    ::sync();
    const int fd = ::open("/proc/sys/vm/drop_caches", O_WRONLY);
    if (fd < 0)
        return false;
    const bool dropped = ::write(fd, "3", 1) == 1;
    ::close(fd);
    return dropped;
}

struct Timing
{
    const char* name;
    std::vector<double> seconds;
};

// Medians and ranges of each, and each one's per-run ratio to find's time in the same round.
void report(
    const char* title, const std::vector<Timing>& timings, const Timing& find, const char* goal)
{
    std::printf("\n%s (%zu rounds):\n", title, find.seconds.size());
    for (const Timing& timing : timings) {
        std::vector<double> ratios;
        for (size_t i = 0; i < timing.seconds.size(); ++i)
            ratios.push_back(timing.seconds[i] / find.seconds[i]);
        const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
        std::printf("  %-26s median %7.1f ms; ratio to find: median %.2f (range %.2f to %.2f)\n",
            timing.name, 1000 * median(timing.seconds), median(ratios), *low, *high);
    }
    std::printf("  %-26s median %7.1f ms; %s\n", find.name, 1000 * median(find.seconds), goal);
}

// Warm: everything cached, the rounds alternating so that noise hits each alike.
void compareWarm(const QString& tree)
{
    Timing cli { "orvalin-cli scan --json", {} };
    Timing scan { "Scanner::scan", {} };
    Timing find { "find -printf '%s %p\\n'", {} };
    for (int i = 0; i < repetitions; ++i) {
        cli.seconds.push_back(secondsOf([&] { runCli(tree); }));
        scan.seconds.push_back(secondsOf([&] { scanOf(tree); }));
        find.seconds.push_back(secondsOf([&] { runFind(tree); }));
    }
    report("warm cache", { cli, scan }, find, "goal: orvalin-cli at most 1.0x (stretch 0.7x)");
}

// Cold: the caches dropped before every run.
void compareCold(const QString& tree)
{
    if (!dropCaches()) {
        std::printf("\ncold cache: skipped (dropping the page cache takes root)\n");
        return;
    }
    Timing cli { "orvalin-cli scan --json", {} };
    Timing find { "find -printf '%s %p\\n'", {} };
    for (int i = 0; i < coldRepetitions; ++i) {
        dropCaches();
        cli.seconds.push_back(secondsOf([&] { runCli(tree); }));
        dropCaches();
        find.seconds.push_back(secondsOf([&] { runFind(tree); }));
    }
    report("cold cache", { cli }, find, "goal: orvalin-cli below 1.0x");
}

// The scan must list what the one-thread walk lists, in the same order.
void checkOrder(const QString& tree, const QList<FileEntry>& entries)
{
    const ReferenceWalk::Outcome reference
        = ReferenceWalk::walk(tree, QStringLiteral("Orvalin Review"));
    const bool same = !reference.refusal && reference.entries == entries;
    std::printf("same entries in the same order as the one-thread walk: %s\n", same ? "yes" : "NO");
    if (!same)
        std::exit(1);
}

// The analysis of what the scan found, which should take at most half the scan's time.
void timeAnalyzer(const QList<FileEntry>& entries, double scan)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i)
        times.push_back(secondsOf([&] { Analyzer::analyze(entries, MatchOptions()); }));
    const double analysis = median(times);
    std::printf("\nAnalyzer::analyze  %8.1f ms (median of %d)\n", 1000 * analysis, repetitions);
    std::printf("ratio analyze/scan %8.2f (goal: at most 0.50)\n", analysis / scan);
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

    // Warm the caches, and check that the scan sees what it always saw.
    runFind(tree);
    const QList<FileEntry> entries = scanOf(tree);
    std::printf("tree: %lld files at %s\n", qlonglong(entries.size()), qPrintable(tree));
    checkOrder(tree, entries);

    compareWarm(tree);
    compareCold(tree);

    std::vector<double> scans;
    for (int i = 0; i < 3; ++i)
        scans.push_back(secondsOf([&] { scanOf(tree); }));
    timeAnalyzer(entries, median(scans));
    return 0;
}
