#pragma once

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QObject>
#include <chrono>
#include <functional>

class AppModel;

// Tells the desktop, with a notification, that a long scan, a move or a restore has ended while
// the application was not the active one; a move or a restore in the words of the notice bar. A bus
// without a notification service gets the request and answers with an error, which is dropped.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    // A scan shorter than this ends before anyone has turned to something else.
    static constexpr std::chrono::milliseconds longScan { 4000 };

    explicit DesktopNotifier(AppModel& model, QObject* parent = nullptr);

    // For tests: the bus the notifications go to (the session bus by default), whether the
    // application counts as active, and how long a scan must run to be reported.
    void setBus(const QDBusConnection& bus) { m_bus = bus; }
    void setActive(std::function<bool()> isActive) { m_active = std::move(isActive); }
    void setLongScan(std::chrono::milliseconds duration) { m_longScan = duration; }

private:
    void noticeChanged();
    void phaseChanged();
    void notify(const QString& summary, const QString& body);

    AppModel& m_model;
    QDBusConnection m_bus;
    std::function<bool()> m_active;
    std::chrono::milliseconds m_longScan = longScan;
    QElapsedTimer m_scanClock;
    // The desktop replaces our last notification with the next one rather than piling them up.
    uint m_lastId = 0;
};
