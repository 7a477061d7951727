#include "RestoreProgress.h"

#include "CutOffWork.h"
#include "FileEntry.h"
#include "Mover.h"
#include "OperationError.h"
#include "SessionFolder.h"

#include <algorithm>

namespace {

using Status = RestoreLog::Status;

} // namespace

QString RestoreProgress::puttingBackNote()
{
    return QStringLiteral("being put back");
}

bool RestoreProgress::isBeingPutBack(const RestoreLog::Entry& entry)
{
    return entry.status == Status::planned && entry.note == puttingBackNote();
}

bool RestoreProgress::wasCutOff(const RestoreLog& log)
{
    return std::any_of(log.entries.begin(), log.entries.end(), isBeingPutBack);
}

RestoreProgress::RestoreProgress(
    const FolderHandle& session, const FolderHandle& root, const QString& reviewFolderName)
    : m_session(session)
    , m_root(root)
    , m_reviewFolderName(reviewFolderName)
    , m_sessionFolder(session)
{
}

void RestoreProgress::begin(RestoreLog& log, FileManager& fileManager)
{
    m_marked.clear();
    m_cutOff.clear();
    m_listed.clear();
    for (qsizetype i = 0; i < log.entries.size(); ++i) {
        RestoreLog::Entry& entry = log.entries[i];
        if (entry.status != Status::planned && entry.status != Status::moved
            && entry.status != Status::conflict)
            continue;
        const std::optional<CutOffWork::Places> places
            = CutOffWork::placesOf(entry, m_reviewFolderName);
        if (!places)
            continue;
        const bool marked = isBeingPutBack(entry);
        if (entry.status == Status::planned) {
            if (!isRestorablePlanned(entry, places->home, places->current, fileManager))
                continue;
        } else if (!isInSession(places->current, fileManager)) {
            continue;
        }
        // A marked entry still in the session was moved or waiting before; moved is what
        // reading the session back makes of it.
        m_marked.append(
            { i, marked ? Status::moved : entry.status, marked ? std::nullopt : entry.note });
        if (marked)
            m_cutOff.insert(i);
        entry.status = Status::planned;
        entry.note = puttingBackNote();
    }
}

bool RestoreProgress::isRestorablePlanned(
    RestoreLog::Entry& entry, const QString& home, const QString& current, FileManager& fileManager)
{
    const FolderHandle* folder = m_sessionFolder.open(fileManager, RelativePath::folder(current));
    const QString name = RelativePath::name(current);
    const ItemInfo inSession = folder ? fileManager.infoOf(*folder, name) : ItemInfo {};
    if (inSession.kind == ItemKind::none) {
        if (isBeingPutBack(entry))
            settleCutOff(entry, fileManager);
        return false;
    }
    if (!CutOffWork::isReservation(entry, inSession))
        return true;
    // A move cut off after it reserved the name: the file never left. The empty reservation
    // goes once the file is seen at home; it is never put back in the file's place.
    entry.note.reset();
    const std::optional<FolderHandle> homeFolder
        = SessionFolder::openWithin(fileManager, m_root, RelativePath::folder(home));
    const ItemInfo atHome
        = homeFolder ? fileManager.infoOf(*homeFolder, RelativePath::name(home)) : ItemInfo {};
    if (atHome.kind == ItemKind::file && atHome.size > 0) {
        try {
            fileManager.removeEmptyFile(*folder, name);
        } catch (const OperationError&) {
            // It stays, uncounted, until a later restore or listing clears it.
        }
    }
    return false;
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
