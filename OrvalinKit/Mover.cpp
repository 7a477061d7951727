#include "Mover.h"

#include "CodingError.h"
#include "LogText.h"
#include "Naming.h"
#include "OperationError.h"
#include "SessionFolder.h"
#include "SessionLogs.h"

#include <QCoreApplication>
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

// root/reviewFolderName/<date and time>[ n], freshly made and ours alone.
QString createSessionFolder(const QString& root, const QString& reviewFolderName,
    const QDateTime& now, FileManager& fileManager)
{
    if (!Mover::safeRelativePath(reviewFolderName))
        throw OperationError(
            Text::tr("The review folder name “%1” can’t be used.").arg(reviewFolderName));
    const QString review = SessionFolder::join(root, reviewFolderName);
    if (!SessionFolder::createFoldersWithin(fileManager, root, reviewFolderName))
        throw OperationError(
            Text::tr("The review folder “%1” is a symbolic link or not a folder; nothing was moved.")
                .arg(review));
    const QString name = sessionName(now);
    for (int n = 1;; ++n) {
        const QString folder = review + u'/' + (n == 1 ? name : name + u' ' + QString::number(n));
        if (fileManager.exists(folder))
            continue;
        try {
            fileManager.createFolder(folder);
            return folder;
        } catch (const OperationError&) {
            // Another move took the name in the meantime: try the next one.
            if (!fileManager.exists(folder))
                throw;
        }
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
    QList<RestoreLog::Entry> entries;
    entries.reserve(plan.items.size());
    for (const PlanItem& item : plan.items) {
        const QString& path = item.file.relativePath;
        QString target = path;
        for (int n = 2; taken.contains(Naming::fold(target)); ++n)
            target = numbered(path, n);
        taken.insert(Naming::fold(target));
        entries.append({ path, item.file.size, item.group, item.follows, target,
            RestoreLog::Status::planned, std::nullopt });
    }
    return entries;
}

// Moves one entry's file from root into the session; `sessionPath` is the session folder
// relative to root. Problems end up in the entry, never in an exception.
void moveEntry(RestoreLog::Entry& entry, const QString& root, const QString& sessionPath,
    QSet<QString>& madeFolders, FileManager& fileManager)
{
    const auto fail = [&](const QString& note) {
        entry.status = RestoreLog::Status::failed;
        entry.note = note;
    };
    const QString linkNote = QStringLiteral("a folder on the way is a symbolic link; not moved");
    if (!Mover::safeRelativePath(entry.path) || !entry.movedTo)
        return fail(QStringLiteral("unsafe path; not moved"));
    const QString source = SessionFolder::join(root, entry.path);
    if (!fileManager.exists(source))
        return fail(QStringLiteral("not found"));
    // A folder swapped for a link after the scan would pull in a file from outside the scanned
    // folder; one planted in the session would push a file out. Checked for every file, as
    // close to its move as the file manager allows.
    if (fileManager.passesThroughLink(root, entry.path))
        return fail(linkNote);

    const QString targetPath = sessionPath + u'/' + *entry.movedTo;
    const QString targetFolder = RelativePath::folder(targetPath);
    if (!madeFolders.contains(targetFolder)) {
        try {
            if (!SessionFolder::createFoldersWithin(fileManager, root, targetFolder))
                return fail(linkNote);
        } catch (const OperationError& error) {
            return fail(error.message());
        }
        madeFolders.insert(targetFolder);
    } else if (fileManager.passesThroughLink(root, targetPath)) {
        return fail(linkNote);
    }
    const QString target = SessionFolder::join(root, targetPath);
    if (fileManager.exists(target))
        return fail(QStringLiteral("something is already at ") + *entry.movedTo);
    try {
        fileManager.moveWithoutReplacing(source, target);
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
    for (QStringView piece : QStringView(path).split(u'/')) {
        if (piece.isEmpty() || piece == u"." || piece == u"..")
            return std::nullopt;
    }
    return path;
}

MoveOutcome move(const MovePlan& plan, const QString& root, const QString& reviewFolderName,
    const QString& app, const QDateTime& now, const LogWording& wording, FileManager& fileManager)
{
    if (!now.isValid())
        throw OperationError(Text::tr("The move has no valid date; nothing was moved."));
    const QString rootPath = SessionFolder::withoutTrailingSlash(root);
    const QString session = createSessionFolder(rootPath, reviewFolderName, now, fileManager);
    const QString sessionPath = reviewFolderName + u'/' + RelativePath::name(session);

    RestoreLog log { 1, app, now, rootPath, Destination::review, plannedEntries(plan),
        std::nullopt };
    SessionLogs logs(session, wording);
    logs.write(log, fileManager);

    // Folders this move made in the session; each was checked just after it was made.
    QSet<QString> madeFolders;
    for (RestoreLog::Entry& entry : log.entries) {
        moveEntry(entry, rootPath, sessionPath, madeFolders, fileManager);
        logs.writeIfDue(log, fileManager);
    }
    try {
        logs.write(log, fileManager);
    } catch (const OperationError& error) {
        // The first log lists every file, and sessions are read back against their folder, so
        // the files already moved can still be put back.
        throw OperationError(
            Text::tr("%1 %2 files were moved to “%3” all the same; Restore puts them back.")
                .arg(error.message())
                .arg(log.movedCount())
                .arg(session));
    }
    return { session, log };
}

QString text(const RestoreLog& log, const QString& session, const LogWording& wording)
{
    QStringList lines;
    lines.reserve(log.entries.size());
    for (const RestoreLog::Entry& entry : log.entries)
        lines.append(LogText::textLine(entry));
    return LogText::text(log, session, wording, lines);
}

RestoreLog readLog(const QString& session, const FileManager& fileManager)
{
    const QString path = SessionFolder::join(session, logName());
    const QByteArray data = fileManager.read(path);
    try {
        return RestoreLog::decoded(data);
    } catch (const CodingError& error) {
        throw CodingError(Text::tr("The restore log “%1” is damaged: %2").arg(path, error.message()));
    }
}

} // namespace Mover
