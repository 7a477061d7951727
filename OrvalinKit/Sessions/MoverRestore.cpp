// Restore and session discovery: the half of Mover that reads sessions back.

#include "FolderCursor.h"
#include "Mover.h"
#include "Naming.h"
#include "OperationError.h"
#include "RestoreProgress.h"
#include "SessionFolder.h"
#include "SessionLogs.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

using Status = RestoreLog::Status;

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
    FolderHandle session;

    Places(const QString& folder, const FileManager& fileManager)
    {
        const QString path = SessionFolder::withoutTrailingSlash(folder);
        const QString review = parentOf(path);
        reviewFolderName = nameOf(review);
        root = fileManager.openFolder(parentOf(review));
        std::optional<FolderHandle> reviewFolder = fileManager.openChild(root, reviewFolderName);
        std::optional<FolderHandle> sessionFolder
            = reviewFolder ? fileManager.openChild(*reviewFolder, nameOf(path)) : std::nullopt;
        if (!sessionFolder)
            throw OperationError(QCoreApplication::translate("Mover",
                "“%1” is not a session folder, or a folder on its way is a symbolic link; "
                "nothing was put back.")
                                     .arg(path));
        session = std::move(*sessionFolder);
    }
};

class Restorer
{
public:
    Restorer(const Places& places, FileManager& fileManager)
        : m_places(places)
        , m_fileManager(fileManager)
        , m_from(places.session)
        , m_to(places.root)
    {
    }

    void restore(RestoreLog::Entry& entry)
    {
        if (entry.status != Status::planned && entry.status != Status::moved
            && entry.status != Status::conflict)
            return;
        const std::optional<QString> home = Mover::safeRelativePath(entry.path);
        const std::optional<QString> current = Mover::safeRelativePath(entry.currentPath());
        // A crafted or tampered log must not take the session's own logs for a file of the
        // user's, nor put anything into the review folder, where the log writer replaces files.
        if (!home || !current || isSessionsOwn(*current) || isInReviewFolder(*home))
            return leaveAlone(entry);

        try {
            putBack(entry, *home, *current);
        } catch (const OperationError& error) {
            miss(entry, error.message());
        }
    }

    const RestoreOutcome& outcome() const { return m_outcome; }

private:
    // Every folder on the way is opened one at a time without following a link, and the file
    // moves between open folders: a folder swapped for a link, in the session or in the scanned
    // folder, cannot turn restore into a way out of the scanned folder, or a way to pull files
    // in from elsewhere.
    void putBack(RestoreLog::Entry& entry, const QString& home, const QString& current)
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
        if (const auto refusal
            = SessionFolder::moveUnlessRefused(m_fileManager, *from, name, *to, homeName)) {
            return *refusal == SessionFolder::Refusal::fileMissing ? notInSession(entry)
                                                                   : conflict(entry);
        }
        entry.status = Status::restored;
        entry.note.reset();
        ++m_outcome.restored;
    }

    // A planned entry whose file never reached the session has nothing to put back.
    void notInSession(RestoreLog::Entry& entry)
    {
        if (entry.status != Status::planned)
            miss(entry, QStringLiteral("not found at ") + entry.currentPath());
    }

    void conflict(RestoreLog::Entry& entry)
    {
        m_outcome.conflicts.append(entry.path);
        entry.status = Status::conflict;
        entry.note = QStringLiteral("a file is already at the original place");
    }

    static bool isSessionsOwn(const QString& current)
    {
        return !current.contains(u'/') && SessionLogs::isOwnFile(current);
    }

    bool isInReviewFolder(const QString& home) const
    {
        return Naming::fold(home.section(u'/', 0, 0)) == Naming::fold(m_places.reviewFolderName);
    }

    void leaveAlone(RestoreLog::Entry& entry)
    {
        miss(entry, QStringLiteral("unsafe path in the log; left alone"));
    }

    void blocked(RestoreLog::Entry& entry, ItemKind blocker)
    {
        miss(entry, SessionFolder::obstacle(blocker) + QStringLiteral("; left alone"));
    }

    void miss(RestoreLog::Entry& entry, const QString& note)
    {
        m_outcome.missing.append(entry.path);
        entry.note = note;
    }

    const Places& m_places;
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

} // namespace

namespace Mover {

RestoreOutcome restore(const QString& session, const LogWording& wording, const QDateTime& now,
    FileManager& fileManager)
{
    const Places places(session, fileManager);
    RestoreLog log = readLog(places.session, fileManager);
    // No file goes back before the log says it may have: a log that cannot be written stops
    // the restore here.
    RestoreProgress progress(places.session, places.root);
    progress.begin(log, fileManager);
    SessionLogs logs(places.session, wording);
    logs.write(log, fileManager);
    Restorer restorer(places, fileManager);
    for (RestoreLog::Entry& entry : log.entries) {
        restorer.restore(entry);
        logs.writeIfDue(log, fileManager);
    }
    progress.end(log);
    if (std::none_of(log.entries.begin(), log.entries.end(), isLeftInSession))
        log.restored = now;
    logs.write(log, fileManager);
    removeEmptyFolders(places.session, fileManager);
    return restorer.outcome();
}

QList<ReviewSession> sessions(
    const QString& scannedFolder, const QString& reviewFolderName, const FileManager& fileManager)
{
    const QString root = SessionFolder::withoutTrailingSlash(scannedFolder);
    if (!safeRelativePath(reviewFolderName))
        return {};
    std::optional<FolderHandle> review;
    QStringList names;
    try {
        review = SessionFolder::openWithin(
            fileManager, fileManager.openFolder(root), reviewFolderName);
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
                    readLog(*folder, fileManager).reconciled(*folder, fileManager) });
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
