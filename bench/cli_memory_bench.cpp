// Peak memory and time of `orvalin-cli scan --json` on a large tree, read from the kernel's
// accounting of the child process, against find(1) listing the same tree with sizes in the same
// run.
//
//   cli_memory_bench [TREE]   TREE defaults to the one scan_bench builds in /tmp/bench200k.

#include "Scanner.h"

#include <QByteArray>
#include <QFileInfo>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

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
    if (posix_spawnp(&pid, arguments[0], &actions, nullptr, const_cast<char**>(arguments), environ)
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

} // namespace

int main(int argc, char** argv)
{
    const QByteArray tree = argc > 1 ? QByteArray(argv[1]) : QByteArray("/tmp/bench200k/tree");
    if (!QFileInfo(QString::fromLocal8Bit(tree)).isDir()) {
        std::fprintf(
            stderr, "no tree at %s: run `scan_bench /tmp/bench200k` first\n", tree.constData());
        return 2;
    }
    const qsizetype files = Scanner::scan(QString::fromLocal8Bit(tree), {}).size();
    const char* find[] = { "find", tree.constData(), "-type", "f", "-printf", "%s %p\n", nullptr };
    const char* cli[] = { ORVALIN_CLI_PATH, "scan", "--json", tree.constData(), nullptr };
    const Run findRun = measure(find);
    const Run cliRun = measure(cli);

    const double millions = double(files) / 1e6;
    std::printf("%lld files\n", qlonglong(files));
    std::printf("orvalin-cli scan --json: peak memory %.1f MB, %.1f MB per million files (goal: "
                "under 150 MB at 200,000 files, under 300 MB per million)\n",
        cliRun.megabytes, cliRun.megabytes / millions);
    std::printf("find -printf: peak memory %.1f MB\n", findRun.megabytes);
    std::printf("time: orvalin-cli %.2f s, find %.2f s, ratio %.2f (one run each)\n",
        cliRun.seconds, findRun.seconds, cliRun.seconds / findRun.seconds);
    return 0;
}
