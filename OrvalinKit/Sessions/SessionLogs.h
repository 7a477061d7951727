#pragma once

#include "FileManager.h"
#include "LogSchedule.h"
#include "LogWording.h"
#include "RestoreLog.h"

#include <QList>
#include <QString>
#include <QStringList>

// The two logs of one session folder, as a move or a restore writes them: once before the first
// file goes, now and then on the way (see LogSchedule) and once at the end. Entries that did not
// change since the last write keep their encoded pieces, so a long move does not spend its time
// encoding the same entries again and again.
class SessionLogs
{
public:
    // Keeps a handle of its own on the session folder.
    SessionLogs(const FolderHandle& session, LogWording wording,
        LogSchedule::Clock clock = LogSchedule::steadyClock());

    // Whether `name`, at the top of a session folder, is one of the logs or a temporary file
    // of their writer: never a file of the user's, whatever a log says.
    static bool isOwnFile(const QString& name);

    // "restore-log.json", then "Moved files.txt", each replaced atomically; a failed JSON write
    // leaves the text log alone. Throws OperationError.
    void write(const RestoreLog& log, FileManager& fileManager);
    // Writes when the schedule says a write is due. A failure is ignored: the write before this
    // one, read back against the session folder, still tells where every file is.
    void writeIfDue(const RestoreLog& log, FileManager& fileManager);

private:
    void writeNow(const RestoreLog& log, FileManager& fileManager);
    // The positions of the entries that changed since they were last encoded, with room made
    // for their pieces.
    QList<qsizetype> changedSinceEncoded(const RestoreLog& log);

    FolderHandle m_session;
    LogWording m_wording;
    LogSchedule m_schedule;
    // The entries as last encoded, with their pieces.
    QList<RestoreLog::Entry> m_entries;
    QList<QByteArray> m_json;
    QStringList m_lines;
};
