#include "TextPreview.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(TextPreview, readsTextAsUtf8ElseLatin1UpToTheLimitAndRefusesBinaryData)
{
    TempFolder folder;
    const QString utf16 = u"<x:xmpmeta> ©</x:xmpmeta>"_qs;
    const QByteArray utf16Bytes = QByteArray("\xff\xfe", 2)
        + QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
    const std::pair<QString, std::optional<TextPreview>> cases[] = {
        { folder.write(u"a.xmp"_qs, "<x:xmpmeta>\n  <rdf:RDF/> ©\n</x:xmpmeta>\n"),
            TextPreview { u"<x:xmpmeta>\n  <rdf:RDF/> ©\n</x:xmpmeta>\n"_qs } },
        { folder.write(u"latin1.pp3"_qs, "[Exposure]\nComment=caf\xe9\n"),
            TextPreview { u"[Exposure]\nComment=café\n"_qs, false, true } },
        { folder.write(u"utf16.xmp"_qs, utf16Bytes), TextPreview { utf16 } },
        { folder.write(u"empty.xmp"_qs), TextPreview {} },
        { folder.write(u"binary.xmp"_qs, QByteArray("\xff\xd8\xff\xe0\0\x10JFIF\0", 11)),
            std::nullopt },
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(TextPreview::read(path), expected) << path.toStdString();

    const QString longText = folder.write(u"long.xmp"_qs, "abcdé");
    // "é" is two bytes: a limit between them leaves it out rather than reading it as Latin-1.
    const std::pair<qint64, TextPreview> limits[]
        = { { 3, { u"abc"_qs, true } }, { 5, { u"abcd"_qs, true } }, { 6, { u"abcdé"_qs, false } },
              { 100, { u"abcdé"_qs, false } } };
    for (const auto& [limit, expected] : limits)
        EXPECT_EQ(TextPreview::read(longText, limit), expected) << limit;
}
