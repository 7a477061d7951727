// What is kept between runs (the options, the recent folders) and how a folder comes to be
// opened: the folder picker, a recent folder, the launch arguments.
#include "FolderDialog.h"
#include "LaunchArguments.h"
#include "ModelTestSupport.h"

#include <QFileDialog>
#include <QUrl>

namespace {

using StoredSettingsTest = ModelTest;

const QString key = QStringLiteral("matchOptions");

MatchOptions changed()
{
    MatchOptions options;
    options.matchAcrossFolders = true;
    options.trimHEIC = true;
    return options;
}

TEST_F(StoredSettingsTest, OptionsAreStoredOnChangeOnlyAndReadAtCreation)
{
    const auto stored = [] { return QSettings().value(key).toByteArray(); };
    {
        AppModel persisting(true);
        EXPECT_EQ(persisting.options(), MatchOptions {});
        persisting.setOptions(MatchOptions {});
        EXPECT_FALSE(QSettings().contains(key));
        persisting.setOptions(changed());
        EXPECT_EQ(stored(), changed().toJson());
    }
    EXPECT_EQ(AppModel(true).options(), changed());

    // An equal value writes nothing, so even a bad stored value stays.
    QSettings().setValue(key, QByteArray("{\"trimHEIC\":true}"));
    AppModel persisting(true);
    EXPECT_EQ(persisting.options(), MatchOptions {});
    persisting.setOptions(MatchOptions {});
    EXPECT_EQ(stored(), "{\"trimHEIC\":true}");
    persisting.setOptions(changed());
    EXPECT_EQ(stored(), changed().toJson());

    // A model that does not persist neither reads nor writes them.
    EXPECT_EQ(AppModel(false).options(), MatchOptions {});
    QSettings().remove(key);
    model.setOptions(changed());
    EXPECT_EQ(model.options(), changed());
    EXPECT_FALSE(QSettings().contains(key));
}

TEST_F(StoredSettingsTest, TheFolderPickerChoosesOneFolderToScan)
{
    QFileDialog dialog;
    FolderDialog::configure(dialog, "Choose a folder.");
    EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
    EXPECT_TRUE(dialog.testOption(QFileDialog::ShowDirsOnly));
    EXPECT_EQ(dialog.labelText(QFileDialog::Accept), "Scan Folder");
    const auto* line = dialog.findChild<QLabel*>("folderDialogMessage");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "Choose a folder.");

    QString shown;
    std::optional<QString> answer;
    model.setFolderPicker([&](QWidget*, const QString& message) {
        shown = message;
        return answer;
    });
    model.chooseFolder();
    EXPECT_EQ(shown,
        "Choose a folder of shoots. Orvalin only reads it until you choose to move files, and "
        "never deletes anything.");
    EXPECT_FALSE(model.root());
    EXPECT_TRUE(Recents::load().isEmpty());

    answer = folder.makeFolder("Shoots");
    model.chooseFolder();
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(model.root(), folder.at("Shoots"));
    EXPECT_EQ(Recents::load().first().path, folder.at("Shoots"));
}

QStringList recentNames()
{
    QStringList names;
    for (const Recents::Item& item : Recents::load())
        names.append(item.name);
    return names;
}

TEST_F(StoredSettingsTest, RecentsAreCompactJsonOfFiveDistinctNewestFirstElseLoadAsNone)
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

    // Five distinct folders, newest first; removing takes only the equal item.
    Recents::save({});
    for (int i = 1; i <= 6; ++i)
        Recents::add(folder.makeFolder(QString("S%1").arg(i)));
    EXPECT_EQ(recentNames(), QStringList({ "S6", "S5", "S4", "S3", "S2" }));
    Recents::add(folder.at("S4"));
    EXPECT_EQ(recentNames(), QStringList({ "S4", "S6", "S5", "S3", "S2" }));
    EXPECT_EQ(Recents::load().first().path, folder.at("S4"));

    const Recents::Item current = Recents::load().first();
    Recents::Item older = current;
    older.bookmark = "an older bookmark";
    Recents::remove(older);
    EXPECT_EQ(recentNames(), QStringList({ "S4", "S6", "S5", "S3", "S2" }));
    Recents::remove(current);
    EXPECT_EQ(recentNames(), QStringList({ "S6", "S5", "S3", "S2" }));
}

TEST_F(StoredSettingsTest, ReopeningAGoneFolderSaysSoAndForgetsItElseOpensItAndPutsItFirst)
{
    Recents::add(folder.makeFolder("Kept"));
    Recents::add(folder.makeFolder("Renamed"));
    Recents::add(folder.makeFolder("Vanished"));
    ASSERT_TRUE(QDir(folder.path()).rename("Renamed", "Renamed later"));
    ASSERT_TRUE(QDir(folder.at("Vanished")).removeRecursively());
    // Newest first: each forgotten one leaves the next at the top.
    for (const QString name : { "Vanished", "Renamed" }) {
        const Recents::Item item = Recents::load().first();
        ASSERT_EQ(item.name, name);
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

TEST(LaunchArguments, OnlyHelpAndVersionAreAnsweredWithoutAWindowAndTheFolderIsMadeAbsolute)
{
    // The program's own name and folders after "--" are never options.
    const QList<std::pair<QStringList, bool>> cases { { { "orvalin" }, false },
        { { "orvalin", "--version" }, true }, { { "orvalin", "-v" }, true },
        { { "orvalin", "/photos", "--help" }, true }, { { "orvalin", "-h" }, true },
        { { "--help" }, false }, { { "orvalin", "--", "--help" }, false },
        { { "orvalin", "/photos/--version" }, false } };
    for (const auto& [arguments, answered] : cases)
        EXPECT_EQ(LaunchArguments::asksForText(arguments), answered)
            << arguments.join(u' ').toStdString();

    // The folder comes as a path or a file URL.
    TempFolder folder;
    const QString shoots = folder.makeFolder("Shoots 2026/Garden");
    EXPECT_FALSE(LaunchArguments::folder({}));
    for (const QString& given : { shoots, shoots + "/", QUrl::fromLocalFile(shoots).toString() })
        EXPECT_EQ(LaunchArguments::folder({ given }), shoots) << given.toStdString();
    EXPECT_EQ(LaunchArguments::folder({ "Garden" }), QDir::current().absoluteFilePath("Garden"));
}

} // namespace
