// The overview, pairs and restore screens, read as a user reads them.
#include "BrowserView.h"
#include "ContentView.h"
#include "MainWindow.h"
#include "ModelTestSupport.h"
#include "OverviewView.h"
#include "PairsView.h"
#include "RestoreView.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {

class DetailScreensTest : public ModelTest
{
protected:
    BrowserView* browser() const { return window.content()->browserView(); }
    QStringList overviewTexts() const { return browser()->overview()->texts(); }
    bool overviewHas(const QString& start) const
    {
        const QStringList texts = overviewTexts();
        return std::any_of(texts.begin(), texts.end(),
            [&](const QString& text) { return text.startsWith(start); });
    }
    void waitForOverview() { QTest::qWait(20); }

    AppModel model { false };
    MainWindow window { model, nullptr };
};

TEST_F(DetailScreensTest, overviewSummarisesTheScanAndNotesOnlyWhatApplies)
{
    EXPECT_TRUE(overviewTexts().contains(QStringLiteral("This folder hasn’t been scanned yet.")));

    // Two pairs by name (one with two twins), a RAW leftover, three HEIC files held back.
    writeFiles(
        { "A.CR3", "A.JPG", "A.HEIC", "B.NEF", "B.JPG", "C.NEF", "D.HEIC", "E.HEIC", "F.HEIC" });
    openAndSettle(model, folder.path());
    waitForOverview();
    const QStringList texts = overviewTexts();
    EXPECT_TRUE(texts.contains(QStringLiteral("“%1”").arg(QFileInfo(folder.path()).fileName())));
    EXPECT_TRUE(texts.contains(QStringLiteral("9 files: 3 RAW, 6 JPEG or HEIC, 0 sidecars. 2 pairs "
                                              "are complete and stay where they are.")));
    EXPECT_TRUE(overviewHas(QStringLiteral("3 HEIC files have no RAW.")));
    EXPECT_FALSE(overviewHas(QStringLiteral("files are in folders with only RAW")));
    EXPECT_FALSE(overviewHas(QStringLiteral("renamed files were paired by capture time")));
    EXPECT_TRUE(overviewHas(QStringLiteral("Nothing is ticked until you choose.")));
    EXPECT_TRUE(overviewHas(QStringLiteral("Moves go to “Orvalin Review” inside this folder")));

    auto cards = browser()->overview()->findChildren<GroupCard*>();
    ASSERT_EQ(cards.size(), 3);
    EXPECT_EQ(cards[0]->countText(), QStringLiteral("1"));
    EXPECT_TRUE(
        cards[0]->accessibleName().startsWith(QStringLiteral("RAW without JPEG: 1 files, ")));
    EXPECT_EQ(cards[0]->accessibleDescription(), QStringLiteral("Shows these files"));
}

TEST_F(DetailScreensTest, pairsListTwinsByNameAndHowTheyMatched)
{
    writeFiles({ "Shoot/A.CR3", "Shoot/A.JPG", "Shoot/A.HEIC", "Shoot/B.NEF", "Shoot/B.JPG" });
    openAndSettle(model, folder.path());
    QTableWidget* table = browser()->pairs()->table();
    ASSERT_EQ(table->rowCount(), 2);
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row)
        rows << table->item(row, 0)->text() + u'|' + table->item(row, 1)->text() + u'|'
                + table->item(row, 2)->text();
    rows.sort();
    EXPECT_EQ(rows.value(0).section(u'|', 0, 0), QStringLiteral("Shoot/A.CR3"));
    // Both twins, by name only, comma and space between.
    const QStringList twins = rows.value(0).section(u'|', 1, 1).split(QStringLiteral(", "));
    EXPECT_EQ(sorted(twins), (QStringList { QStringLiteral("A.HEIC"), QStringLiteral("A.JPG") }));
    EXPECT_EQ(rows.value(0).section(u'|', 2, 2), QStringLiteral("Name"));
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QStringLiteral("Matched by"));
    EXPECT_EQ(table->columnWidth(2), 110);
}

TEST_F(DetailScreensTest, restoreScreenShowsWhatEachSessionStillHolds)
{
    writeFiles({ "Shoot/A.CR3", "Shoot/A.JPG", "Shoot/B.JPG", "Shoot/C.JPG" });
    openAndSettle(model, folder.path());
    RestoreView* restore = browser()->restore();
    EXPECT_TRUE(restore->showsEmptyState());
    EXPECT_FALSE(restore->restoreAllButton()->isEnabled());

    tick(model, { QStringLiteral("Shoot/B.JPG"), QStringLiteral("Shoot/C.JPG") });
    model.reviewMove();
    ASSERT_TRUE(model.plan());
    model.move(*model.plan());
    ASSERT_TRUE(settle(model));
    EXPECT_FALSE(restore->showsEmptyState());
    ASSERT_EQ(restore->rows().size(), 1);
    const QStringList moved = restore->rows().first()->texts();
    EXPECT_TRUE(std::any_of(moved.begin(), moved.end(), [](const QString& text) {
        return text.startsWith(QStringLiteral("2 files ("))
            && text.endsWith(QStringLiteral(") in the review folder"));
    })) << moved.join(u'\n').toStdString();
    EXPECT_TRUE(restore->restoreAllButton()->isEnabled());

    // New files take both places; restoring leaves both moved ones waiting.
    writeFiles({ "Shoot/B.JPG", "Shoot/C.JPG" });
    restore->restoreAllButton()->click();
    ASSERT_TRUE(settle(model));
    ASSERT_EQ(restore->rows().size(), 1);
    const QStringList waiting = restore->rows().first()->texts();
    EXPECT_TRUE(waiting.contains(QStringLiteral("Put back")));
    EXPECT_TRUE(waiting.contains(
        QStringLiteral("2 waiting: a file with the same name is back in the original place")));
    const auto labels = restore->rows().first()->findChildren<QLabel*>();
    const auto line = std::find_if(labels.begin(), labels.end(),
        [](QLabel* label) { return label->text().startsWith(QStringLiteral("2 waiting")); });
    ASSERT_NE(line, labels.end());
    EXPECT_EQ((*line)->palette().color(QPalette::WindowText), QColor(0xd9, 0x73, 0x0d));
}

} // namespace
