
#include "ModelTestSupport.h"

namespace {

using RecentsTest = ModelTest;

QStringList recentNames()
{
    QStringList names;
    for (const Recents::Item& item : Recents::load())
        names.append(item.name);
    return names;
}

TEST_F(RecentsTest, StoredAsCompactJsonWithBase64BookmarksAndAnythingElseLoadsAsNoFolders)
{
    EXPECT_TRUE(Recents::load().isEmpty());
    for (const QByteArray& stored : { QByteArray(), QByteArray("{}"), QByteArray("[{\"name\":1}]"),
             QByteArray(R"([{"name":"a","path":"/a","bookmark":"***"}])") }) {
        QSettings().setValue("recentFolders", stored);
        EXPECT_TRUE(Recents::load().isEmpty()) << stored.toStdString();
        EXPECT_EQ(QSettings().value("recentFolders").toByteArray(), stored);
    }

    const QList<Recents::Item> items {
        { "Shoots", "/home/ana/Shoots", "/home/ana/Shoots" },
        { "Año “2026”", "/media/Año “2026”", QByteArray("\x00\xff", 2) },
    };
    const QByteArray json = Recents::encoded(items);
    EXPECT_EQ(json,
        R"([{"name":"Shoots","path":"/home/ana/Shoots","bookmark":"L2hvbWUvYW5hL1Nob290cw=="},)"
        R"({"name":"Año “2026”","path":"/media/Año “2026”","bookmark":"AP8="}])");
    EXPECT_EQ(Recents::decoded(json), items);
    Recents::save(items);
    EXPECT_EQ(QSettings().value("recentFolders").toByteArray(), json);
    EXPECT_EQ(Recents::load(), items);
}

TEST_F(RecentsTest, AddingKeepsFiveDistinctFoldersNewestFirstAndRemovingTakesTheEqualOne)
{
    for (int i = 1; i <= 6; ++i)
        Recents::add(folder.makeFolder(QString("S%1").arg(i)));
    EXPECT_EQ(recentNames(), QStringList({ "S6", "S5", "S4", "S3", "S2" }));
    Recents::add(folder.at("S4"));
    EXPECT_EQ(recentNames(), QStringList({ "S4", "S6", "S5", "S3", "S2" }));
    EXPECT_EQ(Recents::load().first().path, folder.at("S4"));

    // Removing takes only the equal item.
    const Recents::Item current = Recents::load().first();
    Recents::Item older = current;
    older.bookmark = "an older bookmark";
    Recents::remove(older);
    EXPECT_EQ(recentNames(), QStringList({ "S4", "S6", "S5", "S3", "S2" }));
    Recents::remove(current);
    EXPECT_EQ(recentNames(), QStringList({ "S6", "S5", "S3", "S2" }));
}

TEST_F(RecentsTest, ReopeningAFolderThatIsGoneSaysSoAndForgetsItOtherwiseOpensItAndPutsItFirst)
{
    Recents::add(folder.makeFolder("Kept"));
    Recents::add(folder.makeFolder("Renamed"));
    Recents::add(folder.makeFolder("Vanished"));
    ASSERT_TRUE(QDir(folder.path()).rename("Renamed", "Renamed later"));
    ASSERT_TRUE(QDir(folder.at("Vanished")).removeRecursively());
    for (const QString name : { "Vanished", "Renamed" }) {
        const QList<Recents::Item> items = Recents::load();
        const auto found = std::find_if(items.begin(), items.end(),
            [&](const Recents::Item& item) { return item.name == name; });
        ASSERT_NE(found, items.end());
        const Recents::Item item = *found;
        model.clearError();
        model.openRecent(item);
        EXPECT_EQ(model.error(),
            QString("“%1” can’t be found any more. It may have been moved, renamed or be on a disk "
                    "that isn’t connected.")
                .arg(name));
        EXPECT_FALSE(model.root());
        EXPECT_EQ(model.phase(), AppModel::Phase::idle());
        EXPECT_FALSE(Recents::load().contains(item));
    }
    EXPECT_EQ(recentNames(), QStringList({ "Kept" }));

    writeFiles({ "Old/a.NEF", "Old/a.JPG" });
    Recents::add(folder.at("Old"));
    Recents::add(folder.makeFolder("New"));
    model.openRecent(Recents::load().at(1));
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(model.root(), folder.at("Old"));
    EXPECT_EQ(model.accessing(), folder.at("Old"));
    EXPECT_EQ(model.phase(), AppModel::Phase::ready());
    EXPECT_EQ(recentNames(), QStringList({ "Old", "New", "Kept" }));
}

} // namespace
