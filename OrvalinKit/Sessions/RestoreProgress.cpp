#include "RestoreProgress.h"

#include "FileEntry.h"
#include "Mover.h"
#include "OperationError.h"
#include "SessionFolder.h"

#include <algorithm>

namespace {

using Status = RestoreLog::Status;

bool isMarked(const RestoreLog::Entry& entry)
{
    return entry.status == Status::planned && entry.note == RestoreProgress::puttingBackNote();
}

} // namespace

QString RestoreProgress::puttingBackNote()
{
    return QStringLiteral("being put back");
}

bool RestoreProgress::wasCutOff(const RestoreLog& log)
{
    return std::any_of(log.entries.begin(), log.entries.end(), isMarked);
}

RestoreProgress::RestoreProgress(const FolderHandle& session, const FolderHandle& root)
    : m_session(session)
    , m_root(root)
    , m_sessionFolder(session)
{
}

void RestoreProgress::begin(RestoreLog& log, const FileManager& fileManager)
{
    m_marked.clear();
    m_listed.clear();
    for (qsizetype i = 0; i < log.entries.size(); ++i) {
        RestoreLog::Entry& entry = log.entries[i];
        if (entry.status != Status::planned && entry.status != Status::moved
            && entry.status != Status::conflict)
            continue;
        const std::optional<QString> current = Mover::safeRelativePath(entry.currentPath());
        if (!current || !Mover::safeRelativePath(entry.path))
            continue;
        const bool inSession = isInSession(*current, fileManager);
        if (isMarked(entry) && !inSession) {
            settleCutOff(entry, fileManager);
            continue;
        }
        if (!inSession)
            continue;
        // A marked entry still in the session was moved or waiting before; moved is what
        // reading the session back makes of it.
        m_marked.append({ i, isMarked(entry) ? Status::moved : entry.status,
            isMarked(entry) ? std::nullopt : entry.note });
        entry.status = Status::planned;
        entry.note = puttingBackNote();
    }
}

void RestoreProgress::settleCutOff(RestoreLog::Entry& entry, const FileManager& fileManager) const
{
    entry.note.reset();
    // The restore that was cut off put the file back, or something took its place since: in
    // neither case is it in the session any more.
    const std::optional<FolderHandle> home
        = SessionFolder::openWithin(fileManager, m_root, RelativePath::folder(entry.path));
    if (home && fileManager.kindOf(*home, RelativePath::name(entry.path)) != ItemKind::none) {
        entry.status = Status::restored;
        return;
    }
    // Neither here nor there: restore reports it as not found, as it does a moved file that was
    // deleted by hand.
    entry.status = Status::moved;
}

bool RestoreProgress::isInSession(const QString& path, const FileManager& fileManager)
{
    const QString folderPath = RelativePath::folder(path);
    const FolderHandle* folder = m_sessionFolder.open(fileManager, folderPath);
    if (!folder)
        return false;
    // A name the folder lists is there, which spares a look-up per file; any other name is
    // looked up, as a file system may find a file under another form of its name.
    const QString name = RelativePath::name(path);
    return namesIn(folderPath, *folder, fileManager).contains(name)
        || fileManager.kindOf(*folder, name) != ItemKind::none;
}

const QSet<QString>& RestoreProgress::namesIn(
    const QString& folderPath, const FolderHandle& folder, const FileManager& fileManager)
{
    auto listed = m_listed.find(folderPath);
    if (listed == m_listed.end()) {
        QSet<QString> names;
        try {
            const QStringList list = fileManager.list(folder);
            names = QSet<QString>(list.begin(), list.end());
        } catch (const OperationError&) {
            // Then every name is looked up on its own.
        }
        listed = m_listed.insert(folderPath, std::move(names));
    }
    return *listed;
}

void RestoreProgress::end(RestoreLog& log) const
{
    for (const Marked& marked : m_marked) {
        RestoreLog::Entry& entry = log.entries[marked.index];
        if (entry.status != Status::planned)
            continue;
        entry.status = marked.status;
        if (entry.note == puttingBackNote())
            entry.note = marked.note;
    }
}
