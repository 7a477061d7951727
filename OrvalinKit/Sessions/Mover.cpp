#include "Mover.h"

#include "CodingError.h"
#include "CutOffWork.h"
#include "FolderBusy.h"
#include "FolderCursor.h"
#include "LastReadLog.h"
#include "LogText.h"
#include "Naming.h"
#include "OperationError.h"
#include "SessionFolder.h"
#include "SessionLogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QSet>

namespace {

// The mover's sentences, in the "Mover" context where the translation update finds them.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Mover)
};

QString sessionName(const QDateTime& now)
{
    // A fixed locale: the name must not change with the user's language or calendar.
    return QLocale::c().toString(now.toLocalTime(), QStringLiteral("yyyy-MM-dd 'at' HH.mm.ss"));
}

// root/reviewFolderName, made when missing; refused when files could not be renamed into it.
FolderHandle openReviewFolder(
    const FolderHandle& root, const QString& reviewFolderName, FileManager& fileManager)
{
    if (!Mover::safeRelativePath(reviewFolderName))
        throw OperationError(
            Text::tr("The review folder name “%1” can’t be used.").arg(reviewFolderName));
    std::optional<FolderHandle> review
        = SessionFolder::createFoldersWithin(fileManager, root, reviewFolderName);
    const QString path = SessionFolder::join(root.path(), reviewFolderName);
    if (!review)
        throw OperationError(
            Text::tr("The review folder “%1” is a symbolic link or not a folder.").arg(path));
    // Every file would fail to move into a session there: none is made.
    if (!fileManager.isOnSameMount(root, *review))
        throw OperationError(Text::tr("The review folder “%1” is on another drive.").arg(path));
    return std::move(*review);
}

// review/<date and time>[ n], freshly made and ours alone.
FolderHandle createSessionFolder(
    const FolderHandle& review, const QDateTime& now, FileManager& fileManager)
{
    const QString name = sessionName(now);
    for (int n = 1;; ++n) {
        const QString folder = n == 1 ? name : name + u' ' + QString::number(n);
        if (fileManager.kindOf(review, folder) != ItemKind::none)
            continue;
        try {
            return fileManager.createFolder(review, folder);
        } catch (const OperationError&) {
            // Another move took the name in the meantime: try the next one.
            if (fileManager.kindOf(review, folder) == ItemKind::none)
                throw;
        }
    }
}

// Runs a step taken before the first file moves. Its failure leaves every file where it was,
// and the message says so.
template <typename Step> auto beforeAnyMove(Step step)
{
    const auto nothingMoved = [](const OperationError& error) {
        return Text::tr("Nothing was moved: %1").arg(error.message());
    };
    try {
        return step();
    } catch (const FolderBusy& busy) {
        // Still busy, so that a caller can tell it from a failure.
        throw FolderBusy(nothingMoved(busy));
    } catch (const OperationError& error) {
        throw OperationError(nothingMoved(error), error.systemError());
    }
}

// "{path without extension} {n}.{extension}"; a leading dot starts a name, not an extension.
QString numbered(const QString& path, int n)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    const QString suffix = u' ' + QString::number(n);
    if (dot <= slash + 1)
        return path + suffix;
    return path.left(dot) + suffix + path.mid(dot);
}

QList<RestoreLog::Entry> plannedEntries(const MovePlan& plan)
{
    QSet<QString> taken;
    taken.reserve(plan.items.size());
    QList<RestoreLog::Entry> entries;
    entries.reserve(plan.items.size());
    for (const PlanItem& item : plan.items) {
        const QString& path = item.file.relativePath;
        QString target = path;
        // Case-insensitive file systems would take two names that fold alike for one.
        for (int n = 2;; ++n) {
            const qsizetype before = taken.size();
            taken.insert(Naming::fold(target));
            if (taken.size() > before)
                break;
            target = numbered(path, n);
        }
        entries.append({ path, item.file.size, item.group, item.follows, target,
            RestoreLog::Status::planned, std::nullopt });
    }
    return entries;
}

// Moves one entry's file from the scanned folder (`shoot`) into the session. Every folder on the
// way is opened from the scanned folder or the session, one at a time and never through a link,
// and the file is moved between those open folders: a folder swapped for a link after the scan,
// or planted in the session, can neither pull a file in from outside the scanned folder nor push
// one out of it. Problems end up in the entry, never in an exception.
void moveEntry(
    RestoreLog::Entry& entry, FolderCursor& shoot, FolderCursor& session, FileManager& fileManager)
{
    const auto fail = [&](const QString& note) {
        entry.status = RestoreLog::Status::failed;
        entry.note = note;
    };
    if (!Mover::safeRelativePath(entry.path) || !entry.movedTo
        || !Mover::safeRelativePath(*entry.movedTo))
        return fail(QStringLiteral("unsafe path; not moved"));
    const QString notMoved = QStringLiteral("; not moved");
    const QString notFound = QStringLiteral("not found");
    const QString name = RelativePath::name(entry.path);
    const QString targetName = RelativePath::name(*entry.movedTo);
    try {
        ItemKind blocker = ItemKind::none;
        const FolderHandle* from
            = shoot.open(fileManager, RelativePath::folder(entry.path), &blocker);
        if (!from && blocker != ItemKind::none)
            return fail(SessionFolder::obstacle(blocker) + notMoved);
        if (!from)
            return fail(notFound);

        const QString targetFolder = RelativePath::folder(*entry.movedTo);
        const FolderHandle* to = session.open(fileManager, targetFolder, &blocker);
        if (!to && blocker == ItemKind::none) {
            // No folder is made in the session for a file that is not there.
            if (fileManager.kindOf(*from, name) == ItemKind::none)
                return fail(notFound);
            to = session.openOrCreate(fileManager, targetFolder, &blocker);
        }
        if (!to)
            return fail(SessionFolder::obstacle(blocker) + notMoved);
        if (const auto refusal = SessionFolder::moveUnlessRefused(
                fileManager, *from, name, *to, targetName, FileManager::TargetFolder::ownOnly)) {
            return fail(*refusal == SessionFolder::Refusal::fileMissing
                    ? notFound
                    : QStringLiteral("something is already at ") + *entry.movedTo);
        }
        entry.status = RestoreLog::Status::moved;
    } catch (const OperationError& error) {
        fail(error.message());
    }
}

} // namespace

namespace Mover {

QString logName()
{
    return QStringLiteral("restore-log.json");
}

QString textLogName()
{
    return QStringLiteral("Moved files.txt");
}

std::optional<QString> safeRelativePath(const QString& path)
{
    if (path.isEmpty() || path.startsWith(u'/') || path.startsWith(u'~'))
        return std::nullopt;
    // A NUL would cut the path short in the system call, and text that does not survive the
    // trip to the file system's bytes and back would name another file.
    if (!RelativePath::isFaithfulInBytes(path))
        return std::nullopt;
    for (QStringView piece : QStringView(path).tokenize(u'/')) {
        if (piece.isEmpty() || piece == u"." || piece == u"..")
            return std::nullopt;
    }
    return path;
}

MoveOutcome move(const MovePlan& plan, const QString& root, const QString& reviewFolderName,
    const QString& app, const QDateTime& now, const LogWording& wording, FileManager& fileManager,
    const ReviewLock::Waiting& waiting)
{
    const QString rootPath = SessionFolder::withoutTrailingSlash(root);
    const FolderHandle rootFolder = beforeAnyMove([&] {
        if (!now.isValid())
            throw OperationError(Text::tr("The move has no valid date."));
        return fileManager.openFolder(rootPath);
    });
    const FolderHandle review = beforeAnyMove(
        [&] { return openReviewFolder(rootFolder, reviewFolderName, fileManager); });
    const FolderLock lock
        = beforeAnyMove([&] { return ReviewLock::take(review, fileManager, waiting); });
    // A file a cut-off restore was putting back is home before it can be moved again.
    beforeAnyMove(
        [&] { CutOffWork::finishAll(review, rootFolder, reviewFolderName, fileManager); });
    const FolderHandle session
        = beforeAnyMove([&] { return createSessionFolder(review, now, fileManager); });

    RestoreLog log { 1, app, now, rootPath, Destination::review, plannedEntries(plan),
        std::nullopt };
    SessionLogs logs(session, wording);
    beforeAnyMove([&] { logs.write(log, fileManager); });

    // Entries of one folder follow each other.
    FolderCursor shootFolder(rootFolder);
    FolderCursor sessionFolder(session);
    for (RestoreLog::Entry& entry : log.entries) {
        moveEntry(entry, shootFolder, sessionFolder, fileManager);
        logs.writeIfDue(log, fileManager);
    }
    try {
        logs.write(log, fileManager);
    } catch (const OperationError& error) {
        // The first log lists every file, and sessions are read back against their folder, so
        // the files already moved can still be put back.
        throw OperationError(
            Text::tr("%1 %Ln files were moved to “%2” all the same; Restore puts them back.",
                nullptr, int(log.movedCount()))
                .arg(error.message(), session.path()));
    }
    return { session.path(), log };
}

QString text(const RestoreLog& log, const QString& session, const LogWording& wording)
{
    QStringList lines;
    lines.reserve(log.entries.size());
    for (const RestoreLog::Entry& entry : log.entries)
        lines.append(LogText::textLine(entry));
    return LogText::text(log, session, wording, lines);
}

qint64 largestLog()
{
    // About a million entries: more than any shoot, and still far from exhausting the memory.
    return qint64(256) << 20;
}

RestoreLog readLog(const QString& session, const FileManager& fileManager)
{
    return readLog(fileManager.openFolder(session), fileManager);
}

RestoreLog readLog(const FolderHandle& session, const FileManager& fileManager)
{
    const QString path = session.pathOf(logName());
    const QByteArray data = fileManager.read(session, logName(), largestLog());
    try {
        return LastReadLog::decoded(data);
    } catch (const CodingError& error) {
        throw CodingError(
            Text::tr("The restore log “%1” is damaged: %2").arg(path, error.message()));
    }
}

} // namespace Mover
