#include "PathOrder.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

TEST(PathOrder, ComparesDigitRunsByValueAndTextsFoldedAndComposed)
{
    const QString composed = u"R\u00e9mi "_qs, decomposed = u"Re\u0301mi "_qs;
    const QString boldTen = u"IMG_"_qs + QString::fromUcs4(U"\U0001D7CF\U0001D7CE");
    const struct
    {
        QString a;
        QString b;
        int order;
        Qt::CaseSensitivity cs = Qt::CaseInsensitive;
    } cases[] = { { u"IMG_2.JPG"_qs, u"IMG_10.JPG"_qs, -1 }, { u"a/IMG_2"_qs, u"a/IMG_2"_qs, 0 },
        { u"IMG_0002"_qs, u"IMG_2"_qs, 0 }, { u"IMG_002x"_qs, u"IMG_2y"_qs, -1 },
        { u"v2.10"_qs, u"v2.9"_qs, 1 },
        // Longer than any integer type.
        { u"a123456789012345678901234567890"_qs, u"a123456789012345678901234567891"_qs, -1 },
        { u"IMG"_qs, u"IMG_1"_qs, -1 }, { u""_qs, u""_qs, 0 },
        // Digits of every script count; mathematical bold digits lie outside the BMP.
        { u"IMG_9"_qs, u"IMG_\u0661\u0660"_qs, -1 }, { u"IMG_\u0662"_qs, u"IMG_2"_qs, 0 },
        { u"IMG_9"_qs, boldTen, -1 }, { boldTen, u"IMG_10"_qs, 0 },
        // Case is a choice.
        { u"img_2.CR3"_qs, u"IMG_2.cr3"_qs, 0 }, { u"\u00e9t\u00e9"_qs, u"\u00c9T\u00c9"_qs, 0 },
        { u"b"_qs, u"A"_qs, 1 }, { u"IMG_2.CR3"_qs, u"img_2.CR3"_qs, -1, Qt::CaseSensitive },
        { u"B/IMG_2"_qs, u"B/IMG_10"_qs, -1, Qt::CaseSensitive },
        // Canonically equivalent texts compare equal.
        { decomposed + u"10"_qs, composed + u"2"_qs, 1 },
        { decomposed + u"2"_qs, composed + u"10"_qs, -1 },
        { decomposed + u"2"_qs, composed + u"2"_qs, 0 },
        { u"RE\u0301MI 2"_qs, composed + u"2"_qs, 0 },
        { u"RE\u0301MI 2"_qs, u"R\u00c9MI 2"_qs, 0, Qt::CaseSensitive },
        { u"a/e\u0301"_qs, u"a/e"_qs, 1 }, { u"e\u0301\u0323"_qs, u"e\u0323\u0301"_qs, 0 },
        { u"\u1100\u1161 3"_qs, u"\uAC00 12"_qs, -1 },
        { u"\u2126 1.jpg"_qs, u"\u03a9 1.jpg"_qs, 0 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.a.toStdString() + " " + c.b.toStdString());
        EXPECT_EQ(sign(PathOrder::compare(c.a, c.b, c.cs)), c.order);
        EXPECT_EQ(sign(PathOrder::compare(c.b, c.a, c.cs)), -c.order);
        // Sorting goes by the case-insensitive order, ties kept as they came.
        EXPECT_TRUE(c.cs == Qt::CaseSensitive || PathOrder::lessThan(c.a, c.b) == (c.order < 0));
    }
}

TEST(PathOrder, SortKeysOfPlainAsciiOrderAsTheTextsAndPositionsAsTheirPaths)
{
    EXPECT_FALSE(PathOrder::asciiSortKey(u"R\u00e9mi 2"_qs));
    // Digits, letters of both cases, the characters between them and the separators.
    const QString alphabet = u"0123456789 -./_[`aAbBzZ"_qs;
    QRandomGenerator random(15);
    const auto text = [&] {
        QString result;
        for (int length = random.bounded(12); length > 0; --length)
            result += alphabet[random.bounded(int(alphabet.size()))];
        return result;
    };
    for (int i = 0; i < 20000; ++i) {
        const QString a = text();
        const QString b = text();
        SCOPED_TRACE(a.toStdString() + " | " + b.toStdString());
        ASSERT_EQ(sign(PathOrder::asciiSortKey(a)->compare(*PathOrder::asciiSortKey(b))),
            sign(PathOrder::compare(a, b)));
    }

    // Ties (IMG_2 and img_2) keep their places; an accented name takes the slower road.
    for (const QString& odd : { u"IMG_3.jpg"_qs, u"R\u00e9mi_3.jpg"_qs }) {
        const QStringList paths { u"IMG_10.jpg"_qs, odd, u"IMG_2.jpg"_qs, u"img_2.jpg"_qs };
        const std::vector<qsizetype> order
            = PathOrder::order(paths.size(), [&](qsizetype i) { return paths[i]; });
        const std::vector<qsizetype> expected = odd.startsWith(u'R')
            ? std::vector<qsizetype> { 2, 3, 0, 1 }
            : std::vector<qsizetype> { 2, 3, 1, 0 };
        EXPECT_EQ(order, expected) << odd.toStdString();
    }
}
