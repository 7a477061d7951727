#pragma once

#include "FileManager.h"
#include "LogWording.h"
#include "MoveOutcome.h"
#include "MovePlan.h"
#include "RestoreOutcome.h"
#include "ReviewLock.h"
#include "ReviewSession.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// Moves planned files into a new review session, puts sessions back, and finds past sessions.
// Never deletes or overwrites a file; the only removals are emptied folders inside a session.
namespace Mover {

// "restore-log.json" and "Moved files.txt".
QString logName();
QString textLogName();

// Creates root/reviewFolderName/<date and time>[ n]/, writes both logs before the first file
// moves, now and then on the way (SessionLogs) and at the end. Per-file problems are recorded, not
// thrown. Runs only while no other move or restore of the folder does (ReviewLock: declines with
// FolderBusy, or waits when `waiting` is given), and first finishes what cut-off ones left
// (CutOffWork). Throws OperationError when the review folder is another drive, or the session
// folder or the first or final log cannot be written.
MoveOutcome move(const MovePlan& plan, const QString& root, const QString& reviewFolderName,
    const QString& app, const QDateTime& now, const LogWording& wording, FileManager& fileManager,
    const ReviewLock::Waiting& waiting = {});

// The full text of "Moved files.txt" for a log and its session folder.
QString text(const RestoreLog& log, const QString& session, const LogWording& wording);

// The size above which a file is not taken for a restore log.
qint64 largestLog();

// Reads and decodes the session's restore log. Throws OperationError; anything but a regular
// file of at most largestLog() bytes is an error too.
RestoreLog readLog(const QString& session, const FileManager& fileManager);
RestoreLog readLog(const FolderHandle& session, const FileManager& fileManager);

// Puts the session's files back under the folder that holds its review folder now; never
// overwrites, and finishes what a cut-off restore left. Locks as move does. Throws OperationError
// when the log cannot be read or first written, and UnrecordedRestore, with what went back, when
// it cannot be written at the end.
RestoreOutcome restore(const QString& session, const LogWording& wording, const QDateTime& now,
    FileManager& fileManager, const ReviewLock::Waiting& waiting = {});

// Sessions of `root`, newest first; folders without a readable log are left out. When no move or
// restore of the folder runs, what cut-off ones left is finished first, so that a reservation is
// never counted as a file and never stays where a photo belongs.
QList<ReviewSession> sessions(
    const QString& root, const QString& reviewFolderName, FileManager& fileManager);

// The path when a log's path may be joined to a folder: not empty, no leading "/" or "~", no
// empty, "." or ".." component, and nothing the system calls would cut short or misread (a NUL,
// text that cannot become the file system's bytes and back).
std::optional<QString> safeRelativePath(const QString& path);

} // namespace Mover
