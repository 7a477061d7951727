// Runs the model's tests inside a QApplication, with settings kept in a temporary folder so that
// no test reads or writes the user's own.
#include "Translations.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Headless everywhere, also when CTest lists the tests at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("OrvalinTests"));
    QApplication::setApplicationName(QStringLiteral("OrvalinAppTests"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvalin"));
    // English as the window speaks it, with its plural forms.
    Translations::installEnglishPlurals(application);

    QTemporaryDir settingsFolder;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());

    return RUN_ALL_TESTS();
}
