#pragma once

#include "Cancellation.h"
#include "Candidate.h"
#include "FileEntry.h"
#include "FileManager.h"
#include "MatchOptions.h"
#include "MoveOutcome.h"
#include "MovePlan.h"
#include "OrphanGroup.h"
#include "Recents.h"
#include "RestoreOutcome.h"
#include "ReviewSession.h"
#include "ScanProgress.h"
#include "ScanRefusal.h"
#include "ScanResult.h"
#include "SidebarItem.h"
#include "UnreadableList.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

// The one observable object behind the window. It lives on the main thread: every getter,
// setter and operation is called there, and every signal is emitted there. File work runs in
// background tasks on copies of their inputs; their outcomes come back to the main thread and
// are dropped when the model has moved on (a newer scan, another folder).
class AppModel : public QObject
{
    Q_OBJECT

public:
    // What the window shows.
    struct Phase
    {
        enum class Kind : quint8
        {
            refused,
            idle,
            scanning,
            ready
        };

        Kind kind = Kind::idle;
        // Present exactly when `kind` is refused.
        std::optional<ScanRefusal> refusal;

        static Phase idle() { return { Kind::idle, std::nullopt }; }
        static Phase scanning() { return { Kind::scanning, std::nullopt }; }
        static Phase ready() { return { Kind::ready, std::nullopt }; }
        static Phase refused(const ScanRefusal& refusal) { return { Kind::refused, refusal }; }

        bool isIdle() const { return kind == Kind::idle; }
        bool isScanning() const { return kind == Kind::scanning; }
        bool isReady() const { return kind == Kind::ready; }
        bool isRefused() const { return kind == Kind::refused; }

        bool operator==(const Phase&) const = default;
    };

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

    // The bar shown after a move or a restore.
    struct Notice
    {
        QString text;
        // The session folder a move created; absent after a restore.
        std::optional<QString> session;

        bool operator==(const Notice&) const = default;
    };

    // Makes the file manager each move or restore works through; called on the main thread,
    // the object is then used on one background thread only.
    using FileManagerFactory = std::function<std::unique_ptr<FileManager>()>;
    // Shows a folder picker with the given message; nothing when the user cancels.
    using FolderPicker
        = std::function<std::optional<QString>(QWidget* parent, const QString& message)>;
    using Clock = std::function<QDateTime()>;

    // With `persist`, the match options are read from the settings now and written there on
    // every change; without it the settings are never touched for them.
    explicit AppModel(bool persist, QObject* parent = nullptr);
    ~AppModel() override;

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
    const Phase& phase() const { return m_phase; }
    const ScanProgress& progress() const { return m_progress; }
    // Whether a scan task is running (the Stop buttons cancel it).
    bool isScanning() const { return m_scan.running; }
    const QList<FileEntry>& files() const { return m_files; }
    const std::optional<ScanResult>& result() const { return m_result; }
    // An entry for each of the three groups once a result exists; empty before.
    const QMap<OrphanGroup, QList<FolderGroup>>& folders() const { return m_folders; }
    QList<FolderGroup> folderGroups(OrphanGroup group) const { return m_folders.value(group); }
    const QSet<QString>& selection() const { return m_selection; }
    bool isTicked(const Candidate& candidate) const { return m_selection.contains(candidate.id()); }
    const std::optional<SidebarItem>& sidebar() const { return m_sidebar; }
    // Newest first.
    const QList<ReviewSession>& sessions() const { return m_sessions; }
    // Sessions with a file still in the review folder or one waiting for its place to free up.
    QList<ReviewSession> restorableSessions() const;
    // The session of `sessions` whose folder is `folder`.
    std::optional<ReviewSession> session(const QString& folder) const;
    const std::optional<MovePlan>& plan() const { return m_plan; }
    const std::optional<QString>& busy() const { return m_busy; }
    const std::optional<Notice>& notice() const { return m_notice; }
    const std::optional<QString>& error() const { return m_error; }
    const std::optional<QString>& previewUrl() const { return m_previewUrl; }
    const MatchOptions& options() const { return m_options; }
    bool persist() const { return m_persist; }
    // Whether a background task has yet to report back.
    bool hasPendingWork() const { return m_pendingTasks > 0; }

    // Counting helpers for the views.
    // Candidates of the group in the current result; 0 without a result.
    qsizetype candidateCount(OrphanGroup group) const;
    // The group's candidates with their followers.
    qsizetype fileCount(OrphanGroup group) const;
    // Ticked candidates of the group, in group order.
    QList<Candidate> tickedCandidates(OrphanGroup group) const;
    qsizetype tickedCount() const { return m_selection.size(); }

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
    // A background task of which only the latest may apply its outcome.
    struct TaskState
    {
        quint64 id = 0;
        bool running = false;
        CancellationToken cancel;
    };
    struct ScanOutcome;
    // A result with what the model derives from it, prepared off the main thread.
    struct Analysis;
    static Analysis prepare(const ScanResult& result, const QSet<QString>& selection);

    // Runs `work` on the thread pool and hands its value to `done` on the main thread, unless
    // the model is gone by then.
    template <typename T, typename Work, typename Done> void runInBackground(Work work, Done done);

    void startScan();
    // Makes the running scan task no longer the current one, so that its outcome is dropped.
    void abandonScan();
    void finishScan(quint64 id, const MatchOptions& scannedWith, const ScanOutcome& outcome);
    void applyProgress(quint64 id, const ScanProgress& progress);
    // Runs `done` once the analysis has ended, or at once when none can start.
    void reanalyzeThen(std::function<void()> done);
    void abandonAnalysis();
    void applyAnalysis(const Analysis& analysis);
    struct AfterMove;
    static AfterMove prune(
        const QList<FileEntry>& files, const QSet<QString>& selection, const MoveOutcome& outcome);
    void finishMove(const QString& root, const MoveOutcome& outcome, const AfterMove& after);
    void finishRestore(const std::optional<QString>& root, const RestoreOutcome& total);
    void endBusy();
    std::shared_ptr<FileManager> makeFileManager() const;

    void setRoot(const std::optional<QString>& root);
    void setAccessing(const std::optional<QString>& folder);
    void setPhase(const Phase& phase);
    void setProgress(const ScanProgress& progress);
    void setScanRunning(bool running);
    void setFiles(const QList<FileEntry>& files);
    void setResult(const std::optional<ScanResult>& result);
    void setFolders(const QMap<OrphanGroup, QList<FolderGroup>>& folders);
    void setSelection(const QSet<QString>& selection);
    void setSessions(const QList<ReviewSession>& sessions);
    void setPlan(const std::optional<MovePlan>& plan);
    void setBusy(const std::optional<QString>& label);
    void setNotice(const std::optional<Notice>& notice);
    void setErrorText(const std::optional<QString>& message);

    const QString m_app;
    const QString m_reviewFolderName;
    const bool m_persist;

    std::optional<QString> m_root;
    std::optional<QString> m_accessing;
    Phase m_phase;
    ScanProgress m_progress;
    QList<FileEntry> m_files;
    // What the scan of `m_files` could not read; every analysis of them holds back what depends
    // on it, and the result carries it to the views.
    UnreadableList m_unreadable;
    std::optional<ScanResult> m_result;
    QMap<OrphanGroup, QList<FolderGroup>> m_folders;
    QSet<QString> m_selection;
    std::optional<SidebarItem> m_sidebar;
    QList<ReviewSession> m_sessions;
    std::optional<MovePlan> m_plan;
    std::optional<QString> m_busy;
    std::optional<Notice> m_notice;
    std::optional<QString> m_error;
    std::optional<QString> m_previewUrl;
    MatchOptions m_options;

    TaskState m_scan;
    TaskState m_analysis;
    quint64 m_sessionsRequest = 0;
    int m_pendingTasks = 0;

    FileManagerFactory m_fileManagerFactory;
    FolderPicker m_folderPicker;
    Clock m_clock;
};
