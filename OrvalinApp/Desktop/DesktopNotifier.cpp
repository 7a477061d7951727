#include "DesktopNotifier.h"

#include "AppModel.h"
#include "DesktopConfig.h"
#include "Formatting.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QGuiApplication>
#include <QVariantMap>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");

qsizetype leftoverCount(const AppModel& model)
{
    qsizetype count = 0;
    for (const OrphanGroup group : OrphanGroups::allCases())
        count += model.candidateCount(group);
    return count;
}

} // namespace

DesktopNotifier::DesktopNotifier(AppModel& model, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_bus(QDBusConnection::sessionBus())
    // Any of its windows in front (the main window, the move summary, the settings) will do.
    , m_active([] { return QGuiApplication::applicationState() == Qt::ApplicationActive; })
{
    connect(&model, &AppModel::noticeChanged, this, &DesktopNotifier::noticeChanged);
    connect(&model, &AppModel::phaseChanged, this, &DesktopNotifier::phaseChanged);
}

void DesktopNotifier::noticeChanged()
{
    const std::optional<AppModel::Notice>& notice = m_model.notice();
    if (!notice)
        return;
    notify(notice->session ? tr("Move finished") : tr("Restore finished"), notice->text);
}

void DesktopNotifier::phaseChanged()
{
    const AppModel::Phase& phase = m_model.phase();
    if (phase.isScanning()) {
        m_scanClock.start();
        return;
    }
    if (!m_scanClock.isValid())
        return;
    const std::chrono::milliseconds took { m_scanClock.elapsed() };
    m_scanClock.invalidate();
    if (!phase.isReady() || took < m_longScan || !m_model.root())
        return;
    // A restore scans again to show what came back; its own notice has told of it.
    if (m_model.notice() && !m_model.notice()->session)
        return;
    notify(tr("Scan finished"),
        tr("Leftovers to review in “%1”: %2.")
            .arg(QFileInfo(*m_model.root()).fileName(), Formatting::count(leftoverCount(m_model))));
}

void DesktopNotifier::notify(const QString& summary, const QString& body)
{
    if (m_active() || !m_bus.isConnected())
        return;
    QDBusMessage call
        = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
    const QVariantMap hints { { QStringLiteral("desktop-entry"), QStringLiteral(ORVALIN_APP_ID) } };
    call << m_model.appName() << m_lastId << QStringLiteral(ORVALIN_APP_ID) << summary << body
         << QStringList() << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isValid())
            m_lastId = reply.value();
    });
}
