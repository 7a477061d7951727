#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

// Asks the update feed with one HEAD request whether it is worth running a full update check:
// a feed that is gone means there is nothing newer, an unreachable one that we cannot tell.
class UpdateProbe : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        proceed,
        upToDate,
        couldNotCheck
    };
    Q_ENUM(Outcome)

    explicit UpdateProbe(QNetworkAccessManager& network, QObject* parent = nullptr);

    // No status means no HTTP answer came back at all.
    static Outcome classify(std::optional<int> httpStatus);

    // Answers through finished(); a probe already running is abandoned.
    void start(const QUrl& feed);

Q_SIGNALS:
    void finished(UpdateProbe::Outcome outcome);

private:
    QNetworkAccessManager& m_network;
    QPointer<QNetworkReply> m_reply;
};
