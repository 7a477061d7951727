#include "Updater.h"

#include "AppIdentity.h"
#include "Style.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QNetworkReply>
#include <QPushButton>
#include <QSettings>
#include <QWidget>

namespace {

const QString lastCheckKey = QStringLiteral("lastUpdateCheck");
constexpr qint64 checkEverySeconds = 24 * 60 * 60;

// The alerts speak of the application by name, or as "This app" when it has none.
QString appName()
{
    const QString name = AppIdentity::name();
    return name.isEmpty() ? Updater::tr("This app") : name;
}

} // namespace

Updater::Updater(const QUrl& feed, const QString& version, QObject* parent)
    : QObject(parent)
    , m_feed(feed)
    , m_version(version)
    , m_probe(m_network)
{
    connect(&m_probe, &UpdateProbe::finished, this, &Updater::onProbed);
    m_proceed = [this] { readFeed(true); };
    m_schedule.setInterval(60 * 60 * 1000);
    connect(&m_schedule, &QTimer::timeout, this, &Updater::scheduledCheck);
}

void Updater::checkForUpdates()
{
    if (!isEnabled()) {
        showUpdatedByPackage();
        return;
    }
    if (m_checking)
        return;
    m_checking = true;
    m_probe.start(m_feed);
}

void Updater::onProbed(UpdateProbe::Outcome outcome)
{
    m_checking = false;
    Q_EMIT probed(outcome);
    switch (outcome) {
    case UpdateProbe::Outcome::proceed:
        m_proceed();
        break;
    case UpdateProbe::Outcome::upToDate:
        showUpToDate();
        break;
    case UpdateProbe::Outcome::couldNotCheck:
        showCouldNotCheck();
        break;
    }
}

void Updater::startScheduledChecks()
{
    if (!isEnabled())
        return;
    m_schedule.start();
    QTimer::singleShot(10 * 1000, this, &Updater::scheduledCheck);
}

void Updater::scheduledCheck()
{
    const QDateTime last = QSettings().value(lastCheckKey).toDateTime();
    if (last.isValid() && last.secsTo(QDateTime::currentDateTimeUtc()) < checkEverySeconds)
        return;
    readFeed(false);
}

void Updater::readFeed(bool userRequested)
{
    QNetworkRequest request(m_feed);
    request.setAttribute(
        QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(15000);
    QNetworkReply* reply = m_network.get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply, userRequested] {
        reply->deleteLater();
        if (reply->error() != QNetworkReply::NoError) {
            if (userRequested)
                showCouldNotCheck();
            return;
        }
        QSettings().setValue(lastCheckKey, QDateTime::currentDateTimeUtc());
        showFeed(reply->readAll(), userRequested);
    });
}

void Updater::showFeed(const QByteArray& data, bool userRequested)
{
    const QJsonObject feed = QJsonDocument::fromJson(data).object();
    const QVersionNumber latest
        = QVersionNumber::fromString(feed.value(QStringLiteral("version")).toString());
    const QUrl download(feed.value(QStringLiteral("url")).toString());
    if (latest.isNull()) {
        if (userRequested)
            showCouldNotCheck();
        return;
    }
    if (QVersionNumber::compare(latest, QVersionNumber::fromString(m_version)) <= 0) {
        if (userRequested)
            showUpToDate();
        return;
    }
    if (m_window) {
        m_window->raise();
        m_window->activateWindow();
    }
    QMessageBox offer(QMessageBox::Information,
        tr("A new version of %1 is available").arg(appName()),
        tr("A new version of %1 is available").arg(appName()), QMessageBox::NoButton, m_window);
    offer.setInformativeText(
        tr("%1 %2 is out; you have %3.").arg(appName(), latest.toString(), m_version));
    QPushButton* get = offer.addButton(tr("Download…"), QMessageBox::AcceptRole);
    offer.addButton(tr("Later"), QMessageBox::RejectRole);
    offer.setDefaultButton(get);
    Style::widenAlert(offer);
    offer.exec();
    if (offer.clickedButton() == get && download.isValid())
        QDesktopServices::openUrl(download);
}

void Updater::showUpToDate()
{
    const QString app = appName();
    showAlert(tr("You’re up to date"),
        tr("%1 %2 is the newest version. %1 checks for updates on its own and will let you know "
           "when there’s a new one.")
            .arg(app, m_version));
}

void Updater::showUpdatedByPackage()
{
    const QString app = appName();
    showAlert(tr("Updates come with your package"),
        tr("This copy of %1 (version %2) doesn’t look for updates itself. It is updated with the "
           "package it was installed from: your system’s software updates bring new versions "
           "of %1.")
            .arg(app, m_version));
}

void Updater::showCouldNotCheck()
{
    showAlert(tr("Couldn’t check for updates"),
        tr("Check your internet connection and try again. %1 also checks on its own about once a "
           "day.")
            .arg(appName()));
}

void Updater::showAlert(const QString& title, const QString& text)
{
    if (m_alert) {
        m_alert(title, text);
        return;
    }
    if (m_window) {
        m_window->raise();
        m_window->activateWindow();
    }
    QMessageBox alert(QMessageBox::Information, title, title, QMessageBox::Ok, m_window);
    alert.setInformativeText(text);
    Style::widenAlert(alert);
    alert.exec();
}
