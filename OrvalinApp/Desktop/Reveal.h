#pragma once

#include <QString>

// Shows a file or folder in the desktop's file manager.
namespace Reveal {

// Asks the file manager over D-Bus to open the enclosing folder with the item selected; when no
// file manager answers, opens the enclosing folder instead.
void inFileManager(const QString& path);

} // namespace Reveal
