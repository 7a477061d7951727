#include "FileKind.h"

#include "FileEntry.h"

#include <QJsonObject>
#include <gtest/gtest.h>

TEST(FileKind, ClassifiesByLastExtensionInAnyCase)
{
    EXPECT_EQ(FileKinds::fromExtension(u"CR3"), FileKind::raw);
    EXPECT_EQ(FileKinds::fromExtension(u"cr3"), FileKind::raw);
    EXPECT_EQ(FileKinds::fromExtension(u"Cr3"), FileKind::raw);
    EXPECT_EQ(FileKinds::fromExtension(u"JPE"), FileKind::jpeg);
    EXPECT_EQ(FileKinds::fromExtension(u"HIF"), FileKind::heic);
    EXPECT_EQ(FileKinds::fromExtension(u"M2TS"), FileKind::video);
    EXPECT_EQ(FileKinds::fromExtension(u"JXL"), FileKind::image);
    EXPECT_EQ(FileKinds::fromExtension(u"AAE"), FileKind::sidecar);
    EXPECT_EQ(FileKinds::fromExtension(u"THM"), FileKind::sidecar);
    EXPECT_EQ(FileKinds::fromExtension(u"arp"), FileKind::sidecar);
    EXPECT_EQ(FileKinds::fromExtension(u"NKSC"), FileKind::sidecar);
    EXPECT_EQ(FileKinds::fromExtension(u"comask"), FileKind::sidecar);
    EXPECT_EQ(FileKinds::fromExtension(u""), FileKind::other);
    EXPECT_EQ(FileKinds::fromExtension(u"txt"), FileKind::other);
    EXPECT_EQ(FileKinds::fromExtension(u"lrcat-wal"), FileKind::other);
    EXPECT_EQ(FileKinds::fromExtension(u"jpegjpegjpeg"), FileKind::other);
    // Lower-casing turns the Kelvin sign into an ASCII k.
    EXPECT_EQ(FileKinds::fromExtension(u"\u212ADC"), FileKind::raw);
    EXPECT_EQ(FileKinds::fromExtension(u"JP\u00C9"), FileKind::other);
}

TEST(FileKind, TablesAreDisjointAndMediaLeavesOutSidecars)
{
    EXPECT_EQ(FileKinds::rawExtensions().size(), 27);
    EXPECT_EQ(FileKinds::mediaExtensions().size(), 27 + 3 + 3 + 8 + 10);
    for (const QString& extension : FileKinds::sidecarExtensions())
        EXPECT_FALSE(FileKinds::mediaExtensions().contains(extension));
    EXPECT_TRUE(FileKinds::isTwin(FileKind::heic));
    EXPECT_FALSE(FileKinds::isTwin(FileKind::raw));
    EXPECT_FALSE(FileKinds::isMedia(FileKind::sidecar));
    EXPECT_TRUE(FileKinds::isMedia(FileKind::video));
}

TEST(FileKind, RawValuesRoundTripAndAreCaseSensitive)
{
    for (FileKind kind : FileKinds::allCases())
        EXPECT_EQ(FileKinds::fromRawValue(FileKinds::rawValue(kind)), kind);
    EXPECT_FALSE(FileKinds::fromRawValue(u"RAW").has_value());
}

TEST(FileEntry, SplitsItsPath)
{
    const FileEntry nested { QStringLiteral("2026-09 Lake trip/DSC_0106.NEF.xmp"), 10,
        FileKind::sidecar };
    EXPECT_EQ(nested.name(), u"DSC_0106.NEF.xmp");
    EXPECT_EQ(nested.folder(), u"2026-09 Lake trip");
    EXPECT_EQ(nested.ext(), u"xmp");

    const FileEntry top { QStringLiteral("a.jpg"), 1, FileKind::jpeg };
    EXPECT_EQ(top.folder(), u"");
    EXPECT_EQ(FileEntry({ QStringLiteral("./a.jpg"), 1, FileKind::jpeg }).folder(), u"");
    EXPECT_EQ(FileEntry({ QStringLiteral("Makefile"), 1, FileKind::other }).ext(), u"");
}

TEST(FileEntry, EqualityCoversSize)
{
    const FileEntry a { QStringLiteral("a.jpg"), 1, FileKind::jpeg };
    const FileEntry b { QStringLiteral("a.jpg"), 2, FileKind::jpeg };
    EXPECT_NE(a, b);
    EXPECT_NE(qHash(a), qHash(b));
}

TEST(FileEntry, JsonRejectsAnUpperCaseKind)
{
    const FileEntry entry { QStringLiteral("A/IMG_1.CR3"), 42, FileKind::raw };
    EXPECT_EQ(FileEntry::fromJson(entry.toJson()), entry);

    QJsonObject upper = entry.toJson();
    upper[u"kind"] = QStringLiteral("RAW");
    EXPECT_ANY_THROW(FileEntry::fromJson(upper));
    QJsonObject withoutSize = entry.toJson();
    withoutSize.remove(u"size");
    EXPECT_ANY_THROW(FileEntry::fromJson(withoutSize));
}
