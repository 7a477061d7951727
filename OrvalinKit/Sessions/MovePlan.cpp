#include "MovePlan.h"

#include "PathOrder.h"

#include <algorithm>

MovePlan MovePlan::make(const QList<Candidate>& candidates, const QSet<QString>& selected)
{
    MovePlan plan;
    QSet<QString> planned;
    const auto add = [&](const FileEntry& file, OrphanGroup group, std::optional<QString> follows) {
        if (planned.contains(file.relativePath))
            return;
        planned.insert(file.relativePath);
        plan.items.append({ file, group, std::move(follows) });
    };
    for (const Candidate& candidate : candidates) {
        if (!selected.contains(candidate.id()))
            continue;
        add(candidate.file, candidate.group, std::nullopt);
        for (const FileEntry& follower : candidate.followers)
            add(follower, candidate.group, candidate.file.relativePath);
    }
    return plan;
}

qint64 MovePlan::totalSize() const
{
    qint64 total = 0;
    for (const PlanItem& item : items)
        total += item.file.size;
    return total;
}

QList<MovePlan::Line> MovePlan::lines() const
{
    QList<Line> result;
    for (OrphanGroup group : OrphanGroups::allCases()) {
        Line line { group, 0, 0, 0 };
        for (const PlanItem& item : items) {
            if (item.group != group)
                continue;
            ++(item.follows ? line.sidecars : line.picked);
            line.size += item.file.size;
        }
        if (line.picked + line.sidecars > 0)
            result.append(line);
    }
    return result;
}

QStringList MovePlan::folders() const
{
    QSet<QString> seen;
    QStringList result;
    for (const PlanItem& item : items) {
        const QString folder = item.file.folder();
        if (!seen.contains(folder)) {
            seen.insert(folder);
            result.append(folder);
        }
    }
    std::sort(result.begin(), result.end(), [](const QString& a, const QString& b) {
        return PathOrder::compare(a, b, Qt::CaseSensitive) < 0;
    });
    return result;
}
