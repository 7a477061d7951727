#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The outcome of one orvalin-cli run.
struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

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
    // Restores killed as well, after the move.
    int restoreKills = 0;
    // Sessions listed with another number of files than their folder holds, files reported
    // missing although they are home, sessions left unfinished or with temporary logs, and
    // restores that counted other than the files they had to put back or did not exit done.
    qint64 misreported = 0;
    QStringList problems;

    bool clean() const { return !(lost || extra || outsideTouched || misreported); }
};

// Starts `orvalin-cli move` on a tree of a few thousand files and kills it with SIGKILL at a
// random moment; every other time kills the `orvalin-cli restore --all` that follows as well.
// Then checks that `sessions` lists what the session folders hold, runs `restore --all` to the
// end, and checks that it reports nothing missing, finishes every session, and that every file
// is back, byte for byte, with nothing outside the scanned folder touched.
namespace CrashDrill {

CrashDrillReport run(const QString& cliPath, int kills, int filesPerTree, quint32 seed);

// Runs orvalin-cli as a user's shell would, to the end; or kills it with SIGKILL `killAfter`
// microseconds after it started, leaving what it printed unread.
CliRun runCli(const QString& cliPath, const QStringList& arguments, qint64 killAfter = -1);

// Relative path -> size and digest of every file below `root`, hidden ones included. Only a
// file's first 256 KiB are read: the sample's pictures are padded with megabytes of zeros.
QMap<QString, QByteArray> fingerprint(const QString& root);

} // namespace CrashDrill
