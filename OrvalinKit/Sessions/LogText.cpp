#include "LogText.h"

#include "CodingError.h"
#include "Formatting.h"
#include "JsonText.h"

#include <algorithm>

namespace {

// Most texts need no escaping; they are copied as they are.
void appendQuoted(QByteArray& out, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const bool plain = std::none_of(
        utf8.begin(), utf8.end(), [](char c) { return c == '"' || c == '\\' || uchar(c) < 0x20; });
    if (!plain) {
        out += JsonText::quoted(text);
        return;
    }
    out += '"';
    out += utf8;
    out += '"';
}

void appendMember(
    QByteArray& out, const char* indent, const char* key, const QString& value, bool last = false)
{
    out += indent;
    out += key;
    appendQuoted(out, value);
    out += last ? "\n" : ",\n";
}

void appendMember(
    QByteArray& out, const char* indent, const char* key, const std::optional<QString>& value)
{
    if (value)
        appendMember(out, indent, key, *value);
}

} // namespace

namespace LogText {

QString rawValue(Destination)
{
    return QStringLiteral("review");
}

QString dateText(const QDateTime& date)
{
    if (!date.isValid())
        throw CodingError(QStringLiteral("The restore log holds an invalid date."));
    const qint64 msecs = date.toMSecsSinceEpoch();
    // Floor, not truncation, so that dates before 1970 lose their fraction the same way.
    const qint64 seconds = msecs / 1000 - (msecs % 1000 < 0 ? 1 : 0);
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(Qt::ISODate);
}

QByteArray jsonEntry(const RestoreLog::Entry& entry)
{
    constexpr const char* indent = "      ";
    QByteArray out;
    out.reserve(64 + 2 * (entry.path.size() + entry.currentPath().size()));
    out += "    {\n";
    appendMember(out, indent, "\"follows\" : ", entry.follows);
    appendMember(out, indent, "\"group\" : ", OrphanGroups::rawValue(entry.group));
    appendMember(out, indent, "\"movedTo\" : ", entry.movedTo);
    appendMember(out, indent, "\"note\" : ", entry.note);
    appendMember(out, indent, "\"path\" : ", entry.path);
    out += indent;
    out += "\"size\" : ";
    out += QByteArray::number(entry.size);
    out += ",\n";
    appendMember(out, indent, "\"status\" : ", RestoreLog::rawValue(entry.status), true);
    out += "    }";
    return out;
}

QByteArray json(const RestoreLog& log, const QList<QByteArray>& entries)
{
    constexpr const char* indent = "  ";
    qsizetype size = 512;
    for (const QByteArray& entry : entries)
        size += entry.size() + 2;
    QByteArray out;
    out.reserve(size);
    out += "{\n";
    appendMember(out, indent, "\"app\" : ", log.app);
    appendMember(out, indent, "\"created\" : ", dateText(log.created));
    appendMember(out, indent, "\"destination\" : ", rawValue(log.destination));
    out += "  \"entries\" : [";
    for (qsizetype i = 0; i < entries.size(); ++i) {
        out += i == 0 ? "\n" : ",\n";
        out += entries.at(i);
    }
    out += entries.isEmpty() ? "],\n" : "\n  ],\n";
    if (log.restored)
        appendMember(out, indent, "\"restored\" : ", dateText(*log.restored));
    appendMember(out, indent, "\"rootPath\" : ", log.rootPath);
    out += "  \"version\" : ";
    out += QByteArray::number(log.version);
    // The file ends with the closing brace: its bytes are fixed, and logs written with a line
    // feed after it still decode, since JSON allows white space there.
    out += "\n}";
    return out;
}

QString textLine(const RestoreLog::Entry& entry)
{
    QString line = QStringLiteral("  ") + entry.path + QStringLiteral("  [")
        + Formatting::byteCount(entry.size) + u']';
    if (entry.movedTo)
        line += QStringLiteral("  ->  ") + *entry.movedTo;
    if (entry.note)
        line += QStringLiteral("  (") + *entry.note + u')';
    return line;
}

QString text(const RestoreLog& log, const QString& session, const LogWording& wording,
    const QStringList& lines)
{
    using Status = RestoreLog::Status;
    qsizetype size = 1024;
    for (const QString& line : lines)
        size += line.size() + 1;
    QString out;
    out.reserve(size);
    const auto append = [&](const QString& line) {
        out += line;
        out += u'\n';
    };
    append(
        wording.title(log.app, log.everMovedCount(), Formatting::longDateShortTime(log.created)));
    append(QString());
    append(wording.from + u' ' + log.rootPath);
    append(wording.to + u' ' + session);
    append(QString());
    append(wording.howToRestore);
    const auto section = [&](const QString& heading, auto belongs) {
        const qsizetype count = std::count_if(log.entries.begin(), log.entries.end(), belongs);
        if (count == 0)
            return;
        append(QString());
        append(QStringLiteral("%1 (%2)").arg(heading).arg(count));
        for (qsizetype i = 0; i < log.entries.size(); ++i) {
            if (belongs(log.entries.at(i)))
                append(lines.at(i));
        }
    };
    // Files that are, or may still be, in the session folder; then those put back; then those
    // that never moved.
    section(wording.moved, [](const RestoreLog::Entry& entry) {
        return entry.status == Status::moved || entry.status == Status::conflict
            || entry.status == Status::planned;
    });
    section(wording.restoredHeading,
        [](const RestoreLog::Entry& entry) { return entry.status == Status::restored; });
    section(wording.failed,
        [](const RestoreLog::Entry& entry) { return entry.status == Status::failed; });
    return out;
}

} // namespace LogText
