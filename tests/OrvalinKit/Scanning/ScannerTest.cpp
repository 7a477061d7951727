#include "Scanner.h"

#include "ReferenceWalk.h"
#include "TestSupport.h"

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>
#include <random>

namespace {

using Reason = ScanRefusal::Reason;

std::optional<ScanRefusal> refusalOfScan(const QString& folder)
{
    try {
        Scanner::scan(folder, ScanOptions {});
    } catch (const ScanRefusal& refusal) {
        return refusal;
    }
    return std::nullopt;
}

// Items made by their bytes, as names that are not UTF-8 cannot be made through QString.
void rawFile(const QByteArray& path, off_t size = 0)
{
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0) << path.constData();
    EXPECT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
}

QByteArray rawFolder(const QByteArray& path)
{
    EXPECT_TRUE(::mkdir(path.constData(), 0755) == 0 || errno == EEXIST) << path.constData();
    return path;
}

// Folders still open after a scan gave up part-way would pile up over a session.
qsizetype openFileCount()
{
    return QDir(u"/dev/fd"_qs).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size();
}

} // namespace

TEST(ScannerWalk, RefusesCataloguesAroundTheFolderAsWrittenAndResolvedAndAtAnyDepthBelow)
{
    // A Photos library around the chosen folder is refused as surrounding it, one below it as
    // held; the location alone says nothing about what lies below.
    const struct
    {
        const char* path;
        const char* chosen;
        ScanRefusal refusal;
    } cases[]
        = { { "Photos Library.photoslibrary/Sub/IMG_3.JPG", "Photos Library.photoslibrary/Sub",
                { Reason::insidePhotosLibrary, u"Photos Library.photoslibrary"_qs } },
              { "Photos Library.photoslibrary/Sub/IMG_3.JPG", "Linked",
                  { Reason::insidePhotosLibrary, u"Photos Library.photoslibrary"_qs } },
              { "Catalog.lrcat-data/IMG_3.JPG", "Catalog.lrcat-data",
                  { Reason::containsLightroomCatalog, u"Catalog.lrcat-data"_qs } },
              { "Old.APLibrary/IMG_3.JPG", "Old.APLibrary",
                  { Reason::insidePhotosLibrary, u"Old.APLibrary"_qs } },
              { "A/B/C/Catalog.lrcat", "",
                  { Reason::containsLightroomCatalog, u"A/B/C/Catalog.lrcat"_qs } } };
    for (const auto& c : cases) {
        TempFolder temp;
        temp.write(u"IMG_1.JPG"_qs);
        temp.write(u"A/B/C/IMG_2.JPG"_qs);
        temp.write(QString::fromUtf8(c.path));
        ASSERT_TRUE(
            QFile::link(temp.at(u"Photos Library.photoslibrary/Sub"_qs), temp.at(u"Linked"_qs)));
        const QString chosen = *c.chosen ? temp.at(QString::fromUtf8(c.chosen)) : temp.path();
        const qsizetype openBefore = openFileCount();
        EXPECT_EQ(refusalOfScan(chosen), c.refusal) << c.path;
        EXPECT_EQ(openFileCount(), openBefore);
        EXPECT_EQ(
            Scanner::checkLocation(chosen), *c.chosen ? c.refusal : std::optional<ScanRefusal>())
            << c.path;
    }
    // ".." is resolved before the components are looked at.
    TempFolder temp;
    temp.makeFolder(u"Photos Library.photoslibrary"_qs);
    EXPECT_EQ(Scanner::checkLocation(temp.makeFolder(u"Garden"_qs)), std::nullopt);
    EXPECT_EQ(Scanner::checkLocation(temp.at(u"Photos Library.photoslibrary/../Garden"_qs)),
        std::nullopt);
}

namespace {

// Fills `path` with everything a walk meets, in random proportions: photos and sidecars with
// names in both Unicode forms and sizes past what 32 bits hold, names that are not UTF-8, hidden
// items, links to files and folders named like a catalogue, empty folders, review folders
// by folded name and by restore log. Adds every folder the walk enters to `folders`.
void fillRandomly(
    const QByteArray& path, int depth, std::mt19937& random, std::vector<QByteArray>& folders)
{
    static const char* const stems[]
        = { "IMG_", "DSC_", "_MG_", "Caf\xc3\xa9 ", "Cafe\xcc\x81 ", "bad\xff", ".hidden " };
    static const char* const extensions[]
        = { ".CR3", ".jpg", ".HEIC", ".xmp", ".NEF.xmp", ".dop", "", ".tar.gz", ".JPE", ".mov" };
    static const char* const reviewNames[] = { "/Orvalin R\xc3\xa9vision",
        "/ORVALIN R\xc3\x89VISION", "/orvalin re\xcc\x81vision", "/Orvalin Revision" };
    const auto pick
        = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    if (!path.contains("/.") && path.isValidUtf8())
        folders.push_back(path);
    const int items = pick(0, 40);
    for (int i = 0; i < items; ++i) {
        const QByteArray name = path + '/' + stems[pick(0, 6)] + QByteArray::number(i);
        const int choice = pick(0, 99);
        if (choice < 72)
            rawFile(name + extensions[pick(0, 9)], pick(0, 3) == 0 ? pick(1, 1 << 30) * 5LL : 0);
        else if (choice < 82 && depth < 3)
            fillRandomly(rawFolder(name), depth + 1, random, folders);
        else if (choice < 86)
            EXPECT_EQ(::symlink(pick(0, 1) ? "." : "IMG_0.jpg", (name + ".lrcat").constData()), 0);
        else if (choice < 89)
            rawFile(rawFolder(path + reviewNames[pick(0, 3)]) + "/IMG_1.CR3", 1);
        else if (choice < 92)
            rawFile(rawFolder(name + " put aside") + "/restore-log.json", 2);
        else
            rawFolder(name + " empty");
    }
}

// Scans `root` a few times, as the threads of a walk may take turns differently each time, and
// expects what the one-thread walk finds, item for item.
void expectSameAsOneThread(const QString& root)
{
    const QString reviewFolderName = u"Orvalin R\u00e9vision"_qs;
    const ReferenceWalk::Outcome expected = ReferenceWalk::walk(root, reviewFolderName);
    for (int run = 0; run < 3; ++run) {
        QList<ScanProgress> reports;
        QList<FileEntry> entries;
        std::optional<ScanRefusal> refusal;
        try {
            entries = Scanner::scan(root, ScanOptions { reviewFolderName },
                [&](const ScanProgress& progress) { reports.append(progress); });
        } catch (const ScanRefusal& thrown) {
            refusal = thrown;
        }
        EXPECT_EQ(refusal, expected.refusal);
        EXPECT_EQ(reports, expected.progress);
        const auto [found, wanted] = std::mismatch(
            entries.cbegin(), entries.cend(), expected.entries.cbegin(), expected.entries.cend());
        EXPECT_TRUE(
            expected.refusal || (found == entries.cend() && wanted == expected.entries.cend()))
            << "first difference at " << (found - entries.cbegin()) << " of " << entries.size();
    }
}

} // namespace

TEST(ScannerOrder, MatchesTheOneThreadWalkItemForItemAndReportForReportUntilCancelled)
{
    for (unsigned seed = 1; seed <= 9; ++seed) {
        SCOPED_TRACE(seed);
        TempFolder temp;
        std::mt19937 random(seed);
        std::vector<QByteArray> folders;
        fillRandomly(QFile::encodeName(temp.path()), 0, random, folders);
        // Every third tree holds a catalogue or two somewhere, of each kind in turn, one of them
        // by a name that is not UTF-8; every tree a hidden one.
        const char* const kinds[] = { ".LRCAT", ".cosessiondb", ".PhotosLibrary" };
        for (unsigned i = 0; seed % 3 == 0 && i <= seed % 2; ++i)
            rawFile(folders[random() % folders.size()] + (i ? "/Catalog " : "/Caf\xe9 ")
                + QByteArray::number(i) + kinds[seed / 3 % 3]);
        rawFile(folders[random() % folders.size()] + "/.Catalog.lrcat");
        expectSameAsOneThread(temp.path());
    }
    // An empty folder gives one report, at the end.
    expectSameAsOneThread(TempFolder().path());
    // The benchmark's tree in small, long enough for reports every 512 items: folders of cards in
    // folders of shoots, each with a link, which counts as an item, and a hidden file, which does
    // not.
    TempFolder temp;
    for (int top = 0; top < 5; ++top) {
        for (int card = -1; card < 19; ++card) {
            const QString folder = QStringLiteral("2026-%1 Shoot/").arg(top + 1)
                + (card < 0 ? QString() : QStringLiteral("Card %1/").arg(card));
            for (int i = 0; i < 40; ++i)
                temp.write(folder + QStringLiteral("IMG_%1.%2").arg(i).arg(i % 3 ? "CR3" : "JPG"));
            temp.write(folder + u".hidden"_qs);
            ASSERT_TRUE(QFile::link(
                temp.at(folder + u"IMG_0.JPG"_qs), temp.at(folder + u"IMG_0 alias.JPG"_qs)));
        }
    }
    expectSameAsOneThread(temp.path());

    // Cancelled at the first report, then before the walk begins, even with nothing to walk.
    CancellationToken token;
    int reports = 0;
    const auto cancelOnFirst = [&](const ScanProgress&) {
        ++reports;
        token.cancel();
    };
    EXPECT_THROW(Scanner::scan(temp.path(), {}, cancelOnFirst, token), Cancelled);
    EXPECT_THROW(Scanner::scan(TempFolder().path(), {}, cancelOnFirst, token), Cancelled);
    EXPECT_EQ(reports, 1);
}
