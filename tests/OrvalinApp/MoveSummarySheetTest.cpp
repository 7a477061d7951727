// The move summary: what it counts, and that only its move button moves anything.
#include "MoveSummarySheet.h"

#include "ModelTestSupport.h"

namespace {

using MoveSummarySheetTest = WindowModelTest;

TEST_F(MoveSummarySheetTest, countsFilesAndFoldersEscapeKeepsTheTicksAndOnlyItsMoveButtonMoves)
{
    scan({ "IMG_1.CR3", "IMG_1.CR3.xmp", "IMG_1.xmp", "IMG_2.CR3", "IMG_2.JPG", "Sub/IMG_3.CR3",
        "Sub/IMG_4.CR3", "Sub/IMG_4.JPG" });
    const auto review = [&] {
        model.reviewMove();
        settle(model);
        return window.content()->sheet();
    };
    tick({ "IMG_1.CR3", "Sub/IMG_3.CR3" });
    MoveSummarySheet* sheet = review();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->texts().contains("The files come from 2 folders."));
    QTest::keyClick(sheet, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.content()->sheet() == nullptr; }));
    EXPECT_FALSE(model.plan());
    EXPECT_EQ(model.selection().size(), 2);

    // A showcase sheet only shows the plan: its button and Return do nothing.
    MoveSummarySheet showcase(
        model, MovePlan::make(model.result()->allCandidates(), model.selection()), true);
    showcase.show();
    QTest::keyClick(&showcase, Qt::Key_Return);
    showcase.moveButton()->click();
    QTest::qWait(50);
    EXPECT_TRUE(showcase.isVisible());
    EXPECT_FALSE(model.busy());
    EXPECT_TRUE(QFile::exists(folder.at("IMG_1.CR3")));

    // A RAW with two sidecars counts as three files from one folder.
    tick({ "Sub/IMG_3.CR3" });
    sheet = review();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    const QStringList texts = sheet->texts();
    EXPECT_EQ(texts.value(0), "Move 3 files?");
    EXPECT_EQ(sheet->moveButton()->text(), "Move 3 Files");
    EXPECT_TRUE(sheet->moveButton()->isDefault());
    // Header, then the RAW line: 1 ticked file, 2 sidecars; then the total of 3.
    const qsizetype line = texts.indexOf("RAW without JPEG");
    ASSERT_GE(line, 0);
    EXPECT_EQ(texts.mid(line + 1, 2), QStringList({ "1", "2" }));
    const qsizetype total = texts.indexOf("Total");
    ASSERT_GT(total, line);
    EXPECT_EQ(texts.value(total + 1), "3");
    EXPECT_TRUE(texts.contains("The files come from 1 folder."));

    // Return moves the plan once the sheet has closed.
    QTest::keyClick(sheet, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.notice().has_value(); }, 30000));
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(window.content()->sheet(), nullptr);
    EXPECT_FALSE(QFile::exists(folder.at("IMG_1.CR3")));
    EXPECT_FALSE(QFile::exists(folder.at("IMG_1.xmp")));
    EXPECT_TRUE(model.selection().isEmpty());
}

} // namespace
