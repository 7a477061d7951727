#include "CutOffWork.h"

#include "FolderCursor.h"
#include "Mover.h"
#include "Naming.h"
#include "OperationError.h"
#include "RelativePath.h"
#include "RestoreProgress.h"
#include "SessionLogs.h"

namespace {

using Status = RestoreLog::Status;

void finishEntry(const RestoreLog::Entry& entry, const CutOffWork::Places& places,
    FolderCursor& sessionFolders, FolderCursor& homeFolders, FileManager& fileManager)
{
    const FolderHandle* inSession
        = sessionFolders.open(fileManager, RelativePath::folder(places.current));
    if (!inSession)
        return;
    const QString name = RelativePath::name(places.current);
    const ItemInfo sessionFile = fileManager.infoOf(*inSession, name);
    if (sessionFile.kind != ItemKind::file)
        return;
    const FolderHandle* atHome = homeFolders.open(fileManager, RelativePath::folder(places.home));
    if (!atHome)
        return;
    const QString homeName = RelativePath::name(places.home);
    const ItemInfo homeFile = fileManager.infoOf(*atHome, homeName);
    if (homeFile.kind != ItemKind::file)
        return;
    if (CutOffWork::isReservation(entry, sessionFile)) {
        // The file never left: the empty one in the session holds nothing it lacks.
        if (homeFile.size > 0)
            fileManager.removeEmptyFile(*inSession, name);
        return;
    }
    const bool puttingBack = RestoreProgress::isBeingPutBack(entry);
    if (sessionFile.isSameFileAs(homeFile) && !puttingBack)
        fileManager.completeMove(*atHome, homeName, *inSession, name);
    else if (sessionFile.isSameFileAs(homeFile)
        || (puttingBack && homeFile.size <= sessionFile.size))
        fileManager.completeMove(*inSession, name, *atHome, homeName);
}

} // namespace

namespace CutOffWork {

std::optional<Places> placesOf(const RestoreLog::Entry& entry, const QString& reviewFolderName)
{
    const std::optional<QString> home = Mover::safeRelativePath(entry.path);
    const std::optional<QString> current = Mover::safeRelativePath(entry.currentPath());
    if (!home || !current)
        return std::nullopt;
    if (!current->contains(u'/') && SessionLogs::isOwnFile(*current))
        return std::nullopt;
    if (Naming::fold(home->section(u'/', 0, 0)) == Naming::fold(reviewFolderName))
        return std::nullopt;
    return Places { *home, *current };
}

bool isReservation(const RestoreLog::Entry& entry, const ItemInfo& inSession)
{
    return inSession.kind == ItemKind::file && inSession.size == 0 && entry.size > 0;
}

void finish(const RestoreLog& log, const FolderHandle& session, const FolderHandle& root,
    const QString& reviewFolderName, FileManager& fileManager)
{
    FolderCursor sessionFolders(session);
    FolderCursor homeFolders(root);
    for (const RestoreLog::Entry& entry : log.entries) {
        if (entry.status != Status::planned)
            continue;
        const std::optional<Places> places = placesOf(entry, reviewFolderName);
        if (!places)
            continue;
        try {
            finishEntry(entry, *places, sessionFolders, homeFolders, fileManager);
        } catch (const OperationError&) {
            // Left as it is; the next restore of the session says what stands in its way.
        }
    }
}

void finishAll(const FolderHandle& review, const FolderHandle& root,
    const QString& reviewFolderName, FileManager& fileManager)
{
    QStringList names;
    try {
        names = fileManager.list(review);
    } catch (const OperationError&) {
        return;
    }
    for (const QString& name : names) {
        if (name.startsWith(u'.'))
            continue;
        try {
            const std::optional<FolderHandle> session = fileManager.openChild(review, name);
            if (session)
                finish(Mover::readLog(*session, fileManager), *session, root, reviewFolderName,
                    fileManager);
        } catch (const OperationError&) {
            // Not a session, or one whose log cannot be read: nothing of it is listed either.
        }
    }
}

} // namespace CutOffWork
