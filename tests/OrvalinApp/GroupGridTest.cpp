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

    CountingDecoder decoder;
    ThumbnailCache thumbnails { decoder.function() };
};

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

    QTest::keyClick(cell, Qt::Key_Space);
    EXPECT_EQ(model.previewUrl(), folder.at("a.NEF"));
    EXPECT_TRUE(model.selection().isEmpty());
    QTest::keyClick(cell, Qt::Key_Space);
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
