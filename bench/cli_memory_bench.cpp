// Peak memory of `orvalin-cli scan --json` on a large tree, read from the kernel's accounting of
// the child process.
//
//   cli_memory_bench [TREE]   TREE defaults to the one scan_bench builds in /tmp/bench200k.

#include <QByteArray>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

int main(int argc, char** argv)
{
    const QByteArray tree = argc > 1 ? QByteArray(argv[1]) : QByteArray("/tmp/bench200k/tree");
    if (!QFileInfo(QString::fromLocal8Bit(tree)).isDir()) {
        std::fprintf(
            stderr, "no tree at %s: run `scan_bench /tmp/bench200k` first\n", tree.constData());
        return 2;
    }
    const char* arguments[] = { ORVALIN_CLI_PATH, "scan", "--json", tree.constData(), nullptr };
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, arguments[0], &actions, nullptr, const_cast<char**>(arguments), environ)
        != 0) {
        std::perror("orvalin-cli");
        return 1;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage usage = {};
    wait4(pid, &status, 0, &usage);
    const double megabytes = double(usage.ru_maxrss) / 1024.0;
    std::printf(
        "orvalin-cli scan --json: exit %d, peak memory %.1f MB (goal: under 150 MB, %.2f of it)\n",
        WEXITSTATUS(status), megabytes, megabytes / 150.0);
    return 0;
}
