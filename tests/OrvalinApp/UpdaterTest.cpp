// The update check's HEAD probe against a local server, and what each answer leads to.
#include "Updater.h"

#include "UpdateProbe.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Outcome = UpdateProbe::Outcome;

// Answers every request with one fixed status line and counts the requests by method; without
// a status, nothing listens on its port.
class FeedServer : public QObject
{
public:
    explicit FeedServer(std::optional<int> status)
        : m_status(status.value_or(0))
    {
        m_server.listen(QHostAddress::LocalHost);
        m_port = m_server.serverPort();
        if (!status)
            m_server.close();
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
    }

    QUrl url() const { return QUrl(QString("http://127.0.0.1:%1/feed.json").arg(m_port)); }
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
    quint16 m_port = 0;
    int m_status;
};

TEST(UpdateProbe, classifiesStatuses)
{
    const std::pair<Outcome, QList<std::optional<int>>> cases[] = {
        { Outcome::proceed, { 200, 204, 299, 405, 501 } },
        { Outcome::upToDate, { 404, 410 } },
        { Outcome::couldNotCheck, { std::nullopt, 301, 403, 500, 503 } },
    };
    for (const auto& [expected, statuses] : cases) {
        for (const std::optional<int> status : statuses)
            EXPECT_EQ(UpdateProbe::classify(status), expected) << status.value_or(-1);
    }
}

TEST(Updater, theProbesAnswerDecidesWhetherTheFullCheckRunsAndNoFeedMeansThePackage)
{
    // A missing feed means up to date without the full check; a feed that refuses HEAD goes on
    // to it (here stood in for); no answer at all means the check could not be made. A feed
    // that answers gets the full check, which finds nothing newer than this version.
    const struct
    {
        std::optional<int> status;
        Outcome outcome;
        QStringList alerts;
        QStringList methods;
        bool fullCheck = false;
    } cases[] = {
        { 404, Outcome::upToDate, { "You’re up to date" }, { "HEAD" } },
        { 405, Outcome::proceed, {}, { "HEAD" } },
        { std::nullopt, Outcome::couldNotCheck, { "Couldn’t check for updates" }, {} },
        { 200, Outcome::proceed, { "You’re up to date" }, { "HEAD", "GET" }, true },
    };
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.status.value_or(-1));
        FeedServer server(expected.status);
        Updater updater(server.url(), "0.1.0");
        std::optional<Outcome> outcome;
        QStringList alerts;
        int proceeded = 0;
        updater.setAlert([&](const QString& title, const QString&) { alerts << title; });
        if (!expected.fullCheck)
            updater.setProceed([&] { ++proceeded; });
        QObject::connect(&updater, &Updater::probed, [&](Outcome probed) { outcome = probed; });
        updater.checkForUpdates();
        // A second request while the first is out is ignored.
        updater.checkForUpdates();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return outcome && alerts.size() >= expected.alerts.size(); }, 20000));
        EXPECT_EQ(outcome, expected.outcome);
        EXPECT_EQ(alerts, expected.alerts);
        EXPECT_EQ(proceeded, expected.outcome == Outcome::proceed && !expected.fullCheck ? 1 : 0);
        EXPECT_EQ(server.methods, expected.methods);
        // Done unless handed on to the full check.
        EXPECT_TRUE(expected.outcome == Outcome::proceed || !updater.isChecking());
    }

    // Without a feed there is nothing to read: updates come with the package.
    Updater updater(QUrl(), "1.2.0");
    QStringList alerts;
    updater.setAlert([&](const QString& title, const QString& text) { alerts << title << text; });
    updater.setProceed([] { ADD_FAILURE() << "no feed to read"; });
    updater.checkForUpdates();
    ASSERT_EQ(alerts.size(), 2);
    EXPECT_TRUE(alerts[1].contains("version 1.2.0")) << alerts[1].toStdString();
    EXPECT_FALSE(updater.isChecking());
}

} // namespace
