// The move summary: what it counts, and that only its move button moves anything.
#include "MoveSummarySheet.h"

#include "ContentView.h"
#include "MainWindow.h"
#include "ModelTestSupport.h"

#include <QPushButton>

namespace {

class MoveSummarySheetTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        writeFiles({ "IMG_1.CR3", "IMG_1.CR3.xmp", "IMG_1.xmp", "IMG_2.CR3", "IMG_2.JPG",
            "Sub/IMG_3.CR3", "Sub/IMG_4.CR3", "Sub/IMG_4.JPG" });
        openAndSettle(model, folder.path());
    }

    MoveSummarySheet* openSheet(const QStringList& ids)
    {
        tick(model, ids);
        model.reviewMove();
        return window.content()->sheet();
    }

    AppModel model { false };
    MainWindow window { model, nullptr };
};

TEST_F(MoveSummarySheetTest, countsARawWithTwoSidecarsAsThreeFilesFromOneFolder)
{
    MoveSummarySheet* sheet = openSheet({ QStringLiteral("IMG_1.CR3") });
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    const QStringList texts = sheet->texts();
    EXPECT_EQ(texts.value(0), QStringLiteral("Move 3 files?"));
    EXPECT_EQ(sheet->moveButton()->text(), QStringLiteral("Move 3 Files"));
    EXPECT_TRUE(sheet->moveButton()->isDefault());
    // Header, then the RAW line: 1 ticked file, 2 sidecars; then the total of 3.
    const qsizetype line = texts.indexOf(QStringLiteral("RAW without JPEG"));
    ASSERT_GE(line, 0);
    EXPECT_EQ(texts.mid(line + 1, 2), (QStringList { QStringLiteral("1"), QStringLiteral("2") }));
    const qsizetype total = texts.indexOf(QStringLiteral("Total"));
    ASSERT_GT(total, line);
    EXPECT_EQ(texts.value(total + 1), QStringLiteral("3"));
    EXPECT_TRUE(texts.contains(QStringLiteral("The files come from 1 folder.")));
}

TEST_F(MoveSummarySheetTest, countsTheScannedFolderAndASubfolderAsTwo)
{
    MoveSummarySheet* sheet
        = openSheet({ QStringLiteral("IMG_1.CR3"), QStringLiteral("Sub/IMG_3.CR3") });
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->texts().contains(QStringLiteral("The files come from 2 folders.")));
}

TEST_F(MoveSummarySheetTest, escapeClosesTheSheetAndKeepsEveryTick)
{
    MoveSummarySheet* sheet
        = openSheet({ QStringLiteral("IMG_1.CR3"), QStringLiteral("Sub/IMG_3.CR3") });
    ASSERT_NE(sheet, nullptr);
    QTest::keyClick(sheet, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.content()->sheet() == nullptr; }));
    EXPECT_FALSE(model.plan());
    EXPECT_EQ(model.selection().size(), 2);
    EXPECT_TRUE(QFile::exists(folder.at(QStringLiteral("IMG_1.CR3"))));
}

TEST_F(MoveSummarySheetTest, moveButtonMovesThePlanOnceTheSheetHasClosed)
{
    MoveSummarySheet* sheet = openSheet({ QStringLiteral("IMG_1.CR3") });
    ASSERT_NE(sheet, nullptr);
    QTest::keyClick(sheet, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.notice().has_value(); }, 30000));
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(window.content()->sheet(), nullptr);
    EXPECT_FALSE(QFile::exists(folder.at(QStringLiteral("IMG_1.CR3"))));
    EXPECT_FALSE(QFile::exists(folder.at(QStringLiteral("IMG_1.xmp"))));
    EXPECT_TRUE(model.selection().isEmpty());
}

TEST_F(MoveSummarySheetTest, aShowcaseSheetMovesNothing)
{
    tick(model, { QStringLiteral("IMG_1.CR3") });
    const MovePlan plan = MovePlan::make(model.result()->allCandidates(), model.selection());
    MoveSummarySheet sheet(model, plan, true);
    sheet.show();
    QTest::keyClick(&sheet, Qt::Key_Return);
    sheet.moveButton()->click();
    QTest::qWait(50);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_FALSE(model.busy());
    EXPECT_TRUE(QFile::exists(folder.at(QStringLiteral("IMG_1.CR3"))));
}

} // namespace
