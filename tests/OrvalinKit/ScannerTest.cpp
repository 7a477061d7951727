#include "Scanner.h"

#include "ReferenceWalk.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <random>
#include <fcntl.h>
#include <ftw.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList sortedPaths(const QList<FileEntry>& entries)
{
    QStringList paths;
    for (const FileEntry& entry : entries)
        paths.append(entry.relativePath);
    paths.sort();
    return paths;
}

QList<FileEntry> scanned(const TempFolder& folder, const QString& reviewFolderName = {})
{
    return Scanner::scan(folder.path(), ScanOptions { reviewFolderName });
}

std::optional<ScanRefusal> refusalOfScan(const QString& folder)
{
    try {
        Scanner::scan(folder, ScanOptions {});
    } catch (const ScanRefusal& refusal) {
        return refusal;
    }
    return std::nullopt;
}

void link(const QString& target, const QString& linkPath)
{
    ASSERT_TRUE(QFile::link(target, linkPath)) << linkPath.toStdString();
}

// Names that are not UTF-8 cannot be made, nor removed, through QString.
class RawNames
{
public:
    explicit RawNames(const TempFolder& folder)
        : m_root(QFile::encodeName(folder.path()))
    {
    }
    ~RawNames()
    {
        for (auto it = m_made.crbegin(); it != m_made.crend(); ++it)
            ::remove(it->constData());
    }

    void makeFile(const char* relativePath)
    {
        const int fd = ::open(made(relativePath), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0) << relativePath;
        ::close(fd);
    }
    void makeFolder(const char* relativePath)
    {
        ASSERT_EQ(::mkdir(made(relativePath), 0755), 0) << relativePath;
    }

private:
    const char* made(const char* relativePath)
    {
        m_made.append(m_root + '/' + relativePath);
        return m_made.last().constData();
    }

    QByteArray m_root;
    QList<QByteArray> m_made;
};

// Folders still open after a scan gave up part-way would pile up over a session.
qsizetype openFileCount()
{
    return QDir(QStringLiteral("/dev/fd"))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
        .size();
}

struct Reports
{
    QList<ScanProgress> received;
    ScanProgressCallback callback()
    {
        return [this](const ScanProgress& progress) { received.append(progress); };
    }
};

} // namespace

TEST(ScannerLocation, RefusesCataloguesInThePathAsWrittenAndResolved)
{
    TempFolder temp;
    const QString inside = temp.makeFolder(QStringLiteral("Photos Library.photoslibrary/Sub"));
    const ScanRefusal library { ScanRefusal::Reason::insidePhotosLibrary,
        QStringLiteral("Photos Library.photoslibrary") };
    EXPECT_EQ(Scanner::checkLocation(inside), library);
    EXPECT_EQ(refusalOfScan(inside), library);

    link(inside, temp.at(QStringLiteral("Shoots")));
    EXPECT_EQ(Scanner::checkLocation(temp.at(QStringLiteral("Shoots"))), library);
    EXPECT_EQ(refusalOfScan(temp.at(QStringLiteral("Shoots"))), library);

    const QString catalog = temp.makeFolder(QStringLiteral("Catalog.lrcat-data"));
    EXPECT_EQ(Scanner::checkLocation(catalog),
        (ScanRefusal {
            ScanRefusal::Reason::containsLightroomCatalog, QStringLiteral("Catalog.lrcat-data") }));
    EXPECT_EQ(Scanner::checkLocation(temp.makeFolder(QStringLiteral("Old.APLibrary"))),
        (ScanRefusal {
            ScanRefusal::Reason::insidePhotosLibrary, QStringLiteral("Old.APLibrary") }));

    // ".." is resolved before the components are looked at.
    temp.makeFolder(QStringLiteral("Garden"));
    EXPECT_EQ(
        Scanner::checkLocation(temp.at(QStringLiteral("Photos Library.photoslibrary/../Garden"))),
        std::nullopt);
    EXPECT_EQ(Scanner::checkLocation(temp.at(QStringLiteral("Garden"))), std::nullopt);
}

TEST(ScannerWalk, RefusesACatalogueAtAnyDepth)
{
    TempFolder deep;
    deep.write(QStringLiteral("IMG_1.JPG"));
    deep.write(QStringLiteral("A/B/C/IMG_2.JPG"));
    deep.write(QStringLiteral("A/B/C/Catalog.lrcat"));
    const qsizetype openBefore = openFileCount();
    EXPECT_EQ(refusalOfScan(deep.path()),
        (ScanRefusal { ScanRefusal::Reason::containsLightroomCatalog,
            QStringLiteral("A/B/C/Catalog.lrcat") }));
    EXPECT_EQ(openFileCount(), openBefore);

    TempFolder session;
    session.write(QStringLiteral("Session.cosessiondb/Capture/IMG_1.CR3"));
    EXPECT_EQ(refusalOfScan(session.path()),
        (ScanRefusal {
            ScanRefusal::Reason::containsCaptureOne, QStringLiteral("Session.cosessiondb") }));

    // A Photos library below the chosen folder is refused as held, not as surrounding.
    TempFolder library;
    library.makeFolder(QStringLiteral("2019/Old.PhotosLibrary"));
    EXPECT_EQ(refusalOfScan(library.path()),
        (ScanRefusal { ScanRefusal::Reason::containsPhotosLibrary,
            QStringLiteral("2019/Old.PhotosLibrary") }));
}

TEST(ScannerWalk, LeavesOutHiddenItemsLinksAndFolders)
{
    TempFolder elsewhere;
    elsewhere.write(QStringLiteral("IMG_9.JPG"));

    TempFolder temp;
    temp.write(QStringLiteral("IMG_1.CR3"));
    temp.write(QStringLiteral(".Catalog.lrcat"));
    temp.write(QStringLiteral(".cache/Catalog.lrcat"));
    temp.write(QStringLiteral(".cache/IMG_2.JPG"));
    temp.makeFolder(QStringLiteral("Empty/Emptier"));
    link(elsewhere.path(), temp.at(QStringLiteral("X.photoslibrary")));
    link(elsewhere.path(), temp.at(QStringLiteral("Linked")));
    link(temp.at(QStringLiteral("IMG_1.CR3")), temp.at(QStringLiteral("IMG_1 alias.CR3")));

    EXPECT_EQ(sortedPaths(scanned(temp)), QStringList { QStringLiteral("IMG_1.CR3") });
}

TEST(ScannerWalk, ListsEveryFileWithItsSizeAndKindDepthFirst)
{
    TempFolder temp;
    temp.write(QStringLiteral("2026-10 Garden/IMG_1.CR3"), "raw");
    temp.write(QStringLiteral("2026-10 Garden/IMG_1.CR3.xmp"), "<x/>");
    temp.write(QStringLiteral("2026-10 Garden/Best/IMG_1.JPG"), "jpeg!");
    temp.write(QStringLiteral("2026-10 Garden/Best/IMG_1-Edit.heic"), "heic");
    temp.write(QStringLiteral("Makefile"), "all:");
    temp.write(QStringLiteral("Lake/DSC_0106.NEF"), "n");
    temp.write(QStringLiteral("Lake/deep/er/DSC_0107.NEF"), "nn");
    // A size past what 32 bits can hold, without writing it.
    const QString big = temp.write(QStringLiteral("Lake/clip.MOV"));
    ASSERT_TRUE(QFile::resize(big, 5'000'000'000));

    const QList<FileEntry> entries = scanned(temp);
    QList<FileEntry> sorted = entries;
    std::sort(sorted.begin(), sorted.end(),
        [](const FileEntry& a, const FileEntry& b) { return a.relativePath < b.relativePath; });
    const QList<FileEntry> expected {
        { QStringLiteral("2026-10 Garden/Best/IMG_1-Edit.heic"), 4, FileKind::heic },
        { QStringLiteral("2026-10 Garden/Best/IMG_1.JPG"), 5, FileKind::jpeg },
        { QStringLiteral("2026-10 Garden/IMG_1.CR3"), 3, FileKind::raw },
        { QStringLiteral("2026-10 Garden/IMG_1.CR3.xmp"), 4, FileKind::sidecar },
        { QStringLiteral("Lake/DSC_0106.NEF"), 1, FileKind::raw },
        { QStringLiteral("Lake/clip.MOV"), 5'000'000'000, FileKind::video },
        { QStringLiteral("Lake/deep/er/DSC_0107.NEF"), 2, FileKind::raw },
        { QStringLiteral("Makefile"), 4, FileKind::other },
    };
    EXPECT_EQ(sorted, expected);

    // Depth first: each folder's files, at whatever depth, come out as one run.
    for (const char16_t* folder : { u"2026-10 Garden/", u"Lake/", u"2026-10 Garden/Best/" }) {
        QList<qsizetype> positions;
        for (qsizetype i = 0; i < entries.size(); ++i) {
            if (entries[i].relativePath.startsWith(QStringView(folder)))
                positions.append(i);
        }
        ASSERT_FALSE(positions.isEmpty());
        EXPECT_EQ(positions.last() - positions.first() + 1, positions.size())
            << QString::fromUtf16(folder).toStdString();
    }
}

TEST(ScannerWalk, LeavesOutReviewFoldersByFoldedNameAndByRestoreLog)
{
    TempFolder temp;
    const QString reviewName = QStringLiteral("Orvalin Révision"); // precomposed é
    temp.write(QStringLiteral("ORVALIN RÉVISION/2026-10-05 at 14.03.12/IMG_1.CR3"));
    temp.write(QStringLiteral("Lake/orvalin re\u0301vision/IMG_2.CR3")); // combining accent
    temp.write(QStringLiteral("Put aside/restore-log.json"), "{}");
    temp.write(QStringLiteral("Put aside/IMG_3.CR3"));
    temp.write(QStringLiteral("Lake/IMG_4.CR3"));
    temp.write(QStringLiteral("Orvalin Revision/IMG_5.CR3"));

    EXPECT_EQ(sortedPaths(scanned(temp, reviewName)),
        (QStringList {
            QStringLiteral("Lake/IMG_4.CR3"), QStringLiteral("Orvalin Revision/IMG_5.CR3") }));
}

TEST(ScannerWalk, ReportsProgressEvery512ItemsAndOnceAtTheEnd)
{
    TempFolder empty;
    Reports none;
    EXPECT_TRUE(Scanner::scan(empty.path(), {}, none.callback()).isEmpty());
    EXPECT_EQ(none.received, (QList<ScanProgress> { { 0, QString() } }));

    // The folder itself is the first item, so the 512th is the 511th file.
    TempFolder files;
    for (int i = 0; i < 1099; ++i)
        files.write(QStringLiteral("Garden/IMG_%1.JPG").arg(i));
    Reports counted;
    Scanner::scan(files.path(), {}, counted.callback());
    EXPECT_EQ(counted.received,
        (QList<ScanProgress> {
            { 510, QStringLiteral("Garden") }, { 1022, QStringLiteral("Garden") }, { 1099, {} } }));

    // Folders and links count as items, hidden ones are not part of the walk: 1,023 items, then
    // 1,024.
    TempFolder mixed;
    for (int i = 0; i < 900; ++i)
        mixed.write(QStringLiteral("IMG_%1.JPG").arg(i));
    for (int i = 0; i < 50; ++i)
        mixed.makeFolder(QStringLiteral("Empty %1").arg(i));
    for (int i = 0; i < 73; ++i)
        link(mixed.at(QStringLiteral("IMG_0.JPG")), mixed.at(QStringLiteral("Link %1").arg(i)));
    for (int i = 0; i < 10; ++i)
        mixed.write(QStringLiteral(".hidden %1").arg(i));
    Reports belowSecond;
    Scanner::scan(mixed.path(), {}, belowSecond.callback());
    EXPECT_EQ(belowSecond.received.size(), 2);

    link(mixed.at(QStringLiteral("IMG_0.JPG")), mixed.at(QStringLiteral("Link 73")));
    Reports atSecond;
    Scanner::scan(mixed.path(), {}, atSecond.callback());
    ASSERT_EQ(atSecond.received.size(), 3);
    EXPECT_EQ(atSecond.received.last(), (ScanProgress { 900, {} }));
}

TEST(ScannerWalk, StopsWhenCancelled)
{
    TempFolder empty;
    CancellationToken early;
    early.cancel();
    EXPECT_THROW(Scanner::scan(empty.path(), {}, {}, early), Cancelled);

    TempFolder temp;
    for (int i = 0; i < 1100; ++i)
        temp.write(QStringLiteral("IMG_%1.JPG").arg(i));
    CancellationToken token;
    int reports = 0;
    const auto cancelOnFirst = [&](const ScanProgress&) {
        ++reports;
        token.cancel();
    };
    EXPECT_THROW(Scanner::scan(temp.path(), {}, cancelOnFirst, token), Cancelled);
    EXPECT_EQ(reports, 1);
}

TEST(ScannerWalk, LeavesOutNamesThatAreNotUtf8ButStillRefusesTheirCatalogues)
{
    TempFolder temp;
    temp.write(QStringLiteral("good.JPG"));
    RawNames raw(temp);
    raw.makeFile("bad\xff.JPG");
    raw.makeFolder("Caf\xe9");
    raw.makeFile("Caf\xe9/IMG_1.JPG");
    EXPECT_EQ(sortedPaths(scanned(temp)), QStringList { QStringLiteral("good.JPG") });

    raw.makeFile("Caf\xe9.lrcat");
    const std::optional<ScanRefusal> refusal = refusalOfScan(temp.path());
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->reason, ScanRefusal::Reason::containsLightroomCatalog);
    EXPECT_TRUE(refusal->text.endsWith(u".lrcat"));
}

namespace {

// Trees of everything a walk meets, in random proportions: photos and sidecars with names in
// both Unicode forms, names that are not UTF-8, hidden items, links to files and folders,
// empty folders, review folders by name and by restore log, and, when asked, catalogues.
class RandomTree
{
public:
    RandomTree(const QString& root, unsigned seed, int catalogues)
        : m_random(seed)
        , m_top(QFile::encodeName(root))
    {
        fill(m_top, 0);
        for (int i = 0; i < catalogues; ++i) {
            const QByteArray& folder = m_folders[pick(0, int(m_folders.size()) - 1)];
            make(folder + "/Catalog " + QByteArray::number(i) + ".LRCAT", 0);
        }
    }

    // Names that are not UTF-8 cannot be removed through QString, so the tree goes this way.
    ~RandomTree()
    {
        nftw(m_top.constData(),
            [](const char* path, const struct stat*, int, FTW* level) {
                return level->level > 0 ? ::remove(path) : 0;
            },
            16, FTW_DEPTH | FTW_PHYS);
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution(low, high)(m_random); }

    void make(const QByteArray& path, off_t size)
    {
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0) << path.constData();
        EXPECT_EQ(::ftruncate(fd, size), 0);
        ::close(fd);
    }

    static QByteArray folder(const QByteArray& path)
    {
        EXPECT_TRUE(::mkdir(path.constData(), 0755) == 0 || errno == EEXIST) << path.constData();
        return path;
    }

    void fill(const QByteArray& path, int depth)
    {
        static const char* const stems[] = { "IMG_", "DSC_", "_MG_", "Caf\xc3\xa9 ",
            "Cafe\xcc\x81 ", "bad\xff", ".hidden " };
        static const char* const extensions[] = { ".CR3", ".jpg", ".HEIC", ".xmp", ".NEF.xmp",
            ".dop", "", ".tar.gz", ".JPE", ".mov" };
        static const char* const reviewNames[] = { "/Orvalin Review", "/ORVALIN REVIEW",
            "/orvalin review", "/Orvalin Reviews" };
        m_folders.push_back(path);
        const int items = pick(0, 40);
        for (int i = 0; i < items; ++i) {
            const QByteArray name = path + '/' + stems[pick(0, 6)] + QByteArray::number(i);
            const int choice = pick(0, 99);
            if (choice < 72)
                make(name + extensions[pick(0, 9)], pick(0, 3) == 0 ? pick(1, 1 << 30) : 0);
            else if (choice < 82 && depth < 3)
                fill(folder(name), depth + 1);
            else if (choice < 86)
                EXPECT_EQ(::symlink(pick(0, 1) ? ".." : "IMG_0.jpg", (name + " link").constData()), 0);
            else if (choice < 89)
                make(folder(path + reviewNames[pick(0, 3)]) + "/IMG_1.CR3", 1);
            else if (choice < 92)
                make(folder(name + " put aside") + "/restore-log.json", 2);
            else
                folder(name + " empty");
        }
    }

    std::mt19937 m_random;
    QByteArray m_top;
    std::vector<QByteArray> m_folders;
};

// Scans `root` a few times, as the threads of a walk may take turns differently each time, and
// expects what the one-thread walk finds, item for item.
void expectSameAsOneThread(const QString& root, const QString& reviewFolderName)
{
    const ReferenceWalk::Outcome expected = ReferenceWalk::walk(root, reviewFolderName);
    for (int run = 0; run < 3; ++run) {
        Reports reports;
        QList<FileEntry> entries;
        std::optional<ScanRefusal> refusal;
        try {
            entries = Scanner::scan(root, ScanOptions { reviewFolderName }, reports.callback());
        } catch (const ScanRefusal& thrown) {
            refusal = thrown;
        }
        EXPECT_EQ(refusal, expected.refusal);
        EXPECT_EQ(reports.received, expected.progress);
        if (expected.refusal)
            continue;
        ASSERT_EQ(entries.size(), expected.entries.size());
        const auto [found, wanted]
            = std::mismatch(entries.cbegin(), entries.cend(), expected.entries.cbegin());
        EXPECT_TRUE(found == entries.cend())
            << "first difference at " << (found - entries.cbegin()) << ": "
            << found->relativePath.toStdString() << " for " << wanted->relativePath.toStdString();
    }
}

} // namespace

TEST(ScannerOrder, MatchesTheOneThreadWalkOnRandomTrees)
{
    for (unsigned seed = 1; seed <= 9; ++seed) {
        SCOPED_TRACE(seed);
        TempFolder temp;
        const RandomTree tree(temp.path(), seed, seed % 3 == 0 ? int(seed % 2) + 1 : 0);
        expectSameAsOneThread(temp.path(), QStringLiteral("Orvalin Review"));
    }
}

TEST(ScannerOrder, MatchesTheOneThreadWalkOnATreeOfShoots)
{
    // The benchmark's tree in small: folders of cards in folders of shoots.
    TempFolder temp;
    for (int top = 0; top < 5; ++top) {
        for (int card = -1; card < 19; ++card) {
            const QString folder = QStringLiteral("2026-%1 Shoot/").arg(top + 1)
                + (card < 0 ? QString() : QStringLiteral("Card %1/").arg(card));
            for (int i = 0; i < 40; ++i)
                temp.write(folder + QStringLiteral("IMG_%1.%2").arg(i).arg(i % 3 ? "CR3" : "JPG"));
        }
    }
    expectSameAsOneThread(temp.path(), QStringLiteral("Orvalin Review"));
}
