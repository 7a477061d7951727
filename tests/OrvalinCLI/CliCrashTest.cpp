#include "CrashDrill.h"

#include <gtest/gtest.h>

// A move or a restore killed at any moment must leave every file restorable, byte for byte, and
// a listing and a next restore that tell the truth.
TEST(CliCrash, KilledMovesAndRestoresLoseNothing)
{
    const CrashDrillReport report
        = CrashDrill::run(QStringLiteral(ORVALIN_CLI_PATH), 6, 2000, 20261207);
    EXPECT_EQ(report.kills, 6);
    EXPECT_EQ(report.restoreKills, 3);
    EXPECT_GE(report.filesChecked, 6 * 2000);
    EXPECT_TRUE(report.clean()) << report.problems.mid(0, 20).join(u'\n').toStdString();
}
