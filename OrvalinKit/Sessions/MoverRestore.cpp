// Restore and session discovery: the half of Mover that reads sessions back.

#include "CutOffWork.h"
#include "FolderCursor.h"
#include "Mover.h"
#include "OperationError.h"
#include "RestoreProgress.h"
#include "SessionFolder.h"
#include "SessionLogs.h"
#include "UnrecordedRestore.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

using Status = RestoreLog::Status;
using Reason = RestoreFailure::Reason;

QString parentOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString nameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// Where a session sits now, not where its log says it was made: a shoot folder moved or copied
// as a whole restores into its new place. The review folder and the session are opened from the
// root without following a link, so that all a restore does stays below the root.
struct Places
{
    FolderHandle root;
    QString reviewFolderName;
    FolderHandle review;
    FolderHandle session;

    Places(const QString& folder, const FileManager& fileManager)
    {
        const QString path = SessionFolder::withoutTrailingSlash(folder);
        const QString reviewPath = parentOf(path);
        reviewFolderName = nameOf(reviewPath);
        root = fileManager.openFolder(parentOf(reviewPath));
        std::optional<FolderHandle> reviewFolder = fileManager.openChild(root, reviewFolderName);
        std::optional<FolderHandle> sessionFolder
            = reviewFolder ? fileManager.openChild(*reviewFolder, nameOf(path)) : std::nullopt;
        if (!sessionFolder)
            throw OperationError(QCoreApplication::translate("Mover",
                "“%1” is not a session folder, or a folder on its way is a symbolic link; "
                "nothing was put back.")
                                     .arg(path));
        review = std::move(*reviewFolder);
        session = std::move(*sessionFolder);
    }
};

class Restorer
{
public:
    Restorer(const Places& places, const RestoreProgress& progress, FileManager& fileManager)
        : m_places(places)
        , m_progress(progress)
        , m_fileManager(fileManager)
        , m_from(places.session)
        , m_to(places.root)
    {
    }

    void restore(RestoreLog::Entry& entry, qsizetype index)
    {
        if (entry.status != Status::planned && entry.status != Status::moved
            && entry.status != Status::conflict)
            return;
        const std::optional<CutOffWork::Places> places
            = CutOffWork::placesOf(entry, m_places.reviewFolderName);
        if (!places)
            return fail(entry, Reason::unsafePathInLog,
                QStringLiteral("unsafe path in the log; left alone"));
        // A planned entry that restore did not mark never reached the session: its file, or an
        // empty reservation of a cut-off move, stays where it is.
        if (entry.status == Status::planned && !RestoreProgress::isBeingPutBack(entry))
            return;

        try {
            putBack(entry, index, places->home, places->current);
        } catch (const OperationError& error) {
            fail(entry, RestoreFailure::fromSystemError(error.systemError()), error.message());
        }
    }

    const RestoreOutcome& outcome() const { return m_outcome; }

private:
    // Every folder on the way is opened one at a time without following a link, and the file
    // moves between open folders: a folder swapped for a link, in the session or in the scanned
    // folder, cannot turn restore into a way out of the scanned folder, or a way to pull files
    // in from elsewhere.
    void putBack(
        RestoreLog::Entry& entry, qsizetype index, const QString& home, const QString& current)
    {
        const QString name = RelativePath::name(current);
        const QString homeName = RelativePath::name(home);
        ItemKind blocker = ItemKind::none;
        const FolderHandle* from
            = m_from.open(m_fileManager, RelativePath::folder(current), &blocker);
        if (!from && blocker != ItemKind::none)
            return blocked(entry, blocker);
        if (!from)
            return notInSession(entry);

        const QString homeFolder = RelativePath::folder(home);
        const FolderHandle* to = m_to.open(m_fileManager, homeFolder, &blocker);
        if (!to && blocker != ItemKind::none)
            return blocked(entry, blocker);
        if (!to) {
            // No folder is made again for a file that is not in the session.
            if (m_fileManager.kindOf(*from, name) == ItemKind::none)
                return notInSession(entry);
            to = m_to.openOrCreate(m_fileManager, homeFolder, &blocker);
            if (!to)
                return blocked(entry, blocker);
        }
        const std::optional<SessionFolder::Refusal> refusal = SessionFolder::moveUnlessRefused(
            m_fileManager, *from, name, *to, homeName, FileManager::TargetFolder::shared);
        if (refusal == SessionFolder::Refusal::fileMissing)
            return notInSession(entry);
        if (refusal && !finishesCutOff(index, *from, name, *to, homeName))
            return conflict(entry);
        entry.status = Status::restored;
        entry.note.reset();
        ++m_outcome.restored;
    }

    // Whether what stands at the original place was this file's own move home, cut off and
    // now finished: the same file under both names, or, for an entry an earlier restore was
    // putting back, a copy of its first bytes.
    bool finishesCutOff(qsizetype index, const FolderHandle& from, const QString& name,
        const FolderHandle& to, const QString& homeName)
    {
        const ItemInfo inSession = m_fileManager.infoOf(from, name);
        const ItemInfo atHome = m_fileManager.infoOf(to, homeName);
        const bool mayBeOwnCopy = m_progress.wasCutOff(index) && atHome.kind == ItemKind::file
            && atHome.size <= inSession.size;
        return (inSession.isSameFileAs(atHome) || mayBeOwnCopy)
            && m_fileManager.completeMove(from, name, to, homeName);
    }

    // A planned entry whose file never reached the session has nothing to put back.
    void notInSession(RestoreLog::Entry& entry)
    {
        if (entry.status == Status::planned && !RestoreProgress::isBeingPutBack(entry))
            return;
        m_outcome.missing.append(entry.path);
        entry.note = QStringLiteral("not found at ") + entry.currentPath();
    }

    void conflict(RestoreLog::Entry& entry)
    {
        m_outcome.conflicts.append(entry.path);
        entry.status = Status::conflict;
        entry.note = QStringLiteral("a file is already at the original place");
    }

    void blocked(RestoreLog::Entry& entry, ItemKind blocker)
    {
        fail(entry, blocker == ItemKind::link ? Reason::linkOnTheWay : Reason::fileOnTheWay,
            SessionFolder::obstacle(blocker) + QStringLiteral("; left alone"));
    }

    void fail(RestoreLog::Entry& entry, Reason reason, const QString& note)
    {
        m_outcome.failed.append({ entry.path, reason, note });
        entry.note = note;
    }

    const Places& m_places;
    const RestoreProgress& m_progress;
    FileManager& m_fileManager;
    RestoreOutcome m_outcome;
    // Entries of one folder follow each other.
    FolderCursor m_from;
    FolderCursor m_to;
};

// Removes the empty folders below `folder`, innermost first, never entering a link; a folder
// holding only emptied folders goes too.
void removeEmptyFolders(const FolderHandle& folder, FileManager& fileManager)
{
    QStringList names;
    try {
        names = fileManager.list(folder);
    } catch (const OperationError&) {
        return;
    }
    for (const QString& name : names) {
        try {
            const std::optional<FolderHandle> child = fileManager.openChild(folder, name);
            if (!child)
                continue;
            removeEmptyFolders(*child, fileManager);
            if (fileManager.list(*child).isEmpty())
                fileManager.removeEmptyFolder(folder, name);
        } catch (const OperationError&) {
            // A folder that stays behind costs nothing; the files are back.
        }
    }
}

bool isLeftInSession(const RestoreLog::Entry& entry)
{
    return entry.status == Status::moved || entry.status == Status::conflict;
}

bool hasPlannedEntries(const RestoreLog& log)
{
    return std::any_of(log.entries.begin(), log.entries.end(),
        [](const RestoreLog::Entry& entry) { return entry.status == Status::planned; });
}

// A session's log as a listing shows it: when a move or restore of it was cut off, what it left
// is finished first, if no other move or restore runs now, and the log read again under the lock.
RestoreLog listedLog(const FolderHandle& review, const FolderHandle& session,
    const FolderHandle& root, const QString& reviewFolderName, FileManager& fileManager)
{
    RestoreLog log = Mover::readLog(session, fileManager);
    if (!hasPlannedEntries(log))
        return log;
    std::optional<FolderLock> lock;
    try {
        lock = fileManager.tryLock(review);
    } catch (const OperationError&) {
    }
    if (!lock)
        return log;
    log = Mover::readLog(session, fileManager);
    CutOffWork::finish(log, session, root, reviewFolderName, fileManager);
    return log;
}

} // namespace

namespace Mover {

RestoreOutcome restore(const QString& session, const LogWording& wording, const QDateTime& now,
    FileManager& fileManager, const ReviewLock::Waiting& waiting)
{
    const Places places(session, fileManager);
    const FolderLock lock = ReviewLock::take(places.review, fileManager, waiting);
    RestoreLog log = readLog(places.session, fileManager);
    // No file goes back before the log says it may have: a log that cannot be written stops
    // the restore here.
    RestoreProgress progress(places.session, places.root, places.reviewFolderName);
    progress.begin(log, fileManager);
    SessionLogs logs(places.session, wording);
    logs.write(log, fileManager);
    Restorer restorer(places, progress, fileManager);
    for (qsizetype i = 0; i < log.entries.size(); ++i) {
        restorer.restore(log.entries[i], i);
        logs.writeIfDue(log, fileManager);
    }
    progress.end(log);
    if (std::none_of(log.entries.begin(), log.entries.end(), isLeftInSession))
        log.restored = now;
    try {
        logs.write(log, fileManager);
    } catch (const OperationError& error) {
        // The log written before still tells, read back against the session, where every
        // file is; the next restore or listing brings it up to date.
        throw UnrecordedRestore(
            QCoreApplication::translate("Mover", "%1 %Ln files were put back all the same.",
                nullptr, int(restorer.outcome().restored))
                .arg(error.message()),
            restorer.outcome());
    }
    removeEmptyFolders(places.session, fileManager);
    return restorer.outcome();
}

QList<ReviewSession> sessions(
    const QString& scannedFolder, const QString& reviewFolderName, FileManager& fileManager)
{
    const QString rootPath = SessionFolder::withoutTrailingSlash(scannedFolder);
    if (!safeRelativePath(reviewFolderName))
        return {};
    FolderHandle root;
    std::optional<FolderHandle> review;
    QStringList names;
    try {
        root = fileManager.openFolder(rootPath);
        review = SessionFolder::openWithin(fileManager, root, reviewFolderName);
        if (!review)
            return {};
        names = fileManager.list(*review);
    } catch (const OperationError&) {
        return {};
    }
    QList<ReviewSession> result;
    for (const QString& name : names) {
        if (name.startsWith(u'.'))
            continue;
        try {
            // Anything that is not a real folder inside a real review folder is left out.
            const std::optional<FolderHandle> folder = fileManager.openChild(*review, name);
            if (folder)
                result.append({ folder->path(),
                    listedLog(*review, *folder, root, reviewFolderName, fileManager)
                        .reconciled(*folder, fileManager) });
        } catch (const OperationError&) {
            // Not a session, or one whose log is damaged or no regular file: it cannot be
            // restored, so not listed.
        }
    }
    std::stable_sort(
        result.begin(), result.end(), [](const ReviewSession& a, const ReviewSession& b) {
            return a.log.created > b.log.created;
        });
    return result;
}

} // namespace Mover
