#include "ModelTestSupport.h"

#include <QFile>
#include <QSignalSpy>

namespace {

using TickingTest = ModelTest;

TEST_F(TickingTest, TicksSurviveARescanOnlyForFilesStillListed)
{
    writeFiles({ "a.NEF", "b.NEF", "c.NEF", "p.NEF", "p.JPG" });
    AppModel model(false);
    openAndSettle(model, folder.path());
    tick(model, { "a.NEF", "b.NEF", "c.NEF" });

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
    AppModel model(false);
    MatchOptions literal;
    literal.canonPrefixes = false;
    model.setOptions(literal);
    openAndSettle(model, folder.path());
    ASSERT_EQ(model.result()->pairs.size(), 0);
    tick(model, { "IMG_1.JPG", "IMG_3.JPG" });

    QSignalSpy busy(&model, &AppModel::busyChanged);
    QStringList busyLabels;
    QObject::connect(
        &model, &AppModel::busyChanged, [&] { busyLabels.append(model.busy().value_or("")); });
    model.setOptions(MatchOptions {});
    ASSERT_TRUE(settle(model));

    EXPECT_EQ(busyLabels, QStringList({ "Matching…", "" }));
    EXPECT_EQ(model.result()->pairs.size(), 1);
    EXPECT_EQ(sortedIds(model.selection()), QStringList({ "IMG_3.JPG" }));
    EXPECT_EQ(model.phase(), AppModel::Phase::ready());

    // The same options again: no analysis at all.
    QSignalSpy results(&model, &AppModel::resultChanged);
    busy.clear();
    model.setOptions(MatchOptions {});
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(results.count(), 0);
    EXPECT_EQ(busy.count(), 0);
}

TEST_F(TickingTest, OptionsChangedDuringAScanApplyToItsResult)
{
    writeFiles({ "_MG_1.CR2", "IMG_1.JPG", "IMG_2.CR2" });
    AppModel model(false);
    model.open(folder.path(), false);
    MatchOptions literal;
    literal.canonPrefixes = false;
    model.setOptions(literal);
    ASSERT_TRUE(settle(model));

    EXPECT_EQ(model.result()->pairs.size(), 0);
    EXPECT_EQ(model.candidateCount(OrphanGroup::jpeg), 1);
    EXPECT_FALSE(model.busy());
}

TEST_F(TickingTest, TickingByCandidateFolderAndGroupWithTheCounts)
{
    writeFiles({ "A/d.NEF", "A/d.xmp", "A/d.NEF.pp3", "A/e.NEF", "A/k.NEF", "A/k.JPG", "B/f.NEF",
        "B/g.JPG" });
    AppModel model(false);

    // Nothing to tick before a result.
    model.setTicked(OrphanGroup::raw, true);
    EXPECT_TRUE(model.selection().isEmpty());

    openAndSettle(model, folder.path());
    EXPECT_EQ(model.candidateCount(OrphanGroup::raw), 3);
    EXPECT_EQ(model.fileCount(OrphanGroup::raw), 5); // d brings its two sidecars

    tick(model, { "A/d.NEF" });
    EXPECT_EQ(sortedIds(model.selection()), QStringList({ "A/d.NEF" }));
    tick(model, { "A/d.NEF" });
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
