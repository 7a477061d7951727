#include "EmptyState.h"
#include "GroupGridView.h"
#include "GroupHeader.h"
#include "ModelTestSupport.h"

#include <QAccessibleActionInterface>
#include <QHelpEvent>
#include <QScrollBar>
#include <QToolTip>

namespace {

class GroupGridTest : public ModelTest
{
protected:
    // A grid view of `group`, shown at the window's smallest detail size.
    std::unique_ptr<GroupGridView> showGroup(OrphanGroup group = OrphanGroup::raw)
    {
        auto view = std::make_unique<GroupGridView>(model, group, thumbnails);
        view->resize(650, 560);
        view->show();
        return view;
    }

    static CandidateCell* cellFor(const GroupGridView& view, const QString& id)
    {
        for (CandidateCell* cell : view.grid()->visibleCells()) {
            if (cell->candidate() && cell->candidate()->id() == id)
                return cell;
        }
        return nullptr;
    }

    FakeDecoder decoder;
    ThumbnailCache thumbnails { decoder.function() };
};

TEST_F(GroupGridTest, KeysMoveAndTickWithTheFocusedCellInViewRingedAndToldToScreenReaders)
{
    // Three folders of 5, 2 and 7 leftovers (r1 … r7, each with a pair beside them so that
    // they count), in a grid of three columns and about two rows on screen, with the focus.
    const std::pair<QString, int> folders[] = { { "a", 5 }, { "b", 2 }, { "c", 7 } };
    for (const auto& [name, count] : folders) {
        writeFiles({ name + "/p.NEF", name + "/p.JPG" });
        for (int i = 1; i <= count; ++i)
            writeFiles({ QString("%1/r%2.NEF").arg(name).arg(i) });
    }
    openAndSettle();
    const auto view = showGroup();
    CandidateGrid* grid = view->grid();
    view->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(view.get()));
    grid->setFocus();
    EXPECT_EQ(grid->gridGeometry().columns, 3);
    // a: r1 r2 r3 / r4 r5     b: r1 r2     c: r1 r2 r3 / r4 r5 r6 / r7
    // Down from a folder's last row goes to the same column of the next folder's first row; up
    // from a first row to the previous folder's last row, whose last cell when that row (or
    // the last row one goes down into) is too short.
    const QString steps = "Home a/r1, Up a/r1, Left a/r1, Right a/r2, Down a/r5, Down b/r2, "
                          "Right c/r1, Right c/r2, Right c/r3, Up b/r2, Up a/r5, Left a/r4, "
                          "Up a/r1, Left a/r1, End c/r7, Down c/r7, Right c/r7, Up c/r4, "
                          "Right c/r5, Right c/r6, Down c/r7, Left c/r6, Up c/r3, Left c/r2, "
                          "Left c/r1, Left b/r2";
    for (const QString& step : steps.split(", ")) {
        QTest::keyClick(grid, QKeySequence(step.section(' ', 0, 0))[0].key());
        ASSERT_EQ(currentId(*grid), step.section(' ', 1) + ".NEF") << step.toStdString();
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

    QTest::keyClick(grid, Qt::Key_Home);
    CandidateCell* first = currentCell(*grid);
    const QColor ring = first->palette().color(QPalette::Highlight);
    // The focused cell draws a ring, ticked or not, five pixels in from its edge.
    const auto ringAt = [&] {
        const QColor seen = first->grab().toImage().pixelColor(5, first->height() / 2);
        return std::abs(seen.red() - ring.red()) + std::abs(seen.green() - ring.green())
            + std::abs(seen.blue() - ring.blue())
            < 12;
    };
    for (bool ticked : { false, true }) {
        if (ticked)
            QTest::keyClick(grid, Qt::Key_Return);
        ASSERT_EQ(first->isTicked(), ticked);
        grid->setFocus();
        EXPECT_TRUE(ringAt()) << "ticked: " << ticked;
        grid->clearFocus();
        EXPECT_FALSE(first->hasKeyboardFocus());
        EXPECT_FALSE(ringAt()) << "ticked: " << ticked;
    }

    // Screen readers are told of each move (the test platform has no bridge to pass that on)
    // and find the focus on the cell that shows the file; a click moves the focus too.
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Right);
    CandidateCell* cell = currentCell(*grid);
    EXPECT_TRUE(hasScreenReaderFocus(cell));
    CandidateCell* clicked = cellFor(*view, "a/r3.NEF");
    ASSERT_NE(clicked, nullptr);
    QTest::mouseClick(clicked, Qt::LeftButton);
    EXPECT_EQ(currentId(*grid), "a/r3.NEF");
    EXPECT_TRUE(hasScreenReaderFocus(clicked));
    EXPECT_FALSE(hasScreenReaderFocus(cell));
    // A click shows itself by the tick; the ring comes back with the keyboard.
    EXPECT_FALSE(clicked->showsFocusRing());

    // Tab: from the grid to the button of the folder header pinned over it, and back.
    QTest::keyClick(grid, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(currentId(*grid), "a/r3.NEF");
    EXPECT_TRUE(currentCell(*grid)->showsFocusRing());

    // Return ticks the focused file even after its cell was scrolled away and reused.
    model.untickEverything();
    QTest::keySequence(grid, QKeySequence("Home, Right"));
    CandidateCell* widget = currentCell(*grid);
    ASSERT_NE(widget, nullptr);

    // Scrolled away with the wheel: the widget now shows another file, the focus stays put.
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    EXPECT_EQ(currentCell(*grid), nullptr);
    ASSERT_TRUE(widget->candidate());
    EXPECT_NE(widget->candidate()->id(), "a/r2.NEF");
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(sorted(model.selection()), QStringList({ "a/r2.NEF" }));
    // Ticked where the user can see it.
    expectCurrentShownWhole(*grid);

    // The focus survives a new scan of the folder; Control-Return is the window's, not a tick.
    model.rescan();
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(currentId(*grid), "a/r2.NEF");
    QTest::keySequence(grid, QKeySequence("Ctrl+Return, Down, Enter, Up"));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(sorted(model.selection()), QStringList({ "a/r5.NEF" }));
}

TEST_F(GroupGridTest, EmptyGroupsSayIfTheScanGoesOnAndFolderHeadersUntickOnlyWhenAllAreTicked)
{
    // A pair in each folder: a folder of RAW files alone has no leftovers. No sidecars.
    writeFiles({ "top.NEF", "p.NEF", "p.JPG", "day 1/a.NEF", "day 1/b.NEF", "day 1/p.NEF",
        "day 1/p.JPG" });
    const auto sidecars = showGroup(OrphanGroup::sidecar);
    {
        PoolHold hold;
        model.open(folder.path(), false);
        EXPECT_TRUE(sidecars->showsEmptyState());
        EXPECT_EQ(sidecars->emptyState()->title(), "Nothing left over");
        EXPECT_EQ(sidecars->emptyState()->description(), "Still scanning…");
    }
    ASSERT_TRUE(settle(model));
    EXPECT_TRUE(sidecars->showsEmptyState());
    EXPECT_EQ(sidecars->emptyState()->description(),
        "No files in this group. Every file here has its partner.");
    EXPECT_FALSE(sidecars->header()->untickAllButton()->isEnabled());

    const auto view = showGroup();
    ASSERT_FALSE(view->showsEmptyState());
    FolderHeader *root = nullptr, *day = nullptr;
    for (FolderHeader* header : view->grid()->visibleHeaders())
        (header->folder().isEmpty() ? root : day) = header;
    ASSERT_TRUE(root && day);
    EXPECT_EQ(root->title(), QDir(folder.path()).dirName());
    EXPECT_EQ(day->title(), "day 1");

    tick({ "day 1/a.NEF" });
    EXPECT_EQ(day->buttonText(), "Tick Folder");
    tick({ "day 1/b.NEF" });
    EXPECT_EQ(day->buttonText(), "Untick Folder");
    EXPECT_EQ(root->buttonText(), "Tick Folder");
    EXPECT_EQ(view->header()->summary().section(" · ", -1), "ticked: 2");

    // Unticking the folder leaves the other folder's ticks alone.
    tick({ "top.NEF" });
    EXPECT_FALSE(view->header()->tickAllButton()->isEnabled()) << "everything is ticked";
    day->findChild<QPushButton*>()->click();
    EXPECT_EQ(sorted(model.selection()), QStringList({ "top.NEF" }));
    EXPECT_EQ(day->buttonText(), "Tick Folder");
    EXPECT_TRUE(view->header()->tickAllButton()->isEnabled());
}

TEST_F(GroupGridTest, CellsTickOnClickOrPressOpenTheQuickLookByNameAndShareTheirPictures)
{
    folder.write("IMG_1.CR3", QByteArray(2000, 'r'));
    folder.write("IMG_1.xmp", QByteArray(500, 'x'));
    folder.write("IMG_1.CR3.pp3", QByteArray(500, 'p'));
    folder.write("IMG_2.CR3", QByteArray(1000, 'r'));
    const QString longName = "Garden party at the lake house, second camera 0001.CR3";
    scan({ "IMG_3.CR3", "IMG_3.JPG", longName, "orphan.xmp" });
    const auto view = showGroup();
    CandidateCell* withSidecars = cellFor(*view, "IMG_1.CR3");
    CandidateCell* alone = cellFor(*view, "IMG_2.CR3");
    CandidateCell* cutShort = cellFor(*view, longName);
    ASSERT_TRUE(withSidecars && alone && cutShort);

    // A name cut short reads in full in the cell's tooltip.
    EXPECT_FALSE(alone->isNameElided());
    ASSERT_TRUE(cutShort->isNameElided());
    QHelpEvent hover(QEvent::ToolTip, QPoint(30, 30), cutShort->mapToGlobal(QPoint(30, 30)));
    QApplication::sendEvent(cutShort, &hover);
    EXPECT_EQ(QToolTip::text(), longName);

    // Clicks tick and untick; the clicked cell is the one the keyboard acts on.
    QTest::mouseClick(alone, Qt::LeftButton);
    EXPECT_TRUE(alone->isTicked());
    EXPECT_TRUE(view->header()->untickAllButton()->isEnabled());
    QTest::mouseClick(alone, Qt::LeftButton);
    EXPECT_TRUE(model.selection().isEmpty());
    QTest::keyClick(view->grid(), Qt::Key_Space);
    EXPECT_EQ(model.previewUrl(), folder.at("IMG_2.CR3"));
    EXPECT_TRUE(model.selection().isEmpty());
    QTest::keyClick(view->grid(), Qt::Key_Space);
    EXPECT_EQ(model.previewUrl(), std::nullopt);

    // Sidecars are counted, in the label and for screen readers.
    const QString in = QString(", in “%1”").arg(QDir(folder.path()).dirName());
    EXPECT_EQ(withSidecars->accessibleLabel(), "IMG_1.CR3, 3.0 kB, with sidecars: 2" + in);
    EXPECT_EQ(alone->accessibleLabel(), "IMG_2.CR3, 1.0 kB" + in);
    QAccessibleInterface* screenReader = QAccessible::queryAccessibleInterface(withSidecars);
    ASSERT_NE(screenReader, nullptr);
    EXPECT_EQ(screenReader->text(QAccessible::Value), "Not ticked");
    EXPECT_EQ(screenReader->text(QAccessible::Help), "Ticks or unticks this file for moving");

    // Pressing ticks; the named action opens the quick look without ticking.
    QAccessibleActionInterface* actions = screenReader->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains("Quick Look"));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(model.selection().contains("IMG_1.CR3"));
    EXPECT_EQ(screenReader->text(QAccessible::Value), "Ticked");
    actions->doAction("Quick Look");
    EXPECT_EQ(model.previewUrl(), folder.at("IMG_1.CR3"));
    EXPECT_EQ(model.selection().size(), 1);

    // Sidecars show their icon. A file shown in two grids is decoded once, and answered from
    // memory when shown again later.
    const auto sidecars = showGroup(OrphanGroup::sidecar);
    CandidateCell* sidecar = cellFor(*sidecars, "orphan.xmp");
    ASSERT_NE(sidecar, nullptr);
    EXPECT_FALSE(sidecar->isLoading());
    EXPECT_EQ(sidecar->picture(), std::nullopt);
    const auto second = showGroup();
    CandidateCell* other = cellFor(*second, "IMG_2.CR3");
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !alone->isLoading() && !other->isLoading(); }));
    EXPECT_FALSE(other->picture()->isFileIcon);
    EXPECT_FALSE(cellFor(*showGroup(), "IMG_2.CR3")->isLoading());
    thumbnails.waitForDecoding();
    // IMG_1, IMG_2 and the long name, each once.
    EXPECT_EQ(decoder.calls(), 3);
}

} // namespace
