#include "AppIdentity.h"

#include "Messages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdlib>

namespace {

QString processName()
{
#if defined(__GLIBC__)
    return QString::fromLocal8Bit(program_invocation_short_name);
#else
    return QString::fromLocal8Bit(getprogname());
#endif
}

} // namespace

namespace AppIdentity {

QString name()
{
    // QGuiApplication falls back to the application name by itself, which falls back to the
    // executable's name; without an application object only the process is left to ask.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const QString display = QGuiApplication::applicationDisplayName();
        if (!display.isEmpty())
            return display;
    }
    if (QCoreApplication::instance()) {
        const QString application = QCoreApplication::applicationName();
        if (!application.isEmpty())
            return application;
    }
    return processName();
}

QString reviewFolderName(const QString& app)
{
    return Messages::reviewFolderName(app);
}

} // namespace AppIdentity
