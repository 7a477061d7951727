// What is kept between runs (the options, the recent folders, the settings window's tab) and how
// a folder comes to be opened: the folder picker, a recent folder, the launch arguments; the
// settings window's switches and the quick look, which both follow the model.
#include "FolderDialog.h"
#include "Formatting.h"
#include "LaunchArguments.h"
#include "ModelTestSupport.h"
#include "PreviewWindow.h"
#include "SettingsWindow.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QImage>
#include <QScreen>
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

    // A model that does not persist neither reads nor writes them.
    EXPECT_EQ(AppModel(false).options(), MatchOptions {});
    QSettings().remove(key);
    model.setOptions(changed());
    EXPECT_EQ(model.options(), changed());
    EXPECT_FALSE(QSettings().contains(key));

    // An equal value writes nothing, so even a bad stored value stays.
    QSettings().setValue(key, QByteArray("{\"trimHEIC\":true}"));
    AppModel persisting(true);
    EXPECT_EQ(persisting.options(), MatchOptions {});
    persisting.setOptions(MatchOptions {});
    EXPECT_EQ(stored(), "{\"trimHEIC\":true}");
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

    const Recents::Item current = Recents::load().first();
    Recents::Item older = current;
    older.bookmark = "an older bookmark";
    Recents::remove(older);
    EXPECT_EQ(recentNames(), QStringList({ "S4", "S6", "S5", "S3", "S2" }));
    Recents::remove(current);
    EXPECT_EQ(recentNames(), QStringList({ "S6", "S5", "S3", "S2" }));
}

TEST_F(StoredSettingsTest, ARecentOrAPickedFolderOpensAndGoesFirstAndAGoneOneIsForgotten)
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

    // The folder picker chooses one folder to scan; cancelled, it changes nothing.
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
    EXPECT_EQ(model.root(), folder.at("Old"));
    EXPECT_EQ(recentNames(), QStringList({ "Old", "New", "Kept" }));

    answer = folder.makeFolder("Shoots");
    model.chooseFolder();
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(model.root(), folder.at("Shoots"));
    EXPECT_EQ(Recents::load().first().path, folder.at("Shoots"));
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

TEST_F(StoredSettingsTest, remembersTheChosenTabSwitchesFollowTheOptionsAndEscapeOrControlWCloses)
{
    {
        SettingsWindow settings(model);
        EXPECT_EQ(settings.currentTab(), "matching");
        settings.setCurrentTab("privacy");
        EXPECT_EQ(QSettings().value("settingsTab").toString(), "privacy");

        // The switches show and set the model's options.
        const MatchOptions defaults;
        for (bool MatchOptions::*field : { &MatchOptions::ignoreEditSuffixes,
                 &MatchOptions::canonPrefixes, &MatchOptions::matchAcrossFolders,
                 &MatchOptions::matchCaptureTime, &MatchOptions::onlyMixedFolders,
                 &MatchOptions::trimHEIC, &MatchOptions::knownToolNames }) {
            QCheckBox* toggle = settings.toggle(field);
            ASSERT_NE(toggle, nullptr);
            EXPECT_EQ(toggle->isChecked(), defaults.*field);
            toggle->click();
            EXPECT_EQ(model.options().*field, !(defaults.*field));
            toggle->click();
            EXPECT_EQ(model.options().*field, defaults.*field);
        }

        // A change made elsewhere shows at once.
        MatchOptions changed = model.options();
        changed.matchCaptureTime = true;
        model.setOptions(changed);
        EXPECT_TRUE(settings.toggle(&MatchOptions::matchCaptureTime)->isChecked());
    }
    EXPECT_EQ(SettingsWindow(model).currentTab(), "privacy");
    // An identifier this build does not know falls back to the first tab.
    QSettings().setValue("settingsTab", "advanced");
    EXPECT_EQ(SettingsWindow(model).currentTab(), "matching");

    MainWindow window(model, nullptr);
    // Near the screen's corner, where a window placed over it would reach past the edges.
    const QRect screen = window.screen()->availableGeometry();
    window.move(screen.bottomRight() - QPoint(150, 100));
    window.show();
    SettingsWindow* settings = window.settingsWindow();
    for (const QKeyCombination keys :
        { QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W) }) {
        window.action(MainWindow::Command::settings)->trigger();
        ASSERT_TRUE(QTest::qWaitForWindowActive(settings));
        EXPECT_TRUE(screen.contains(settings->frameGeometry()));
        QTest::keyClick(settings->focusWidget() ? settings->focusWidget() : settings, keys.key(),
            keys.keyboardModifiers());
        EXPECT_FALSE(settings->isVisible()) << QKeySequence(keys).toString().toStdString();
        EXPECT_TRUE(window.isVisible());
    }
}

TEST_F(StoredSettingsTest, quickLookShowsPicturesAndTheStartOfSidecarsAndClearsItsFileOnClosing)
{
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    // A RAW name over JPEG data, as many RAW files carry: shown by its content.
    ASSERT_TRUE(picture.save(folder.at("IMG_1.CR3"), "JPEG"));
    folder.write("IMG_1.xmp", "<x:xmpmeta/>");
    folder.write("long.pp3", "[Version]\nAppVersion=5.9\n" + QByteArray(300 * 1024, 'x'));
    folder.write("latin.dop", "Name = \"caf\xe9\"");
    folder.write("binary.xmp", QByteArray("\0\1\2\3", 4));

    MainWindow window(model, nullptr);
    auto* preview = window.content()->browserView()->findChild<PreviewWindow*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->isVisible());
    // What each file shows: a picture, or the start of its text; and what the caption adds to
    // the file's name and size.
    const struct
    {
        const char* name;
        bool picture;
        QString text;
        QString captionEnd;
    } looks[] = {
        { "IMG_1.CR3", true, {}, {} },
        { "IMG_1.xmp", false, "<x:xmpmeta/>", {} },
        { "long.pp3", false, "[Version]\nAppVersion=5.9\n" + QString(256 * 1000 - 25, 'x'),
            "Only the first " + Formatting::byteCount(256 * 1000) + " are shown." },
        { "latin.dop", false, "Name = \"café\"", "Not UTF-8 text: shown as Latin-1." },
        { "binary.xmp", false, {}, "This file can’t be shown as text." },
    };
    for (const auto& look : looks) {
        model.setPreviewUrl(folder.at(look.name));
        EXPECT_TRUE(preview->isVisible()) << look.name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !preview->isLoading(); })) << look.name;
        EXPECT_EQ(preview->showsPicture(), look.picture) << look.name;
        EXPECT_EQ(preview->showsText(), !look.text.isEmpty()) << look.name;
        EXPECT_EQ(preview->shownText(), look.text) << look.name;
        EXPECT_EQ(preview->caption().section(" · ", 2), look.captionEnd) << look.name;
    }

    preview->reject();
    EXPECT_FALSE(model.previewUrl());
}

} // namespace
