#include "AppModel.h"
#include "DesktopConfig.h"
#include "LaunchArguments.h"
#include "MainWindow.h"
#include "Translations.h"
#include "UpdateConfig.h"
#include "Updater.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#if ORVALIN_DBUS
#include "DesktopNotifier.h"

#include <QDBusConnection>
#endif

namespace {

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Orvalin"));
    QCoreApplication::setApplicationName(QStringLiteral("orvalin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVALIN_VERSION));
    // Ties the windows to the installed desktop entry (Wayland's app id, the taskbar's icon).
    QGuiApplication::setDesktopFileName(QStringLiteral(ORVALIN_APP_ID));
}

QStringList rawArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    return arguments;
}

// --help and --version print and exit: no display is opened for them, so they work over ssh,
// in scripts and for the man page's generator.
int answerOnTerminal(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    Translations::install(application);
    QCommandLineParser parser;
    LaunchArguments::describe(parser);
    parser.process(application);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    nameApplication();
    if (LaunchArguments::asksForText(rawArguments(argc, argv)))
        return answerOnTerminal(argc, argv);

    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Orvalin"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/orvalin.svg")));
    Translations::install(application);
    QCommandLineParser parser;
    LaunchArguments::describe(parser);
    parser.process(application);

    AppModel model(true);
    const QString feed = QString::fromUtf8(UpdateConfig::feed);
    Updater* updater = feed.isEmpty()
        ? nullptr
        : new Updater(QUrl(feed), QApplication::applicationVersion(), &application);
    MainWindow window(model, updater);
#if ORVALIN_DBUS
    DesktopNotifier notifier(model);
    // Desktops know a running application by its id on the bus; the first window holds it, a
    // second one started meanwhile simply runs on its own.
    QDBusConnection::sessionBus().registerService(QStringLiteral(ORVALIN_APP_ID));
#endif
    window.show();
    // As the file manager's "Open With" hands it over; a missing one is not remembered.
    if (const std::optional<QString> folder
        = LaunchArguments::folder(parser.positionalArguments())) {
        if (QFileInfo(*folder).isDir())
            model.open(*folder, true);
        else
            model.setError(LaunchArguments::notAFolder(*folder));
    }
    if (updater) {
        updater->setWindow(&window);
        // Once the window is up, like any other work that can wait for launching to finish.
        QTimer::singleShot(0, updater, &Updater::startScheduledChecks);
    }
    return application.exec();
}
