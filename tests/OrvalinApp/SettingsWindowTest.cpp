// The settings window's tab memory and its switches, and the quick look, which both follow the
// model.
#include "SettingsWindow.h"

#include "BrowserView.h"
#include "ContentView.h"
#include "MainWindow.h"
#include "ModelTestSupport.h"
#include "PreviewWindow.h"

#include <QCheckBox>
#include <QImage>
#include <QTest>

namespace {

using SettingsWindowTest = ModelTest;

TEST_F(SettingsWindowTest, remembersTheChosenTab)
{
    AppModel model(false);
    {
        SettingsWindow settings(model);
        EXPECT_EQ(settings.currentTab(), QStringLiteral("matching"));
        settings.setCurrentTab(QStringLiteral("privacy"));
        EXPECT_EQ(
            QSettings().value(QStringLiteral("settingsTab")).toString(), QStringLiteral("privacy"));
    }
    SettingsWindow reopened(model);
    EXPECT_EQ(reopened.currentTab(), QStringLiteral("privacy"));

    // An identifier this build does not know falls back to the first tab.
    QSettings().setValue(QStringLiteral("settingsTab"), QStringLiteral("advanced"));
    SettingsWindow unknown(model);
    EXPECT_EQ(unknown.currentTab(), QStringLiteral("matching"));
}

TEST_F(SettingsWindowTest, switchesShowAndSetTheModelsOptions)
{
    AppModel model(false);
    SettingsWindow settings(model);
    const MatchOptions defaults;
    for (bool MatchOptions::*field :
        { &MatchOptions::ignoreEditSuffixes, &MatchOptions::canonPrefixes,
            &MatchOptions::matchAcrossFolders, &MatchOptions::matchCaptureTime,
            &MatchOptions::onlyMixedFolders, &MatchOptions::trimHEIC,
            &MatchOptions::knownToolNames }) {
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

TEST_F(SettingsWindowTest, quickLookOpensForThePreviewFileAndClearsItOnClosing)
{
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    // A RAW name over JPEG data, as many RAW files carry: shown by its content.
    ASSERT_TRUE(picture.save(folder.at(QStringLiteral("IMG_1.CR3")), "JPEG"));
    folder.write(QStringLiteral("IMG_1.xmp"), "<x:xmpmeta/>");

    AppModel model(false);
    MainWindow window(model, nullptr);
    auto* preview = window.content()->browserView()->findChild<PreviewWindow*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->isVisible());

    model.setPreviewUrl(folder.at(QStringLiteral("IMG_1.CR3")));
    EXPECT_TRUE(preview->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !preview->isLoading(); }));
    EXPECT_TRUE(preview->showsPicture());
    model.setPreviewUrl(folder.at(QStringLiteral("IMG_1.xmp")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !preview->isLoading(); }));
    EXPECT_FALSE(preview->showsPicture());

    preview->reject();
    EXPECT_FALSE(model.previewUrl());
}

} // namespace
