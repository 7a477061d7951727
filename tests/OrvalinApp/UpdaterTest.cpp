// The update check's HEAD probe against a local server, and what each answer leads to.
#include "Updater.h"

#include "UpdateProbe.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Answers every request with one fixed status line and counts the requests by method.
class FeedServer : public QObject
{
public:
    explicit FeedServer(int status)
        : m_status(status)
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
    }

    QUrl url() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/feed.json").arg(m_server.serverPort()));
    }
    QStringList methods;

private:
    void answer(QTcpSocket* socket)
    {
        const QByteArray request = socket->readAll();
        methods << QString::fromLatin1(request.left(request.indexOf(' ')));
        const QByteArray body = R"({"version": "0.1.0", "url": "https://example.org/"})";
        socket->write("HTTP/1.1 " + QByteArray::number(m_status) + " Status\r\nContent-Length: "
            + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n");
        if (!request.startsWith("HEAD"))
            socket->write(body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    int m_status;
};

struct Check
{
    std::optional<UpdateProbe::Outcome> outcome;
    QStringList alerts;
    int proceeded = 0;
};

Check run(Updater& updater)
{
    Check check;
    updater.setAlert([&](const QString& title, const QString&) { check.alerts << title; });
    updater.setProceed([&] { ++check.proceeded; });
    QObject::connect(
        &updater, &Updater::probed, [&](UpdateProbe::Outcome outcome) { check.outcome = outcome; });
    updater.checkForUpdates();
    // A second request while the first is out is ignored.
    updater.checkForUpdates();
    EXPECT_TRUE(QTest::qWaitFor([&] { return check.outcome.has_value(); }, 20000));
    return check;
}

TEST(UpdateProbe, classifiesStatuses)
{
    using Outcome = UpdateProbe::Outcome;
    const std::pair<std::optional<int>, Outcome> cases[] = {
        { std::nullopt, Outcome::couldNotCheck },
        { 200, Outcome::proceed },
        { 204, Outcome::proceed },
        { 299, Outcome::proceed },
        { 404, Outcome::upToDate },
        { 410, Outcome::upToDate },
        { 405, Outcome::proceed },
        { 501, Outcome::proceed },
        { 301, Outcome::couldNotCheck },
        { 403, Outcome::couldNotCheck },
        { 500, Outcome::couldNotCheck },
        { 503, Outcome::couldNotCheck },
    };
    for (const auto& [status, expected] : cases)
        EXPECT_EQ(UpdateProbe::classify(status), expected) << status.value_or(-1);
}

TEST(Updater, aMissingFeedMeansUpToDateWithoutTheFullCheck)
{
    FeedServer server(404);
    Updater updater(server.url(), QStringLiteral("0.1.0"));
    const Check check = run(updater);
    EXPECT_EQ(check.outcome, UpdateProbe::Outcome::upToDate);
    EXPECT_EQ(check.alerts, QStringList { QStringLiteral("You’re up to date") });
    EXPECT_EQ(check.proceeded, 0);
    EXPECT_EQ(server.methods, QStringList { QStringLiteral("HEAD") });
    EXPECT_FALSE(updater.isChecking());
}

TEST(Updater, aFeedThatRefusesHeadGoesOnToTheFullCheck)
{
    FeedServer server(405);
    Updater updater(server.url(), QStringLiteral("0.1.0"));
    const Check check = run(updater);
    EXPECT_EQ(check.outcome, UpdateProbe::Outcome::proceed);
    EXPECT_TRUE(check.alerts.isEmpty());
    EXPECT_EQ(check.proceeded, 1);
}

TEST(Updater, noAnswerMeansCouldNotCheck)
{
    // A port that was just free: nothing listens there any more.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    Updater updater(
        QUrl(QStringLiteral("http://127.0.0.1:%1/feed.json").arg(port)), QStringLiteral("0.1.0"));
    const Check check = run(updater);
    EXPECT_EQ(check.outcome, UpdateProbe::Outcome::couldNotCheck);
    EXPECT_EQ(check.alerts, QStringList { QStringLiteral("Couldn’t check for updates") });
    EXPECT_EQ(check.proceeded, 0);
}

TEST(Updater, theFullCheckFindsNothingNewerThanThisVersion)
{
    FeedServer server(200);
    Updater updater(server.url(), QStringLiteral("0.1.0"));
    QStringList alerts;
    updater.setAlert([&](const QString& title, const QString&) { alerts << title; });
    updater.checkForUpdates();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !alerts.isEmpty(); }, 20000));
    EXPECT_EQ(alerts, QStringList { QStringLiteral("You’re up to date") });
    EXPECT_EQ(server.methods, (QStringList { QStringLiteral("HEAD"), QStringLiteral("GET") }));
}

TEST(Updater, withoutAFeedSaysThatUpdatesComeWithThePackage)
{
    Updater updater(QUrl(), QStringLiteral("1.2.0"));
    QStringList alerts;
    updater.setAlert([&](const QString& title, const QString& text) { alerts << title << text; });
    updater.setProceed([] { ADD_FAILURE() << "no feed to read"; });
    updater.checkForUpdates();
    ASSERT_EQ(alerts.size(), 2);
    EXPECT_EQ(alerts[0], QStringLiteral("Updates come with your package"));
    EXPECT_TRUE(alerts[1].contains(QStringLiteral("version 1.2.0"))) << alerts[1].toStdString();
    EXPECT_FALSE(updater.isChecking());
}

} // namespace
