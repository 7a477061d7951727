#pragma once

#include <QString>
#include <QStringList>

// What the drill found after killing orvalin-cli moves and restoring.
struct CrashDrillReport
{
    int kills = 0;
    qint64 filesChecked = 0;
    // Files not back at their original path with their original content.
    qint64 lost = 0;
    // Files found at a path where there was none before, outside the review folder.
    qint64 extra = 0;
    // Files outside the scanned folder whose content changed.
    qint64 outsideTouched = 0;
    QStringList problems;

    bool clean() const { return lost == 0 && extra == 0 && outsideTouched == 0; }
};

// Starts `orvalin-cli move` on a tree of a few thousand files, kills it with SIGKILL at a random
// moment, runs `orvalin-cli restore --all`, and checks every file is back, byte for byte, and
// nothing outside the scanned folder was touched.
namespace CrashDrill {

CrashDrillReport run(const QString& cliPath, int kills, int filesPerTree, quint32 seed);

} // namespace CrashDrill
