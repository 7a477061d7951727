#include "LocalFileManager.h"
#include "ModelTestSupport.h"
#include "OperationError.h"

namespace {

class MoveRestoreTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        // Each move one minute after the last, so that sessions sort by their order.
        model.setClock(
            [this] { return QDateTime(QDate(2026, 10, 5), QTime(14, 3)).addSecs(60 * ++moves); });
    }

    int moves = 0;
};

TEST_F(MoveRestoreTest, MovingTickedFilesTakesThemOutOfTheModelIntoASession)
{
    scan({ "A/a.NEF", "A/b.NEF", "A/c.JPG", "A/d.NEF", "A/d.xmp", "A/p.NEF", "A/p.JPG" });
    // Nothing ticked: no plan.
    model.reviewMove();
    ASSERT_TRUE(settle(model));
    EXPECT_FALSE(model.plan());
    // A plan made beside the window for ticks that changed before it was ready is not shown.
    tick({ "A/a.NEF" });
    model.reviewMove();
    tick({ "A/b.NEF", "A/c.JPG" });
    ASSERT_TRUE(settle(model));
    EXPECT_FALSE(model.plan());
    model.reviewMove();
    ASSERT_TRUE(settle(model));
    ASSERT_TRUE(model.plan());
    EXPECT_EQ(model.plan()->fileCount(), 3);

    recordBusy();
    moveTicked();
    EXPECT_EQ(busyLabels, QStringList({ "Moving files to the review folder…", "Matching…", "" }));
    ASSERT_TRUE(model.notice() && model.notice()->session);
    EXPECT_EQ(model.notice()->text,
        "Moved 3 files (21 bytes) to “Orvalin Review”. Restore puts them back.");
    const QString session = *model.notice()->session;
    EXPECT_EQ(QFileInfo(session).path(), folder.at("Orvalin Review"));
    EXPECT_TRUE(model.selection().isEmpty());
    EXPECT_EQ(idsOf(model.result()->orphanRaws), QStringList({ "A/d.NEF" }));
    EXPECT_TRUE(model.result()->orphanJPEGs.isEmpty());
    EXPECT_EQ(model.files().size(), 4);
    ASSERT_EQ(model.sessions().size(), 1);
    EXPECT_EQ(model.sessions().first().folder, session);
}

TEST_F(MoveRestoreTest, AFileGoneBeforeTheMoveIsCountedAndRestoreAllSumsEverySessionIntoOneNotice)
{
    scan({ "a.NEF", "b.NEF", "c.NEF", "p.NEF", "p.JPG" });
    tick({ "a.NEF", "b.NEF" });
    QFile::remove(folder.at("b.NEF"));
    moveTicked();
    EXPECT_EQ(model.notice()->text,
        "Moved 1 file (5 bytes) to “Orvalin Review”. Restore puts it back. 1 couldn’t be moved; "
        "see the log.");
    EXPECT_FALSE(model.error());

    // The notice restores the session it names, even when nothing can go back yet.
    folder.write("a.NEF", "back");
    const QString stays = " 1 stayed in the review folder because a file with the same name is "
                          "back in the original place.";
    model.restoreNoticeSession();
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(model.notice()->text, "Put back 0 files." + stays);
    moveTicked({ "c.NEF" });
    ASSERT_EQ(model.restorableSessions().size(), 2);

    recordBusy();
    model.restore(model.restorableSessions());
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(busyLabels, QStringList({ "Putting files back…", "" }));
    ASSERT_TRUE(model.notice());
    EXPECT_EQ(model.notice()->text, "Put back 1 file." + stays);
    EXPECT_FALSE(model.notice()->session);

    // The re-scan shows the file that came back; the session holding a stays restorable.
    EXPECT_EQ(model.phase(), AppModel::Phase::ready());
    EXPECT_EQ(model.candidateCount(OrphanGroup::raw), 2);
    ASSERT_EQ(model.restorableSessions().size(), 1);
    EXPECT_EQ(model.restorableSessions().first().folder, model.sessions().last().folder);
}

TEST_F(MoveRestoreTest, AFailedMoveChangesNothingAndToolSidecarsMoveWithTheirRaw)
{
    const QStringList raw { "Shoot/IMG_0201.CR3", "Shoot/IMG_0201_01.CR3.xmp",
        "Shoot/CaptureOne/Settings153/IMG_0201.CR3.cos" };
    scan(raw
        + QStringList { "Shoot/IMG_0202.CR3", "Shoot/IMG_0202.JPG",
            "Shoot/CaptureOne/Settings153/IMG_0202.CR3.cos", "Shoot/IMG_0202_01.CR3.xmp" });
    // The kept pair's settings are no leftovers.
    EXPECT_EQ(model.candidateCount(OrphanGroup::sidecar), 0);
    tick({ "Shoot/IMG_0201.CR3" });

    // A disk that refuses to create any folder, as a read-only one would: nothing changes.
    struct ReadOnlyFileManager : LocalFileManager
    {
        FolderHandle createFolder(const FolderHandle&, const QString&) override
        {
            throw OperationError("The disk is read-only.");
        }
    };
    model.setFileManagerFactory([] { return std::make_unique<ReadOnlyFileManager>(); });
    const QList<FileEntry> files = model.files();
    moveTicked();
    EXPECT_EQ(model.error(), "Nothing was moved: The disk is read-only.");
    EXPECT_EQ(model.files(), files);
    EXPECT_EQ(sorted(model.selection()), QStringList({ "Shoot/IMG_0201.CR3" }));
    EXPECT_FALSE(model.notice() || model.busy());
    EXPECT_TRUE(QFile::exists(folder.at(raw.first())));

    // Once the disk takes writes again, the same ticks move, tool sidecars with them.
    model.setFileManagerFactory([] { return std::make_unique<LocalFileManager>(); });
    model.clearError();
    moveTicked();
    EXPECT_EQ(model.notice()->text,
        "Moved 3 files (88 bytes) to “Orvalin Review”. Restore puts them back.");
    const QString session = model.sessions().first().folder;
    for (const QString& path : raw) {
        EXPECT_FALSE(QFileInfo::exists(folder.at(path))) << path.toStdString();
        EXPECT_EQ(readFile(session + u'/' + path), path.toUtf8());
    }
    // The settings folder the tool made stays, with the kept photo's settings in it.
    EXPECT_TRUE(QFileInfo::exists(folder.at("Shoot/CaptureOne/Settings153/IMG_0202.CR3.cos")));
}

} // namespace
