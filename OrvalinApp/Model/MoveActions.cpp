#include "MoveActions.h"

#include "AppModel.h"
#include "BackgroundTasks.h"
#include "FolderBusy.h"
#include "LocalFileManager.h"
#include "Messages.h"
#include "Mover.h"
#include "RestoreProgress.h"
#include "UnrecordedRestore.h"

#include <QtConcurrent>
#include <algorithm>

MoveActions::MoveActions(AppModel& model, BackgroundTasks& tasks)
    : m_model(model)
    , m_tasks(tasks)
    , m_fileManagerFactory([] { return std::make_unique<LocalFileManager>(); })
    , m_clock(&QDateTime::currentDateTime)
{
}

void MoveActions::setFileManagerFactory(FileManagerFactory factory)
{
    m_fileManagerFactory = std::move(factory);
}

void MoveActions::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

QList<ReviewSession> MoveActions::restorableSessions() const
{
    QList<ReviewSession> restorable;
    for (const ReviewSession& session : m_sessions) {
        const auto& entries = session.log.entries;
        const bool waiting
            = std::any_of(entries.begin(), entries.end(), [](const RestoreLog::Entry& entry) {
                  return entry.status == RestoreLog::Status::conflict;
              });
        if (session.log.movedCount() > 0 || waiting || RestoreProgress::wasCutOff(session.log))
            restorable.append(session);
    }
    return restorable;
}

std::optional<ReviewSession> MoveActions::session(const QString& folder) const
{
    for (const ReviewSession& session : m_sessions) {
        if (session.folder == folder)
            return session;
    }
    return std::nullopt;
}

std::optional<ReviewSession> MoveActions::noticeSession() const
{
    if (!m_notice || !m_notice->session)
        return std::nullopt;
    const QString folder = *m_notice->session;
    // The folder is all a restore needs.
    return session(folder).value_or(ReviewSession { folder, {} });
}

void MoveActions::refreshSessions()
{
    const quint64 request = ++m_sessionsRequest;
    if (!m_model.root()) {
        setSessions({});
        return;
    }
    const QString root = *m_model.root();
    const QString reviewFolder = m_model.reviewFolderName();
    const std::shared_ptr<FileManager> fileManager = m_fileManagerFactory();
    auto list = [=]() -> std::optional<QList<ReviewSession>> {
        try {
            return Mover::sessions(root, reviewFolder, *fileManager);
        } catch (...) {
            return std::nullopt;
        }
    };
    m_tasks.whenFinished(QtConcurrent::run(std::move(list)),
        [this, request, root](const std::optional<QList<ReviewSession>>& sessions) {
            if (request == m_sessionsRequest && m_model.root() == root && sessions)
                setSessions(*sessions);
        });
}

void MoveActions::clearSessions()
{
    ++m_sessionsRequest;
    setSessions({});
}

void MoveActions::reviewMove()
{
    if (!m_model.result() || m_model.selection().isEmpty())
        return;
    refreshSessions();
    // Made beside the window, which a plan of tens of thousands of files would hold up.
    const ScanResult result = *m_model.result();
    const QSet<QString> selection = m_model.selection();
    auto makePlan
        = [result, selection] { return MovePlan::make(result.allCandidates(), selection); };
    m_tasks.whenFinished(
        QtConcurrent::run(std::move(makePlan)), [this, result, selection](const MovePlan& plan) {
            // Ticks or a scan that changed meanwhile ask for a review of their own.
            const auto& current = m_model.result();
            if (!current || *current != result || m_model.selection() != selection
                || plan.isEmpty())
                return;
            setPlan(plan);
        });
}

void MoveActions::move(const MovePlan& plan, std::function<void(const Moved&)> done)
{
    const QList<FileEntry> files = m_model.files();
    const QSet<QString> selection = m_model.selection();
    const QString root = *m_model.root();
    const QString reviewFolder = m_model.reviewFolderName();
    const QString app = m_model.appName();
    const QDateTime now = m_clock();
    const LogWording wording = Messages::logWording(app);
    const std::shared_ptr<FileManager> fileManager = m_fileManagerFactory();

    auto work = [=]() -> Moved {
        try {
            const MoveOutcome outcome
                = Mover::move(plan, root, reviewFolder, app, now, wording, *fileManager);
            return { outcome, {}, prune(files, selection, outcome) };
        } catch (const std::exception& error) {
            return { std::nullopt, BackgroundTasks::describe(error), {} };
        } catch (...) {
            return { std::nullopt, QString(), {} };
        }
    };
    m_tasks.whenFinished(QtConcurrent::run(std::move(work)), std::move(done));
}

void MoveActions::restore(
    const QList<ReviewSession>& sessions, std::function<void(const Restored&)> done)
{
    QStringList folders;
    for (const ReviewSession& session : sessions)
        folders.append(session.folder);
    const LogWording wording = Messages::logWording(m_model.appName());
    const QDateTime now = m_clock();
    const std::shared_ptr<FileManager> fileManager = m_fileManagerFactory();

    auto work = [=]() {
        Restored result;
        for (const QString& folder : folders) {
            try {
                result.total += Mover::restore(folder, wording, now, *fileManager);
            } catch (const UnrecordedRestore& error) {
                // Its files went back all the same, and the notice counts them.
                result.total += error.outcome();
            } catch (const FolderBusy& busy) {
                // Declined rather than waited for behind an overlay that cannot be cancelled.
                result.declined = busy.message();
            } catch (...) {
                // A session that cannot be restored as a whole is passed over; the others still
                // go back.
            }
        }
        return result;
    };
    m_tasks.whenFinished(QtConcurrent::run(std::move(work)), std::move(done));
}

MoveActions::AfterMove MoveActions::remaining(
    const Moved& moved, const QList<FileEntry>& files, const QSet<QString>& selection)
{
    // Both compare in an instant while nothing changed them since the move began.
    const bool unchanged
        = files.isSharedWith(moved.after.filesBefore) && selection == moved.after.selectionBefore;
    return unchanged ? moved.after : prune(files, selection, *moved.outcome);
}

MoveActions::AfterMove MoveActions::prune(
    const QList<FileEntry>& files, const QSet<QString>& selection, const MoveOutcome& outcome)
{
    QSet<QString> moved;
    for (const RestoreLog::Entry& entry : outcome.log.entries) {
        if (entry.status == RestoreLog::Status::moved)
            moved.insert(entry.path);
    }
    QList<FileEntry> filesAfter = files;
    filesAfter.removeIf([&](const FileEntry& file) { return moved.contains(file.relativePath); });
    return { files, filesAfter, selection, QSet<QString>(selection).subtract(moved) };
}

void MoveActions::setPlan(const std::optional<MovePlan>& plan)
{
    if (plan == m_plan)
        return;
    m_plan = plan;
    Q_EMIT m_model.planChanged();
}

void MoveActions::setNotice(const std::optional<Notice>& notice)
{
    if (notice == m_notice)
        return;
    m_notice = notice;
    Q_EMIT m_model.noticeChanged();
}

void MoveActions::setSessions(const QList<ReviewSession>& sessions)
{
    if (sessions == m_sessions)
        return;
    m_sessions = sessions;
    Q_EMIT m_model.sessionsChanged();
}
