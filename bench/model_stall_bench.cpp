// How long the main thread goes without running its event loop while the application model
// scans and analyses a large tree in the background, then moves the RAW leftovers and restores
// them. A timer asks to run every 2 ms; the longest
// gap between two of its runs is the worst stall a window would show. Baseline: 50 ms, the
// longest pause that still feels smooth.
#include "AppModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int folderCount = 200;
constexpr int filesPerFolder = 1000;
constexpr double baselineMs = 50.0;

// Per folder: pairs, RAW and JPEG leftovers, sidecars with and without their photo.
void writeTree(const QString& root)
{
    for (int f = 0; f < folderCount; ++f) {
        const QString folder = root + QStringLiteral("/Shoot %1/").arg(f, 3, 10, QLatin1Char('0'));
        QDir().mkpath(folder);
        for (int i = 0; i < filesPerFolder; ++i) {
            QString name;
            switch (i % 5) {
            case 0:
                name = QStringLiteral("IMG_%1.CR3").arg(i);
                break;
            case 1:
                name = QStringLiteral("IMG_%1.JPG").arg(i - 1);
                break;
            case 2:
                name = QStringLiteral("IMG_%1.NEF").arg(i);
                break;
            case 3:
                name = QStringLiteral("DSC_%1.JPG").arg(i);
                break;
            case 4:
                name = QStringLiteral("IMG_%1.xmp").arg(i % 10 == 4 ? i - 2 : i);
                break;
            }
            QFile file(folder + name);
            if (!file.open(QIODevice::WriteOnly)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
                std::exit(1);
            }
        }
    }
}

struct Run
{
    double seconds = 0;
    double longestStallMs = 0;
    int progressUpdates = 0;
};

Run measure(AppModel& model, const std::function<void()>& start)
{
    Run run;
    QEventLoop loop;
    QElapsedTimer clock;
    qint64 lastTick = 0;
    // Done once nothing runs in the background any more. The ticker looks, since the last task to
    // report back (a listing of the sessions, say) may change no field the model announces.
    bool ending = false;
    const auto finish = [&] {
        if (ending || model.hasPendingWork() || model.busy() || model.phase().isScanning())
            return;
        ending = true;
        QTimer::singleShot(20, &loop, &QEventLoop::quit); // a little longer, for the clean-up
    };
    QTimer ticker;
    ticker.setInterval(2);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        run.longestStallMs = std::max(run.longestStallMs, (now - lastTick) / 1e6);
        lastTick = now;
        finish();
    });
    const auto progress
        = QObject::connect(&model, &AppModel::progressChanged, [&] { ++run.progressUpdates; });

    clock.start();
    ticker.start();
    start();
    // The start itself runs on the main thread too.
    run.longestStallMs = std::max(run.longestStallMs, clock.nsecsElapsed() / 1e6);
    lastTick = clock.nsecsElapsed();
    loop.exec();
    run.seconds = clock.nsecsElapsed() / 1e9;
    QObject::disconnect(progress);
    return run;
}

void report(const char* what, const Run& run)
{
    std::printf("%-28s %6.2f s, longest main-thread stall %6.1f ms = %.2f x baseline (%g ms), "
                "%d progress updates\n",
        what, run.seconds, run.longestStallMs, run.longestStallMs / baselineMs, baselineMs,
        run.progressUpdates);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Orvalin"));

    QTemporaryDir tree;
    std::printf("writing %d files...\n", folderCount * filesPerFolder);
    std::fflush(stdout);
    writeTree(tree.path());

    AppModel model(false);
    const Run first = measure(model, [&] { model.open(tree.path(), false); });
    if (!model.phase().isReady()) {
        std::fprintf(
            stderr, "the scan did not finish: %s\n", qPrintable(model.error().value_or("")));
        return 1;
    }
    std::printf("%lld files, %lld RAW and %lld JPEG leftovers\n", qlonglong(model.files().size()),
        qlonglong(model.candidateCount(OrphanGroup::raw)),
        qlonglong(model.candidateCount(OrphanGroup::jpeg)));
    report("first scan", first);

    model.setTicked(OrphanGroup::raw, true);
    report("re-scan (replacing result)", measure(model, [&] { model.rescan(); }));

    // The review of the ticked RAW leftovers, their move with their sidecars and the scan after.
    const qsizetype ticked = model.tickedCount();
    const auto confirm = QObject::connect(&model, &AppModel::planChanged, [&] {
        if (model.plan())
            model.move(*model.plan());
    });
    report("review and move", measure(model, [&] { model.reviewMove(); }));
    QObject::disconnect(confirm);
    std::printf("(%lld RAW leftovers ticked)\n", qlonglong(ticked));
    report("restore of that session",
        measure(model, [&] { model.restore(model.restorableSessions()); }));
    if (model.error())
        std::fprintf(stderr, "%s\n", qPrintable(*model.error()));
    return 0;
}
