#include "TextIndex.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

TEST(TextIndex, KeepsEveryKeyPastItsExpectedSizeAndForgetsThemOnReset)
{
    QStringList keys;
    for (int i = 0; i < 1000; ++i)
        keys.append(QStringLiteral("img_%1").arg(i));

    TextIndex<int> index;
    EXPECT_EQ(index.find(u"img_1"), nullptr);
    index.reset(3);
    for (int i = 0; i < keys.size(); ++i)
        index[keys[i]] = i;
    ++index[keys[7]];
    for (int i = 0; i < keys.size(); ++i) {
        ASSERT_NE(index.find(keys[i]), nullptr);
        EXPECT_EQ(*index.find(keys[i]), i == 7 ? 8 : i);
    }
    EXPECT_EQ(index.find(u"img_1000"), nullptr);

    index.reset(1);
    EXPECT_EQ(index.find(keys[0]), nullptr);
    EXPECT_EQ(index[keys[0]], 0);
}
