#pragma once

#include "LogWording.h"
#include "MoveOutcome.h"
#include "OrphanGroup.h"
#include "RestoreOutcome.h"

#include <QString>

// The sentences the window and the command-line tool both say about moves and restores,
// translated in the "Messages" context.
namespace Messages {

// "RAW without JPEG", "JPEG without RAW", "Orphaned sidecars".
QString groupTitle(OrphanGroup group);
// What a group holds, in a sentence.
QString groupExplanation(OrphanGroup group);

// "{app} Review": the review folder inside every scanned folder.
QString reviewFolderName(const QString& app);

// The text log's wording with the application's name in it.
LogWording logWording(const QString& app);

// "Moved {n} files ({size}) to “{app} Review”. Restore puts them back." and, when some failed,
// "{k} couldn’t be moved; see the log."
QString moveNotice(const QString& app, const MoveOutcome& outcome);

// "Put back {n} files." with the sentences for conflicts and missing files when there are any.
QString restoreNotice(const RestoreOutcome& outcome);

} // namespace Messages
