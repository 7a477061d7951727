#include "RestoreLog.h"

#include "CodingError.h"
#include "LastReadLog.h"
#include "LocalFileManager.h"
#include "ShootFolder.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Status = RestoreLog::Status;

QDateTime utc(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODateWithMs);
}

RestoreLog sampleLog()
{
    const QString raw = u"2026-10 Market/Afternoon/IMG_1.CR3"_s;
    RestoreLog::Entry sidecar
        = entry(raw + u".xmp"_s, raw + u".xmp"_s, Status::moved, 4096, OrphanGroup::raw);
    sidecar.follows = raw;
    RestoreLog::Entry failed
        = entry(u"Café \"Noir\"\\IMG_2.jpg"_s, u"Café \"Noir\"\\IMG_2 2.jpg"_s, Status::failed, 0);
    failed.note = u"not found"_s;
    // A fraction of a second that the file has no room for.
    return { 1, u"Orvalin"_s, utc("2026-10-04T10:15:00.750Z"), u"/home/ann/Pictures/Shoots"_s,
        Destination::review,
        { entry(raw, raw, Status::moved, 25165824, OrphanGroup::raw), sidecar, failed },
        std::nullopt };
}

const char* const sampleBytes = R"({
  "app" : "Orvalin",
  "created" : "2026-10-04T10:15:00Z",
  "destination" : "review",
  "entries" : [
    {
      "group" : "raw",
      "movedTo" : "2026-10 Market/Afternoon/IMG_1.CR3",
      "path" : "2026-10 Market/Afternoon/IMG_1.CR3",
      "size" : 25165824,
      "status" : "moved"
    },
    {
      "follows" : "2026-10 Market/Afternoon/IMG_1.CR3",
      "group" : "raw",
      "movedTo" : "2026-10 Market/Afternoon/IMG_1.CR3.xmp",
      "path" : "2026-10 Market/Afternoon/IMG_1.CR3.xmp",
      "size" : 4096,
      "status" : "moved"
    },
    {
      "group" : "jpeg",
      "movedTo" : "Café \"Noir\"\\IMG_2 2.jpg",
      "note" : "not found",
      "path" : "Café \"Noir\"\\IMG_2.jpg",
      "size" : 0,
      "status" : "failed"
    }
  ],
  "rootPath" : "/home/ann/Pictures/Shoots",
  "version" : 1
})";

// A valid log of the right shape written the way another tool might: keys in another order,
// nulls for absent values, a zone offset.
const char* const foreignBytes = R"({"version":1,"entries":[{"status":"moved","size":25165824,
  "path":"2026-10 Market/Afternoon/IMG_1.CR3","group":"raw","follows":null,"note":null,
  "movedTo":"2026-10 Market\/Afternoon\/IMG_1.CR3"}],"rootPath":"/home/ann/Pictures/Shoots",
  "destination":"review","created":"2026-10-04T12:15:00+02:00","app":"Orvalin",
  "restored":null})";

} // namespace

TEST(RestoreLog, EncodesTheExactBytesWithDatesInUtcToTheSecondAndDecodesAnyValidJson)
{
    EXPECT_EQ(sampleLog().encoded().toStdString(), std::string(sampleBytes));
    RestoreLog expected = sampleLog();
    expected.created = utc("2026-10-04T10:15:00Z");
    // Logs written before the file ended with the brace have a line feed after it.
    for (const QByteArray& bytes : { QByteArray(sampleBytes) + '\n', QByteArray(sampleBytes) })
        EXPECT_EQ(RestoreLog::decoded(bytes), expected);

    RestoreLog log = sampleLog();
    log.entries.clear();
    log.created = QDateTime(QDate(2026, 10, 4), QTime(12, 15, 0, 999), QTimeZone(2 * 3600));
    log.restored = utc("2026-10-05T08:00:00Z");
    const QByteArray bytes = log.encoded();
    EXPECT_TRUE(bytes.contains("\"created\" : \"2026-10-04T10:15:00Z\""));
    EXPECT_TRUE(bytes.contains("  \"entries\" : [],\n  \"restored\" : \"2026-10-05T08:00:00Z\",\n"
                               "  \"rootPath\""))
        << bytes.toStdString();
    log.created = QDateTime();
    EXPECT_THROW(log.encoded(), CodingError);

    expected.entries.resize(1);
    EXPECT_EQ(RestoreLog::decoded(foreignBytes), expected);
}

TEST(RestoreLog, ALongLogReadAgainIsDecodedAgainOnceItsBytesChanged)
{
    RestoreLog log = sampleLog();
    for (int i = 0; i < 8000; ++i)
        log.entries.append(entry(u"Shoot/IMG_%1.JPG"_s.arg(i), u"Shoot/IMG_%1.JPG"_s.arg(i)));
    const QByteArray planned = log.encoded();
    ASSERT_GT(planned.size(), 1 << 20) << "a log long enough to be kept";
    log.entries.last().status = Status::moved;
    const QByteArray moved = log.encoded();
    // Read in two halves, side by side, and joined in order.
    EXPECT_EQ(RestoreLog::decoded(moved).entries, log.entries);
    // The same bytes twice, and again once handed out; then bytes that differ in one entry.
    for (const QByteArray& data : { planned, planned, planned, moved, planned })
        EXPECT_EQ(LastReadLog::decoded(data), RestoreLog::decoded(data));
}

TEST(RestoreLog, RejectsAnythingElse)
{
    const char* const created = "\"2026-10-04T10:15:00Z\"";
    const std::pair<const char*, const char*> damages[]
        = { { created, "\"2026-10-04T10:15:00.5Z\"" }, { created, "\"2026-10-04T10:15:00\"" },
              { created, "\"2026-10-04 10:15:00Z\"" }, { created, "\"2026-02-30T10:15:00Z\"" },
              { created, "1791108900" }, { created, "\"2026-10-04T10:15:00Z\\n\"" },
              { "\"status\" : \"failed\"", "\"status\" : \"lost\"" },
              { "\"group\" : \"jpeg\"", "\"group\" : \"JPEG\"" },
              { "\"destination\" : \"review\"", "\"destination\" : \"trash\"" },
              { "\"rootPath\" : \"/home/ann/Pictures/Shoots\",", "" }, { "\"size\" : 4096,", "" },
              { "\"size\" : 4096", "\"size\" : \"4096\"" },
              { "\"size\" : 4096", "\"size\" : 4096.5" },
              { "\"version\" : 1", "\"version\" : \"1\"" },
              { "\"note\" : \"not found\"", "\"note\" : 3" },
              { "\"app\" : \"Orvalin\"", "\"app\" : null" }, { "  ],", "  }," }, { "\n}", "\n" },
              // Fractions are refused in the restored date as well.
              { "\"rootPath\"", "\"restored\" : \"2026-10-05T08:00:00.001Z\", \"rootPath\"" },
              // Not a log at all.
              { sampleBytes, "[]" }, { sampleBytes, "" } };
    for (const auto& [before, after] : damages) {
        QByteArray bytes(sampleBytes);
        EXPECT_TRUE(bytes.contains(before)) << before;
        EXPECT_THROW(RestoreLog::decoded(bytes.replace(before, after)), CodingError) << after;
    }
}

TEST(RestoreLog, CountsWhatIsStillInTheSession)
{
    // Files still moved, their bytes, whether there is anything to restore, files ever moved.
    const auto counts = [](const RestoreLog& log) {
        return QList<qint64> { log.movedCount(), log.movedSize(), log.canRestore(),
            log.everMovedCount() };
    };
    RestoreLog log = sampleLog();
    EXPECT_EQ(counts(log), QList<qint64>({ 2, 25165824 + 4096, true, 2 }));
    log.entries[0].status = Status::restored;
    log.entries[1].status = Status::conflict;
    EXPECT_EQ(counts(log), QList<qint64>({ 0, 0, false, 2 }));
}

TEST(RestoreLog, SafeRelativePaths)
{
    for (const char* path : { "a.jpg", "2026-10 Market/IMG_1.JPG", "..a/b..", ".hidden/x", "a~" })
        EXPECT_EQ(Mover::safeRelativePath(QString::fromUtf8(path)), QString::fromUtf8(path));
    for (const char* path : { "", "/etc/passwd", "~/x.jpg", "~x", "a//b.jpg", "a/", "./a.jpg",
             "a/./b", "../x.jpg", "a/../../x", "a/.." })
        EXPECT_FALSE(Mover::safeRelativePath(QString::fromUtf8(path)).has_value()) << path;
    // Text that cannot become the file system's bytes would name another file.
    EXPECT_FALSE(Mover::safeRelativePath(u"a/"_s + QChar(0xd800) + u'x'));
}

TEST(RestoreLog, ReconcilingMarksPlannedFilesFoundInTheSession)
{
    TempFolder session;
    for (const QString& path : { u"A/IMG_1.JPG"_s, u"IMG_2.JPG"_s, u"x.jpg"_s })
        session.write(path, "photo");
    // An empty file where the log says the file was not is a reservation of a cut-off move.
    session.write(u"reserved.jpg"_s);
    session.write(u"empty.xmp"_s);
    RestoreLog log = sampleLog();
    log.entries = { entry(u"A/IMG_1.JPG"_s, std::nullopt), entry(u"B/IMG_2.JPG"_s, u"IMG_2.JPG"_s),
        entry(u"C/IMG_3.JPG"_s, u"C/IMG_3.JPG"_s), entry(u"x.jpg"_s, u"../x.jpg"_s),
        entry(u"x.jpg"_s, u"x.jpg"_s, Status::failed), entry(u"reserved.jpg"_s, std::nullopt),
        entry(u"empty.xmp"_s, std::nullopt, Status::planned, 0) };
    const LocalFileManager disk;
    RestoreLog expected = log;
    for (const int found : { 0, 1, 6 })
        expected.entries[found].status = Status::moved;
    EXPECT_EQ(log.reconciled(disk.openFolder(session.path()), disk), expected);
}
