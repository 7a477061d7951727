#include "AppModel.h"
#include "MainWindow.h"
#include "Translations.h"
#include "UpdateConfig.h"
#include "Updater.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orvalin"));
    QApplication::setApplicationName(QStringLiteral("orvalin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvalin"));
    QApplication::setApplicationVersion(QStringLiteral(ORVALIN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("orvalin"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/orvalin.svg")));
    Translations::install(application);

    AppModel model(true);
    // Without a feed the updater only tells the user where updates come from.
    auto* updater = new Updater(QUrl(QString::fromUtf8(UpdateConfig::feed)),
        QApplication::applicationVersion(), &application);
    MainWindow window(model, updater);
    window.show();
    // Once the window is up, like any other work that can wait for launching to finish.
    QTimer::singleShot(0, updater, &Updater::startScheduledChecks);
    return application.exec();
}
