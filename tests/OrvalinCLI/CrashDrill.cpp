#include "CrashDrill.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

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

// How long an uninterrupted move of such a tree takes, so kills can land anywhere in it.
qint64 moveDurationMicroseconds(const QString& cliPath, int files, QRandomGenerator& random)
{
    QTemporaryDir work;
    makeTree(work.path(), files, random);
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(cliPath, moveArguments(work.path() + QStringLiteral("/Shoot")));
    return std::max<qint64>(timer.nsecsElapsed() / 1000, 1000);
}

void killAfter(QProcess& process, qint64 microseconds)
{
    QThread::usleep(quint64(microseconds));
    if (process.state() != QProcess::NotRunning)
        ::kill(pid_t(process.processId()), SIGKILL);
    process.waitForFinished(60'000);
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
    const qint64 duration = moveDurationMicroseconds(cliPath, filesPerTree, random);
    for (int k = 0; k < kills; ++k) {
        QTemporaryDir work;
        makeTree(work.path(), filesPerTree, random);
        const QString root = work.path() + QStringLiteral("/Shoot");
        const Fingerprint before = fingerprint(root);
        const Fingerprint outside = fingerprint(work.path() + QStringLiteral("/Outside"));

        QProcess move;
        move.start(cliPath, moveArguments(root));
        move.waitForStarted();
        killAfter(move, qint64(random.bounded(double(duration) * 1.1)));
        ++report.kills;

        const int restored = QProcess::execute(
            cliPath, { QStringLiteral("restore"), root, QStringLiteral("--all") });
        if (restored != 0)
            report.problems << QStringLiteral("restore exited with %1").arg(restored);
        check(before, outside, work.path(), report);
    }
    return report;
}

} // namespace CrashDrill
