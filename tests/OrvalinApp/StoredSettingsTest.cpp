#include "FolderDialog.h"
#include "ModelTestSupport.h"

#include <QFileDialog>

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

} // namespace
