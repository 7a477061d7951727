#include "ScanReport.h"

#include "Formatting.h"
#include "Messages.h"

#include <QJsonArray>

namespace {

QJsonObject fileJson(const FileEntry& file)
{
    return { { QStringLiteral("path"), file.relativePath },
        { QStringLiteral("size"), double(file.size) },
        { QStringLiteral("kind"), FileKinds::rawValue(file.kind) } };
}

QJsonArray candidatesJson(const QList<Candidate>& candidates)
{
    QJsonArray array;
    for (const Candidate& candidate : candidates) {
        QJsonObject object = fileJson(candidate.file);
        QJsonArray followers;
        for (const FileEntry& follower : candidate.followers)
            followers.append(fileJson(follower));
        object.insert(QStringLiteral("followers"), followers);
        array.append(object);
    }
    return array;
}

QJsonArray pairsJson(const QList<Pair>& pairs)
{
    QJsonArray array;
    for (const Pair& pair : pairs) {
        QJsonArray twins;
        for (const FileEntry& twin : pair.twins)
            twins.append(twin.relativePath);
        array.append(QJsonObject { { QStringLiteral("raw"), pair.raw.relativePath },
            { QStringLiteral("twins"), twins },
            { QStringLiteral("byCaptureTime"), pair.byCaptureTime } });
    }
    return array;
}

QString folderHeading(const QString& folder)
{
    return folder.isEmpty() ? QStringLiteral("(the scanned folder itself)") : folder + u'/';
}

void appendGroup(QString& text, OrphanGroup group, const QList<Candidate>& candidates)
{
    qint64 size = 0;
    qsizetype files = 0;
    for (const Candidate& candidate : candidates) {
        size += candidate.totalSize();
        files += candidate.fileCount();
    }
    text += u'\n' + Messages::groupTitle(group);
    if (candidates.isEmpty()) {
        text += QStringLiteral(": none\n");
        return;
    }
    text += QStringLiteral(": %1 files, %2\n").arg(files).arg(Formatting::byteCount(size));
    QString folder;
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const Candidate& candidate = candidates.at(i);
        if (i == 0 || candidate.file.folder() != folder) {
            folder = candidate.file.folder();
            text += QStringLiteral("  %1\n").arg(folderHeading(folder));
        }
        text += QStringLiteral("    %1  %2\n")
                    .arg(candidate.file.name(), Formatting::byteCount(candidate.file.size));
        for (const FileEntry& follower : candidate.followers)
            text += QStringLiteral("      + %1  %2\n")
                        .arg(follower.name(), Formatting::byteCount(follower.size));
    }
}

} // namespace

namespace ScanReport {

QJsonObject json(const Analysis& analysis)
{
    const ScanResult& result = analysis.result;
    return {
        { QStringLiteral("root"), analysis.root },
        { QStringLiteral("fileCount"), double(result.fileCount) },
        { QStringLiteral("rawCount"), double(result.rawCount) },
        { QStringLiteral("twinCount"), double(result.twinCount) },
        { QStringLiteral("sidecarCount"), double(result.sidecarCount) },
        { QStringLiteral("heldInSingleKindFolders"), double(result.heldInSingleKindFolders) },
        { QStringLiteral("heldHEIC"), double(result.heldHEIC) },
        { QStringLiteral("pairs"), pairsJson(result.pairs) },
        { QStringLiteral("orphanRaws"), candidatesJson(result.orphanRaws) },
        { QStringLiteral("orphanJPEGs"), candidatesJson(result.orphanJPEGs) },
        { QStringLiteral("orphanSidecars"), candidatesJson(result.orphanSidecars) },
    };
}

QString text(const Analysis& analysis)
{
    const ScanResult& result = analysis.result;
    QString text = QStringLiteral("%1: %2 files (%3 RAW, %4 JPEG or HEIC, %5 sidecars)\n")
                       .arg(analysis.root)
                       .arg(result.fileCount)
                       .arg(result.rawCount)
                       .arg(result.twinCount)
                       .arg(result.sidecarCount);
    text += QStringLiteral("%1 pairs, %2 of them by capture time\n")
                .arg(result.pairs.size())
                .arg(result.pairedByTime());
    if (result.heldInSingleKindFolders > 0)
        text += QStringLiteral("%1 leftovers held back: their folders hold only RAW or only JPEG "
                               "and HEIC files\n")
                    .arg(result.heldInSingleKindFolders);
    if (result.heldHEIC > 0)
        text += QStringLiteral("%1 HEIC files without a RAW held back\n").arg(result.heldHEIC);
    for (OrphanGroup group : OrphanGroups::allCases())
        appendGroup(text, group, result.candidates(group));
    return text;
}

} // namespace ScanReport
