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
    SessionLogs(
        QString session, LogWording wording, LogSchedule::Clock clock = LogSchedule::steadyClock());

    // "restore-log.json", then "Moved files.txt", each replaced atomically; a failed JSON write
    // leaves the text log alone. Throws OperationError.
    void write(const RestoreLog& log, FileManager& fileManager);
    // Writes when the schedule says a write is due. A failure is ignored: the write before this
    // one, read back against the session folder, still tells where every file is.
    void writeIfDue(const RestoreLog& log, FileManager& fileManager);

private:
    void writeNow(const RestoreLog& log, FileManager& fileManager);
    void update(const RestoreLog& log);

    QString m_session;
    LogWording m_wording;
    LogSchedule m_schedule;
    // The entries as last encoded, with their pieces.
    QList<RestoreLog::Entry> m_entries;
    QList<QByteArray> m_json;
    QStringList m_lines;
};
