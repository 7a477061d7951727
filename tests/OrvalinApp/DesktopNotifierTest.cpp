// Notifications on a bus of the test's own, with a notification service of its own.
#include "DesktopNotifier.h"

#include "DesktopConfig.h"
#include "ModelTestSupport.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>

namespace {

// A session bus of its own: no notification service of the machine's can answer on it.
class PrivateBus
{
public:
    PrivateBus()
    {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            return;
        const QString config = m_folder.write("bus.conf",
            "<busconfig><type>session</type><listen>unix:tmpdir=" + m_folder.path().toUtf8()
                + "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                  "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                  "<allow own=\"*\"/></policy></busconfig>");
        m_daemon.start(daemon, { "--config-file=" + config, "--nofork", "--print-address=1" });
        if (!m_daemon.waitForReadyRead(10000))
            return;
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        for (const QString& name : m_connections)
            QDBusConnection::disconnectFromBus(name);
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    bool isUp() const { return !m_address.isEmpty(); }

    QDBusConnection connect(const QString& name)
    {
        m_connections.append(name);
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    TempFolder m_folder;
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
};

struct Notification
{
    QString app;
    uint replaces;
    QString icon;
    QString summary;
    QString body;
    QVariantMap hints;
};

// Keeps what it is asked to show and answers with increasing ids, as a desktop's service does.
class NotificationService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QList<Notification> shown;

public Q_SLOTS:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
        const QString& body, const QStringList&, const QVariantMap& hints, int)
    {
        shown.append({ app, replaces, icon, summary, body, hints });
        return uint(shown.size()) + 40;
    }
};

class DesktopNotifierTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        if (!bus.isUp())
            GTEST_SKIP() << "dbus-daemon is not installed (Debian package dbus-daemon)";
        notifier.setBus(bus.connect("application"));
        notifier.setActive([this] { return active; });
        writeFiles({ "A/a.NEF", "A/b.NEF", "A/p.NEF", "A/p.JPG" });
    }

    // Whatever was sent has arrived by then: the bus keeps the order of one connection's calls.
    void expectShownSoon(qsizetype count)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return service.shown.size() >= count; }, 10000));
        QTest::qWait(200);
        EXPECT_EQ(service.shown.size(), count);
    }

    PrivateBus bus;
    DesktopNotifier notifier { model };
    NotificationService service;
    bool active = false;
};

TEST_F(DesktopNotifierTest, LongScansMovesAndRestoresAreToldByAServiceWhileTheAppIsInactive)
{
    // Without a service the calls come back as errors and leave the model as it was.
    notifier.setLongScan(std::chrono::milliseconds(0));
    openAndSettle();
    moveTicked({ "A/a.NEF", "A/b.NEF" });
    QTest::qWait(200);
    EXPECT_TRUE(model.notice());
    EXPECT_FALSE(model.error());
    model.restoreNoticeSession();
    ASSERT_TRUE(settle(model));
    model.dismissNotice();

    // The desktop offers its notification service.
    QDBusConnection desktop = bus.connect("desktop");
    ASSERT_TRUE(desktop.registerService("org.freedesktop.Notifications"));
    ASSERT_TRUE(desktop.registerObject(
        "/org/freedesktop/Notifications", &service, QDBusConnection::ExportAllSlots));
    model.rescan();
    ASSERT_TRUE(settle(model));
    expectShownSoon(1);
    const Notification scan = service.shown.value(0);
    EXPECT_EQ(QStringList({ scan.summary, scan.body, scan.app, scan.icon,
                  scan.hints.value("desktop-entry").toString() }),
        QStringList({ "Scan finished",
            QString("Leftovers to review in “%1”: 2.").arg(QFileInfo(folder.path()).fileName()),
            "Orvalin", ORVALIN_APP_ID, ORVALIN_APP_ID }));

    moveTicked({ "A/a.NEF", "A/b.NEF" });
    expectShownSoon(2);
    ASSERT_TRUE(model.notice());
    EXPECT_EQ(service.shown[1].summary, "Move finished");
    EXPECT_EQ(service.shown[1].body, model.notice()->text);
    // The desktop's id of the last one, so that it is replaced rather than piled on.
    EXPECT_EQ(service.shown[1].replaces, 41u);

    // The scan that follows a restore belongs to it: one notification, the notice's.
    model.restoreNoticeSession();
    ASSERT_TRUE(settle(model));
    expectShownSoon(3);
    EXPECT_EQ(service.shown[2].summary, "Restore finished");

    // Nothing after a short scan, nor while the app is in front of the user.
    notifier.setLongScan(DesktopNotifier::longScan);
    model.rescan();
    ASSERT_TRUE(settle(model));
    active = true;
    moveTicked({ "A/a.NEF", "A/b.NEF" });
    expectShownSoon(3);
}

} // namespace

#include "DesktopNotifierTest.moc"
