// Peak memory and ready time of the window opening a tree of 1,000,000 files, against
// `orvalin-cli scan --json` on the same tree in the same run, each read from the kernel's
// accounting of a child process. The window's child is the real main window (on the offscreen
// platform) with its application model: it opens the tree and is ready once the scan's result is
// applied, the overview shown and nothing runs in the background any more. Goal: the window's
// peak within 1.5 times the command line's.
//
//   window_memory_bench [TREE]   TREE defaults to /tmp/bench1m/tree, written on the first run
//                                (1,000,000 empty or sparse files in 2,000 folders)
#include "AppModel.h"
#include "MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int topFolders = 100;
constexpr int subfoldersEach = 19; // 2,000 folders
constexpr int filesPerFolder = 500; // 1,000,000 files
constexpr double goal = 1.5;

// Camera pairs, lone halves and sidecars, in the proportions of a culled shoot.
void writeFolder(const QByteArray& folder, int seed)
{
    static const char* const patterns[] = { "IMG_%04d.CR3", "IMG_%04d.JPG", "IMG_%04d.CR3",
        "IMG_%04d.JPG", "DSC_%04d.NEF", "DSC_%04d.NEF.xmp", "IMG_%04d.HEIC", "IMG_%04d.xmp",
        "_MG_%04d.CR2", "IMG_%04d.CR3.dop" };
    ::mkdir(folder.constData(), 0755);
    char name[64];
    for (int i = 0; i < filesPerFolder; ++i) {
        std::snprintf(name, sizeof name, patterns[i % 10], i / 2);
        const QByteArray path = folder + '/' + name;
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

void writeTree(const QByteArray& tree)
{
    std::printf("writing %d files to %s ...\n", topFolders * (1 + subfoldersEach) * filesPerFolder,
        tree.constData());
    std::fflush(stdout);
    QDir().mkpath(QFile::decodeName(tree));
    for (int top = 0; top < topFolders; ++top) {
        const QByteArray shoot = tree + '/' + QByteArray::number(2000 + top / 12) + '-'
            + QByteArray::number(1 + top % 12) + " Shoot " + QByteArray::number(top);
        writeFolder(shoot, top);
        for (int sub = 0; sub < subfoldersEach; ++sub)
            writeFolder(shoot + "/Card " + QByteArray::number(sub), top * 31 + sub);
    }
}

struct Run
{
    double seconds = 0;
    double megabytes = 0;
};

Run measure(const char* const* arguments)
{
    const auto start = std::chrono::steady_clock::now();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, arguments[0], &actions, nullptr, const_cast<char**>(arguments), environ)
        != 0) {
        std::perror(arguments[0]);
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage usage = {};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", arguments[0]);
        std::exit(1);
    }
    return { std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
        double(usage.ru_maxrss) / 1024.0 };
}

// The child: the window opens the tree; it ends once everything has settled.
int openInWindow(int argc, char** argv, const QString& tree)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    AppModel model(false);
    MainWindow window(model, nullptr);
    window.resize(1180, 760);
    window.show();
    QElapsedTimer clock;
    clock.start();
    model.open(tree, false);
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!model.phase().isReady() || model.hasPendingWork())
            return;
        std::fprintf(stderr, "window ready after %.2f s: %lld files\n", clock.nsecsElapsed() / 1e9,
            qlonglong(model.files().size()));
        QCoreApplication::quit();
    });
    poll.start();
    return application.exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && qstrcmp(argv[1], "--window") == 0)
        return openInWindow(argc, argv, QString::fromLocal8Bit(argv[2]));

    const QByteArray tree = argc > 1 ? QByteArray(argv[1]) : QByteArray("/tmp/bench1m/tree");
    if (!QFileInfo(QFile::decodeName(tree)).isDir())
        writeTree(tree);
    const QByteArray self = QFileInfo(QFile::decodeName(argv[0])).absoluteFilePath().toLocal8Bit();
    const char* window[] = { self.constData(), "--window", tree.constData(), nullptr };
    const char* cli[] = { ORVALIN_CLI_PATH, "scan", "--json", tree.constData(), nullptr };
    // Each once to warm the caches, then alternately; the lower of two runs counts.
    measure(cli);
    Run windowRun { 1e9, 1e9 }, cliRun { 1e9, 1e9 };
    for (int round = 0; round < 2; ++round) {
        const Run w = measure(window);
        const Run c = measure(cli);
        windowRun = { std::min(windowRun.seconds, w.seconds),
            std::min(windowRun.megabytes, w.megabytes) };
        cliRun = { std::min(cliRun.seconds, c.seconds), std::min(cliRun.megabytes, c.megabytes) };
    }
    std::printf("peak memory: window %.1f MB, orvalin-cli scan --json %.1f MB = %.2fx (goal: at "
                "most %.1fx)\n",
        windowRun.megabytes, cliRun.megabytes, windowRun.megabytes / cliRun.megabytes, goal);
    std::printf("ready: window %.2f s, orvalin-cli %.2f s = %.2fx\n", windowRun.seconds,
        cliRun.seconds, windowRun.seconds / cliRun.seconds);
    return 0;
}
