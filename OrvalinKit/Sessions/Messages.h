#pragma once

#include "LogWording.h"
#include "MoveOutcome.h"
#include "OrphanGroup.h"
#include "RestoreOutcome.h"

#include <QCoreApplication>
#include <QString>

// The sentences the window and the command-line tool both say about groups, moves and
// restores, translated in the "Messages" context.
class Messages
{
    Q_DECLARE_TR_FUNCTIONS(Messages)

public:
    // "RAW without JPEG", "JPEG without RAW", "Orphaned sidecars".
    static QString groupTitle(OrphanGroup group);
    // What a group holds, in a sentence.
    static QString groupExplanation(OrphanGroup group);

    // "{app} Review": the review folder inside every scanned folder.
    static QString reviewFolderName(const QString& app);

    // The text log's wording with the application's name in it.
    static LogWording logWording(const QString& app);

    // "Moved {n} files ({size}) to “{app} Review”. Restore puts them back."
    static QString movedFiles(const QString& app, const MoveOutcome& outcome);
    // movedFiles() and, when some failed, "{k} couldn’t be moved; see the log."
    static QString moveNotice(const QString& app, const MoveOutcome& outcome);

    // The move summary's line on how many folders the planned files come from.
    static QString planFolderCount(qsizetype folders);
    // The move summary's line on where the files go.
    static QString planDestination(const QString& app);

    // "Put back {n} files." with the sentences for conflicts, missing files and files that could
    // not be put back, by reason, when there are any.
    static QString restoreNotice(const RestoreOutcome& outcome);
    // Why a file could not be put back, in a few words: "permission denied" and the like.
    static QString restoreFailureReason(RestoreFailure::Reason reason);
};
