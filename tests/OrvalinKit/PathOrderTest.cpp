#include "PathOrder.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

int order(const QString& a, const QString& b, Qt::CaseSensitivity cs = Qt::CaseInsensitive)
{
    return sign(PathOrder::compare(a, b, cs));
}

} // namespace

TEST(PathOrder, DigitRunsCompareByValue)
{
    EXPECT_EQ(order(u"IMG_2.JPG"_qs, u"IMG_10.JPG"_qs), -1);
    EXPECT_EQ(order(u"IMG_10.JPG"_qs, u"IMG_9.JPG"_qs), 1);
    EXPECT_EQ(order(u"a/IMG_2"_qs, u"a/IMG_2"_qs), 0);
    EXPECT_EQ(order(u"IMG_0002"_qs, u"IMG_2"_qs), 0);
    EXPECT_EQ(order(u"IMG_002x"_qs, u"IMG_2y"_qs), -1);
    EXPECT_EQ(order(u"v2.10"_qs, u"v2.9"_qs), 1);
    // Longer than any integer type.
    EXPECT_EQ(
        order(u"a123456789012345678901234567890"_qs, u"a123456789012345678901234567891"_qs), -1);
    EXPECT_EQ(order(u"IMG"_qs, u"IMG_1"_qs), -1);
    EXPECT_EQ(order(u""_qs, u""_qs), 0);
}

TEST(PathOrder, DigitsOfEveryScriptCount)
{
    // Arabic-Indic 10 after ASCII 9; mathematical bold digits lie outside the BMP.
    EXPECT_EQ(order(u"IMG_9"_qs, u"IMG_\u0661\u0660"_qs), -1);
    EXPECT_EQ(order(u"IMG_\u0662"_qs, u"IMG_2"_qs), 0);
    const QString boldTen = u"IMG_"_qs + QString::fromUcs4(U"\U0001D7CF\U0001D7CE");
    EXPECT_EQ(order(u"IMG_9"_qs, boldTen), -1);
    EXPECT_EQ(order(boldTen, u"IMG_10"_qs), 0);
}

TEST(PathOrder, CaseSensitivityIsAChoice)
{
    EXPECT_EQ(order(u"img_2.CR3"_qs, u"IMG_2.cr3"_qs), 0);
    EXPECT_EQ(order(u"\u00e9t\u00e9"_qs, u"\u00c9T\u00c9"_qs), 0);
    EXPECT_EQ(order(u"b"_qs, u"A"_qs), 1);
    EXPECT_NE(order(u"img_2.CR3"_qs, u"IMG_2.CR3"_qs, Qt::CaseSensitive), 0);
    EXPECT_EQ(order(u"B/IMG_2"_qs, u"B/IMG_10"_qs, Qt::CaseSensitive), -1);
}

TEST(PathOrder, CanonicallyEquivalentTextsCompareEqual)
{
    const QString composed = u"R\u00e9mi "_qs;
    const QString decomposed = u"Re\u0301mi "_qs;
    const struct
    {
        QString a;
        QString b;
        int order;
        Qt::CaseSensitivity cs = Qt::CaseInsensitive;
    } cases[] = {
        { decomposed + u"10"_qs, composed + u"2"_qs, 1 },
        { decomposed + u"2"_qs, composed + u"10"_qs, -1 },
        { decomposed + u"2"_qs, composed + u"2"_qs, 0 },
        { u"RE\u0301MI 2"_qs, composed + u"2"_qs, 0 },
        { u"RE\u0301MI 2"_qs, u"R\u00c9MI 2"_qs, 0, Qt::CaseSensitive },
        { u"a/e\u0301"_qs, u"a/e"_qs, 1 },
        { u"e\u0301\u0323"_qs, u"e\u0323\u0301"_qs, 0 },
        { u"\u1100\u1161 3"_qs, u"\uAC00 12"_qs, -1 },
        { u"\u2126 1.jpg"_qs, u"\u03a9 1.jpg"_qs, 0 },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(order(c.a, c.b, c.cs), c.order) << c.a.toStdString() << " " << c.b.toStdString();
        EXPECT_EQ(order(c.b, c.a, c.cs), -c.order);
        EXPECT_EQ(sign(PathOrder::compareComposed(
                      PathOrder::composed(c.a), PathOrder::composed(c.b), c.cs)),
            c.order);
    }
}

TEST(PathOrder, StableSortKeepsScanOrderOfTies)
{
    QStringList paths { u"IMG_10.CR3"_qs, u"img_2.CR3"_qs, u"IMG_2.CR3"_qs, u"A/z.jpg"_qs };
    std::stable_sort(paths.begin(), paths.end(), PathOrder::lessThan);
    EXPECT_EQ(
        paths, QStringList({ u"A/z.jpg"_qs, u"img_2.CR3"_qs, u"IMG_2.CR3"_qs, u"IMG_10.CR3"_qs }));
}
