// Times the analysis of a large scan: 200,000 files in 2,000 folders of shoots, with pairs,
// leftovers of every group, sidecars, edited copies, clips and unknown files.
//
//   analyze_bench [scan-seconds [runs]]
//
// The analysis should take at most half as long as the scan of the same tree. Pass the scan's
// measured time to see the ratio; without it a warm scan is taken to last 0.2 s, the fast end
// of what a scan of this size takes.

#include "Analyzer.h"

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

constexpr int folderCount = 2000;
constexpr int filesPerFolder = 100;
constexpr int defaultRuns = 9;

// The processor time of this thread: on a busy machine it shows the analysis's own cost, which
// the wall-clock time, shared with everything else running, overstates.
double threadSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class TreeBuilder
{
public:
    QList<FileEntry> build()
    {
        m_files.reserve(folderCount * filesPerFolder);
        for (int folder = 0; folder < folderCount; ++folder)
            addFolder(folder);
        return m_files;
    }

private:
    void add(const QString& name, FileKind kind)
    {
        m_size = m_size * 6364136223846793005ULL + 1442695040888963407ULL;
        m_files.append({ m_folder + name, qint64(m_size >> 44), kind });
    }

    // One folder of 100 files: 30 pairs (10 with a sidecar on the RAW), 6 RAWs whose JPEG was
    // culled (3 with a sidecar), 6 JPEGs whose RAW was culled, 3 edited copies, 2 Canon-prefixed
    // pairs, 4 orphaned sidecars, 2 clips with one thumbnail sidecar, and a text file.
    void addFolder(int folder)
    {
        m_folder = QStringLiteral("2026-%1 Shoot %2/")
                       .arg(folder % 12 + 1, 2, 10, QLatin1Char('0'))
                       .arg(folder, 4, 10, QLatin1Char('0'));
        const bool nikon = folder % 3 == 0;
        const QString prefix = nikon ? QStringLiteral("DSC_") : QStringLiteral("IMG_");
        const QString rawExtension = nikon ? QStringLiteral(".NEF") : QStringLiteral(".CR3");
        int number = folder * 7 % 9000;
        const auto next
            = [&] { return prefix + QString::number(++number).rightJustified(4, u'0'); };

        for (int shot = 0; shot < 30; ++shot) {
            const QString name = next();
            add(name + rawExtension, FileKind::raw);
            if (shot % 3 == 0)
                add(name + rawExtension + QStringLiteral(".xmp"), FileKind::sidecar);
            add(name + QStringLiteral(".JPG"), FileKind::jpeg);
            if (shot % 10 == 0)
                add(name + QStringLiteral("-Edit.jpg"), FileKind::jpeg);
        }
        for (int shot = 0; shot < 6; ++shot) {
            const QString name = next();
            add(name + rawExtension, FileKind::raw);
            if (shot % 2 == 0)
                add(name + QStringLiteral(".xmp"), FileKind::sidecar);
        }
        for (int shot = 0; shot < 6; ++shot)
            add(next() + QStringLiteral(".JPG"), FileKind::jpeg);
        for (int shot = 0; shot < 2; ++shot) {
            const QString digits = QString::number(++number).rightJustified(4, u'0');
            add(QStringLiteral("_MG_") + digits + QStringLiteral(".CR2"), FileKind::raw);
            add(QStringLiteral("IMG_") + digits + QStringLiteral(".JPG"), FileKind::jpeg);
        }
        for (int shot = 0; shot < 4; ++shot)
            add(next() + rawExtension + QStringLiteral(".xmp"), FileKind::sidecar);
        const QString clip = QStringLiteral("MVI_") + QString::number(folder);
        add(clip + QStringLiteral(".MOV"), FileKind::video);
        add(clip + QStringLiteral(".THM"), FileKind::sidecar);
        add(clip + QStringLiteral("b.MP4"), FileKind::video);
        add(QStringLiteral("notes.txt"), FileKind::other);
    }

    QList<FileEntry> m_files;
    QString m_folder;
    quint64 m_size = 1;
};

} // namespace

int main(int argc, char** argv)
{
    const double scanSeconds = argc > 1 ? std::atof(argv[1]) : 0.2;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : defaultRuns;
    const QList<FileEntry> files = TreeBuilder().build();
    const MatchOptions options;

    std::vector<double> wall;
    std::vector<double> processor;
    ScanResult result;
    for (int run = 0; run < runs; ++run) {
        // The last run's result is freed here, outside the timing.
        result = ScanResult();
        QElapsedTimer timer;
        const double processorStart = threadSeconds();
        timer.start();
        result = Analyzer::analyze(files, options);
        wall.push_back(double(timer.nsecsElapsed()) / 1e9);
        processor.push_back(threadSeconds() - processorStart);
    }

    std::printf("files %lld, pairs %lld, leftovers: raw %lld, jpeg %lld, sidecar %lld\n",
        qlonglong(result.fileCount), qlonglong(result.pairs.size()),
        qlonglong(result.orphanRaws.size()), qlonglong(result.orphanJPEGs.size()),
        qlonglong(result.orphanSidecars.size()));
    std::printf("analyze, median of %d runs: %.1f ms wall clock, %.1f ms processor\n", runs,
        median(wall) * 1e3, median(processor) * 1e3);
    std::printf("analyze / scan (%.0f ms): %.2f wall clock, %.2f processor; target at most 0.50\n",
        scanSeconds * 1e3, median(wall) / scanSeconds, median(processor) / scanSeconds);
    return 0;
}
