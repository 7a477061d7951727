#pragma once

#include "FileManager.h"

#include <QString>

// A folder named on the command line, looked at before any work starts.
namespace FolderArgument {

// The absolute, clean path of `argument` when it is a folder that opens. Else throws
// OperationError with the reason in one line: nothing is there, it is not a folder, or why the
// system would not open it (a permission, a network share that stopped answering).
QString checked(const QString& argument, const FileManager& fileManager);

} // namespace FolderArgument
