#pragma once

#include <QByteArray>

// The temporary files an atomic write leaves when the process is killed between creating one and
// renaming it into place: ".{name}.{random}.tmp" beside the file. Nobody else writes such names.
namespace LeftoverTemporaries {

// Whether `entry` is a temporary of the file `name`.
bool isTemporaryOf(const char* entry, const QByteArray& name);

// Removes the regular files in the open folder `folder` that are temporaries of `name`. Best
// effort: what cannot be listed or removed stays.
void clear(int folder, const QByteArray& name);

} // namespace LeftoverTemporaries
