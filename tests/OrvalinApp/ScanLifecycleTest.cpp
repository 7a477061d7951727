// A scan from start to end, cancelled or replaced, and the ticks and options that live through
// it.
#include "ModelTestSupport.h"

namespace {

using Phase = AppModel::Phase;

using ScanLifecycleTest = ModelTest;

TEST_F(ScanLifecycleTest, AScanEndsReadyWithLeftoversByFolderInOrderOrRefusedClearingTheOld)
{
    // Sorted by path, A/x/w.NEF falls between A/x.NEF and A/z.NEF, so folder A must gather
    // x and z across it.
    QSignalSpy phases(&model, &AppModel::phaseChanged);
    scan({ "A/x.NEF", "A/z.NEF", "A/p.NEF", "A/p.JPG", "A/x/w.NEF", "A/x/m.NEF", "A/x/m.JPG",
        "r.NEF", "s.JPG" });
    EXPECT_EQ(model.phase(), Phase::ready());
    EXPECT_EQ(phases.count(), 2); // scanning, then ready
    EXPECT_EQ(model.files().size(), 9);
    EXPECT_EQ(model.progress(), (ScanProgress { 9, QString() }));
    EXPECT_EQ(model.sidebar(), SidebarItem::overview());

    QStringList raws;
    for (const AppModel::FolderGroup& group : model.folderGroups(OrphanGroup::raw))
        raws << group.folder + ": " + idsOf(group.candidates).join(", ");
    EXPECT_EQ(raws, QStringList({ "A: A/x.NEF, A/z.NEF", "A/x: A/x/w.NEF", ": r.NEF" }));

    ASSERT_EQ(model.folders().size(), 3);
    EXPECT_EQ(model.folderGroups(OrphanGroup::jpeg).size(), 1);
    EXPECT_TRUE(model.folders().value(OrphanGroup::sidecar).isEmpty());

    // A refused location clears the old folder.
    writeFiles({ "Shoot/a.NEF", "Shoot/b.JPG", "Lib.photoslibrary/Masters/c.NEF" });
    openAndSettle(folder.at("Shoot"));
    tick({ "a.NEF" });
    ASSERT_FALSE(model.selection().isEmpty());

    // The refused folder is opened while a re-scan of the first still runs: the abandoned
    // scan's ending must not take the refusal screen away.
    model.rescan();
    const QString refused = folder.at("Lib.photoslibrary/Masters");
    model.open(refused, true);
    ASSERT_TRUE(settle(model));

    EXPECT_EQ(model.phase().refusal,
        (ScanRefusal { ScanRefusal::Reason::insidePhotosLibrary, "Lib.photoslibrary" }));
    EXPECT_EQ(model.root(), refused);
    EXPECT_EQ(Recents::load().value(0).path, refused);
    // Nothing of the old folder is left.
    EXPECT_TRUE(model.files().isEmpty() && !model.result() && model.folders().isEmpty()
        && model.selection().isEmpty() && model.sessions().isEmpty() && !model.notice()
        && !model.isScanning());
}

TEST_F(ScanLifecycleTest, ARescanReplacesAScanAndCancellingARescanKeepsTheOldResult)
{
    // RAW leftovers in folders of 100, and a JPEG leftover in every tenth place so that every
    // folder is mixed.
    for (int i = 0; i < 400; ++i) {
        const QString subfolder = QString("Shoots/F%1/").arg(i / 100);
        folder.write(subfolder + QString("IMG_%1.NEF").arg(i));
        if (i % 10 == 0)
            folder.write(subfolder + QString("DSC_%1.JPG").arg(i));
    }
    // The first scan cannot report back before the second has replaced it, as reports need
    // the event loop; what it would have found differs from the second by one file.
    QSignalSpy results(&model, &AppModel::resultChanged);
    QSignalSpy phases(&model, &AppModel::phaseChanged);
    model.open(folder.at("Shoots"), false);
    folder.write("Shoots/late.JPG");
    model.rescan();
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(model.phase(), Phase::ready());
    EXPECT_EQ(QList<qsizetype>({ results.count(), phases.count() }), QList<qsizetype>({ 1, 2 }));
    EXPECT_EQ(model.files().size(), 441);

    // A cancelled re-scan keeps the old result and its ticks.
    tick({ "F0/IMG_0.NEF", "F3/IMG_300.NEF" });
    const ScanResult before = *model.result();
    const QSet<QString> ticks = model.selection();
    folder.write("Shoots/F0/new.NEF");
    results.clear();
    {
        PoolHold hold;
        model.rescan();
        model.cancelScan();
    }
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(model.phase(), Phase::ready());
    EXPECT_EQ(results.count(), 0);
    EXPECT_EQ(*model.result(), before);
    EXPECT_EQ(model.selection(), ticks);
    EXPECT_FALSE(model.isScanning());
}

TEST_F(ScanLifecycleTest, ChangingAnOptionReanalysesAndDropsTicksOfFilesNowPaired)
{
    writeFiles({ "_MG_1.CR2", "IMG_1.JPG", "IMG_2.CR2", "IMG_3.JPG" });
    // Options changed during a scan apply to its result.
    model.open(folder.path(), false);
    // Canon's "_MG_" prefix taken literally, so that _MG_1.CR2 and IMG_1.JPG are no pair.
    MatchOptions literal;
    literal.canonPrefixes = false;
    model.setOptions(literal);
    ASSERT_TRUE(settle(model));
    ASSERT_EQ(model.result()->pairs.size(), 0);
    EXPECT_FALSE(model.busy());
    tick({ "IMG_1.JPG", "IMG_3.JPG" });

    recordBusy();
    model.setOptions(MatchOptions {});
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(busyLabels, QStringList({ "Matching…", "" }));
    EXPECT_EQ(model.result()->pairs.size(), 1);
    EXPECT_EQ(sorted(model.selection()), QStringList({ "IMG_3.JPG" }));
    EXPECT_EQ(model.phase(), AppModel::Phase::ready());

    // The same options again: no analysis at all.
    QSignalSpy results(&model, &AppModel::resultChanged);
    busyLabels.clear();
    model.setOptions(MatchOptions {});
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(results.count(), 0);
    EXPECT_TRUE(busyLabels.isEmpty());
}

TEST_F(
    ScanLifecycleTest, NothingIsTickedBeforeAResultAndARescanKeepsOnlyTheTicksOfFilesStillLeftOver)
{
    // Nothing to tick before a result.
    model.setTicked(OrphanGroup::raw, true);
    EXPECT_TRUE(model.selection().isEmpty());
    scan({ "A/d.NEF", "A/d.xmp", "A/d.NEF.pp3", "A/e.NEF", "A/k.NEF", "A/k.JPG", "B/f.NEF",
        "B/g.JPG" });
    EXPECT_EQ(model.candidateCount(OrphanGroup::raw), 3);
    EXPECT_EQ(model.fileCount(OrphanGroup::raw), 5); // d brings its two sidecars

    tick({ "A/d.NEF", "A/e.NEF", "B/f.NEF" });
    QFile::remove(folder.at("A/e.NEF"));
    folder.write("B/f.JPG"); // f is a pair now, no longer a leftover
    model.rescan();
    // While the scan runs the old ticks stay visible.
    EXPECT_EQ(model.selection().size(), 3);
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(sorted(model.selection()), QStringList({ "A/d.NEF" }));
}

} // namespace
