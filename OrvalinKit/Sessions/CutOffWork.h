#pragma once

#include "FileManager.h"
#include "RestoreLog.h"

#include <QString>
#include <optional>

// What a move or a restore killed between two system calls leaves of a file, told apart from
// anything of the user's by the one who left it, and finished.
//
// The log tells the intent before anything is done: an entry is planned before its file goes
// into the session, and marked as being put back (RestoreProgress) before it goes home. So what a
// step cut short can leave is known, and nothing else is ever taken for it:
// - a move into a session on a file system without an exclusive rename leaves an empty
//   reservation in the session while the file is still at its place (isReservation);
// - a hard link leaves one file under both names;
// - a copy home leaves, at the original place, the first bytes of the file still in the session.
// A file that might be the user's is never removed: a reservation goes only where the file is
// still at home, and a copy is finished only when it holds nothing but the file's first bytes.
namespace CutOffWork {

// An entry's places, as far as a log's paths may be trusted with them.
struct Places
{
    // In the scanned folder.
    QString home;
    // In the session folder.
    QString current;
};

// The entry's places when both are safe relative paths, the place in the session is not one of
// the session's own logs, and the original place is not inside the review folder: a crafted log
// can neither take the logs for a photo nor fill the review folder.
std::optional<Places> placesOf(const RestoreLog::Entry& entry, const QString& reviewFolderName);

// Whether `inSession`, found at a planned entry's place in the session, is a reservation rather
// than the file: empty, where the log says the file was not. Such a file is never counted as
// moved, and never put back.
bool isReservation(const RestoreLog::Entry& entry, const ItemInfo& inSession);

// Finishes what cut-off moves and restores left of the planned entries of one session's log:
// a move whose file is under both names completes, a restore completes its link or copy home,
// and a reservation goes where the file is still at home. The log is not written; read back
// against the folders it tells the new state. Best effort: what cannot be finished stays. Only
// for whoever holds the review folder's lock, which keeps a live move or restore out of reach.
void finish(const RestoreLog& log, const FolderHandle& session, const FolderHandle& root,
    const QString& reviewFolderName, FileManager& fileManager);

// The same for every session in the review folder.
void finishAll(const FolderHandle& review, const FolderHandle& root,
    const QString& reviewFolderName, FileManager& fileManager);

} // namespace CutOffWork
