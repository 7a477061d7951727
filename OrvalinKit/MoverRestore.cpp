// Restore and session discovery: the half of Mover that reads sessions back.

#include "Mover.h"
#include "OperationError.h"
#include "RestoreProgress.h"
#include "SessionFolder.h"
#include "SessionLogs.h"

#include <QSet>
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
// as a whole restores into its new place.
struct Places
{
    QString session;
    QString root;
    // The session folder relative to root: review folder name / session name.
    QString sessionPath;

    explicit Places(const QString& folder)
        : session(SessionFolder::withoutTrailingSlash(folder))
    {
        const QString review = parentOf(session);
        root = parentOf(review);
        sessionPath = nameOf(review) + u'/' + nameOf(session);
    }
};

class Restorer
{
public:
    Restorer(const Places& places, FileManager& fileManager)
        : m_places(places)
        , m_fileManager(fileManager)
    {
    }

    void restore(RestoreLog::Entry& entry)
    {
        if (entry.status != Status::planned && entry.status != Status::moved
            && entry.status != Status::conflict)
            return;
        const std::optional<QString> home = Mover::safeRelativePath(entry.path);
        const std::optional<QString> current = Mover::safeRelativePath(entry.currentPath());
        if (!home || !current)
            return leaveAlone(entry);

        const QString sourcePath = m_places.sessionPath + u'/' + *current;
        if (!m_fileManager.exists(SessionFolder::join(m_places.root, sourcePath))) {
            if (entry.status == Status::planned)
                return;
            return miss(entry, QStringLiteral("not found at ") + entry.currentPath());
        }
        // A crafted or tampered session must not turn restore into a way out of the scanned
        // folder, or a way to pull files in from elsewhere.
        if (m_fileManager.passesThroughLink(m_places.root, sourcePath))
            return leaveAlone(entry);
        const QString homeFolder = RelativePath::folder(*home);
        const SessionFolder::FolderState state
            = SessionFolder::folderState(m_fileManager, m_places.root, homeFolder);
        if (state == SessionFolder::FolderState::unsafe)
            return leaveAlone(entry);

        const QString target = SessionFolder::join(m_places.root, *home);
        if (m_fileManager.exists(target)) {
            m_outcome.conflicts.append(entry.path);
            entry.status = Status::conflict;
            entry.note = QStringLiteral("a file is already at the original place");
            return;
        }
        try {
            if (state == SessionFolder::FolderState::partial) {
                m_fileManager.createFolders(SessionFolder::join(m_places.root, homeFolder));
                if (m_fileManager.passesThroughLink(m_places.root, *home))
                    return leaveAlone(entry);
            }
            m_fileManager.moveWithoutReplacing(
                SessionFolder::join(m_places.root, sourcePath), target);
        } catch (const OperationError& error) {
            return miss(entry, error.message());
        }
        entry.status = Status::restored;
        entry.note.reset();
        ++m_outcome.restored;
    }

    const RestoreOutcome& outcome() const { return m_outcome; }

private:
    void leaveAlone(RestoreLog::Entry& entry)
    {
        miss(entry, QStringLiteral("unsafe path in the log; left alone"));
    }

    void miss(RestoreLog::Entry& entry, const QString& note)
    {
        m_outcome.missing.append(entry.path);
        entry.note = note;
    }

    const Places& m_places;
    FileManager& m_fileManager;
    RestoreOutcome m_outcome;
};

// Every real folder below `folder`, never entering a link.
void collectFolders(const QString& folder, const FileManager& fileManager, QStringList& folders)
{
    QStringList names;
    try {
        names = fileManager.list(folder);
    } catch (const OperationError&) {
        return;
    }
    for (const QString& name : names) {
        if (fileManager.passesThroughLink(folder, name + QStringLiteral("/-")))
            continue;
        const QString child = folder + u'/' + name;
        folders.append(child);
        collectFolders(child, fileManager, folders);
    }
}

void removeEmptyFolders(const QString& session, FileManager& fileManager)
{
    QStringList folders;
    collectFolders(session, fileManager, folders);
    std::stable_sort(folders.begin(), folders.end(),
        [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& folder : folders) {
        try {
            if (fileManager.list(folder).isEmpty())
                fileManager.removeEmptyFolder(folder);
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
    const Places places(session);
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
    const QString review = SessionFolder::join(root, reviewFolderName);
    QStringList names;
    try {
        names = fileManager.list(review);
    } catch (const OperationError&) {
        return {};
    }
    QList<ReviewSession> result;
    for (const QString& name : names) {
        // Hidden entries, and anything that is not a real folder inside a real review folder.
        if (name.startsWith(u'.')
            || fileManager.passesThroughLink(
                root, reviewFolderName + u'/' + name + QStringLiteral("/-")))
            continue;
        const QString folder = review + u'/' + name;
        try {
            result.append({ folder, readLog(folder, fileManager).reconciled(folder, fileManager) });
        } catch (const OperationError&) {
            // Not a session, or one whose log is damaged: it cannot be restored, so not listed.
        }
    }
    std::stable_sort(
        result.begin(), result.end(), [](const ReviewSession& a, const ReviewSession& b) {
            return a.log.created > b.log.created;
        });
    return result;
}

} // namespace Mover
