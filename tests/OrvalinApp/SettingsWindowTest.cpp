// The settings window's tab memory and its switches, and the quick look, which both follow the
// model.
#include "SettingsWindow.h"

#include "ModelTestSupport.h"
#include "PreviewWindow.h"

#include <QCheckBox>
#include <QImage>
#include <QScreen>

namespace {

using SettingsWindowTest = ModelTest;

TEST_F(SettingsWindowTest, remembersTheChosenTabSwitchesFollowTheOptionsAndEscapeOrControlWCloses)
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

TEST_F(SettingsWindowTest, quickLookShowsPicturesAndTheStartOfSidecarsAndClearsItsFileOnClosing)
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
    const auto look = [&](const char* name) {
        model.setPreviewUrl(folder.at(name));
        EXPECT_TRUE(preview->isVisible());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !preview->isLoading(); }));
    };

    look("IMG_1.CR3");
    EXPECT_TRUE(preview->showsPicture());
    look("IMG_1.xmp");
    EXPECT_FALSE(preview->showsPicture());
    EXPECT_TRUE(preview->showsText());
    EXPECT_EQ(preview->shownText(), "<x:xmpmeta/>");
    look("long.pp3");
    EXPECT_EQ(preview->shownText().size(), 256 * 1000);
    EXPECT_TRUE(preview->shownText().startsWith("[Version]\nAppVersion=5.9"));
    EXPECT_TRUE(preview->caption().contains(" · Only the first 256"))
        << preview->caption().toStdString();
    look("latin.dop");
    EXPECT_EQ(preview->shownText(), "Name = \"café\"");
    EXPECT_TRUE(preview->caption().endsWith("shown as Latin-1."));
    look("binary.xmp");
    EXPECT_FALSE(preview->showsText());
    EXPECT_TRUE(preview->caption().endsWith("This file can’t be shown as text."));

    preview->reject();
    EXPECT_FALSE(model.previewUrl());
}

} // namespace
