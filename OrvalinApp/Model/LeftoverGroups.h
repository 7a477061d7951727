#pragma once

#include "Candidate.h"
#include "OrphanGroup.h"
#include "ScanResult.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <optional>

class AppModel;

// The leftovers of the last analysis, grouped by folder for display, and the ticks on them. A
// tick is a candidate's id, its relative path, so ticks survive a re-scan or a re-analysis for
// every file that is still a leftover at the same place. The fields are the model's: each change
// is announced by the model's own signal.
class LeftoverGroups
{
public:
    // The leftovers of one group that lie in one folder.
    struct FolderGroup
    {
        // Relative folder of the candidates' files; empty for the scanned folder itself.
        QString folder;
        // In the analyzer's order.
        QList<Candidate> candidates;

        const QString& id() const { return folder; }
        bool operator==(const FolderGroup&) const = default;
    };
    using Folders = QMap<OrphanGroup, QList<FolderGroup>>;

    // A result with what the groups derive from it, prepared off the main thread.
    struct Analysis
    {
        ScanResult result;
        Folders folders;
        // Of every candidate.
        QSet<QString> ids;
        // The ticks when the work started, and those of them that are still candidates. Pruning
        // a large selection takes long enough to be done here rather than on the main thread.
        QSet<QString> selectionBefore;
        QSet<QString> selectionAfter;
    };
    // Runs on a worker thread with copies of the result and of the ticks.
    static Analysis prepare(const ScanResult& result, const QSet<QString>& selection);

    explicit LeftoverGroups(AppModel& model);

    const std::optional<ScanResult>& result() const { return m_result; }
    // An entry for each of the three groups once a result exists; empty before.
    const Folders& folders() const { return m_folders; }
    const QSet<QString>& selection() const { return m_selection; }

    // Candidates of the group in the current result; 0 without a result.
    qsizetype candidateCount(OrphanGroup group) const;
    // The group's candidates with their followers.
    qsizetype fileCount(OrphanGroup group) const;
    // Ticked candidates of the group, in group order.
    QList<Candidate> tickedCandidates(OrphanGroup group) const;

    // Shows the analysis and keeps only the ticks of its candidates.
    void apply(const Analysis& analysis);
    // Forgets the result, the groups and the ticks.
    void clear();
    void setSelection(const QSet<QString>& selection);
    void toggle(const Candidate& candidate);
    void setTicked(const QList<Candidate>& candidates, bool ticked);
    // Does nothing without a result.
    void setTicked(OrphanGroup group, bool ticked);

private:
    void setResult(const std::optional<ScanResult>& result);
    void setFolders(const Folders& folders);

    AppModel& m_model;
    std::optional<ScanResult> m_result;
    Folders m_folders;
    QSet<QString> m_selection;
};
