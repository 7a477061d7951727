#include "FileKind.h"

#include "FileEntry.h"

#include <gtest/gtest.h>

TEST(FileKind, ClassifiesByLastExtensionInAnyCaseFromDisjointTables)
{
    // The Kelvin sign lower-cases to an ASCII k; an accented letter stays itself.
    const std::pair<const char16_t*, FileKind> cases[] = { { u"CR3", FileKind::raw },
        { u"cr3", FileKind::raw }, { u"Cr3", FileKind::raw }, { u"JPE", FileKind::jpeg },
        { u"HIF", FileKind::heic }, { u"M2TS", FileKind::video }, { u"JXL", FileKind::image },
        { u"AAE", FileKind::sidecar }, { u"THM", FileKind::sidecar }, { u"arp", FileKind::sidecar },
        { u"NKSC", FileKind::sidecar }, { u"comask", FileKind::sidecar }, { u"", FileKind::other },
        { u"txt", FileKind::other }, { u"lrcat-wal", FileKind::other },
        { u"jpegjpegjpeg", FileKind::other }, { u"\u212ADC", FileKind::raw },
        { u"JP\u00C9", FileKind::other } };
    for (const auto& [extension, kind] : cases)
        EXPECT_EQ(FileKinds::fromExtension(extension), kind)
            << QString::fromUtf16(extension).toStdString();

    EXPECT_EQ(FileKinds::rawExtensions().size(), 27);
    EXPECT_EQ(FileKinds::mediaExtensions().size(), 27 + 3 + 3 + 8 + 10);
    for (const QString& extension : FileKinds::sidecarExtensions())
        EXPECT_FALSE(FileKinds::mediaExtensions().contains(extension));
    EXPECT_TRUE(FileKinds::isTwin(FileKind::heic) && !FileKinds::isTwin(FileKind::raw));
    EXPECT_TRUE(FileKinds::isMedia(FileKind::video) && !FileKinds::isMedia(FileKind::sidecar));
    for (FileKind kind : FileKinds::allCases())
        EXPECT_EQ(FileKinds::fromRawValue(FileKinds::rawValue(kind)), kind);
    EXPECT_FALSE(FileKinds::fromRawValue(u"RAW").has_value());
}

TEST(FileEntry, SplitsItsPathAndComparesAndCodesEveryField)
{
    const FileEntry nested { u"2026-09 Lake trip/DSC_0106.NEF.xmp"_qs, 10, FileKind::sidecar };
    // Names and folders are what the analysis and the plan are made of; here, what they leave.
    EXPECT_EQ(nested.ext(), u"xmp");
    EXPECT_EQ(FileEntry({ u"./a.jpg"_qs, 1, FileKind::jpeg }).folder(), u"");
    EXPECT_EQ(FileEntry({ u"Makefile"_qs, 1, FileKind::other }).ext(), u"");

    const FileEntry resized { nested.relativePath, 11, nested.kind };
    EXPECT_NE(nested, resized);
    EXPECT_NE(qHash(nested), qHash(resized));

    // An upper-case kind or a missing size is refused.
    EXPECT_EQ(FileEntry::fromJson(nested.toJson()), nested);
    QJsonObject upper = nested.toJson(), withoutSize = nested.toJson();
    upper[u"kind"] = u"SIDECAR"_qs;
    withoutSize.remove(u"size");
    EXPECT_ANY_THROW(FileEntry::fromJson(upper));
    EXPECT_ANY_THROW(FileEntry::fromJson(withoutSize));
}
