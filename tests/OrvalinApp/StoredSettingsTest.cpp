#include "FolderDialog.h"
#include "ModelTestSupport.h"
#include "Recents.h"

#include <QFileDialog>
#include <QLabel>

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
    {
        AppModel model(true);
        EXPECT_EQ(model.options(), MatchOptions {});
        EXPECT_FALSE(QSettings().contains(key));
        model.setOptions(MatchOptions {});
        EXPECT_FALSE(QSettings().contains(key));

        model.setOptions(changed());
        EXPECT_EQ(QSettings().value(key).toByteArray(), changed().toJson());
    }
    EXPECT_EQ(AppModel(true).options(), changed());

    // An equal value writes nothing, so even a bad stored value stays.
    QSettings().setValue(key, QByteArray("{\"trimHEIC\":true}"));
    AppModel model(true);
    EXPECT_EQ(model.options(), MatchOptions {});
    model.setOptions(MatchOptions {});
    EXPECT_EQ(QSettings().value(key).toByteArray(), "{\"trimHEIC\":true}");
    model.setOptions(changed());
    EXPECT_EQ(QSettings().value(key).toByteArray(), changed().toJson());
}

TEST_F(StoredSettingsTest, AModelThatDoesNotPersistNeverTouchesTheOptions)
{
    QSettings().setValue(key, changed().toJson());
    AppModel model(false);
    EXPECT_EQ(model.options(), MatchOptions {});

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

    AppModel model(false);
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

} // namespace
