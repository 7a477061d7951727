#include "CrashDrill.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <functional>

namespace {

using Fingerprint = QMap<QString, QByteArray>;

const QString reviewFolder = QStringLiteral("Orvalin Review/");

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

// RAW leftovers in ten folders, every fifth with a sidecar, and one file outside the root.
void makeTree(const QString& work, int files, QRandomGenerator& random)
{
    for (int i = 0; i < files; ++i) {
        const QString folder = QStringLiteral("%1/Shoot/Day %2/").arg(work).arg(i % 10);
        QByteArray content = QStringLiteral("IMG_%1 ").arg(i).toUtf8();
        content.append(QByteArray(int(random.bounded(256, 4096)), char('a' + i % 26)));
        if (i % 5 == 0) {
            writeFile(folder + QStringLiteral("IMG_%1.xmp").arg(i), content + "xmp");
            ++i;
        }
        writeFile(folder + QStringLiteral("IMG_%1.CR3").arg(i), content);
    }
    writeFile(work + QStringLiteral("/Outside/keep.txt"), "not part of the shoot");
}

Fingerprint fingerprint(const QString& root)
{
    Fingerprint digests;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        digests.insert(path.mid(root.size() + 1),
            QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
    }
    return digests;
}

QStringList moveArguments(const QString& root)
{
    return { QStringLiteral("move"), QStringLiteral("--no-only-mixed-folders"),
        QStringLiteral("--tick"), QStringLiteral("raw"), QStringLiteral("--tick"),
        QStringLiteral("sidecar"), root };
}

struct Run
{
    int exitCode = -1;
    QByteArray out;
};

Run runCli(const QString& cliPath, const QStringList& arguments)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(cliPath, arguments);
    process.waitForFinished(120'000);
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        process.readAllStandardOutput() };
}

QStringList restoreArguments(const QString& root)
{
    return { QStringLiteral("restore"), QStringLiteral("--json"), root, QStringLiteral("--all") };
}

struct Durations
{
    qint64 move = 0;
    qint64 restore = 0;
};

qint64 microsecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return std::max<qint64>(timer.nsecsElapsed() / 1000, 1000);
}

// How long an uninterrupted move and restore of such a tree take, so kills can land anywhere.
Durations measureDurations(const QString& cliPath, int files, QRandomGenerator& random)
{
    QTemporaryDir work;
    makeTree(work.path(), files, random);
    const QString root = work.path() + QStringLiteral("/Shoot");
    Durations durations;
    durations.move = microsecondsOf([&] { runCli(cliPath, moveArguments(root)); });
    durations.restore = microsecondsOf([&] { runCli(cliPath, restoreArguments(root)); });
    return durations;
}

void killAfter(QProcess& process, qint64 microseconds)
{
    QThread::usleep(quint64(microseconds));
    if (process.state() != QProcess::NotRunning)
        ::kill(pid_t(process.processId()), SIGKILL);
    process.waitForFinished(60'000);
}

void startAndKill(const QString& cliPath, const QStringList& arguments, qint64 microseconds)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(cliPath, arguments);
    process.waitForStarted();
    killAfter(process, microseconds);
}

bool isLog(const QString& name)
{
    return name == QStringLiteral("restore-log.json") || name == QStringLiteral("Moved files.txt");
}

// Session folder name -> the files it holds besides its logs and their temporaries.
QMap<QString, qint64> filesInSessions(const QString& root)
{
    QMap<QString, qint64> counts;
    const QDir review(root + u'/' + reviewFolder);
    for (const QString& session : review.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        qint64& count = counts[session];
        QDirIterator it(
            review.filePath(session), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString name = QFileInfo(it.next()).fileName();
            if (!isLog(name) && !(name.startsWith(u'.') && name.endsWith(u".tmp")))
                ++count;
        }
    }
    return counts;
}

// What `sessions` lists must be what the session folders hold. Returns the files listed.
qint64 checkListing(
    const QString& cliPath, const QString& root, const char* when, CrashDrillReport& report)
{
    const Run sessions
        = runCli(cliPath, { QStringLiteral("sessions"), QStringLiteral("--json"), root });
    const QMap<QString, qint64> held = filesInSessions(root);
    qint64 listed = 0;
    for (const QJsonValue& session : QJsonDocument::fromJson(sessions.out).array()) {
        const QString name = session[u"name"].toString();
        const qint64 inReview = session[u"inReview"].toInteger();
        listed += inReview;
        if (inReview != held.value(name)) {
            ++report.misreported;
            report.problems << QStringLiteral("%1: %2 listed, %3 in the folder %4")
                                   .arg(name)
                                   .arg(inReview)
                                   .arg(held.value(name))
                                   .arg(QString::fromLatin1(when));
        }
    }
    return listed;
}

// After a restore that ran to the end: nothing left in any session, every session that put
// something back dated, and no temporary log left beside a log.
void checkFinished(const QString& root, CrashDrillReport& report)
{
    const QDir review(root + u'/' + reviewFolder);
    for (const QString& session : review.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir folder(review.filePath(session));
        QFile file(folder.filePath(QStringLiteral("restore-log.json")));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject log = QJsonDocument::fromJson(file.readAll()).object();
        bool putBack = false;
        for (const QJsonValue& entry : log[u"entries"].toArray()) {
            const QString status = entry[u"status"].toString();
            putBack = putBack || status == u"restored";
            if (status == u"moved" || status == u"conflict") {
                ++report.misreported;
                report.problems << QStringLiteral("%1: %2 still %3")
                                       .arg(session, entry[u"path"].toString(), status);
            }
        }
        if (putBack && !log.contains(u"restored")) {
            ++report.misreported;
            report.problems << QStringLiteral("%1: no restored date").arg(session);
        }
        const QStringList temporaries
            = folder.entryList({ QStringLiteral(".*.tmp") }, QDir::Files | QDir::Hidden);
        if (!temporaries.isEmpty()) {
            ++report.misreported;
            report.problems << QStringLiteral("%1: left %2").arg(session, temporaries.join(u", "));
        }
    }
}

void checkRestore(const Run& restore, qint64 listed, CrashDrillReport& report)
{
    const QJsonObject outcome = QJsonDocument::fromJson(restore.out).object();
    if (restore.exitCode != 0)
        report.problems << QStringLiteral("restore exited with %1").arg(restore.exitCode);
    const QJsonArray missing = outcome[u"missing"].toArray();
    const qint64 restored = outcome[u"restored"].toInteger();
    if (!missing.isEmpty() || restored != listed) {
        ++report.misreported;
        report.problems << QStringLiteral("restore put back %1 of %2 listed, %3 missing")
                               .arg(restored)
                               .arg(listed)
                               .arg(missing.size());
    }
}

void check(const Fingerprint& before, const Fingerprint& outsideBefore, const QString& work,
    CrashDrillReport& report)
{
    const QString root = work + QStringLiteral("/Shoot");
    Fingerprint after = fingerprint(root);
    after.removeIf([](const auto& item) { return item.key().startsWith(reviewFolder); });
    for (auto it = before.begin(); it != before.end(); ++it) {
        ++report.filesChecked;
        if (after.value(it.key()) != it.value()) {
            ++report.lost;
            report.problems << QStringLiteral("not back: %1").arg(it.key());
        }
    }
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (!before.contains(it.key())) {
            ++report.extra;
            report.problems << QStringLiteral("extra: %1").arg(it.key());
        }
    }
    if (fingerprint(work + QStringLiteral("/Outside")) != outsideBefore)
        ++report.outsideTouched;
}

} // namespace

namespace CrashDrill {

CrashDrillReport run(const QString& cliPath, int kills, int filesPerTree, quint32 seed)
{
    QRandomGenerator random(seed);
    CrashDrillReport report;
    const Durations durations = measureDurations(cliPath, filesPerTree, random);
    for (int k = 0; k < kills; ++k) {
        QTemporaryDir work;
        makeTree(work.path(), filesPerTree, random);
        const QString root = work.path() + QStringLiteral("/Shoot");
        const Fingerprint before = fingerprint(root);
        const Fingerprint outside = fingerprint(work.path() + QStringLiteral("/Outside"));

        startAndKill(
            cliPath, moveArguments(root), qint64(random.bounded(double(durations.move) * 1.1)));
        ++report.kills;
        qint64 listed = checkListing(cliPath, root, "after a killed move", report);
        if (k % 2 == 1) {
            startAndKill(cliPath, restoreArguments(root),
                qint64(random.bounded(double(durations.restore) * 1.1)));
            ++report.restoreKills;
            listed = checkListing(cliPath, root, "after a killed restore", report);
        }

        checkRestore(runCli(cliPath, restoreArguments(root)), listed, report);
        checkFinished(root, report);
        check(before, outside, work.path(), report);
    }
    return report;
}

} // namespace CrashDrill
