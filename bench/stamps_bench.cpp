// Capture stamps of 2,000 camera JPEGs read with CaptureTime::read, against exiftool reading the
// same three tags of the same files in one process. Prints both times and their ratio.
#include "CaptureTime.h"
#include "RatioReporter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int fileCount = 2000;

struct Workload
{
    QTemporaryDir folder;
    QStringList files;
    QString argumentFile;
};

// Copies of the corpus's camera JPEGs, each with the metadata its camera wrote (maker notes
// included), under shoot-like names.
Workload& workload()
{
    static Workload* shared = [] {
        auto* w = new Workload;
        const QDir corpus(QStringLiteral(ORVALIN_CORPUS_DIR));
        const QStringList originals = corpus.entryList({ QStringLiteral("*.jpg") }, QDir::Files);
        if (originals.isEmpty() || !w->folder.isValid())
            qFatal("corpus missing: no camera JPEGs in %s", qPrintable(corpus.path()));
        for (int i = 0; i < fileCount; ++i) {
            const QString file = w->folder.filePath(QString::asprintf("IMG_%04d.JPG", i + 1));
            if (!QFile::copy(corpus.filePath(originals[i % originals.size()]), file))
                qFatal("cannot copy into %s", qPrintable(w->folder.path()));
            w->files.append(file);
        }
        w->argumentFile = w->folder.filePath(QStringLiteral("files.args"));
        QFile list(w->argumentFile);
        if (!list.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(w->argumentFile));
        list.write(w->files.join(u'\n').toUtf8() + '\n');
        return w;
    }();
    return *shared;
}

void captureTimeRead(benchmark::State& state)
{
    const QStringList& files = workload().files;
    qsizetype stamped = 0;
    for (auto _ : state) {
        stamped = 0;
        for (const QString& file : files) {
            const std::optional<CaptureStamp> stamp = CaptureTime::read(file);
            stamped += stamp.has_value();
            benchmark::DoNotOptimize(stamp);
        }
    }
    if (stamped != files.size())
        state.SkipWithError("some files gave no stamp");
    state.counters["files"] = double(files.size());
}

void exiftoolFast2(benchmark::State& state)
{
    const QStringList arguments { QStringLiteral("-fast2"), QStringLiteral("-DateTimeOriginal"),
        QStringLiteral("-SubSecTimeOriginal"), QStringLiteral("-Model"), QStringLiteral("-@"),
        workload().argumentFile };
    for (auto _ : state) {
        QProcess exiftool;
        exiftool.start(QStringLiteral("exiftool"), arguments);
        if (!exiftool.waitForFinished(-1) || exiftool.exitCode() != 0) {
            state.SkipWithError("exiftool did not run");
            break;
        }
        benchmark::DoNotOptimize(exiftool.readAllStandardOutput());
    }
    state.counters["files"] = double(workload().files.size());
}

BENCHMARK(captureTimeRead)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(exiftoolFast2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    workload();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto ours = reporter.seconds.find("captureTimeRead");
    const auto theirs = reporter.seconds.find("exiftoolFast2");
    if (ours == reporter.seconds.end() || theirs == reporter.seconds.end())
        return 1;
    std::printf("\n%d files: CaptureTime::read %.1f ms, exiftool -fast2 %.1f ms, "
                "%.1fx faster (target 10x)\n",
        fileCount, ours->second * 1000, theirs->second * 1000, theirs->second / ours->second);
    return 0;
}
