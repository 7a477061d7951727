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
// restored; those still in the session it marks again, remembering that a copy or link of theirs
// may have been cut off at the original place (CutOffWork). Move-time planned entries carry no
// note, so they are never taken for files that went home, and a reservation a cut-off move left
// in the session is never marked at all.
class RestoreProgress
{
public:
    static QString puttingBackNote();
    // Whether the entry is marked as being put back.
    static bool isBeingPutBack(const RestoreLog::Entry& entry);
    // Whether the log was left by a restore that did not finish.
    static bool wasCutOff(const RestoreLog& log);

    // `session` is the session folder, `root` the folder its files go back to; both stay open
    // while this lives. `reviewFolderName` is the name of the folder that holds the session.
    RestoreProgress(
        const FolderHandle& session, const FolderHandle& root, const QString& reviewFolderName);

    // Settles entries an earlier cut-off restore left, clears reservations a cut-off move left,
    // and marks the entries whose file is in the session. The caller writes the log before
    // putting any file back.
    void begin(RestoreLog& log, FileManager& fileManager);
    // Whether entry `index` was being put back when an earlier restore was cut off, so that what
    // stands at its original place may be that restore's unfinished copy.
    bool wasCutOff(qsizetype index) const { return m_cutOff.contains(index); }
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

    // Whether the planned entry's file may go back; clears it when it is a reservation.
    bool isRestorablePlanned(RestoreLog::Entry& entry, const QString& home, const QString& current,
        FileManager& fileManager);
    void settleCutOff(RestoreLog::Entry& entry, const FileManager& fileManager) const;
    bool isInSession(const QString& path, const FileManager& fileManager);
    const QSet<QString>& namesIn(
        const QString& folderPath, const FolderHandle& folder, const FileManager& fileManager);

    const FolderHandle& m_session;
    const FolderHandle& m_root;
    QString m_reviewFolderName;
    QList<Marked> m_marked;
    // Entries an earlier restore was putting back when it was cut off, by index.
    QSet<qsizetype> m_cutOff;
    // Entries of one folder follow each other.
    FolderCursor m_sessionFolder;
    // What each session folder lists, by its path below the session.
    QHash<QString, QSet<QString>> m_listed;
};
