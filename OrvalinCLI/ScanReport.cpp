#include "ScanReport.h"

#include "Formatting.h"
#include "JsonStream.h"
#include "Messages.h"
#include "TerminalText.h"

#include <QJsonArray>
#include <algorithm>

namespace {

void writeFile(JsonStream& json, const FileEntry& file)
{
    json.member(QStringLiteral("path"), file.relativePath);
    json.member(QStringLiteral("size"), file.size);
    json.member(QStringLiteral("kind"), FileKinds::rawValue(file.kind));
}

void writeCandidates(JsonStream& json, const QString& name, const QList<Candidate>& candidates)
{
    json.key(name);
    json.beginArray();
    for (const Candidate& candidate : candidates) {
        json.beginObject();
        writeFile(json, candidate.file);
        json.key(QStringLiteral("followers"));
        json.beginArray();
        for (const FileEntry& follower : candidate.followers) {
            json.beginObject();
            writeFile(json, follower);
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
}

void writePairs(JsonStream& json, const QList<Pair>& pairs)
{
    json.key(QStringLiteral("pairs"));
    json.beginArray();
    for (const Pair& pair : pairs) {
        json.beginObject();
        json.member(QStringLiteral("raw"), pair.raw.relativePath);
        json.key(QStringLiteral("twins"));
        json.beginArray();
        for (const FileEntry& twin : pair.twins)
            json.value(twin.relativePath);
        json.endArray();
        json.member(QStringLiteral("byCaptureTime"), pair.byCaptureTime);
        json.endObject();
    }
    json.endArray();
}

const QString unreadableKey = QStringLiteral("unreadable");
const QString unreadableCountKey = QStringLiteral("unreadableCount");
const QString heldByUnreadableKey = QStringLiteral("heldByUnreadable");
const QString pathKey = QStringLiteral("path");
const QString reasonKey = QStringLiteral("reason");

// The list is always there, so that a script can rely on it; the counts only when something could
// not be read, so that a report of a folder read whole is what it always was.
void writeUnreadable(JsonStream& json, const ScanResult& result)
{
    if (!result.unreadable.isEmpty()) {
        json.member(heldByUnreadableKey, qint64(result.heldByUnreadable));
        json.member(unreadableCountKey, qint64(result.unreadable.total));
    }
    json.key(unreadableKey);
    json.beginArray();
    for (const UnreadableItem& item : result.unreadable.items) {
        json.beginObject();
        json.member(pathKey, item.relativePath);
        json.member(reasonKey, item.reason);
        json.endObject();
    }
    json.endArray();
}

QString unreadableName(const UnreadableItem& item)
{
    if (item.relativePath.isEmpty())
        return QStringLiteral("(the scanned folder itself)");
    const QString name = TerminalText::escaped(item.relativePath);
    return item.isFolder ? name + u'/' : name;
}

QString folderHeading(const QString& folder)
{
    return folder.isEmpty() ? QStringLiteral("(the scanned folder itself)")
                            : TerminalText::escaped(folder) + u'/';
}

QString counted(qsizetype count, const QString& one, const QString& many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

// "7 files, with 2 sidecars, 1.2 MB": the files are counted as the window's card and sidebar
// count them, one per leftover; the sidecars that move with them are named apart, and weighed in.
QString groupSummary(const QList<Candidate>& candidates)
{
    qint64 size = 0;
    qsizetype sidecars = 0;
    for (const Candidate& candidate : candidates) {
        size += candidate.totalSize();
        sidecars += candidate.followers.size();
    }
    QString summary = counted(candidates.size(), QStringLiteral("file"), QStringLiteral("files"));
    if (sidecars > 0)
        summary += QStringLiteral(", with ")
            + counted(sidecars, QStringLiteral("sidecar"), QStringLiteral("sidecars"));
    return summary + QStringLiteral(", ") + Formatting::byteCount(size);
}

void appendGroup(QString& text, OrphanGroup group, const QList<Candidate>& candidates)
{
    text += u'\n' + Messages::groupTitle(group);
    if (candidates.isEmpty()) {
        text += QStringLiteral(": none\n");
        return;
    }
    text += QStringLiteral(": %1\n").arg(groupSummary(candidates));
    QString folder;
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const Candidate& candidate = candidates.at(i);
        if (i == 0 || candidate.file.folder() != folder) {
            folder = candidate.file.folder();
            text += QStringLiteral("  %1\n").arg(folderHeading(folder));
        }
        text += QStringLiteral("    %1  %2\n")
                    .arg(TerminalText::escaped(candidate.file.name()),
                        Formatting::byteCount(candidate.file.size));
        for (const FileEntry& follower : candidate.followers)
            text += QStringLiteral("      + %1  %2\n")
                        .arg(TerminalText::escaped(follower.name()),
                            Formatting::byteCount(follower.size));
    }
}

} // namespace

namespace ScanReport {

void writeJson(const Analysis& analysis, QTextStream& out)
{
    const ScanResult& result = analysis.result;
    JsonStream json(out);
    json.beginObject();
    json.member(QStringLiteral("root"), analysis.root);
    json.member(QStringLiteral("fileCount"), qint64(result.fileCount));
    json.member(QStringLiteral("rawCount"), qint64(result.rawCount));
    json.member(QStringLiteral("twinCount"), qint64(result.twinCount));
    json.member(QStringLiteral("sidecarCount"), qint64(result.sidecarCount));
    json.member(QStringLiteral("heldInSingleKindFolders"), qint64(result.heldInSingleKindFolders));
    json.member(QStringLiteral("heldHEIC"), qint64(result.heldHEIC));
    writeUnreadable(json, result);
    writePairs(json, result.pairs);
    writeCandidates(json, QStringLiteral("orphanRaws"), result.orphanRaws);
    writeCandidates(json, QStringLiteral("orphanJPEGs"), result.orphanJPEGs);
    writeCandidates(json, QStringLiteral("orphanSidecars"), result.orphanSidecars);
    json.endObject();
}

QString text(const Analysis& analysis)
{
    const ScanResult& result = analysis.result;
    QString text = QStringLiteral("%1: %2 files (%3 RAW, %4 JPEG or HEIC, %5 sidecars)\n")
                       .arg(TerminalText::escaped(analysis.root))
                       .arg(result.fileCount)
                       .arg(result.rawCount)
                       .arg(result.twinCount)
                       .arg(result.sidecarCount);
    text += QStringLiteral("%1 pairs, %2 of them by capture time\n")
                .arg(result.pairs.size())
                .arg(result.pairedByTime());
    text += unreadableLines(result);
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

QString unreadableLines(const ScanResult& result)
{
    const UnreadableList& unreadable = result.unreadable;
    if (unreadable.isEmpty())
        return {};
    constexpr qsizetype named = 3;
    QStringList names;
    for (const UnreadableItem& item :
        unreadable.items.first(std::min(named, unreadable.items.size())))
        names << QStringLiteral("%1 (%2)").arg(unreadableName(item), item.reason);
    QString text = QStringLiteral("Couldn’t read: ") + names.join(QStringLiteral(", "));
    if (const qsizetype more = unreadable.total - names.size(); more > 0)
        text += QStringLiteral(" and %1 more").arg(more);
    text += u'\n';
    if (result.heldByUnreadable > 0)
        text
            += QStringLiteral("%1 leftovers held back: their twins, photos or sidecars could be in "
                              "what couldn’t be read\n")
                   .arg(result.heldByUnreadable);
    return text;
}

void addUnreadable(const ScanResult& result, QJsonObject& report)
{
    if (!result.unreadable.isEmpty()) {
        report.insert(heldByUnreadableKey, double(result.heldByUnreadable));
        report.insert(unreadableCountKey, double(result.unreadable.total));
    }
    QJsonArray items;
    for (const UnreadableItem& item : result.unreadable.items)
        items.append(QJsonObject { { pathKey, item.relativePath }, { reasonKey, item.reason } });
    report.insert(unreadableKey, items);
}

} // namespace ScanReport
