#pragma once

#include "FileManager.h"
#include "FolderCursor.h"
#include "RestoreLog.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// What a restore records about itself, so that a restore cut off at any moment (killed, out of
// disk space, its log not writable) leaves a log that claims no file the session folder does
// not hold, and the next restore can finish the session.
//
// Before the first file goes back, every entry whose file is in the session becomes planned,
// with the note puttingBackNote(). A planned entry counts as moved only while its file is in the
// session folder (RestoreLog::reconciled), so the log on disk is right whichever of these files
// have gone home when the restore stops. The next restore finds the marked entries whose file is
// no longer in the session and, when a file is at their original place, records them as
// restored. Move-time planned entries carry no note, so they are never taken for files that went
// home.
class RestoreProgress
{
public:
    static QString puttingBackNote();
    // Whether the log was left by a restore that did not finish.
    static bool wasCutOff(const RestoreLog& log);

    // `session` is the session folder, `root` the folder its files go back to; both stay open
    // while this lives.
    RestoreProgress(const FolderHandle& session, const FolderHandle& root);

    // Settles entries an earlier cut-off restore left and marks the entries whose file is in the
    // session. The caller writes the log before putting any file back.
    void begin(RestoreLog& log, const FileManager& fileManager);
    // Gives marked entries that did not go back, and were not found to be waiting, the status
    // they had before.
    void end(RestoreLog& log) const;

private:
    struct Marked
    {
        qsizetype index = 0;
        RestoreLog::Status status = RestoreLog::Status::planned;
        std::optional<QString> note;
    };

    void settleCutOff(RestoreLog::Entry& entry, const FileManager& fileManager) const;
    bool isInSession(const QString& path, const FileManager& fileManager);
    const QSet<QString>& namesIn(
        const QString& folderPath, const FolderHandle& folder, const FileManager& fileManager);

    const FolderHandle& m_session;
    const FolderHandle& m_root;
    QList<Marked> m_marked;
    // Entries of one folder follow each other.
    FolderCursor m_sessionFolder;
    // What each session folder lists, by its path below the session.
    QHash<QString, QSet<QString>> m_listed;
};
