#include "LogSchedule.h"

#include "FaultyFileManager.h"
#include "SessionLogs.h"
#include "ShootFolder.h"

using Operation = FaultyFileManager::Operation;

TEST(LogSchedule, SpacesWritesByTimeAndByWhatTheLastWriteCostWhateverTheSize)
{
    qint64 now = 1000;
    LogSchedule schedule([&] { return now; });
    now += LogSchedule::minimumGap - 1;
    EXPECT_FALSE(schedule.due());
    now += 1;
    EXPECT_TRUE(schedule.due());

    // A write that took 500 ms: the next one waits ten times as long, counted from its end.
    schedule.write([&] { now += 500; });
    now += LogSchedule::minimumGap;
    EXPECT_FALSE(schedule.due());
    now += LogSchedule::costFactor * 500 - LogSchedule::minimumGap;
    EXPECT_TRUE(schedule.due());

    // A failed write is a write too.
    EXPECT_THROW(schedule.write([&] {
        now += 1;
        throw OperationError(QStringLiteral("disk full"));
    }),
        OperationError);
    EXPECT_FALSE(schedule.due());

    // So the time spent writing stays a fixed share whatever the size of the log. Each entry
    // takes 1 ms; a write takes 1 ms per 100 entries.
    for (const qsizetype entries : { 10'000, 40'000, 160'000 }) {
        now = 0;
        qint64 writing = 0;
        LogSchedule sized([&] { return now; });
        for (qsizetype i = 0; i < entries; ++i) {
            ++now;
            if (sized.due()) {
                sized.write([&] { now += entries / 100; });
                writing += entries / 100;
            }
        }
        EXPECT_LE(writing * LogSchedule::costFactor, now) << entries;
    }
}

TEST(SessionLogs, WritesOnTheWayOnlyWhenDueAndShrugsOffFailures)
{
    TempFolder folder;
    qint64 now = 0;
    FaultyFileManager fileManager;
    SessionLogs logs(
        fileManager.openFolder(folder.path()), LogWording::english(), [&] { return now; });
    RestoreLog log { 1, QStringLiteral("Orvalin"), QDateTime::fromSecsSinceEpoch(1'790'000'000),
        folder.path(), Destination::review,
        { entry(QStringLiteral("IMG_1.JPG"), QStringLiteral("IMG_1.JPG")) }, std::nullopt };
    fileManager.failCall(Operation::write, 3);
    logs.write(log, fileManager);
    logs.writeIfDue(log, fileManager);
    EXPECT_EQ(fileManager.calls(Operation::write), 2);

    now += LogSchedule::minimumGap;
    log.entries[0].status = RestoreLog::Status::moved;
    EXPECT_NO_THROW(logs.writeIfDue(log, fileManager));
    EXPECT_EQ(fileManager.calls(Operation::write), 3);
    EXPECT_EQ(Mover::readLog(folder.path(), fileManager).movedCount(), 0);

    now += LogSchedule::minimumGap;
    logs.writeIfDue(log, fileManager);
    EXPECT_EQ(fileManager.calls(Operation::write), 5);
    EXPECT_EQ(Mover::readLog(folder.path(), fileManager), log);
}
