#include "LeftoverGroups.h"

#include "AppModel.h"
#include "BackgroundTasks.h"

#include <QHash>

namespace {

using FolderGroup = LeftoverGroups::FolderGroup;

// One group per folder, in the order in which the folders first appear.
QList<FolderGroup> byFolder(const QList<Candidate>& candidates)
{
    QList<FolderGroup> groups;
    QHash<QString, qsizetype> indexOfFolder;
    for (const Candidate& candidate : candidates) {
        const QString folder = candidate.file.folder();
        auto found = indexOfFolder.constFind(folder);
        if (found == indexOfFolder.constEnd()) {
            found = indexOfFolder.insert(folder, groups.size());
            groups.append({ folder, {} });
        }
        groups[*found].candidates.append(candidate);
    }
    return groups;
}

QSet<QString> intersection(const QSet<QString>& ids, const QSet<QString>& candidates)
{
    QSet<QString> kept;
    for (const QString& id : ids) {
        if (candidates.contains(id))
            kept.insert(id);
    }
    return kept;
}

} // namespace

LeftoverGroups::Analysis LeftoverGroups::prepare(
    const ScanResult& result, const QSet<QString>& selection)
{
    Analysis analysis { result, {}, {}, selection, {} };
    for (const OrphanGroup group : OrphanGroups::allCases()) {
        const QList<Candidate>& candidates = result.candidates(group);
        analysis.folders.insert(group, byFolder(candidates));
        for (const Candidate& candidate : candidates)
            analysis.ids.insert(candidate.id());
    }
    analysis.selectionAfter = intersection(selection, analysis.ids);
    return analysis;
}

LeftoverGroups::LeftoverGroups(AppModel& model)
    : m_model(model)
{
}

qsizetype LeftoverGroups::candidateCount(OrphanGroup group) const
{
    return m_result ? m_result->candidates(group).size() : 0;
}

qsizetype LeftoverGroups::fileCount(OrphanGroup group) const
{
    if (!m_result)
        return 0;
    qsizetype count = 0;
    for (const Candidate& candidate : m_result->candidates(group))
        count += candidate.fileCount();
    return count;
}

QList<Candidate> LeftoverGroups::tickedCandidates(OrphanGroup group) const
{
    QList<Candidate> ticked;
    if (!m_result)
        return ticked;
    for (const Candidate& candidate : m_result->candidates(group)) {
        if (m_selection.contains(candidate.id()))
            ticked.append(candidate);
    }
    return ticked;
}

void LeftoverGroups::apply(const Analysis& analysis)
{
    setResult(analysis.result);
    setFolders(analysis.folders);
    // Unless the user ticked meanwhile, the worker's pruning holds; comparing shared sets is
    // cheap, and a pruned set is a subset, so equal sizes mean nothing was dropped.
    const QSet<QString> kept = m_selection == analysis.selectionBefore
        ? analysis.selectionAfter
        : intersection(m_selection, analysis.ids);
    if (kept.size() != m_selection.size())
        setSelection(kept);
}

void LeftoverGroups::clear()
{
    setResult(std::nullopt);
    setFolders({});
    setSelection({});
}

void LeftoverGroups::toggle(const Candidate& candidate)
{
    QSet<QString> selection = m_selection;
    if (!selection.remove(candidate.id()))
        selection.insert(candidate.id());
    setSelection(selection);
}

void LeftoverGroups::setTicked(const QList<Candidate>& candidates, bool ticked)
{
    QSet<QString> selection = m_selection;
    for (const Candidate& candidate : candidates) {
        if (ticked)
            selection.insert(candidate.id());
        else
            selection.remove(candidate.id());
    }
    setSelection(selection);
}

void LeftoverGroups::setTicked(OrphanGroup group, bool ticked)
{
    if (m_result)
        setTicked(m_result->candidates(group), ticked);
}

void LeftoverGroups::setSelection(const QSet<QString>& selection)
{
    if (selection == m_selection)
        return;
    m_selection = selection;
    Q_EMIT m_model.selectionChanged();
}

// A result and its groups are not compared: comparing them would cost about as much as
// redrawing.

void LeftoverGroups::setResult(const std::optional<ScanResult>& result)
{
    if (!result && !m_result)
        return;
    BackgroundTasks::release(std::exchange(m_result, result));
    Q_EMIT m_model.resultChanged();
}

void LeftoverGroups::setFolders(const Folders& folders)
{
    if (folders.isEmpty() && m_folders.isEmpty())
        return;
    BackgroundTasks::release(std::exchange(m_folders, folders));
    Q_EMIT m_model.foldersChanged();
}
