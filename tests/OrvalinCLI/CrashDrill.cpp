#include "CrashDrill.h"

#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {

using CrashDrill::fingerprint;
using Fingerprint = QMap<QString, QByteArray>;

const QString reviewFolder = u"Orvalin Review/"_s;

// RAW leftovers in ten folders, every fifth with a sidecar, and one file outside the root.
void makeTree(const QString& work, int files, QRandomGenerator& random)
{
    for (int i = 0; i < files; ++i) {
        const QString folder = u"%1/Shoot/Day %2/"_s.arg(work).arg(i % 10);
        QByteArray content = u"IMG_%1 "_s.arg(i).toUtf8();
        content.append(QByteArray(int(random.bounded(256, 4096)), char('a' + i % 26)));
        if (i % 5 == 0) {
            writeFile(folder + u"IMG_%1.xmp"_s.arg(i), content + "xmp");
            ++i;
        }
        writeFile(folder + u"IMG_%1.CR3"_s.arg(i), content);
    }
    writeFile(work + u"/Outside/keep.txt"_s, "not part of the shoot");
}

const char* const moveCommand = "move --no-only-mixed-folders --tick raw --tick sidecar";
const char* const restoreCommand = "restore --json --all";

// Runs the command `line` on `root`, killed after `killAfter` microseconds unless that is -1.
CliRun runCommand(
    const QString& cliPath, const char* line, const QString& root, qint64 killAfter = -1)
{
    return CrashDrill::runCli(cliPath, QString::fromLatin1(line).split(u' ') << root, killAfter);
}

void misreport(CrashDrillReport& report, const QString& problem)
{
    ++report.misreported;
    report.problems << problem;
}

// What `sessions` lists must be what the session folders hold, besides their logs and the
// logs' temporaries. Returns the files listed.
qint64 checkListing(
    const QString& cliPath, const QString& root, const char* when, CrashDrillReport& report)
{
    const CliRun sessions = runCommand(cliPath, "sessions --json", root);
    qint64 listed = 0;
    for (const QJsonValue& session : QJsonDocument::fromJson(sessions.out.toUtf8()).array()) {
        const QString name = session[u"name"].toString();
        const qint64 inReview = session[u"inReview"].toInteger();
        listed += inReview;
        qint64 held = 0;
        QDirIterator it(root + u'/' + reviewFolder + name, QDir::Files | QDir::Hidden,
            QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = QFileInfo(it.next()).fileName();
            held += file != u"restore-log.json" && file != u"Moved files.txt"
                && !(file.startsWith(u'.') && file.endsWith(u".tmp"));
        }
        if (inReview != held)
            misreport(report,
                u"%1: %2 listed, %3 in the folder %4"_s.arg(name).arg(inReview).arg(held).arg(
                    QString::fromLatin1(when)));
    }
    return listed;
}

// After a restore that ran to the end: it put back all that was listed, nothing is left in any
// session, every session that put something back is dated, and no temporary log is left.
void checkFinished(
    const CliRun& restore, qint64 listed, const QString& root, CrashDrillReport& report)
{
    const QJsonObject outcome = QJsonDocument::fromJson(restore.out.toUtf8()).object();
    const qsizetype missing = outcome[u"missing"].toArray().size();
    const qint64 restored = outcome[u"restored"].toInteger();
    if (restore.exitCode != 0 || missing != 0 || restored != listed)
        misreport(report,
            u"restore exited with %1, put back %2 of %3 listed, %4 missing"_s.arg(restore.exitCode)
                .arg(restored)
                .arg(listed)
                .arg(missing));

    const QDir review(root + u'/' + reviewFolder);
    for (const QString& session : review.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir folder(review.filePath(session));
        QFile file(folder.filePath(u"restore-log.json"_s));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject log = QJsonDocument::fromJson(file.readAll()).object();
        bool putBack = false;
        for (const QJsonValue& entry : log[u"entries"].toArray()) {
            const QString status = entry[u"status"].toString();
            putBack = putBack || status == u"restored";
            if (status == u"moved" || status == u"conflict")
                misreport(
                    report, u"%1: %2 still %3"_s.arg(session, entry[u"path"].toString(), status));
        }
        if (putBack && !log.contains(u"restored"))
            misreport(report, u"%1: no restored date"_s.arg(session));
        const QStringList temporaries
            = folder.entryList({ u".*.tmp"_s }, QDir::Files | QDir::Hidden);
        if (!temporaries.isEmpty())
            misreport(report, u"%1: left %2"_s.arg(session, temporaries.join(u", ")));
    }
}

// Every file back with its content, none made outside the review folder, nothing outside touched.
void checkFiles(const Fingerprint& before, const Fingerprint& outsideBefore, const QString& work,
    CrashDrillReport& report)
{
    Fingerprint after = fingerprint(work + u"/Shoot"_s);
    after.removeIf([](const auto& item) { return item.key().startsWith(reviewFolder); });
    report.filesChecked += before.size();
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (after.take(it.key()) != it.value()) {
            ++report.lost;
            report.problems << u"not back: %1"_s.arg(it.key());
        }
    }
    // What is left was never there.
    report.extra += after.size();
    for (const QString& path : after.keys())
        report.problems << u"extra: %1"_s.arg(path);
    report.outsideTouched += fingerprint(work + u"/Outside"_s) != outsideBefore;
}

} // namespace

namespace CrashDrill {

CliRun runCli(const QString& cliPath, const QStringList& arguments, qint64 killAfter)
{
    QProcess process;
    // A run to be killed never waits on a full pipe.
    if (killAfter >= 0) {
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
    }
    process.start(cliPath, arguments);
    process.closeWriteChannel();
    if (killAfter >= 0 && process.waitForStarted()) {
        QThread::usleep(quint64(killAfter));
        if (process.state() != QProcess::NotRunning)
            ::kill(pid_t(process.processId()), SIGKILL);
    }
    process.waitForFinished(120'000);
    const int exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (killAfter >= 0)
        return { exitCode, {}, {} };
    return { exitCode, QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

CrashDrillReport run(const QString& cliPath, int kills, int filesPerTree, quint32 seed)
{
    QRandomGenerator random(seed);
    CrashDrillReport report;
    QTemporaryDir timed;
    makeTree(timed.path(), filesPerTree, random);
    // Microseconds an uninterrupted run takes, so that kills can land anywhere in one.
    const auto durationOf = [&](const char* line) {
        QElapsedTimer timer;
        timer.start();
        runCommand(cliPath, line, timed.path() + u"/Shoot"_s);
        return std::max<qint64>(timer.nsecsElapsed() / 1000, 1000);
    };
    const qint64 moveTime = durationOf(moveCommand);
    const qint64 restoreTime = durationOf(restoreCommand);
    timed.remove();
    for (int k = 0; k < kills; ++k) {
        QTemporaryDir work;
        makeTree(work.path(), filesPerTree, random);
        const QString root = work.path() + u"/Shoot"_s;
        const Fingerprint before = fingerprint(root);
        const Fingerprint outside = fingerprint(work.path() + u"/Outside"_s);

        runCommand(cliPath, moveCommand, root, qint64(random.bounded(double(moveTime) * 1.1)));
        ++report.kills;
        qint64 listed = checkListing(cliPath, root, "after a killed move", report);
        if (k % 2 == 1) {
            runCommand(
                cliPath, restoreCommand, root, qint64(random.bounded(double(restoreTime) * 1.1)));
            ++report.restoreKills;
            listed = checkListing(cliPath, root, "after a killed restore", report);
        }
        checkFinished(runCommand(cliPath, restoreCommand, root), listed, root, report);
        checkFiles(before, outside, work.path(), report);
    }
    return report;
}

Fingerprint fingerprint(const QString& root)
{
    Fingerprint digests;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        digests.insert(file.fileName().mid(root.size() + 1),
            QByteArray::number(file.size())
                + QCryptographicHash::hash(file.read(256 * 1024), QCryptographicHash::Sha256));
    }
    return digests;
}

} // namespace CrashDrill
