#include "AppModel.h"
#include "MainWindow.h"
#include "UpdateConfig.h"
#include "Updater.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

namespace {

// QLocale::system() on Unix looks at LC_ALL, LC_MESSAGES and LANG only; uiLanguages() also
// honours LANGUAGE, the list desktops use for the language of their menus.
void installTranslations(QApplication& application)
{
    const QLocale locale = QLocale(QLocale::system().uiLanguages().value(0, QStringLiteral("C")));
    auto* ours = new QTranslator(&application);
    if (ours->load(QLocale::system(), QStringLiteral("orvalin"), QStringLiteral("_"),
            QStringLiteral(":/i18n")))
        QApplication::installTranslator(ours);
    auto* qt = new QTranslator(&application);
    if (qt->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qt);
    Q_UNUSED(locale);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orvalin"));
    QApplication::setApplicationName(QStringLiteral("orvalin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvalin"));
    QApplication::setApplicationVersion(QStringLiteral(ORVALIN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("orvalin"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/orvalin.svg")));
    installTranslations(application);

    AppModel model(true);
    const QString feed = QString::fromUtf8(UpdateConfig::feed);
    Updater* updater = feed.isEmpty()
        ? nullptr
        : new Updater(QUrl(feed), QApplication::applicationVersion(), &application);
    MainWindow window(model, updater);
    window.show();
    if (updater) {
        updater->setWindow(&window);
        // Once the window is up, like any other work that can wait for launching to finish.
        QTimer::singleShot(0, updater, &Updater::startScheduledChecks);
    }
    return application.exec();
}
