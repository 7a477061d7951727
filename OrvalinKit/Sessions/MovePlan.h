#pragma once

#include "Candidate.h"
#include "PlanItem.h"

#include <QList>
#include <QSet>
#include <QStringList>

// The exact list of files one move will move, built from the ticked leftovers. Building it
// touches no file.
struct MovePlan
{
    // One summary line per group that has items.
    struct Line
    {
        OrphanGroup group = OrphanGroup::raw;
        // Ticked files.
        qsizetype picked = 0;
        // Followers that come along.
        qsizetype sidecars = 0;
        qint64 size = 0;

        OrphanGroup id() const { return group; }
        bool operator==(const Line&) const = default;
    };

    // In move order; every follower stands right behind the file it follows.
    QList<PlanItem> items;

    // `candidates` in the order the plan should follow; `selected` the ids of ticked candidates.
    static MovePlan make(const QList<Candidate>& candidates, const QSet<QString>& selected);

    bool isEmpty() const { return items.isEmpty(); }
    qsizetype fileCount() const { return items.size(); }
    qint64 totalSize() const;
    // raw, jpeg, sidecar; groups without items get no line.
    QList<Line> lines() const;
    // Distinct folders of the items, numeric order, case-sensitive; "" is the scanned folder.
    QStringList folders() const;

    bool operator==(const MovePlan&) const = default;
};
