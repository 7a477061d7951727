#pragma once

#include "AppModel.h"
#include "TestSupport.h"

#include <QSemaphore>
#include <QSettings>
#include <QStringList>
#include <QTest>
#include <QThreadPool>
#include <gtest/gtest.h>

// Waits, running the event loop, until the model's background tasks have all reported back.
inline bool settle(const AppModel& model, int timeoutMs = 30000)
{
    return QTest::qWaitFor([&] { return !model.hasPendingWork(); }, timeoutMs);
}

inline QStringList idsOf(const QList<Candidate>& candidates)
{
    QStringList ids;
    for (const Candidate& candidate : candidates)
        ids.append(candidate.id());
    return ids;
}

inline QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

inline QStringList sortedIds(const QSet<QString>& ids)
{
    return sorted(QStringList(ids.begin(), ids.end()));
}

// Keeps every thread of the global pool busy while it lives, so that work started meanwhile
// cannot begin, let alone end, before the test has done what it must do first.
class PoolHold
{
public:
    PoolHold()
        : m_threads(QThreadPool::globalInstance()->maxThreadCount())
    {
        for (int i = 0; i < m_threads; ++i) {
            // The semaphores outlive the hold: a thread may still be leaving acquire().
            QThreadPool::globalInstance()->start([started = m_started, release = m_release] {
                started->release();
                release->acquire();
            });
        }
        if (!m_started->tryAcquire(m_threads, 30000))
            ADD_FAILURE() << "the thread pool stays busy";
    }
    ~PoolHold() { m_release->release(m_threads); }

private:
    const int m_threads;
    std::shared_ptr<QSemaphore> m_started = std::make_shared<QSemaphore>();
    std::shared_ptr<QSemaphore> m_release = std::make_shared<QSemaphore>();
};

// Every test starts with empty settings (kept in a temporary folder by the test main).
class ModelTest : public testing::Test
{
protected:
    void SetUp() override { QSettings().clear(); }

    // Writes one small file per path, each with distinct content.
    void writeFiles(const QStringList& paths)
    {
        for (const QString& path : paths)
            folder.write(path, path.toUtf8());
    }

    // Opens `path` without touching the recent folders and waits for the scan.
    void openAndSettle(AppModel& model, const QString& path)
    {
        model.open(path, false);
        ASSERT_TRUE(settle(model));
    }

    const Candidate* candidate(const AppModel& model, const QString& id) const
    {
        if (!model.result())
            return nullptr;
        for (const OrphanGroup group : OrphanGroups::allCases()) {
            for (const Candidate& candidate : model.result()->candidates(group)) {
                if (candidate.id() == id)
                    return &candidate;
            }
        }
        return nullptr;
    }

    void tick(AppModel& model, const QStringList& ids)
    {
        for (const QString& id : ids) {
            const Candidate* found = candidate(model, id);
            ASSERT_NE(found, nullptr) << id.toStdString();
            model.toggle(*found);
        }
    }

    TempFolder folder;
};
