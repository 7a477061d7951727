// What a scan cannot read is named, and no leftover that depends on it is offered; everything
// readable is listed and analysed as before.
#include "AnalysisText.h"
#include "Analyzer.h"
#include "Scanner.h"
#include "TestSupport.h"

#include <cerrno>

using namespace Qt::StringLiterals;
using AnalysisText::offered;
using AnalysisText::paths;

namespace {

struct Scan
{
    QList<FileEntry> files;
    UnreadableList unreadable;
};

Scan scanOf(const QString& folder, const QList<ReadFault>& faults = {})
{
    Scan scan;
    scan.files = Scanner::scan(
        folder, ScanOptions { u"Orvalin Review"_s, faults }, {}, {}, &scan.unreadable);
    return scan;
}

MatchOptions matching(bool across, bool toolNames = true)
{
    return { .matchAcrossFolders = across, .onlyMixedFolders = false, .knownToolNames = toolNames };
}

} // namespace

TEST(Unreadable, NamesWhatCouldNotBeReadAndHoldsBackOnlyWhatDependsOnIt)
{
    // Leftovers at the top and at each depth; in C a RAW with Capture One's settings folder,
    // holding sidecars of C's photos, one of them gone; in D a RAW with its export.
    TempFolder shoot;
    for (const QString& path : { u"IMG_0.CR3"_s, u"A/IMG_1.CR3"_s, u"A/IMG_1.JPG"_s,
             u"A/IMG_2.CR3"_s, u"A/IMG_9.xmp"_s, u"A/B/IMG_3.CR3"_s, u"A/B/C/IMG_4.JPG"_s,
             u"C/IMG_5.CR3"_s, u"C/CaptureOne/Settings153/IMG_6.CR3.cos"_s,
             u"C/CaptureOne/Settings153/IMG_5.CR3.cos"_s, u"D/IMG_7.CR3"_s,
             u"D/darktable_exported/IMG_7.jpg"_s })
        shoot.write(path);
    const QStringList whole = paths(scanOf(shoot.path()).files);
    const QString settings = u"C/CaptureOne/Settings153/IMG_5.CR3.cos"_s;
    const struct
    {
        ReadFault fault;
        bool isFolder;
        MatchOptions options;
        QStringList held;
    } cases[] = {
        { { u"C"_s, EACCES }, true, matching(false), {} },
        { { u"A/B"_s, EIO }, true, matching(false), {} },
        // Across folders a twin could be anywhere; a sidecar's photo is still in its own folder.
        { { u"A/B/C"_s, EACCES }, true, matching(true),
            { u"A/B/IMG_3.CR3"_s, u"A/IMG_2.CR3"_s, u"C/IMG_5.CR3"_s, u"IMG_0.CR3"_s } },
        // A's RAW loses its twin to the fault, and is not offered for that.
        { { u"A/IMG_1.JPG"_s, EIO }, false, matching(false),
            { u"A/IMG_1.CR3"_s, u"A/IMG_2.CR3"_s, u"A/IMG_9.xmp"_s } },
        // The settings folder may hold sidecars that move with C's photos.
        { { settings, EIO }, false, matching(false), { u"C/IMG_5.CR3"_s } },
        // An editor's export folder may hold the twin of D's RAW.
        { { u"D/darktable_exported"_s, EACCES }, true, matching(false), { u"D/IMG_7.CR3"_s } },
        // Without known tools' names, sidecars there belong to photos there.
        { { settings, EIO }, false, matching(false, false),
            { u"C/CaptureOne/Settings153/IMG_6.CR3.cos"_s } },
        // Gone since its folder was listed: nothing to name.
        { { u"A/IMG_1.JPG"_s, ENOENT }, false, matching(false), {} },
    };
    for (const auto& c : cases) {
        const std::string what = c.fault.relativePath.toStdString();
        const Scan scan = scanOf(shoot.path(), { c.fault });
        QStringList listed = whole;
        listed.removeIf([&](const QString& path) {
            return path == c.fault.relativePath || path.startsWith(c.fault.relativePath + u'/');
        });
        EXPECT_EQ(paths(scan.files), listed) << what;
        const QList<UnreadableItem> named { { c.fault.relativePath,
            UnreadableItem::reasonFor(c.fault.error), c.isFolder } };
        EXPECT_EQ(scan.unreadable.items, c.fault.error == ENOENT ? QList<UnreadableItem>() : named)
            << what;

        const ScanResult readable = Analyzer::analyze(scan.files, c.options);
        const ScanResult result = Analyzer::analyze(scan.files, c.options, {}, {}, scan.unreadable);
        QStringList expected = offered(readable);
        expected.removeIf(
            [&](const QString& line) { return c.held.contains(line.section(u" + "_s, 0, 0)); });
        EXPECT_EQ(offered(result), expected) << what;
        EXPECT_EQ(result.heldByUnreadable, c.held.size()) << what;
        EXPECT_EQ(result.pairs, readable.pairs) << what;
        EXPECT_EQ(result.unreadable, scan.unreadable) << what;
    }
}

TEST(Unreadable, KeepsTheFirstHundredInWalkOrderAndPastThemHoldsBackEverythingUnlessItIsAll)
{
    TempFolder shoot;
    shoot.write(u"IMG_0.CR3"_s);
    for (int i = 0; i < 150; ++i)
        shoot.write(QStringLiteral("Day %1/IMG_%1.JPG").arg(i));
    QList<ReadFault> faults;
    for (const QString& path : paths(scanOf(shoot.path()).files)) {
        if (path.contains(u'/'))
            faults.append({ path.section(u'/', 0, 0), EACCES });
    }
    const Scan scan = scanOf(shoot.path(), faults);
    ASSERT_EQ(scan.unreadable.total, 150);
    ASSERT_EQ(scan.unreadable.items.size(), UnreadableList::kept);
    for (qsizetype i = 0; i < UnreadableList::kept; ++i)
        EXPECT_EQ(scan.unreadable.items[i].relativePath, faults[i].relativePath);
    EXPECT_TRUE(
        offered(Analyzer::analyze(scan.files, matching(false), {}, {}, scan.unreadable)).isEmpty());

    // The chosen folder unreadable fails the scan; a catalogue still refuses it whatever other
    // folder is unreadable.
    shoot.write(u"Day 7/B/Catalog.lrcat"_s);
    EXPECT_THROW(scanOf(shoot.path(), { { QString(), EACCES } }), OperationError);
    EXPECT_THROW(scanOf(shoot.path(), { { u"Day 9"_s, EACCES } }), ScanRefusal);
}
