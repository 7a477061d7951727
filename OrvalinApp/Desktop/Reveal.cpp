#include "Reveal.h"

#include "DesktopConfig.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#if ORVALIN_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#endif

namespace Reveal {

void inFileManager(const QString& path)
{
#if ORVALIN_DBUS
    const QUrl item = QUrl::fromLocalFile(path);
    QDBusMessage call
        = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
            QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList { item.toString() } << QString();
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 3000);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return;
#endif
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

} // namespace Reveal
