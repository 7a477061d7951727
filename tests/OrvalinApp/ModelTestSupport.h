#pragma once

#include "AppModel.h"
#include "TestSupport.h"

#include <QSettings>
#include <QStringList>
#include <QTest>
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
