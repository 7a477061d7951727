#include "TextPreview.h"

#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(TextPreview, readsTextAsUtf8ElseLatin1AndRefusesBinaryData)
{
    struct Case
    {
        const char* name;
        QByteArray content;
        std::optional<TextPreview> expected;
    };
    const QString utf16 = QStringLiteral("<x:xmpmeta> ©</x:xmpmeta>");
    QByteArray utf16Bytes("\xff\xfe", 2);
    utf16Bytes.append(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
    const Case cases[] = {
        { "xmp", "<x:xmpmeta>\n  <rdf:RDF/> ©\n</x:xmpmeta>\n",
            TextPreview { QStringLiteral("<x:xmpmeta>\n  <rdf:RDF/> ©\n</x:xmpmeta>\n") } },
        { "pp3 in Latin-1", "[Exposure]\nComment=caf\xe9\n",
            TextPreview { QStringLiteral("[Exposure]\nComment=café\n"), false, true } },
        { "utf-16 with its mark", utf16Bytes, TextPreview { utf16 } },
        { "empty", "", TextPreview {} },
        { "binary", QByteArray("\xff\xd8\xff\xe0\0\x10JFIF\0", 11), std::nullopt },
    };
    TempFolder folder;
    for (const Case& test : cases) {
        const QString path = folder.write(QString::fromLatin1(test.name), test.content);
        EXPECT_EQ(TextPreview::read(path), test.expected) << test.name;
    }
}

TEST(TextPreview, readsNoMoreThanTheLimitAndSaysSo)
{
    TempFolder folder;
    const QString path = folder.write(QStringLiteral("long.xmp"), "abcdé");
    // "é" is two bytes: a limit between them leaves it out rather than reading it as Latin-1.
    const std::pair<qint64, TextPreview> cases[] = {
        { 3, { QStringLiteral("abc"), true } },
        { 5, { QStringLiteral("abcd"), true } },
        { 6, { QStringLiteral("abcdé"), false } },
        { 100, { QStringLiteral("abcdé"), false } },
    };
    for (const auto& [limit, expected] : cases)
        EXPECT_EQ(TextPreview::read(path, limit), expected) << limit;
}

TEST(TextPreview, givesNothingForWhatIsNoRegularFileWithoutBlockingOnAPipe)
{
    TempFolder folder;
    const QString pipe = folder.at(QStringLiteral("pipe.xmp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(TextPreview::read(pipe), std::nullopt);
    EXPECT_EQ(TextPreview::read(folder.makeFolder(QStringLiteral("folder.xmp"))), std::nullopt);
    EXPECT_EQ(TextPreview::read(folder.at(QStringLiteral("gone.xmp"))), std::nullopt);
}

} // namespace
