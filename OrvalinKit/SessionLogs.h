#pragma once

#include "FileManager.h"
#include "LogWording.h"
#include "RestoreLog.h"

#include <QList>
#include <QString>
#include <QStringList>

// The two logs of one session folder. A move rewrites them every 500 files; entries that did
// not change since the last write keep their encoded pieces, so a long move does not spend its
// time encoding the same entries again and again.
class SessionLogs
{
public:
    // Keeps a handle of its own on the session folder.
    SessionLogs(const FolderHandle& session, LogWording wording);

    // Whether `name`, at the top of a session folder, is one of the logs or a temporary file
    // of their writer: never a file of the user's, whatever a log says.
    static bool isOwnFile(const QString& name);

    // "restore-log.json", then "Moved files.txt", each replaced atomically; a failed JSON write
    // leaves the text log alone. Throws OperationError.
    void write(const RestoreLog& log, FileManager& fileManager);

private:
    void update(const RestoreLog& log);

    FolderHandle m_session;
    LogWording m_wording;
    // The entries as last encoded, with their pieces.
    QList<RestoreLog::Entry> m_entries;
    QList<QByteArray> m_json;
    QStringList m_lines;
};
