#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <exception>
#include <memory>

// Brings the values of the model's background work back to the main thread and counts the
// tasks that have yet to report back. The watchers are children of the receiver, so a receiver
// that is gone takes the deliveries with it.
class BackgroundTasks
{
public:
    explicit BackgroundTasks(QObject* receiver)
        : m_receiver(receiver)
    {
    }

    bool hasPending() const { return m_pending > 0; }

    // Hands the value of `future` to `done` on the main thread.
    template <typename T, typename Done> void whenFinished(QFuture<T> future, Done done)
    {
        watcher<T>(std::move(done))->setFuture(future);
    }

    // A watcher that hands the value of the future it is given to `done` on the main thread;
    // connect to its progress before giving it the future.
    template <typename T, typename Done> QFutureWatcher<T>* watcher(Done done)
    {
        auto* watcher = new QFutureWatcher<T>(m_receiver);
        ++m_pending;
        QObject::connect(watcher, &QFutureWatcherBase::finished, m_receiver, [this, watcher, done] {
            watcher->deleteLater();
            --m_pending;
            T value = watcher->future().takeResult();
            done(value);
            release(std::move(value));
        });
        return watcher;
    }

    // Freeing the files of a large scan takes long enough to be seen; the last reference to
    // data the model lets go of is dropped on a worker thread instead.
    template <typename T> static void release(T value)
    {
        QThreadPool::globalInstance()->start(
            [holder = std::make_shared<T>(std::move(value))]() mutable { holder.reset(); });
    }

    // What the user is told of a failure a task caught.
    static QString describe(const std::exception& error);

private:
    QObject* const m_receiver;
    int m_pending = 0;
};
