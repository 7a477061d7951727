// The overview, pairs and restore screens, read as a user reads them.
#include "ModelTestSupport.h"
#include "OverviewView.h"
#include "PairsView.h"
#include "RestoreView.h"

#include <QTableWidget>

namespace {

class DetailScreensTest : public WindowModelTest
{
protected:
    bool overviewHas(const QString& start) const
    {
        const QStringList texts = browser()->overview()->texts();
        return std::any_of(texts.begin(), texts.end(),
            [&](const QString& text) { return text.startsWith(start); });
    }
};

TEST_F(DetailScreensTest, overviewSummarisesTheScanAndNotesOnlyWhatApplies)
{
    EXPECT_TRUE(overviewHas("This folder hasn’t been scanned yet."));
    // Two pairs by name (one with two twins), a RAW leftover, three HEIC files held back.
    scan({ "A.CR3", "A.JPG", "A.HEIC", "B.NEF", "B.JPG", "C.NEF", "D.HEIC", "E.HEIC", "F.HEIC" });
    QTest::qWait(20);
    const QStringList texts = browser()->overview()->texts();
    EXPECT_TRUE(texts.contains(QString("“%1”").arg(QFileInfo(folder.path()).fileName())));
    EXPECT_TRUE(texts.contains("9 files: 3 RAW, 6 JPEG or HEIC, 0 sidecars. 2 pairs are complete "
                               "and stay where they are."));
    EXPECT_TRUE(overviewHas("3 HEIC files have no RAW."));
    EXPECT_FALSE(overviewHas("files are in folders with only RAW"));
    EXPECT_FALSE(overviewHas("renamed files were paired by capture time"));
    EXPECT_TRUE(overviewHas("Nothing is ticked until you choose."));
    EXPECT_TRUE(overviewHas("Moves go to “Orvalin Review” inside this folder"));

    auto cards = browser()->overview()->findChildren<GroupCard*>();
    ASSERT_EQ(cards.size(), 3);
    EXPECT_EQ(cards[0]->countText(), "1");
    EXPECT_TRUE(cards[0]->accessibleName().startsWith("RAW without JPEG: 1 file, "));
    EXPECT_EQ(cards[0]->accessibleDescription(), "Shows these files");
}

TEST_F(DetailScreensTest, pairsListTwinsByNameAndHowTheyMatched)
{
    scan({ "Shoot/A.CR3", "Shoot/A.JPG", "Shoot/A.HEIC", "Shoot/B.NEF", "Shoot/B.JPG" });
    QTableWidget* table = browser()->pairs()->table();
    ASSERT_EQ(table->rowCount(), 2);
    const int row = table->item(0, 0)->text() == "Shoot/A.CR3" ? 0 : 1;
    EXPECT_EQ(table->item(row, 0)->text(), "Shoot/A.CR3");
    // Both twins, by name only, comma and space between.
    EXPECT_EQ(sorted(table->item(row, 1)->text().split(", ")), QStringList({ "A.HEIC", "A.JPG" }));
    EXPECT_EQ(table->item(row, 2)->text(), "Name");
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "Matched by");
    EXPECT_EQ(table->columnWidth(2), 110);
}

TEST_F(DetailScreensTest, restoreScreenShowsWhatEachSessionStillHolds)
{
    scan({ "Shoot/A.CR3", "Shoot/A.JPG", "Shoot/B.JPG", "Shoot/C.JPG" });
    RestoreView* restore = browser()->restore();
    EXPECT_TRUE(restore->showsEmptyState());
    EXPECT_FALSE(restore->restoreAllButton()->isEnabled());
    tick({ "Shoot/B.JPG", "Shoot/C.JPG" });
    moveTicked();
    EXPECT_FALSE(restore->showsEmptyState());
    ASSERT_EQ(restore->rows().size(), 1);
    const QStringList moved = restore->rows().first()->texts();
    EXPECT_TRUE(std::any_of(moved.begin(), moved.end(), [](const QString& text) {
        return text.startsWith("2 files (") && text.endsWith(") in the review folder");
    })) << moved.join(u'\n').toStdString();
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
