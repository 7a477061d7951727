#include "ThumbnailCache.h"

#include "CandidateCell.h"
#include "CandidateGrid.h"
#include "GridGeometry.h"
#include "ModelTestSupport.h"

#include <QScrollBar>
#include <QtMath>

namespace {

TEST(GridGeometryTest, ColumnsAdaptAndHeadersStayPinnedUntilTheNextPushesThemAway)
{
    GridGeometry::Metrics metrics;
    metrics.headerHeight = 40;
    metrics.cellHeight = 180;
    // 16 + 168 + 14 + 168 + 16 = 382: two columns fit exactly, one pixel less leaves one.
    EXPECT_EQ(GridGeometry::make({ 5 }, 382, metrics).columns, 2);
    EXPECT_EQ(GridGeometry::make({ 5 }, 381, metrics).columns, 1);
    EXPECT_EQ(GridGeometry::make({ 5 }, 100, metrics).columns, 1);
    EXPECT_EQ(GridGeometry::make({ 5 }, 100, metrics).cellWidth, 168);

    const GridGeometry grid = GridGeometry::make({ 3, 1 }, 382, metrics);
    EXPECT_EQ(grid.cellRect({ 0, 2 }).top(), grid.cellRect({ 0, 0 }).bottom() + 1 + 14);
    EXPECT_EQ(grid.cellRect({ 0, 1 }).left(), 16 + 168 + 14);
    // Scrolled into the first section, its header sits at the top; once the second section's
    // header reaches it, it is pushed up.
    const int second = grid.sections[1].top;
    EXPECT_EQ(QList<int>({ grid.sectionAt(100), grid.pinnedHeaderRect(0, 100).top(),
                  grid.pinnedHeaderRect(0, second - 10).top(), grid.sectionAt(second) }),
        QList<int>({ 0, 100, second - 40, 1 }));

    EXPECT_EQ(
        grid.cellsIn(0, 40 + 14 + 10), (QList<GridGeometry::CellIndex> { { 0, 0 }, { 0, 1 } }));
    EXPECT_TRUE(grid.cellsIn(grid.height, grid.height + 500).isEmpty());
}

using ThumbnailCacheTest = ModelTest;

TEST_F(ThumbnailCacheTest, ALargeGroupMakesOnlyTheCellsOnScreenAndSkipsWhatScrolledAway)
{
    FakeDecoder decoder(true);
    ThumbnailCache cache(decoder.function());
    CandidateGrid grid(model, cache);
    grid.resize(700, 560);
    grid.show();
    // 20,000 RAW candidates in 200 folders, without a file behind any of them.
    QList<AppModel::FolderGroup> folders;
    for (int f = 0; f < 200; ++f) {
        AppModel::FolderGroup shoot { QString("shoot %1").arg(f), {} };
        for (int i = 0; i < 100; ++i) {
            const QString path = QString("%1/IMG_%2.CR3").arg(shoot.folder).arg(i);
            shoot.candidates.append({ { path, 20'000'000, FileKind::raw }, OrphanGroup::raw, {} });
        }
        folders.append(shoot);
    }
    grid.setFolders(folders);

    ASSERT_FALSE(grid.visibleCells().isEmpty());
    EXPECT_LE(grid.cellWidgetCount(), 40);

    // Through the whole group while nothing decodes, then back to a place near the start.
    QScrollBar* bar = grid.verticalScrollBar();
    for (int value = 0; value <= bar->maximum(); value += bar->pageStep())
        bar->setValue(value);
    bar->setValue(bar->maximum());
    const auto last = grid.visibleCells();
    ASSERT_TRUE(std::any_of(last.begin(), last.end(),
        [](auto* cell) { return cell->candidate()->id() == "shoot 199/IMG_99.CR3"; }));
    grid.scrollToCell({ 3, 0 });
    EXPECT_LE(grid.cellWidgetCount(), 60);

    decoder.open();
    const auto cells = grid.visibleCells();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return std::none_of(
            cells.begin(), cells.end(), [](auto* cell) { return cell->isLoading(); });
    }));
    cache.waitForDecoding();
    // What was on screen at the end, plus what the pool had already taken up when it was
    // scrolled past; nowhere near the 20,000 cells passed.
    EXPECT_LE(decoder.calls(), int(cells.size()) + QThread::idealThreadCount());
}

TEST_F(ThumbnailCacheTest, OneDecodeOfTheCellsAreaInDevicePixelsMoreForLargerAndIconsForFailures)
{
    FakeDecoder decoder;
    ThumbnailCache cache(decoder.function());
    QSignalSpy ready(&cache, &ThumbnailCache::thumbnailReady);
    const QString path = folder.write("IMG_1.HEIC", "phone");
    const auto sizeFor = [&](QSize cover) {
        const auto picture = cache.image(path, FileKind::heic, cover);
        return picture ? picture->image.size() : QSize();
    };
    EXPECT_EQ(sizeFor({ 152, 120 }), QSize());
    ASSERT_TRUE(ready.wait());
    EXPECT_EQ(sizeFor({ 152, 120 }), QSize(152, 120));
    EXPECT_EQ(sizeFor({ 100, 120 }), QSize(152, 120));
    // Twice the pixels, as on a sharper screen: the smaller picture meanwhile.
    EXPECT_EQ(sizeFor({ 304, 240 }), QSize(152, 120));
    ASSERT_TRUE(ready.wait());
    EXPECT_EQ(sizeFor({ 304, 240 }), QSize(304, 240));
    cache.waitForDecoding();
    EXPECT_EQ(decoder.asked(), (QList<QSize> { { 152, 120 }, { 304, 240 } }));

    // A cell asks for its thumbnail's area in device pixels.
    CandidateCell cell(model, cache);
    cell.setGeometry(0, 0, 216, CandidateCell::preferredHeight());
    cell.show();
    cell.bind(
        { { "IMG_2.HEIC", 5, FileKind::heic }, OrphanGroup::jpeg, {} }, folder.path(), "", false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !cell.isLoading(); }));
    const qreal scale = cell.devicePixelRatioF();
    EXPECT_EQ(
        decoder.asked().mid(2), QList<QSize> { QSize(qCeil(200 * scale), qCeil(120 * scale)) });
    EXPECT_EQ(cell.picture()->image.size(), decoder.asked().last());

    // One decode per file, however often it is asked for, and an icon for what cannot be decoded.
    FakeDecoder failing(true, false);
    ThumbnailCache failingCache(failing.function());
    QSignalSpy failed(&failingCache, &ThumbnailCache::thumbnailReady);
    const QString broken = folder.write("broken.CR3", "not a picture");

    EXPECT_EQ(failingCache.image(broken, FileKind::raw), std::nullopt);
    EXPECT_EQ(failingCache.image(broken, FileKind::raw), std::nullopt);
    EXPECT_EQ(failingCache.image(folder.at("notes.xmp"), FileKind::sidecar), std::nullopt);
    failing.open();
    ASSERT_TRUE(failed.wait());
    EXPECT_EQ(failed.count(), 1);

    const auto picture = failingCache.image(broken, FileKind::raw);
    ASSERT_TRUE(picture && picture->isFileIcon);
    EXPECT_FALSE(picture->image.isNull());
    EXPECT_EQ(failing.calls(), 1);
}

TEST_F(ThumbnailCacheTest, AStoredThumbnailShowsAtOnceAndSharpensAfterEveryFirstPicture)
{
    // Whole decodes wait at the gate; stored thumbnails come at once. One thread, so that the
    // order in which the pool takes its work is the order it does it in.
    FakeDecoder decoder(true);
    QStringList order;
    const auto whole = decoder.function();
    ThumbnailCache cache(
        [&](const QString& path, FileKind kind, QSize cover) {
            const auto picture = whole(path, kind, cover);
            order << "decoded " + QFileInfo(path).fileName();
            return picture;
        },
        [&](const QString& path, FileKind) {
            order << "stored " + QFileInfo(path).fileName();
            QImage thumbnail(80, 60, QImage::Format_RGB32);
            thumbnail.fill(Qt::green);
            return std::optional(thumbnail);
        });
    cache.setThreadCount(1);
    QSignalSpy ready(&cache, &ThumbnailCache::thumbnailReady);
    const QSize cell(400, 240);
    const auto path = [&](int n) { return folder.at(QString("IMG_%1.HEIC").arg(n)); };
    const auto ask = [&](int n) { return cache.image(path(n), FileKind::heic, cell); };

    ask(1);
    ask(2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready.count() == 2; }));
    // Drawn at once, and not enough: each is sharpened, the first already at the gate.
    for (int n : { 1, 2 }) {
        const auto picture = ask(n);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->image.size(), QSize(80, 60));
        EXPECT_FALSE(ThumbnailCache::isEnoughFor(*picture, cell));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return cache.decodeCount() == 3; }));
    // A file scrolled into view meanwhile gets its first picture before the second sharpens.
    EXPECT_EQ(ask(3), std::nullopt);
    decoder.open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready.count() == 5; }));
    ASSERT_EQ(order.size(), 5);
    EXPECT_EQ(order.mid(0, 2), QStringList({ "stored IMG_1.HEIC", "stored IMG_2.HEIC" }));
    EXPECT_TRUE(order[2].startsWith("decoded")) << order[2].toStdString();
    EXPECT_EQ(order[3], "stored IMG_3.HEIC");
    for (int n : { 1, 2 })
        EXPECT_EQ(ask(n)->image.size(), cell);
    EXPECT_EQ(decoder.asked(), QList<QSize>({ cell, cell }));
}

} // namespace
