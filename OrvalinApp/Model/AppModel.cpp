#include "AppModel.h"

#include "Analyzer.h"
#include "AppIdentity.h"
#include "CaptureTime.h"
#include "CodingError.h"
#include "FolderDialog.h"
#include "LocalFileManager.h"
#include "Messages.h"
#include "Mover.h"
#include "OperationError.h"
#include "RestoreProgress.h"
#include "Scanner.h"

#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QHash>
#include <QPromise>
#include <QSettings>
#include <QtConcurrent>

namespace {

const QString matchOptionsKey = QStringLiteral("matchOptions");

MatchOptions storedOptions()
{
    const QVariant stored = QSettings().value(matchOptionsKey);
    if (!stored.isValid())
        return {};
    try {
        return MatchOptions::fromJson(stored.toByteArray());
    } catch (const CodingError&) {
        return {};
    }
}

void storeOptions(const MatchOptions& options)
{
    QSettings().setValue(matchOptionsKey, options.toJson());
}

QString describe(const std::exception& error)
{
    if (const auto* operation = dynamic_cast<const OperationError*>(&error))
        return operation->message();
    return QString::fromLocal8Bit(error.what());
}

using FolderGroup = AppModel::FolderGroup;

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

// Freeing the files of a large scan takes long enough to be seen; the last reference to data the
// model lets go of is dropped on a worker thread instead.
template <typename T> void releaseInBackground(T value)
{
    QThreadPool::globalInstance()->start(
        [holder = std::make_shared<T>(std::move(value))]() mutable { holder.reset(); });
}

} // namespace

// The watcher is the model's child, so a model that is gone takes the delivery with it.
template <typename T, typename Work, typename Done>
void AppModel::runInBackground(Work work, Done done)
{
    auto* watcher = new QFutureWatcher<T>(this);
    ++m_pendingTasks;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, done] {
        watcher->deleteLater();
        --m_pendingTasks;
        T value = watcher->future().takeResult();
        done(value);
        releaseInBackground(std::move(value));
    });
    watcher->setFuture(QtConcurrent::run(std::move(work)));
}

struct AppModel::Analysis
{
    ScanResult result;
    QMap<OrphanGroup, QList<FolderGroup>> folders;
    // Of every candidate.
    QSet<QString> ids;
    // The ticks when the work started, and those of them that are still candidates. Pruning a
    // large selection takes long enough to be done here rather than on the main thread.
    QSet<QString> selectionBefore;
    QSet<QString> selectionAfter;
};

// The files and ticks a move started with, and the same without the files it moved. Taking
// tens of thousands of files out is done beside the move rather than on the main thread.
struct AppModel::AfterMove
{
    QList<FileEntry> filesBefore;
    QList<FileEntry> filesAfter;
    QSet<QString> selectionBefore;
    QSet<QString> selectionAfter;
};

struct AppModel::ScanOutcome
{
    enum class Kind : quint8
    {
        finished,
        refused,
        cancelled,
        failed
    };

    Kind kind = Kind::failed;
    QList<FileEntry> files;
    Analysis analysis;
    ScanProgress lastProgress;
    std::optional<ScanRefusal> refusal;
    QString error;
};

AppModel::AppModel(bool persist, QObject* parent)
    : QObject(parent)
    , m_app(AppIdentity::name())
    , m_reviewFolderName(AppIdentity::reviewFolderName(m_app))
    , m_persist(persist)
    , m_fileManagerFactory([] { return std::make_unique<LocalFileManager>(); })
    , m_folderPicker(&FolderDialog::run)
    , m_clock(&QDateTime::currentDateTime)
{
    if (m_persist)
        m_options = storedOptions();
}

AppModel::~AppModel()
{
    // The tasks cannot report back any more; there is no point in their finishing.
    m_scan.cancel.cancel();
    m_analysis.cancel.cancel();
}

void AppModel::setFileManagerFactory(FileManagerFactory factory)
{
    m_fileManagerFactory = std::move(factory);
}

void AppModel::setFolderPicker(FolderPicker picker)
{
    m_folderPicker = std::move(picker);
}

void AppModel::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

std::shared_ptr<FileManager> AppModel::makeFileManager() const
{
    return m_fileManagerFactory();
}

// Counting helpers

qsizetype AppModel::candidateCount(OrphanGroup group) const
{
    return m_result ? m_result->candidates(group).size() : 0;
}

qsizetype AppModel::fileCount(OrphanGroup group) const
{
    if (!m_result)
        return 0;
    qsizetype count = 0;
    for (const Candidate& candidate : m_result->candidates(group))
        count += candidate.fileCount();
    return count;
}

QList<Candidate> AppModel::tickedCandidates(OrphanGroup group) const
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

QList<ReviewSession> AppModel::restorableSessions() const
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

std::optional<ReviewSession> AppModel::session(const QString& folder) const
{
    for (const ReviewSession& session : m_sessions) {
        if (session.folder == folder)
            return session;
    }
    return std::nullopt;
}

// Folders

void AppModel::chooseFolder(QWidget* parent)
{
    const QString message = tr("Choose a folder of shoots. %1 only reads it until you choose to "
                               "move files, and never deletes anything.")
                                .arg(m_app);
    if (const std::optional<QString> folder = m_folderPicker(parent, message))
        open(*folder, true);
}

void AppModel::openRecent(const Recents::Item& item)
{
    const std::optional<QString> folder = Recents::resolve(item);
    if (!folder) {
        setErrorText(tr("“%1” can’t be found any more. It may have been moved, renamed or be on a "
                        "disk that isn’t connected.")
                         .arg(item.name));
        Recents::remove(item);
        return;
    }
    // The folder is now elsewhere: its old entry would only lead to the same place twice.
    if (QDir::cleanPath(*folder) != item.path)
        Recents::remove(item);
    open(*folder, true);
}

void AppModel::open(const QString& folder, bool remember)
{
    if (folder.isEmpty())
        return;
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    abandonScan();
    abandonAnalysis();

    // Without sandbox scopes, access to a folder is always granted.
    setAccessing(path);
    setRoot(path);

    setFiles({});
    setResult(std::nullopt);
    setFolders({});
    setSelection({});
    setNotice(std::nullopt);
    // A plan, a preview or the sessions of the previous folder have no meaning in this one; a
    // plan confirmed later would move files of the wrong folder.
    setPlan(std::nullopt);
    setPreviewUrl(std::nullopt);
    ++m_sessionsRequest;
    setSessions({});
    setSidebar(SidebarItem::overview());

    if (remember)
        Recents::add(path);

    if (const std::optional<ScanRefusal> refusal = Scanner::checkLocation(path)) {
        setPhase(Phase::refused(*refusal));
        return;
    }
    refreshSessions();
    rescan();
}

// Scanning

void AppModel::rescan()
{
    if (!m_root)
        return;
    abandonScan();
    abandonAnalysis();
    setPhase(Phase::scanning());
    setProgress({});
    startScan();
}

void AppModel::cancelScan()
{
    // The task stays the current one, so that its cancellation is what ends the scan.
    if (m_scan.running)
        m_scan.cancel.cancel();
}

void AppModel::abandonScan()
{
    m_scan.cancel.cancel();
    ++m_scan.id;
    setScanRunning(false);
}

void AppModel::startScan()
{
    const quint64 id = ++m_scan.id;
    m_scan.cancel = CancellationToken();
    setScanRunning(true);

    const QString root = *m_root;
    const MatchOptions options = m_options;
    const ScanOptions scanOptions { m_reviewFolderName };
    const CaptureReader reader
        = options.matchCaptureTime ? CaptureTime::reader(root) : CaptureReader();
    const CancellationToken cancel = m_scan.cancel;
    const QSet<QString> selection = m_selection;

    auto work
        = [root, options, scanOptions, reader, cancel, selection](QPromise<ScanOutcome>& promise) {
              ScanOutcome outcome;
              try {
                  // The future passes progress on at most a few dozen times a second, keeping the
                  // latest; the final count comes with the outcome.
                  outcome.files = Scanner::scan(
                      root, scanOptions,
                      [&](const ScanProgress& progress) {
                          outcome.lastProgress = progress;
                          promise.setProgressValueAndText(
                              int(std::min<qint64>(progress.files, INT_MAX)), progress.folder);
                      },
                      cancel);
                  outcome.analysis = prepare(
                      Analyzer::analyze(outcome.files, options, reader, cancel), selection);
                  outcome.kind = ScanOutcome::Kind::finished;
              } catch (const ScanRefusal& refusal) {
                  outcome.kind = ScanOutcome::Kind::refused;
                  outcome.refusal = refusal;
              } catch (const Cancelled&) {
                  outcome.kind = ScanOutcome::Kind::cancelled;
              } catch (const std::exception& error) {
                  outcome.error = describe(error);
              } catch (...) {
                  outcome.error
                      = QCoreApplication::translate("AppModel", "The scan stopped unexpectedly.");
              }
              promise.addResult(std::move(outcome));
          };

    auto* watcher = new QFutureWatcher<ScanOutcome>(this);
    ++m_pendingTasks;
    connect(watcher, &QFutureWatcherBase::progressValueChanged, this, [this, watcher, id] {
        applyProgress(id, { watcher->progressValue(), watcher->progressText() });
    });
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, id, options] {
        watcher->deleteLater();
        --m_pendingTasks;
        ScanOutcome outcome = watcher->future().takeResult();
        finishScan(id, options, outcome);
        releaseInBackground(std::move(outcome));
    });
    watcher->setFuture(QtConcurrent::run(std::move(work)));
}

void AppModel::applyProgress(quint64 id, const ScanProgress& progress)
{
    if (id == m_scan.id && m_scan.running)
        setProgress(progress);
}

void AppModel::finishScan(quint64 id, const MatchOptions& scannedWith, const ScanOutcome& outcome)
{
    if (id != m_scan.id)
        return;
    setScanRunning(false);

    switch (outcome.kind) {
    case ScanOutcome::Kind::finished:
        setProgress(outcome.lastProgress);
        setFiles(outcome.files);
        applyAnalysis(outcome.analysis);
        setPhase(Phase::ready());
        // The options changed while the scan ran; what is shown must follow the new ones.
        if (scannedWith != m_options)
            reanalyze();
        break;
    case ScanOutcome::Kind::refused:
        setPhase(Phase::refused(*outcome.refusal));
        break;
    case ScanOutcome::Kind::cancelled:
        setPhase(m_result ? Phase::ready() : Phase::idle());
        break;
    case ScanOutcome::Kind::failed:
        setErrorText(outcome.error);
        setPhase(Phase::idle());
        break;
    }
}

void AppModel::setOptions(const MatchOptions& options)
{
    if (options == m_options)
        return;
    m_options = options;
    Q_EMIT optionsChanged();
    if (m_persist)
        storeOptions(m_options);
    reanalyze();
}

void AppModel::reanalyze()
{
    if (!m_phase.isReady() || !m_root)
        return;
    reanalyzeThen([this] { endBusy(); });
}

void AppModel::abandonAnalysis()
{
    m_analysis.cancel.cancel();
    ++m_analysis.id;
    m_analysis.running = false;
}

void AppModel::reanalyzeThen(std::function<void()> done)
{
    if (!m_phase.isReady() || !m_root) {
        done();
        return;
    }
    abandonAnalysis();
    const quint64 id = m_analysis.id;
    m_analysis.running = true;
    m_analysis.cancel = CancellationToken();

    const QList<FileEntry> files = m_files;
    const MatchOptions options = m_options;
    const CaptureReader reader
        = options.matchCaptureTime ? CaptureTime::reader(*m_root) : CaptureReader();
    const CancellationToken cancel = m_analysis.cancel;
    const QSet<QString> selection = m_selection;
    setBusy(tr("Matching…"));

    runInBackground<std::optional<Analysis>>(
        [files, options, reader, cancel, selection]() -> std::optional<Analysis> {
            try {
                return prepare(Analyzer::analyze(files, options, reader, cancel), selection);
            } catch (...) {
                // A failed re-analysis keeps the previous result, silently.
                return std::nullopt;
            }
        },
        [this, id, done](const std::optional<Analysis>& analysis) {
            if (id == m_analysis.id) {
                m_analysis.running = false;
                if (analysis)
                    applyAnalysis(*analysis);
            }
            done();
        });
}

void AppModel::endBusy()
{
    if (!m_analysis.running)
        setBusy(std::nullopt);
}

namespace {

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

AppModel::Analysis AppModel::prepare(const ScanResult& result, const QSet<QString>& selection)
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

void AppModel::applyAnalysis(const Analysis& analysis)
{
    setResult(analysis.result);
    setFolders(analysis.folders);
    // Unless the user ticked meanwhile, the worker's pruning holds; comparing shared sets is
    // cheap, and a pruned set is a subset, so equal sizes mean nothing was dropped.
    QSet<QString> kept = m_selection == analysis.selectionBefore
        ? analysis.selectionAfter
        : intersection(m_selection, analysis.ids);
    if (kept.size() != m_selection.size())
        setSelection(kept);
}

// Ticks

void AppModel::toggle(const Candidate& candidate)
{
    QSet<QString> selection = m_selection;
    if (!selection.remove(candidate.id()))
        selection.insert(candidate.id());
    setSelection(selection);
}

void AppModel::setTicked(const QList<Candidate>& candidates, bool ticked)
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

void AppModel::setTicked(OrphanGroup group, bool ticked)
{
    if (m_result)
        setTicked(m_result->candidates(group), ticked);
}

void AppModel::untickEverything()
{
    setSelection({});
}

void AppModel::tickGroupAndShow(OrphanGroup group)
{
    setTicked(group, true);
    setSidebar(SidebarItem::forGroup(group));
}

// Moves and restores

void AppModel::reviewMove()
{
    if (!m_result || m_selection.isEmpty())
        return;
    refreshSessions();
    // Made beside the window, which a plan of tens of thousands of files would hold up.
    const ScanResult result = *m_result;
    const QSet<QString> selection = m_selection;
    runInBackground<MovePlan>(
        [result, selection] { return MovePlan::make(result.allCandidates(), selection); },
        [this, result, selection](const MovePlan& plan) {
            // Ticks or a scan that changed meanwhile ask for a review of their own.
            if (!m_result || *m_result != result || m_selection != selection || plan.isEmpty())
                return;
            setPlan(plan);
        });
}

void AppModel::dismissPlan()
{
    setPlan(std::nullopt);
}

void AppModel::move(const MovePlan& confirmed)
{
    if (!m_root || confirmed.isEmpty())
        return;
    // The sheet confirms the model's own plan, which is cleared next.
    const MovePlan plan = confirmed;
    setPlan(std::nullopt);
    setBusy(tr("Moving files to the review folder…"));

    struct Result
    {
        std::optional<MoveOutcome> outcome;
        QString error;
        AfterMove after;
    };
    const QList<FileEntry> files = m_files;
    const QSet<QString> selection = m_selection;
    const QString root = *m_root;
    const QString reviewFolder = m_reviewFolderName;
    const QString app = m_app;
    const QDateTime now = m_clock();
    const LogWording wording = Messages::logWording(m_app);
    const std::shared_ptr<FileManager> fileManager = makeFileManager();

    runInBackground<Result>(
        [=]() -> Result {
            try {
                const MoveOutcome outcome
                    = Mover::move(plan, root, reviewFolder, app, now, wording, *fileManager);
                return { outcome, {}, prune(files, selection, outcome) };
            } catch (const std::exception& error) {
                return { std::nullopt, describe(error), {} };
            } catch (...) {
                return { std::nullopt, QString(), {} };
            }
        },
        [this, root](const Result& result) {
            if (result.outcome) {
                finishMove(root, *result.outcome, result.after);
                return;
            }
            // The engine's message says whether anything moved.
            setErrorText(result.error);
            // Files moved before a final log write failed are in a session that may be listed.
            refreshSessions();
            setBusy(std::nullopt);
        });
}

AppModel::AfterMove AppModel::prune(
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

void AppModel::finishMove(const QString& root, const MoveOutcome& outcome, const AfterMove& after)
{
    const Notice notice { Messages::moveNotice(m_app, outcome), outcome.session };
    if (m_root != root) {
        setBusy(std::nullopt);
        return;
    }

    // Both compare in an instant while nothing changed them since the move began.
    const bool unchanged
        = m_files.isSharedWith(after.filesBefore) && m_selection == after.selectionBefore;
    const AfterMove pruned = unchanged ? after : prune(m_files, m_selection, outcome);
    setFiles(pruned.filesAfter);
    setSelection(pruned.selectionAfter);
    refreshSessions();
    // A walk that started before the move may still list the moved files at their old places.
    if (m_scan.running)
        rescan();
    reanalyzeThen([this, notice] {
        setNotice(notice);
        endBusy();
    });
}

void AppModel::restore(const QList<ReviewSession>& sessions)
{
    if (sessions.isEmpty())
        return;
    setBusy(tr("Putting files back…"));

    QStringList folders;
    for (const ReviewSession& session : sessions)
        folders.append(session.folder);
    const LogWording wording = Messages::logWording(m_app);
    const QDateTime now = m_clock();
    const std::shared_ptr<FileManager> fileManager = makeFileManager();

    runInBackground<RestoreOutcome>(
        [=]() {
            RestoreOutcome total;
            for (const QString& folder : folders) {
                try {
                    const RestoreOutcome outcome
                        = Mover::restore(folder, wording, now, *fileManager);
                    total.restored += outcome.restored;
                    total.conflicts += outcome.conflicts;
                    total.missing += outcome.missing;
                } catch (...) {
                    // A session that cannot be restored as a whole is passed over; the others
                    // still go back.
                }
            }
            return total;
        },
        [this, root = m_root](const RestoreOutcome& total) { finishRestore(root, total); });
}

void AppModel::finishRestore(const std::optional<QString>& root, const RestoreOutcome& total)
{
    // Another folder is open now; what came back belongs to the one that was.
    if (root != m_root) {
        setBusy(std::nullopt);
        return;
    }
    refreshSessions();
    setNotice(Notice { Messages::restoreNotice(total), std::nullopt });
    rescan();
    setBusy(std::nullopt);
}

void AppModel::restoreNoticeSession()
{
    if (!m_notice || !m_notice->session)
        return;
    const QString folder = *m_notice->session;
    // The listing may not have caught up with the move yet; the folder is all a restore needs.
    restore({ session(folder).value_or(ReviewSession { folder, {} }) });
}

void AppModel::refreshSessions()
{
    const quint64 request = ++m_sessionsRequest;
    if (!m_root) {
        setSessions({});
        return;
    }
    const QString root = *m_root;
    const QString reviewFolder = m_reviewFolderName;
    const std::shared_ptr<FileManager> fileManager = makeFileManager();
    runInBackground<std::optional<QList<ReviewSession>>>(
        [=]() -> std::optional<QList<ReviewSession>> {
            try {
                return Mover::sessions(root, reviewFolder, *fileManager);
            } catch (...) {
                return std::nullopt;
            }
        },
        [this, request, root](const std::optional<QList<ReviewSession>>& sessions) {
            if (request == m_sessionsRequest && m_root == root && sessions)
                setSessions(*sessions);
        });
}

// Plain view state

void AppModel::dismissNotice()
{
    setNotice(std::nullopt);
}

void AppModel::setError(const QString& message)
{
    setErrorText(message);
}

void AppModel::clearError()
{
    setErrorText(std::nullopt);
}

void AppModel::setSidebar(const std::optional<SidebarItem>& item)
{
    if (item == m_sidebar)
        return;
    m_sidebar = item;
    Q_EMIT sidebarChanged();
}

void AppModel::setPreviewUrl(const std::optional<QString>& url)
{
    if (url == m_previewUrl)
        return;
    m_previewUrl = url;
    Q_EMIT previewUrlChanged();
}

// Field setters. Large values (files, result, folders) are not compared: comparing them would
// cost about as much as redrawing.

void AppModel::setRoot(const std::optional<QString>& root)
{
    if (root == m_root)
        return;
    m_root = root;
    Q_EMIT rootChanged();
}

void AppModel::setAccessing(const std::optional<QString>& folder)
{
    if (folder == m_accessing)
        return;
    m_accessing = folder;
    Q_EMIT accessingChanged();
}

void AppModel::setPhase(const Phase& phase)
{
    if (phase == m_phase)
        return;
    m_phase = phase;
    Q_EMIT phaseChanged();
}

void AppModel::setProgress(const ScanProgress& progress)
{
    if (progress == m_progress)
        return;
    m_progress = progress;
    Q_EMIT progressChanged();
}

void AppModel::setScanRunning(bool running)
{
    if (running == m_scan.running)
        return;
    m_scan.running = running;
    Q_EMIT scanningChanged();
}

void AppModel::setFiles(const QList<FileEntry>& files)
{
    if (files.isEmpty() && m_files.isEmpty())
        return;
    releaseInBackground(std::exchange(m_files, files));
    Q_EMIT filesChanged();
}

void AppModel::setResult(const std::optional<ScanResult>& result)
{
    if (!result && !m_result)
        return;
    releaseInBackground(std::exchange(m_result, result));
    Q_EMIT resultChanged();
}

void AppModel::setFolders(const QMap<OrphanGroup, QList<FolderGroup>>& folders)
{
    if (folders.isEmpty() && m_folders.isEmpty())
        return;
    releaseInBackground(std::exchange(m_folders, folders));
    Q_EMIT foldersChanged();
}

void AppModel::setSelection(const QSet<QString>& selection)
{
    if (selection == m_selection)
        return;
    m_selection = selection;
    Q_EMIT selectionChanged();
}

void AppModel::setSessions(const QList<ReviewSession>& sessions)
{
    if (sessions == m_sessions)
        return;
    m_sessions = sessions;
    Q_EMIT sessionsChanged();
}

void AppModel::setPlan(const std::optional<MovePlan>& plan)
{
    if (plan == m_plan)
        return;
    m_plan = plan;
    Q_EMIT planChanged();
}

void AppModel::setBusy(const std::optional<QString>& label)
{
    if (label == m_busy)
        return;
    m_busy = label;
    Q_EMIT busyChanged();
}

void AppModel::setNotice(const std::optional<Notice>& notice)
{
    if (notice == m_notice)
        return;
    m_notice = notice;
    Q_EMIT noticeChanged();
}

void AppModel::setErrorText(const std::optional<QString>& message)
{
    if (message == m_error)
        return;
    m_error = message;
    Q_EMIT errorChanged();
}
