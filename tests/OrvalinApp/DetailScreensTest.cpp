// The overview, pairs and restore screens, read as a user reads them.
#include "ModelTestSupport.h"
#include "OverviewView.h"
#include "PairsView.h"
#include "RestoreView.h"

#include <QHeaderView>
#include <QTableView>
#include <cerrno>

namespace {

using DetailScreensTest = WindowModelTest;

TEST_F(DetailScreensTest, overviewSummarisesTheScanAndNotesOnlyWhatApplies)
{
    EXPECT_TRUE(browser()->overview()->texts().join(u'\n').contains(
        "This folder hasn’t been scanned yet."));
    // Two pairs by name (one with two twins), a RAW leftover, three HEIC files held back.
    scan({ "A.CR3", "A.JPG", "A.HEIC", "B.NEF", "B.JPG", "C.NEF", "D.HEIC", "E.HEIC", "F.HEIC" });
    QTest::qWait(20);
    const QStringList texts = browser()->overview()->texts();
    const QString overview = texts.join(u'\n');
    EXPECT_TRUE(texts.contains(QString("“%1”").arg(QFileInfo(folder.path()).fileName())));
    EXPECT_TRUE(texts.contains("9 files: 3 RAW, 6 JPEG or HEIC, 0 sidecars. 2 pairs are complete "
                               "and stay where they are."));
    EXPECT_TRUE(overview.contains("3 HEIC files have no RAW."));
    EXPECT_FALSE(overview.contains("files are in folders with only RAW"));
    EXPECT_FALSE(overview.contains("renamed files were paired by capture time"));
    EXPECT_TRUE(overview.contains("Nothing is ticked until you choose."));
    EXPECT_TRUE(overview.contains("Moves go to “Orvalin Review” inside this folder"));

    auto cards = browser()->overview()->findChildren<GroupCard*>();
    ASSERT_EQ(cards.size(), 3);
    EXPECT_EQ(cards[0]->countText(), "1");
    EXPECT_TRUE(cards[0]->accessibleName().startsWith("RAW without JPEG: 1 file, "));
    EXPECT_EQ(cards[0]->accessibleDescription(), "Shows these files");
    // A very wide window keeps the cards at a readable width.
    window.resize(3000, 800);
    window.show();
    QApplication::processEvents();
    for (const GroupCard* card : browser()->overview()->findChildren<GroupCard*>())
        EXPECT_LE(card->width(), 400);
}

TEST_F(DetailScreensTest, overviewNamesWhatCouldNotBeReadAndTheModelHoldsBackWhatDependsOnIt)
{
    writeFiles({ "RAW/IMG_1.CR3", "RAW/IMG_2.CR3", "RAW/IMG_3.CR3", "JPG/IMG_1.JPG", "X/a.JPG",
        "Y/b.JPG", "Z/c.JPG" });
    MatchOptions options;
    options.matchAcrossFolders = true;
    options.onlyMixedFolders = false;
    model.setOptions(options);
    const UnreadableFolders locked(folder.path(), { "JPG", "X", "Y", "Z" });
    if (!locked.whyNot().isEmpty())
        GTEST_SKIP() << locked.whyNot().toStdString();
    openAndSettle();
    const QString reason = UnreadableItem::reasonFor(EACCES);
    EXPECT_TRUE(model.result()->orphanRaws.isEmpty());
    QTest::qWait(20);
    const QStringList texts = browser()->overview()->texts();
    const auto note = std::find_if(texts.begin(), texts.end(),
        [](const QString& text) { return text.startsWith("Couldn’t read “"); });
    ASSERT_NE(note, texts.end());
    // The first three in walk order, each with why.
    EXPECT_EQ(note->count(QString("” (%1)").arg(reason)), 3) << note->toStdString();
    EXPECT_TRUE(note->endsWith(" and 1 more. 3 files could have a twin, photo or sidecar there, so "
                               "they aren’t listed as leftovers."))
        << note->toStdString();

    // Analysed anew, the files still hold back what depends on the unread folders.
    options.ignoreEditSuffixes = false;
    model.setOptions(options);
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(model.result()->heldByUnreadable, 3);
}

TEST_F(DetailScreensTest, pairsListTwinsInPathOrderAndTheRestoreScreenShowsWhatSessionsHold)
{
    scan({ "Shoot/DSCF3306.RAF", "Shoot/DSCF3306.JPG", "Shoot/DSCF3301.RAF", "Shoot/DSCF3301.JPG",
        "Shoot/A10.CR3", "Shoot/A10.JPG", "Shoot/a2.CR3", "Shoot/a2.JPG", "Shoot/a2.HEIC",
        "Shoot/B.JPG", "Shoot/C.JPG" });
    window.resize(900, 600);
    window.show();
    model.setSidebar(SidebarItem::pairs());
    QTableView* table = browser()->pairs()->table();
    const QAbstractItemModel& rows = *table->model();
    const auto cell
        = [&](int row, int column) { return rows.index(row, column).data().toString(); };
    QStringList raws;
    for (int row = 0; row < rows.rowCount(); ++row)
        raws << cell(row, 0);
    EXPECT_EQ(raws,
        QStringList(
            { "Shoot/a2.CR3", "Shoot/A10.CR3", "Shoot/DSCF3301.RAF", "Shoot/DSCF3306.RAF" }));
    // Both twins, by name only, comma and space between.
    EXPECT_EQ(sorted(cell(0, 1).split(", ")), QStringList({ "a2.HEIC", "a2.JPG" }));
    EXPECT_EQ(cell(0, 2), "Name");
    EXPECT_EQ(rows.headerData(2, Qt::Horizontal).toString(), "Matched by");
    EXPECT_EQ(rows.index(0, 0).data(Qt::ToolTipRole).toString(), "Shoot/a2.CR3");
    // The last column ends inside the table, at the window's smallest size.
    QApplication::processEvents();
    const QHeaderView* columns = table->horizontalHeader();
    EXPECT_GE(columns->sectionSize(2), 110);
    EXPECT_LE(
        columns->sectionViewportPosition(2) + columns->sectionSize(2), table->viewport()->width());

    RestoreView* restore = browser()->restore();
    EXPECT_TRUE(restore->showsEmptyState());
    EXPECT_FALSE(restore->restoreAllButton()->isEnabled());
    moveTicked({ "Shoot/B.JPG", "Shoot/C.JPG" });
    EXPECT_FALSE(restore->showsEmptyState());
    ASSERT_EQ(restore->rows().size(), 1);
    // Under the session's date, what it holds: each file holds its path.
    EXPECT_EQ(restore->rows().first()->texts().value(1), "2 files (22 bytes) in the review folder");
    EXPECT_TRUE(restore->restoreAllButton()->isEnabled());

    // New files take both places; restoring leaves both moved ones waiting, in orange.
    writeFiles({ "Shoot/B.JPG", "Shoot/C.JPG" });
    restore->restoreAllButton()->click();
    ASSERT_TRUE(settle(model));
    ASSERT_EQ(restore->rows().size(), 1);
    EXPECT_TRUE(restore->rows().first()->texts().contains("Put back"));
    const QString waiting = "2 waiting: a file with the same name is back in the original place";
    QLabel* line = nullptr;
    for (QLabel* label : restore->rows().first()->findChildren<QLabel*>())
        line = label->text() == waiting ? label : line;
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(0xd9, 0x73, 0x0d));
}

} // namespace
