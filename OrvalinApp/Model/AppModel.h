#pragma once

#include "BackgroundTasks.h"
#include "Candidate.h"
#include "FileEntry.h"
#include "LeftoverGroups.h"
#include "MatchOptions.h"
#include "MoveActions.h"
#include "MovePlan.h"
#include "OrphanGroup.h"
#include "Recents.h"
#include "ReviewSession.h"
#include "ScanLifecycle.h"
#include "ScanProgress.h"
#include "ScanResult.h"
#include "SidebarItem.h"
#include "StoredSettings.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

// The one observable object behind the window. It lives on the main thread: every getter,
// setter and operation is called there, and every signal is emitted there. File work runs in
// background tasks on copies of their inputs; their outcomes come back to the main thread and
// are dropped when the model has moved on (a newer scan, another folder).
//
// Each concern keeps its fields and work in a part of its own, whose changes the model's signals
// announce: the scans and the phase (ScanLifecycle), the leftovers by folder and their ticks
// (LeftoverGroups), moves, restores and their notices (MoveActions), and what outlives a launch
// (StoredSettings). The model itself opens folders, keeps the plain view state, and ties the
// parts together where the outcome of one changes the fields of another.
class AppModel : public QObject
{
    Q_OBJECT

public:
    using Phase = ScanLifecycle::Phase;
    using FolderGroup = LeftoverGroups::FolderGroup;
    using Notice = MoveActions::Notice;
    using FileManagerFactory = MoveActions::FileManagerFactory;
    // Shows a folder picker with the given message; nothing when the user cancels.
    using FolderPicker
        = std::function<std::optional<QString>(QWidget* parent, const QString& message)>;
    using Clock = MoveActions::Clock;

    // With `persist`, the match options are read from the settings now and written there on
    // every change; without it the settings are never touched for them.
    explicit AppModel(bool persist, QObject* parent = nullptr);

    // For tests: the file system seen by moves, restores and session listing, the folder picker
    // and the time stamped on moves.
    void setFileManagerFactory(FileManagerFactory factory);
    void setFolderPicker(FolderPicker picker);
    void setClock(Clock clock);

    // {app} and "{app} Review", read once at creation.
    const QString& appName() const { return m_app; }
    const QString& reviewFolderName() const { return m_reviewFolderName; }

    // Fields.
    const std::optional<QString>& root() const { return m_root; }
    const std::optional<QString>& accessing() const { return m_accessing; }
    const Phase& phase() const { return m_scan.phase(); }
    const ScanProgress& progress() const { return m_scan.progress(); }
    // Whether a scan task is running (the Stop buttons cancel it).
    bool isScanning() const { return m_scan.isScanning(); }
    const QList<FileEntry>& files() const { return m_scan.files(); }
    const std::optional<ScanResult>& result() const { return m_groups.result(); }
    // An entry for each of the three groups once a result exists; empty before.
    const QMap<OrphanGroup, QList<FolderGroup>>& folders() const { return m_groups.folders(); }
    QList<FolderGroup> folderGroups(OrphanGroup group) const { return folders().value(group); }
    const QSet<QString>& selection() const { return m_groups.selection(); }
    bool isTicked(const Candidate& candidate) const { return selection().contains(candidate.id()); }
    const std::optional<SidebarItem>& sidebar() const { return m_sidebar; }
    // Newest first.
    const QList<ReviewSession>& sessions() const { return m_moves.sessions(); }
    // Sessions with a file still in the review folder or one waiting for its place to free up.
    QList<ReviewSession> restorableSessions() const { return m_moves.restorableSessions(); }
    // The session of `sessions` whose folder is `folder`.
    std::optional<ReviewSession> session(const QString& folder) const
    {
        return m_moves.session(folder);
    }
    const std::optional<MovePlan>& plan() const { return m_moves.plan(); }
    const std::optional<QString>& busy() const { return m_busy; }
    const std::optional<Notice>& notice() const { return m_moves.notice(); }
    const std::optional<QString>& error() const { return m_error; }
    const std::optional<QString>& previewUrl() const { return m_previewUrl; }
    const MatchOptions& options() const { return m_settings.options(); }
    bool persist() const { return m_settings.persist(); }
    // Whether a background task has yet to report back.
    bool hasPendingWork() const { return m_tasks.hasPending(); }

    // Counting helpers for the views.
    // Candidates of the group in the current result; 0 without a result.
    qsizetype candidateCount(OrphanGroup group) const { return m_groups.candidateCount(group); }
    // The group's candidates with their followers.
    qsizetype fileCount(OrphanGroup group) const { return m_groups.fileCount(group); }
    // Ticked candidates of the group, in group order.
    QList<Candidate> tickedCandidates(OrphanGroup group) const
    {
        return m_groups.tickedCandidates(group);
    }
    qsizetype tickedCount() const { return selection().size(); }

public Q_SLOTS:
    // Folder and scan lifecycle.
    void chooseFolder(QWidget* parent = nullptr);
    void openRecent(const Recents::Item& item);
    void open(const QString& folder, bool remember = true);
    void rescan();
    void cancelScan();
    // A changed value is stored and, when a result is shown, the files are analysed again.
    void setOptions(const MatchOptions& options);
    // Analyses `files` again without scanning; only while a result is shown.
    void reanalyze();

    // Ticks.
    void toggle(const Candidate& candidate);
    void setTicked(const QList<Candidate>& candidates, bool ticked);
    void setTicked(OrphanGroup group, bool ticked);
    void untickEverything();
    // A "What did you cull?" entry: ticks the whole group and shows it.
    void tickGroupAndShow(OrphanGroup group);

    // Moves and restores.
    void reviewMove();
    void dismissPlan();
    void move(const MovePlan& plan);
    void restore(const QList<ReviewSession>& sessions);
    // The notice bar's "Restore": the session the notice names.
    void restoreNoticeSession();
    // Reads the sessions of `root` again in the background.
    void refreshSessions();

    // Plain view state.
    void dismissNotice();
    void setError(const QString& message);
    void clearError();
    void setSidebar(const std::optional<SidebarItem>& item);
    void setPreviewUrl(const std::optional<QString>& url);

Q_SIGNALS:
    void rootChanged();
    void accessingChanged();
    void phaseChanged();
    void progressChanged();
    void scanningChanged();
    void filesChanged();
    void resultChanged();
    void foldersChanged();
    void selectionChanged();
    void sidebarChanged();
    void sessionsChanged();
    void planChanged();
    void busyChanged();
    void noticeChanged();
    void errorChanged();
    void previewUrlChanged();
    void optionsChanged();

private:
    // Forgets everything that belonged to the folder open before.
    void forgetFolder();
    // Runs `done` once the analysis has ended, or at once when none can start.
    void reanalyzeThen(std::function<void()> done);
    void endBusy();
    void finishMove(const QString& root, const MoveActions::Moved& moved);
    void finishRestore(const std::optional<QString>& root, const RestoreOutcome& total);

    template <typename T> void change(T& field, const T& value, void (AppModel::*changed)());
    void setRoot(const std::optional<QString>& root);
    void setAccessing(const std::optional<QString>& folder);
    void setBusy(const std::optional<QString>& label);
    void setErrorText(const std::optional<QString>& message);

    const QString m_app;
    const QString m_reviewFolderName;

    std::optional<QString> m_root;
    std::optional<QString> m_accessing;
    std::optional<SidebarItem> m_sidebar;
    std::optional<QString> m_busy;
    std::optional<QString> m_error;
    std::optional<QString> m_previewUrl;
    FolderPicker m_folderPicker;

    // Each part is declared after those it works with.
    BackgroundTasks m_tasks { this };
    StoredSettings m_settings;
    LeftoverGroups m_groups { *this };
    ScanLifecycle m_scan { *this, m_groups, m_tasks };
    MoveActions m_moves { *this, m_tasks };
};
