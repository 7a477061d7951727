// Peak memory and time of `orvalin-cli scan --json` on a large tree, read from the kernel's
// accounting of the child process, against find(1) listing the same tree with sizes in the same
// run.
//
//   cli_memory_bench [TREE]   TREE defaults to the one scan_bench builds in /tmp/bench200k.

#include "ChildRun.h"
#include "Scanner.h"

#include <QByteArray>
#include <QFileInfo>
#include <cstdio>

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
    const ChildRun findRun = ChildRun::of(find);
    const ChildRun cliRun = ChildRun::of(cli);

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
