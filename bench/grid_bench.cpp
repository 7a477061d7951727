// The group grid with 20,000 leftovers in 200 folders.
//
// 1. Opening: main-thread time from making the group's view to its first painted frame, against
//    a baseline of 100 ms; and the number of cell widgets it made.
// 2. A fast scroll: the grid is flung from top to bottom, two screens every 16 ms frame, while
//    thumbnails take as long as a camera JPEG does (40 ms each unless given); it reports how many
//    thumbnails were decoded against the number of cells that passed over the screen, and the
//    longest frame on the main thread.
//
// 3. With `phones`, instead: a group of 200 phone HEIC files (4032 × 3024, each with its stored
//    320 × 240 thumbnail) on a screen of scale 2, whose cells the stored thumbnail does not
//    cover. It times the first complete screen of cells and the moment every cell on screen is
//    sharp, against the baseline of the same grid decoding each picture whole before it shows
//    anything (the cache without stored thumbnails), in the same run.
//
//   grid_bench [decode-ms]      (QT_QPA_PLATFORM=offscreen works; so does an X display)
//   grid_bench phones
#include "AppModel.h"
#include "CandidateCell.h"
#include "CandidateGrid.h"
#include "GroupGridView.h"
#include "PhonePictures.h"
#include "ThumbnailCache.h"
#include "ThumbnailDecoder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int folderCount = 200;
constexpr int leftoversPerFolder = 100;
constexpr double baselineMs = 100.0;

// Each folder holds one pair, so that its lone RAW files count as leftovers.
void writeTree(const QString& root)
{
    for (int f = 0; f < folderCount; ++f) {
        const QString folder = root + QStringLiteral("/Shoot %1/").arg(f, 3, 10, QLatin1Char('0'));
        QDir().mkpath(folder);
        QStringList names { QStringLiteral("PAIR.NEF"), QStringLiteral("PAIR.JPG") };
        for (int i = 0; i < leftoversPerFolder; ++i)
            names.append(QStringLiteral("DSC_%1.NEF").arg(i, 4, 10, QLatin1Char('0')));
        for (const QString& name : names) {
            QFile file(folder + name);
            if (!file.open(QIODevice::WriteOnly)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
                std::exit(1);
            }
        }
    }
}

void waitFor(const std::function<bool()>& condition)
{
    while (!condition())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

ThumbnailCache::Decoder slowDecoder(int milliseconds)
{
    return [milliseconds](const QString&, FileKind, QSize) -> std::optional<QImage> {
        QThread::msleep(milliseconds);
        QImage image(360, 240, QImage::Format_RGB32);
        image.fill(Qt::darkGray);
        return image;
    };
}

double openGroup(AppModel& model, ThumbnailCache& cache, int* cellWidgets)
{
    QElapsedTimer timer;
    timer.start();
    GroupGridView view(model, OrphanGroup::raw, cache);
    view.resize(930, 640);
    view.show();
    // The first frame: layout, the visible cells and headers, and their painting.
    view.repaint();
    QCoreApplication::processEvents();
    const double ms = timer.nsecsElapsed() / 1e6;
    *cellWidgets = view.grid()->cellWidgetCount();
    return ms;
}

void flingThrough(AppModel& model, int decodeMs)
{
    ThumbnailCache cache(slowDecoder(decodeMs));
    GroupGridView view(model, OrphanGroup::raw, cache);
    view.resize(930, 640);
    view.show();
    QCoreApplication::processEvents();
    QScrollBar* bar = view.grid()->verticalScrollBar();
    const GridGeometry& grid = view.grid()->gridGeometry();
    const int passed = folderCount * leftoversPerFolder;

    double longestFrameMs = 0;
    QElapsedTimer run;
    run.start();
    bool done = false;
    QTimer frames;
    frames.setInterval(16);
    QObject::connect(&frames, &QTimer::timeout, [&] {
        QElapsedTimer frame;
        frame.start();
        bar->setValue(bar->value() + 2 * bar->pageStep());
        view.repaint();
        longestFrameMs = std::max(longestFrameMs, frame.nsecsElapsed() / 1e6);
        if (bar->value() >= bar->maximum()) {
            frames.stop();
            done = true;
        }
    });
    frames.start();
    waitFor([&] { return done; });
    const double flingSeconds = run.nsecsElapsed() / 1e9;
    const auto onScreen = view.grid()->visibleCells();
    waitFor([&] {
        return std::none_of(
            onScreen.begin(), onScreen.end(), [](auto* cell) { return cell->isLoading(); });
    });
    cache.waitForDecoding();

    std::printf(
        "fast scroll: %d cells passed in %.2f s (%d columns, %d px), thumbnails decoded: %d "
        "(%.2f%% of the cells; %lld on screen at the end)\n",
        passed, flingSeconds, grid.columns, grid.height, cache.decodeCount(),
        100.0 * cache.decodeCount() / passed, static_cast<long long>(onScreen.size()));
    std::printf(
        "longest frame while scrolling: %.1f ms (%.2fx of a 16 ms frame); cell widgets: %d\n",
        longestFrameMs, longestFrameMs / 16.0, view.grid()->cellWidgetCount());
}

constexpr int phoneFileCount = 200;
// Distinct pictures to encode; the other files are hard links to them, read and decoded apart.
constexpr int phonePictureCount = 8;

// A folder of phone pictures, with one RAW and JPEG pair so that its HEIC files are listed.
void writePhoneFolder(const QString& folder)
{
    QDir().mkpath(folder);
    std::fprintf(stderr, "writing %d HEIC files of %dx%d...\n", phonePictureCount,
        PhonePictures::phoneSize.width(), PhonePictures::phoneSize.height());
    for (int i = 0; i < phoneFileCount; ++i) {
        const QString path
            = folder + QStringLiteral("/IMG_%1.HEIC").arg(i, 4, 10, QLatin1Char('0'));
        if (i < phonePictureCount)
            PhonePictures::writeHeic(path, PhonePictures::scene(i, PhonePictures::phoneSize));
        else if (::link(QFile::encodeName(folder
                            + QStringLiteral("/IMG_%1.HEIC")
                                  .arg(i % phonePictureCount, 4, 10, QLatin1Char('0'))),
                     QFile::encodeName(path))
            != 0)
            qFatal("cannot link %s", qPrintable(path));
    }
    for (const char* name : { "/PAIR.NEF", "/PAIR.JPG" }) {
        QFile file(folder + QLatin1String(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(file.fileName()));
    }
}

struct ScreenTimes
{
    double complete = 0;
    double sharp = 0;
};

// Opens the group and times its screen of cells: all drawn, then all sharp.
ScreenTimes timeScreen(AppModel& model, ThumbnailCache& cache, qsizetype* onScreen)
{
    QElapsedTimer clock;
    clock.start();
    GroupGridView view(model, OrphanGroup::jpeg, cache);
    view.resize(930, 640);
    view.show();
    QCoreApplication::processEvents();
    const auto cells = view.grid()->visibleCells();
    *onScreen = cells.size();
    const auto all = [&](auto test) { return std::all_of(cells.begin(), cells.end(), test); };
    ScreenTimes times;
    waitFor([&] { return all([](CandidateCell* cell) { return cell->picture().has_value(); }); });
    times.complete = clock.nsecsElapsed() / 1e6;
    waitFor([&] { return all([](CandidateCell* cell) { return cell->isSharp(); }); });
    times.sharp = clock.nsecsElapsed() / 1e6;
    cache.waitForDecoding();
    return times;
}

int phonesAtScale2()
{
    QTemporaryDir scratch;
    const QString root = scratch.filePath(QStringLiteral("Phone"));
    writePhoneFolder(root);
    AppModel model(false);
    MatchOptions options = model.options();
    options.trimHEIC = true;
    model.setOptions(options);
    model.open(root, false);
    waitFor([&] { return model.phase().isReady() && !model.hasPendingWork(); });
    std::printf("group: %lld phone HEIC files, screen scale %.0f\n",
        static_cast<long long>(model.candidateCount(OrphanGroup::jpeg)), qApp->devicePixelRatio());

    const auto whole = [](const QString& path, FileKind kind, QSize cover) {
        return ThumbnailDecoder::decode(path, kind, ThumbnailCache::maxSide, cover);
    };
    const auto stored = [](const QString& path, FileKind kind) {
        return ThumbnailDecoder::storedThumbnail(path, kind, ThumbnailCache::maxSide);
    };
    // Twice each way, alternating, each with a cache of its own; the better run counts.
    ScreenTimes before { 1e12, 1e12 }, after { 1e12, 1e12 };
    qsizetype onScreen = 0;
    for (int round = 0; round < 2; ++round) {
        ThumbnailCache wholeOnly(whole);
        const ScreenTimes b = timeScreen(model, wholeOnly, &onScreen);
        ThumbnailCache storedFirst(whole, stored);
        const ScreenTimes a = timeScreen(model, storedFirst, &onScreen);
        before = { std::min(before.complete, b.complete), std::min(before.sharp, b.sharp) };
        after = { std::min(after.complete, a.complete), std::min(after.sharp, a.sharp) };
    }
    std::printf("cells on screen: %lld\n", static_cast<long long>(onScreen));
    std::printf("first complete screen: %8.1f ms, against %8.1f ms decoding whole = %.3fx\n",
        after.complete, before.complete, after.complete / before.complete);
    std::printf("every cell sharp:      %8.1f ms, against %8.1f ms decoding whole = %.3fx\n",
        after.sharp, before.sharp, after.sharp / before.sharp);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "phones") == 0) {
        qputenv("QT_SCALE_FACTOR", "2");
        QApplication application(argc, argv);
        return phonesAtScale2();
    }
    QApplication application(argc, argv);
    const int decodeMs = argc > 1 ? std::atoi(argv[1]) : 40;
    QTemporaryDir scratch;
    const QString root = scratch.filePath(QStringLiteral("Shoots"));
    writeTree(root);

    AppModel model(false);
    model.open(root, false);
    waitFor([&] { return model.phase().isReady() && !model.hasPendingWork(); });
    std::printf("group: %lld RAW leftovers in %lld folders\n",
        static_cast<long long>(model.candidateCount(OrphanGroup::raw)),
        static_cast<long long>(model.folderGroups(OrphanGroup::raw).size()));

    // The first opening pays for fonts and styles once; the median of the next ones is the figure.
    ThumbnailCache cache(slowDecoder(decodeMs));
    int cellWidgets = 0;
    openGroup(model, cache, &cellWidgets);
    QList<double> runs;
    for (int i = 0; i < 7; ++i)
        runs.append(openGroup(model, cache, &cellWidgets));
    std::sort(runs.begin(), runs.end());
    std::printf("open: %.1f ms main thread (median of 7, range %.1f-%.1f) = %.2fx of %.0f ms; "
                "cell widgets made: %d\n",
        runs[3], runs.first(), runs.last(), runs[3] / baselineMs, baselineMs, cellWidgets);
    cache.waitForDecoding();

    flingThrough(model, decodeMs);
    return 0;
}
