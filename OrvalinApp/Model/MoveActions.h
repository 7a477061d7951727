#pragma once

#include "FileEntry.h"
#include "FileManager.h"
#include "MoveOutcome.h"
#include "MovePlan.h"
#include "RestoreOutcome.h"
#include "ReviewSession.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class AppModel;
class BackgroundTasks;

// Moving the ticked leftovers into a review session of the open folder and putting sessions
// back: the plan waiting for confirmation, the folder's review sessions, the notice that tells
// what happened, and the background work behind them. What a finished move or restore means for
// the files, the ticks and the scan, the model decides. The fields are the model's: each change
// is announced by the model's own signal.
class MoveActions
{
public:
    // The bar shown after a move or a restore.
    struct Notice
    {
        QString text;
        // The session folder a move created; absent after a restore.
        std::optional<QString> session;

        bool operator==(const Notice&) const = default;
    };

    // The files and ticks a move started with, and the same without the files it moved. Taking
    // tens of thousands of files out is done beside the move rather than on the main thread.
    struct AfterMove
    {
        QList<FileEntry> filesBefore;
        QList<FileEntry> filesAfter;
        QSet<QString> selectionBefore;
        QSet<QString> selectionAfter;
    };

    // What a move hands back: its outcome and what it leaves, or why nothing was moved.
    struct Moved
    {
        std::optional<MoveOutcome> outcome;
        QString error;
        AfterMove after;
    };

    // Makes the file manager each move or restore works through; called on the main thread,
    // the object is then used on one background thread only.
    using FileManagerFactory = std::function<std::unique_ptr<FileManager>()>;
    using Clock = std::function<QDateTime()>;

    MoveActions(AppModel& model, BackgroundTasks& tasks);

    void setFileManagerFactory(FileManagerFactory factory);
    void setClock(Clock clock);

    const std::optional<MovePlan>& plan() const { return m_plan; }
    const std::optional<Notice>& notice() const { return m_notice; }
    // Newest first.
    const QList<ReviewSession>& sessions() const { return m_sessions; }
    // Sessions with a file still in the review folder or one waiting for its place to free up.
    QList<ReviewSession> restorableSessions() const;
    // The session of `sessions` whose folder is `folder`.
    std::optional<ReviewSession> session(const QString& folder) const;
    // The session the notice names, even when the listing has not caught up with it yet.
    std::optional<ReviewSession> noticeSession() const;

    void setPlan(const std::optional<MovePlan>& plan);
    void setNotice(const std::optional<Notice>& notice);

    // Reads the sessions of the model's folder again in the background.
    void refreshSessions();
    // Forgets the sessions, and any reading of them still under way.
    void clearSessions();
    // Makes the plan of the ticked candidates beside the window.
    void reviewMove();
    // Moves `plan` out of the model's folder in the background; `done` gets what happened.
    void move(const MovePlan& plan, std::function<void(const Moved&)> done);
    // What a restore of several sessions did: the sum of their outcomes, and why a session was
    // declined when another move or restore of the folder held it.
    struct Restored
    {
        RestoreOutcome total;
        QString declined;
    };
    // Puts the sessions back one after the other; `done` gets what happened.
    void restore(const QList<ReviewSession>& sessions, std::function<void(const Restored&)> done);

    // The files and ticks to keep after a move: those worked out beside it while nothing
    // changed them since it began, else worked out now.
    static AfterMove remaining(
        const Moved& moved, const QList<FileEntry>& files, const QSet<QString>& selection);

private:
    static AfterMove prune(
        const QList<FileEntry>& files, const QSet<QString>& selection, const MoveOutcome& outcome);
    void setSessions(const QList<ReviewSession>& sessions);

    AppModel& m_model;
    BackgroundTasks& m_tasks;
    FileManagerFactory m_fileManagerFactory;
    Clock m_clock;
    std::optional<MovePlan> m_plan;
    std::optional<Notice> m_notice;
    QList<ReviewSession> m_sessions;
    quint64 m_sessionsRequest = 0;
};
