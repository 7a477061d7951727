#include "RaceDrill.h"

#include <gtest/gtest.h>

// Real files, and a real thread swapping folders of the shoot and of the session for links to
// folders outside while moves and restores run; bounded by the rounds and the files per round.
TEST(MoverRace, FoldersSwappedForLinksNeverLeadOutsideNorLoseAFile)
{
    const RaceDrillReport report = RaceDrill::run(3, 150);
    EXPECT_GT(report.swaps, 0);
    EXPECT_EQ(report.filesChecked, 3 * 300);
    EXPECT_EQ(report.lost, 0) << report.problems.join(u'\n').toStdString();
    EXPECT_EQ(report.outsideTouched, 0) << report.problems.join(u'\n').toStdString();
}
