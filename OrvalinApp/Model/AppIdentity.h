#pragma once

#include <QString>

// The application's name as the user sees it, and the names derived from it.
namespace AppIdentity {

// The display name, else the application name, else the process name.
QString name();

// "{app} Review": the folder inside every scanned folder that holds the review sessions.
QString reviewFolderName(const QString& app);

} // namespace AppIdentity
