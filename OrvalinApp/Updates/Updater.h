#pragma once

#include "UpdateProbe.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <QVersionNumber>
#include <functional>

class QWidget;

// Looks for a newer version at the feed configured for this build, on its own about once a day
// and when the user asks. A user's request first probes the feed (UpdateProbe); only a feed that
// answers is then read in full. A build without a feed (a distribution's package) never looks,
// and tells the user who asks that updates come with the package.
//
// The feed is a small JSON document: {"version": "1.2.0", "url": "https://…/download"}.
class Updater : public QObject
{
    Q_OBJECT

public:
    // An empty feed turns every check off; asking then explains where updates come from.
    Updater(const QUrl& feed, const QString& version, QObject* parent = nullptr);

    bool isEnabled() const { return !m_feed.isEmpty(); }
    bool isChecking() const { return m_checking; }

    // What the user asked for from the menu; shows its outcome itself.
    void checkForUpdates();
    // Starts the daily checks, which stay quiet unless there is a newer version.
    void startScheduledChecks();

    // Where alerts are parented; the window is brought to the front first.
    void setWindow(QWidget* window) { m_window = window; }
    // For tests: how an alert is shown, and what follows a probe that says to go on.
    using Alert = std::function<void(const QString& title, const QString& text)>;
    void setAlert(Alert alert) { m_alert = std::move(alert); }
    void setProceed(std::function<void()> proceed) { m_proceed = std::move(proceed); }

Q_SIGNALS:
    void probed(UpdateProbe::Outcome outcome);

private:
    void onProbed(UpdateProbe::Outcome outcome);
    void readFeed(bool userRequested);
    void showFeed(const QByteArray& data, bool userRequested);
    void scheduledCheck();
    void showAlert(const QString& title, const QString& text);
    void showUpToDate();
    void showCouldNotCheck();
    void showUpdatedByPackage();

    QUrl m_feed;
    QString m_version;
    QNetworkAccessManager m_network;
    UpdateProbe m_probe;
    QTimer m_schedule;
    bool m_checking = false;
    QWidget* m_window = nullptr;
    Alert m_alert;
    std::function<void()> m_proceed;
};
