#include "CandidateCell.h"
#include "CandidateGrid.h"
#include "EmptyState.h"
#include "FolderHeader.h"
#include "GroupGridView.h"
#include "GroupHeader.h"
#include "ModelTestSupport.h"
#include "ThumbnailCache.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScrollBar>

namespace {

// Stands in for the real decoder: counts its calls and makes a plain picture for every file.
struct CountingDecoder
{
    std::shared_ptr<std::atomic<int>> calls = std::make_shared<std::atomic<int>>(0);

    ThumbnailCache::Decoder function() const
    {
        return [calls = calls](const QString&, FileKind, QSize) -> std::optional<QImage> {
            ++*calls;
            QImage image(36, 24, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            return image;
        };
    }
};

class GroupGridTest : public ModelTest
{
protected:
    // A grid view of `group`, shown at the window's smallest detail size.
    std::unique_ptr<GroupGridView> showGroup(AppModel& model, OrphanGroup group)
    {
        auto view = std::make_unique<GroupGridView>(model, group, thumbnails);
        view->resize(650, 560);
        view->show();
        return view;
    }

    CandidateCell* cellFor(const GroupGridView& view, const QString& id) const
    {
        for (CandidateCell* cell : view.grid()->visibleCells()) {
            if (cell->candidate() && cell->candidate()->id() == id)
                return cell;
        }
        return nullptr;
    }

    FolderHeader* headerFor(const GroupGridView& view, const QString& folder) const
    {
        for (FolderHeader* header : view.grid()->visibleHeaders()) {
            if (header->folder() == folder)
                return header;
        }
        return nullptr;
    }

    // Three folders of 5, 2 and 7 leftovers (r1 … r7, each with a pair beside them so that
    // they count), in a grid of three columns and about two rows on screen.
    std::unique_ptr<GroupGridView> showThreeFolders(AppModel& model)
    {
        const std::pair<QString, int> folders[] = { { "a", 5 }, { "b", 2 }, { "c", 7 } };
        for (const auto& [name, count] : folders) {
            writeFiles({ name + "/p.NEF", name + "/p.JPG" });
            for (int i = 1; i <= count; ++i)
                writeFiles({ QStringLiteral("%1/r%2.NEF").arg(name).arg(i) });
        }
        openAndSettle(model, folder.path());
        auto view = showGroup(model, OrphanGroup::raw);
        view->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(view.get()));
        view->grid()->setFocus();
        EXPECT_EQ(view->grid()->gridGeometry().columns, 3);
        return view;
    }

    static QString currentId(const CandidateGrid& grid)
    {
        return grid.currentCandidate() ? grid.currentCandidate()->id() : QString();
    }

    // The current file is on screen in full, neither under the pinned header nor past the
    // bottom edge, and its cell alone draws the focus ring.
    static void expectCurrentShownWhole(const CandidateGrid& grid)
    {
        ASSERT_TRUE(grid.currentCell());
        CandidateCell* cell = grid.cellWidget(*grid.currentCell());
        ASSERT_NE(cell, nullptr) << "the current cell is not on screen";
        EXPECT_EQ(cell->candidate()->id(), currentId(grid));
        EXPECT_TRUE(grid.viewport()->rect().contains(cell->geometry()))
            << currentId(grid).toStdString();
        ASSERT_NE(grid.pinnedHeader(), nullptr);
        EXPECT_FALSE(grid.pinnedHeader()->geometry().intersects(cell->geometry()))
            << currentId(grid).toStdString();
        for (CandidateCell* other : grid.visibleCells())
            EXPECT_EQ(other->hasKeyboardFocus(), other == cell) << other->path().toStdString();
    }

    CountingDecoder decoder;
    ThumbnailCache thumbnails { decoder.function() };
};

TEST_F(GroupGridTest, ArrowsMoveThroughRowsAndColumnsAcrossFoldersAndKeepTheCellInView)
{
    AppModel model(false);
    auto view = showThreeFolders(model);
    CandidateGrid* grid = view->grid();
    // a: r1 r2 r3 / r4 r5     b: r1 r2     c: r1 r2 r3 / r4 r5 r6 / r7
    const std::pair<Qt::Key, QString> steps[] = {
        { Qt::Key_Home, "a/r1.NEF" },
        { Qt::Key_Up, "a/r1.NEF" },
        { Qt::Key_Left, "a/r1.NEF" },
        { Qt::Key_Right, "a/r2.NEF" },
        { Qt::Key_Down, "a/r5.NEF" },
        // Down from a folder's last row: the same column of the next folder's first row.
        { Qt::Key_Down, "b/r2.NEF" },
        { Qt::Key_Right, "c/r1.NEF" },
        { Qt::Key_Right, "c/r2.NEF" },
        { Qt::Key_Right, "c/r3.NEF" },
        // Up from a folder's first row: the previous folder's last row, whose last cell when
        // that row is too short.
        { Qt::Key_Up, "b/r2.NEF" },
        { Qt::Key_Up, "a/r5.NEF" },
        { Qt::Key_Left, "a/r4.NEF" },
        { Qt::Key_Up, "a/r1.NEF" },
        { Qt::Key_Left, "a/r1.NEF" },
        { Qt::Key_End, "c/r7.NEF" },
        { Qt::Key_Down, "c/r7.NEF" },
        { Qt::Key_Right, "c/r7.NEF" },
        { Qt::Key_Up, "c/r4.NEF" },
        { Qt::Key_Right, "c/r5.NEF" },
        { Qt::Key_Right, "c/r6.NEF" },
        // Down into a shorter last row: its last cell.
        { Qt::Key_Down, "c/r7.NEF" },
        { Qt::Key_Left, "c/r6.NEF" },
        { Qt::Key_Up, "c/r3.NEF" },
        { Qt::Key_Left, "c/r2.NEF" },
        { Qt::Key_Left, "c/r1.NEF" },
        { Qt::Key_Left, "b/r2.NEF" },
    };
    for (const auto& [key, expected] : steps) {
        QTest::keyClick(grid, key);
        ASSERT_EQ(currentId(*grid), expected) << QKeySequence(key).toString().toStdString();
        expectCurrentShownWhole(*grid);
    }

    // A page down and up again come back; each lands in full view, further down the grid.
    QTest::keyClick(grid, Qt::Key_Home);
    const int top = grid->gridGeometry().cellRect(*grid->currentCell()).top();
    QTest::keyClick(grid, Qt::Key_PageDown);
    EXPECT_GT(grid->gridGeometry().cellRect(*grid->currentCell()).top(), top);
    expectCurrentShownWhole(*grid);
    QTest::keyClick(grid, Qt::Key_PageUp);
    EXPECT_EQ(currentId(*grid), "a/r1.NEF");
    expectCurrentShownWhole(*grid);
    EXPECT_TRUE(model.selection().isEmpty());
}

TEST_F(GroupGridTest, ReturnTicksTheFocusedFileEvenAfterItsCellWasScrolledAwayAndReused)
{
    AppModel model(false);
    auto view = showThreeFolders(model);
    CandidateGrid* grid = view->grid();
    QTest::keyClick(grid, Qt::Key_Home);
    QTest::keyClick(grid, Qt::Key_Right);
    CandidateCell* widget = grid->cellWidget(*grid->currentCell());
    ASSERT_NE(widget, nullptr);

    // Scrolled away with the wheel: the widget now shows another file, the focus stays put.
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    EXPECT_EQ(grid->cellWidget(*grid->currentCell()), nullptr);
    ASSERT_TRUE(widget->candidate());
    EXPECT_NE(widget->candidate()->id(), "a/r2.NEF");
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(sortedIds(model.selection()), QStringList({ "a/r2.NEF" }));
    // Ticked where the user can see it.
    expectCurrentShownWhole(*grid);

    // The focus survives a new scan of the folder; Control-Return is the window's, not a tick.
    model.rescan();
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(currentId(*grid), "a/r2.NEF");
    QTest::keyClick(grid, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Enter);
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(sortedIds(model.selection()), QStringList({ "a/r5.NEF" }));
}

TEST_F(GroupGridTest, TabGoesOnToTheFolderHeadersAndScreenReadersHearTheFocusedFile)
{
    AppModel model(false);
    auto view = showThreeFolders(model);
    CandidateGrid* grid = view->grid();
    QTest::keyClick(grid, Qt::Key_Home);
    QTest::keyClick(grid, Qt::Key_Right);
    // Screen readers are told of each move (the test platform has no bridge to pass that on)
    // and find the focus on the cell that shows the file.
    CandidateCell* cell = grid->cellWidget(*grid->currentCell());
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(cell)->state().focused);

    // A click makes the clicked file the focused one.
    CandidateCell* clicked = cellFor(*view, "a/r3.NEF");
    ASSERT_NE(clicked, nullptr);
    QTest::mouseClick(clicked, Qt::LeftButton);
    EXPECT_EQ(currentId(*grid), "a/r3.NEF");
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(clicked)->state().focused);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(cell)->state().focused);

    // Tab: from the grid to the button of the folder header pinned over it, and back.
    QTest::keyClick(grid, Qt::Key_Tab);
    auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button, grid->pinnedHeader()->button());
    EXPECT_EQ(button->text(), "Tick Folder");
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(sortedIds(model.selection()),
        QStringList({ "a/r1.NEF", "a/r2.NEF", "a/r3.NEF", "a/r4.NEF", "a/r5.NEF" }));
    QTest::keyClick(button, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(currentId(*grid), "a/r3.NEF");
}

TEST_F(GroupGridTest, TheFocusedCellDrawsARingWhetherTickedOrNot)
{
    AppModel model(false);
    auto view = showThreeFolders(model);
    CandidateGrid* grid = view->grid();
    QTest::keyClick(grid, Qt::Key_Home);
    CandidateCell* cell = grid->cellWidget(*grid->currentCell());
    const QColor ring = cell->palette().color(QPalette::Highlight);
    // The ring runs inside the frame, five pixels in from the cell's edge.
    const auto ringAt = [&] {
        const QImage image = cell->grab().toImage();
        const QColor seen = image.pixelColor(5, image.height() / 2);
        return std::abs(seen.red() - ring.red()) + std::abs(seen.green() - ring.green())
            + std::abs(seen.blue() - ring.blue())
            < 12;
    };
    for (bool ticked : { false, true }) {
        if (ticked)
            QTest::keyClick(grid, Qt::Key_Return);
        ASSERT_EQ(cell->isTicked(), ticked);
        grid->setFocus();
        EXPECT_TRUE(ringAt()) << "ticked: " << ticked;
        grid->clearFocus();
        EXPECT_FALSE(cell->hasKeyboardFocus());
        EXPECT_FALSE(ringAt()) << "ticked: " << ticked;
    }
}

TEST_F(GroupGridTest, AnEmptyGroupSaysWhetherTheScanIsStillGoing)
{
    writeFiles({ "a.NEF", "a.JPG" });
    AppModel model(false);
    auto view = showGroup(model, OrphanGroup::raw);
    {
        PoolHold hold;
        model.open(folder.path(), false);
        ASSERT_TRUE(model.phase().isScanning());
        EXPECT_TRUE(view->showsEmptyState());
        EXPECT_EQ(view->emptyState()->title(), "Nothing left over");
        EXPECT_EQ(view->emptyState()->description(), "Still scanning…");
    }
    ASSERT_TRUE(settle(model));
    EXPECT_TRUE(view->showsEmptyState());
    EXPECT_EQ(view->emptyState()->description(),
        "No files in this group. Every file here has its partner.");
    EXPECT_FALSE(view->header()->tickAllButton()->isEnabled());
    EXPECT_FALSE(view->header()->untickAllButton()->isEnabled());
}

TEST_F(GroupGridTest, FolderHeadersNameTheirFolderAndOfferToUntickOnlyWhenAllAreTicked)
{
    // A pair in each folder: a folder of RAW files alone has no leftovers.
    writeFiles({ "top.NEF", "p.NEF", "p.JPG", "day 1/a.NEF", "day 1/b.NEF", "day 1/p.NEF",
        "day 1/p.JPG" });
    AppModel model(false);
    openAndSettle(model, folder.path());
    auto view = showGroup(model, OrphanGroup::raw);
    ASSERT_FALSE(view->showsEmptyState());

    FolderHeader* root = headerFor(*view, "");
    FolderHeader* day = headerFor(*view, "day 1");
    ASSERT_TRUE(root && day);
    EXPECT_EQ(root->title(), QDir(folder.path()).dirName());
    EXPECT_EQ(day->title(), "day 1");

    tick(model, { "day 1/a.NEF" });
    EXPECT_EQ(day->buttonText(), "Tick Folder");
    tick(model, { "day 1/b.NEF" });
    EXPECT_EQ(day->buttonText(), "Untick Folder");
    EXPECT_EQ(root->buttonText(), "Tick Folder");
    EXPECT_EQ(view->header()->summary().section(" · ", -1), "ticked: 2");

    // Unticking the folder leaves the other folder's ticks alone.
    tick(model, { "top.NEF" });
    day->findChild<QPushButton*>()->click();
    EXPECT_EQ(sortedIds(model.selection()), QStringList({ "top.NEF" }));
    EXPECT_EQ(day->buttonText(), "Tick Folder");
}

TEST_F(GroupGridTest, ACellWithSidecarsCountsThemAndSaysSoToScreenReaders)
{
    folder.write("IMG_1.CR3", QByteArray(2000, 'r'));
    folder.write("IMG_1.xmp", QByteArray(500, 'x'));
    folder.write("IMG_1.CR3.pp3", QByteArray(500, 'p'));
    folder.write("IMG_2.CR3", QByteArray(1000, 'r'));
    writeFiles({ "IMG_3.CR3", "IMG_3.JPG" });
    AppModel model(false);
    openAndSettle(model, folder.path());
    auto view = showGroup(model, OrphanGroup::raw);
    CandidateCell* withSidecars = cellFor(*view, "IMG_1.CR3");
    CandidateCell* alone = cellFor(*view, "IMG_2.CR3");
    ASSERT_TRUE(withSidecars && alone);

    EXPECT_EQ(withSidecars->candidate()->followers.size(), 2);
    EXPECT_EQ(withSidecars->accessibleLabel(), "IMG_1.CR3, 3.0 kB, with sidecars: 2");
    EXPECT_EQ(alone->accessibleLabel(), "IMG_2.CR3, 1.0 kB");

    QAccessibleInterface* screenReader = QAccessible::queryAccessibleInterface(withSidecars);
    ASSERT_NE(screenReader, nullptr);
    EXPECT_EQ(screenReader->text(QAccessible::Name), withSidecars->accessibleLabel());
    EXPECT_EQ(screenReader->text(QAccessible::Value), "Not ticked");
    EXPECT_EQ(screenReader->text(QAccessible::Help), "Ticks or unticks this file for moving");
    EXPECT_FALSE(screenReader->state().selected);

    // Pressing ticks; the named action opens the quick look without ticking.
    QAccessibleActionInterface* actions = screenReader->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains("Quick Look"));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(model.selection().contains("IMG_1.CR3"));
    EXPECT_EQ(screenReader->text(QAccessible::Value), "Ticked");
    EXPECT_TRUE(screenReader->state().selected);
    actions->doAction("Quick Look");
    EXPECT_EQ(model.previewUrl(), folder.at("IMG_1.CR3"));
    EXPECT_EQ(model.selection().size(), 1);
}

TEST_F(GroupGridTest, ClicksTickAndSpaceTogglesTheQuickLook)
{
    writeFiles({ "a.NEF", "b.NEF", "p.NEF", "p.JPG" });
    AppModel model(false);
    openAndSettle(model, folder.path());
    auto view = showGroup(model, OrphanGroup::raw);
    CandidateCell* cell = cellFor(*view, "a.NEF");
    ASSERT_NE(cell, nullptr);

    QTest::mouseClick(cell, Qt::LeftButton);
    EXPECT_TRUE(cell->isTicked());
    EXPECT_TRUE(view->header()->untickAllButton()->isEnabled());
    QTest::mouseClick(cell, Qt::LeftButton);
    EXPECT_TRUE(model.selection().isEmpty());

    // The clicked cell is the one the keyboard acts on.
    QTest::keyClick(view->grid(), Qt::Key_Space);
    EXPECT_EQ(model.previewUrl(), folder.at("a.NEF"));
    EXPECT_TRUE(model.selection().isEmpty());
    QTest::keyClick(view->grid(), Qt::Key_Space);
    EXPECT_EQ(model.previewUrl(), std::nullopt);
}

TEST_F(GroupGridTest, SidecarsShowTheirIconAndNeverWaitForAThumbnail)
{
    writeFiles({ "orphan.xmp", "lone.NEF", "p.NEF", "p.JPG" });
    AppModel model(false);
    openAndSettle(model, folder.path());
    auto sidecars = showGroup(model, OrphanGroup::sidecar);
    CandidateCell* sidecar = cellFor(*sidecars, "orphan.xmp");
    ASSERT_NE(sidecar, nullptr);
    EXPECT_FALSE(sidecar->isLoading());
    EXPECT_EQ(sidecar->picture(), std::nullopt);

    auto raws = showGroup(model, OrphanGroup::raw);
    CandidateCell* raw = cellFor(*raws, "lone.NEF");
    ASSERT_NE(raw, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !raw->isLoading(); }));
    EXPECT_EQ(*decoder.calls, 1);
    EXPECT_FALSE(raw->picture()->isFileIcon);
}

TEST_F(GroupGridTest, AFileShownTwiceIsDecodedOnce)
{
    writeFiles({ "a.NEF", "p.NEF", "p.JPG" });
    AppModel model(false);
    openAndSettle(model, folder.path());
    auto first = showGroup(model, OrphanGroup::raw);
    auto second = showGroup(model, OrphanGroup::raw);
    CandidateCell* one = cellFor(*first, "a.NEF");
    CandidateCell* other = cellFor(*second, "a.NEF");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !one->isLoading() && !other->isLoading(); }));

    // Scrolled away and back, or shown in another grid later: answered from memory.
    auto third = showGroup(model, OrphanGroup::raw);
    EXPECT_FALSE(cellFor(*third, "a.NEF")->isLoading());
    thumbnails.waitForDecoding();
    EXPECT_EQ(*decoder.calls, 1);
    EXPECT_EQ(thumbnails.decodeCount(), 1);
}

} // namespace
