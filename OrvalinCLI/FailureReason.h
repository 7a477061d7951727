#pragma once

#include <QString>

// Why a file was not moved, said once and in a few words. The log keeps the file manager's whole
// message, which names the source and the target by their full paths; on a network share those
// paths fill a terminal line each.
namespace FailureReason {

// `note` as the log keeps it, shortened to the system's reason in lower case with what it
// usually means for a move ("permission denied (the folder can’t be changed)"). A note that
// ends in no reason the system gives comes back with the paths below `root` made relative.
QString of(const QString& note, const QString& root);

} // namespace FailureReason
