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
#include "ChildRun.h"
#include "MainWindow.h"
#include "ShootTree.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int topFolders = 100;
constexpr int subfoldersEach = 19; // 2,000 folders
constexpr int filesPerFolder = 500; // 1,000,000 files
constexpr double goal = 1.5;

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
        QDir().mkpath(QFile::decodeName(tree));
    ShootTree::write(tree, topFolders, subfoldersEach, filesPerFolder);
    const QByteArray self = QFileInfo(QFile::decodeName(argv[0])).absoluteFilePath().toLocal8Bit();
    const char* window[] = { self.constData(), "--window", tree.constData(), nullptr };
    const char* cli[] = { ORVALIN_CLI_PATH, "scan", "--json", tree.constData(), nullptr };
    // Each once to warm the caches, then alternately; the lower of two runs counts.
    ChildRun::of(cli);
    ChildRun windowRun { 1e9, 1e9 }, cliRun { 1e9, 1e9 };
    for (int round = 0; round < 2; ++round) {
        const ChildRun w = ChildRun::of(window);
        const ChildRun c = ChildRun::of(cli);
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
