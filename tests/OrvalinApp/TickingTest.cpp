#include "ModelTestSupport.h"

namespace {

class TickingTest : public ModelTest
{
protected:
    // Canon's "_MG_" prefix taken literally, so that _MG_1.CR2 and IMG_1.JPG are no pair.
    static MatchOptions literalPrefixes()
    {
        MatchOptions literal;
        literal.canonPrefixes = false;
        return literal;
    }
};

TEST_F(TickingTest, TicksSurviveARescanOnlyForFilesStillListed)
{
    scan({ "a.NEF", "b.NEF", "c.NEF", "p.NEF", "p.JPG" });
    tick({ "a.NEF", "b.NEF", "c.NEF" });
    QFile::remove(folder.at("b.NEF"));
    folder.write("c.JPG"); // c is a pair now, no longer a leftover
    model.rescan();
    // While the scan runs the old ticks stay visible.
    EXPECT_EQ(model.selection().size(), 3);
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(sortedIds(model.selection()), QStringList({ "a.NEF" }));
}

TEST_F(TickingTest, ChangingAnOptionReanalysesAndDropsTicksOfFilesNowPaired)
{
    writeFiles({ "_MG_1.CR2", "IMG_1.JPG", "IMG_2.CR2", "IMG_3.JPG" });
    // Options changed during a scan apply to its result.
    model.open(folder.path(), false);
    model.setOptions(literalPrefixes());
    ASSERT_TRUE(settle(model));
    ASSERT_EQ(model.result()->pairs.size(), 0);
    EXPECT_EQ(model.candidateCount(OrphanGroup::jpeg), 2);
    EXPECT_FALSE(model.busy());
    tick({ "IMG_1.JPG", "IMG_3.JPG" });

    recordBusy();
    model.setOptions(MatchOptions {});
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(busyLabels, QStringList({ "Matching…", "" }));
    EXPECT_EQ(model.result()->pairs.size(), 1);
    EXPECT_EQ(sortedIds(model.selection()), QStringList({ "IMG_3.JPG" }));
    EXPECT_EQ(model.phase(), AppModel::Phase::ready());

    // The same options again: no analysis at all.
    QSignalSpy results(&model, &AppModel::resultChanged);
    busyLabels.clear();
    model.setOptions(MatchOptions {});
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(results.count(), 0);
    EXPECT_TRUE(busyLabels.isEmpty());
}

TEST_F(TickingTest, TickingByCandidateFolderAndGroupWithTheCounts)
{
    // Nothing to tick before a result.
    model.setTicked(OrphanGroup::raw, true);
    EXPECT_TRUE(model.selection().isEmpty());
    scan({ "A/d.NEF", "A/d.xmp", "A/d.NEF.pp3", "A/e.NEF", "A/k.NEF", "A/k.JPG", "B/f.NEF",
        "B/g.JPG" });
    EXPECT_EQ(model.candidateCount(OrphanGroup::raw), 3);
    EXPECT_EQ(model.fileCount(OrphanGroup::raw), 5); // d brings its two sidecars

    tick({ "A/d.NEF" });
    EXPECT_EQ(sortedIds(model.selection()), QStringList({ "A/d.NEF" }));
    tick({ "A/d.NEF" });
    EXPECT_TRUE(model.selection().isEmpty());

    const QList<AppModel::FolderGroup> raws = model.folderGroups(OrphanGroup::raw);
    ASSERT_EQ(raws.size(), 2);
    model.setTicked(raws[1].candidates, true);
    EXPECT_EQ(sortedIds(model.selection()), QStringList({ "B/f.NEF" }));

    model.tickGroupAndShow(OrphanGroup::raw);
    EXPECT_EQ(model.sidebar(), SidebarItem::forGroup(OrphanGroup::raw));
    EXPECT_EQ(idsOf(model.tickedCandidates(OrphanGroup::raw)),
        QStringList({ "A/d.NEF", "A/e.NEF", "B/f.NEF" }));
    EXPECT_TRUE(model.tickedCandidates(OrphanGroup::jpeg).isEmpty());

    model.setTicked(OrphanGroup::jpeg, true);
    model.setTicked(raws[0].candidates, false);
    EXPECT_EQ(sortedIds(model.selection()), QStringList({ "B/f.NEF", "B/g.JPG" }));
    model.untickEverything();
    EXPECT_TRUE(model.selection().isEmpty());
}

} // namespace
