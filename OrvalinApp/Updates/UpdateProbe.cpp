#include "UpdateProbe.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {
constexpr int timeoutMilliseconds = 15000;
}

UpdateProbe::UpdateProbe(QNetworkAccessManager& network, QObject* parent)
    : QObject(parent)
    , m_network(network)
{
}

UpdateProbe::Outcome UpdateProbe::classify(std::optional<int> httpStatus)
{
    if (!httpStatus)
        return Outcome::couldNotCheck;
    const int status = *httpStatus;
    if (status >= 200 && status <= 299)
        return Outcome::proceed;
    if (status == 404 || status == 410)
        return Outcome::upToDate;
    // Servers that refuse HEAD itself still serve the feed to the real check.
    if (status == 405 || status == 501)
        return Outcome::proceed;
    return Outcome::couldNotCheck;
}

void UpdateProbe::start(const QUrl& feed)
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
    QNetworkRequest request(feed);
    request.setAttribute(
        QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(timeoutMilliseconds);
    m_reply = m_network.head(request);
    QNetworkReply* reply = m_reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        // Qt reports 4xx and 5xx answers as errors too; only the status tells them apart from a
        // request that got no answer.
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        Q_EMIT finished(
            classify(status.isValid() ? std::optional<int>(status.toInt()) : std::nullopt));
    });
}
