#pragma once

#include <QString>
#include <QStringList>

// What the drill found after moving and restoring while another thread kept swapping folders of
// the shoot and of the session for symbolic links to folders outside.
struct RaceDrillReport
{
    int rounds = 0;
    // Times a folder stood replaced by a link while a move or restore ran.
    qint64 swaps = 0;
    qint64 filesChecked = 0;
    // Files back at their place, byte for byte, after the last restore of each round.
    qint64 back = 0;
    // Files whose content is nowhere in the shoot any more (nor where the swapper parked a folder).
    qint64 lost = 0;
    // Files outside the scanned folder that were changed, moved, or appeared there.
    qint64 outsideTouched = 0;
    QStringList problems;

    bool clean() const { return lost == 0 && outsideTouched == 0; }
};

// Each round moves every file of a small shoot into a session and restores it, twice each
// while a thread swaps folders for links as fast as it can, then restores once more in peace.
// Bounded by `rounds` and, for the swapping, by the length of each move and restore.
namespace RaceDrill {

RaceDrillReport run(int rounds, int filesPerFolder);

} // namespace RaceDrill
