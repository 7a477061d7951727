#include "RestoreLog.h"

#include "CodingError.h"
#include "CutOffWork.h"
#include "FileManager.h"
#include "FolderCursor.h"
#include "LogText.h"
#include "Mover.h"
#include "OperationError.h"
#include "SideTask.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimeZone>
#include <cmath>

namespace {

// ISO 8601 internet date-times with whole seconds and "Z" or an offset; nothing looser.
std::optional<QDateTime> parseDate(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2}):(\\d{2})(?:(Z)|([+-])(\\d{2})"
                       ":(\\d{2}))\\z"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const auto number = [&](int group) { return match.captured(group).toInt(); };
    const QDate date(number(1), number(2), number(3));
    const QTime time(number(4), number(5), number(6));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    if (match.hasCaptured(7))
        return QDateTime(date, time, Qt::UTC);
    const int hours = number(9);
    const int minutes = number(10);
    if (hours > 23 || minutes > 59)
        return std::nullopt;
    const int offset = (hours * 3600 + minutes * 60) * (match.captured(8) == u"-" ? -1 : 1);
    const QDateTime result(date, time, QTimeZone(offset));
    if (!result.isValid())
        return std::nullopt;
    return result.toUTC();
}

// Reads the members of one JSON object, naming what is wrong with it. Keys are Latin-1 because
// QJsonObject finds those faster, and listing sessions decodes every entry of every log.
class Reader
{
public:
    // `entry` counts from 0; -1 stands for the log itself.
    Reader(const QJsonObject& object, qsizetype entry)
        : m_object(object)
        , m_entry(entry)
    {
    }

    QString text(QLatin1String key) const
    {
        const QJsonValue value = required(key);
        if (!value.isString())
            fail(key, u"is not a text");
        return value.toString();
    }

    std::optional<QString> optionalText(QLatin1String key) const
    {
        const QJsonValue value = m_object.value(key);
        if (value.isUndefined() || value.isNull())
            return std::nullopt;
        if (!value.isString())
            fail(key, u"is not a text");
        return value.toString();
    }

    qint64 integer(QLatin1String key) const
    {
        const QJsonValue value = required(key);
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::trunc(number) || std::fabs(number) > 9.2e18)
            fail(key, u"is not a whole number");
        return value.toInteger(qint64(number));
    }

    QDateTime date(QLatin1String key) const { return parse(key, text(key)); }

    std::optional<QDateTime> optionalDate(QLatin1String key) const
    {
        const std::optional<QString> value = optionalText(key);
        if (!value)
            return std::nullopt;
        return parse(key, *value);
    }

    QJsonArray array(QLatin1String key) const
    {
        const QJsonValue value = required(key);
        if (!value.isArray())
            fail(key, u"is not a list");
        return value.toArray();
    }

    template <typename T, typename Parse> T rawValue(QLatin1String key, Parse parse) const
    {
        const QString value = text(key);
        const std::optional<T> result = parse(value);
        if (!result)
            fail(key, QStringLiteral("has the unknown value “%1”").arg(value));
        return *result;
    }

private:
    QJsonValue required(QLatin1String key) const
    {
        const QJsonValue value = m_object.value(key);
        if (value.isUndefined())
            fail(key, u"is missing");
        return value;
    }

    QDateTime parse(QLatin1String key, const QString& value) const
    {
        const std::optional<QDateTime> date = parseDate(value);
        if (!date)
            fail(key, QStringLiteral("is not a whole-second ISO 8601 date-time (“%1”)").arg(value));
        return *date;
    }

    [[noreturn]] void fail(QLatin1String key, QStringView problem) const
    {
        const QString what
            = m_entry < 0 ? QStringLiteral("the log") : QStringLiteral("entry %1").arg(m_entry + 1);
        throw CodingError(QStringLiteral("“%1” of %2 %3.").arg(key, what, problem));
    }

    const QJsonObject& m_object;
    qsizetype m_entry;
};

RestoreLog::Entry entryFromObject(const QJsonObject& object, qsizetype index)
{
    const Reader reader(object, index);
    return {
        reader.text(QLatin1String("path")),
        reader.integer(QLatin1String("size")),
        reader.rawValue<OrphanGroup>(QLatin1String("group"), OrphanGroups::fromRawValue),
        reader.optionalText(QLatin1String("follows")),
        reader.optionalText(QLatin1String("movedTo")),
        reader.rawValue<RestoreLog::Status>(
            QLatin1String("status"), RestoreLog::statusFromRawValue),
        reader.optionalText(QLatin1String("note")),
    };
}

QList<RestoreLog::Entry> entriesFromArray(const QJsonArray& array, qsizetype from, qsizetype to)
{
    QList<RestoreLog::Entry> entries;
    entries.reserve(to - from);
    for (qsizetype i = from; i < to; ++i) {
        const QJsonValue value = array.at(i);
        if (!value.isObject())
            throw CodingError(QStringLiteral("Entry %1 is not a JSON object.").arg(i + 1));
        entries.append(entryFromObject(value.toObject(), i));
    }
    return entries;
}

std::optional<Destination> destinationFromRawValue(QStringView text)
{
    if (text == LogText::rawValue(Destination::review))
        return Destination::review;
    return std::nullopt;
}

qsizetype countWhere(const QList<RestoreLog::Entry>& entries, auto predicate)
{
    return std::count_if(entries.begin(), entries.end(), predicate);
}

} // namespace

qsizetype RestoreLog::movedCount() const
{
    return countWhere(entries, [](const Entry& entry) { return entry.status == Status::moved; });
}

qint64 RestoreLog::movedSize() const
{
    qint64 total = 0;
    for (const Entry& entry : entries) {
        if (entry.status == Status::moved)
            total += entry.size;
    }
    return total;
}

qsizetype RestoreLog::everMovedCount() const
{
    return countWhere(entries, [](const Entry& entry) {
        return entry.status == Status::moved || entry.status == Status::restored
            || entry.status == Status::conflict;
    });
}

QByteArray RestoreLog::encoded() const
{
    QList<QByteArray> encodedEntries;
    encodedEntries.reserve(entries.size());
    for (const Entry& entry : entries)
        encodedEntries.append(LogText::jsonEntry(entry));
    return LogText::json(*this, encodedEntries);
}

RestoreLog RestoreLog::decoded(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw CodingError(QStringLiteral("It is not valid JSON (%1).").arg(error.errorString()));
    if (!document.isObject())
        throw CodingError(QStringLiteral("It is not a JSON object."));

    const QJsonObject object = document.object();
    const Reader reader(object, -1);
    RestoreLog log;
    log.version = int(reader.integer(QLatin1String("version")));
    log.app = reader.text(QLatin1String("app"));
    log.created = reader.date(QLatin1String("created"));
    log.rootPath = reader.text(QLatin1String("rootPath"));
    log.destination
        = reader.rawValue<Destination>(QLatin1String("destination"), destinationFromRawValue);
    const QJsonArray entryArray = reader.array(QLatin1String("entries"));
    // Listing sessions and restoring read every entry of long logs: the second half of a long
    // one is read beside the first, while a short one is read before a thread could start.
    // Should both halves hold a fault, the first one is the one reported.
    constexpr qsizetype shortestSplit = 4096;
    if (entryArray.size() < shortestSplit) {
        log.entries = entriesFromArray(entryArray, 0, entryArray.size());
    } else {
        const qsizetype half = entryArray.size() / 2;
        std::future<QList<RestoreLog::Entry>> secondHalf = SideTask::start(
            [&] { return entriesFromArray(entryArray, half, entryArray.size()); });
        log.entries = entriesFromArray(entryArray, 0, half);
        log.entries.append(secondHalf.get());
    }
    log.restored = reader.optionalDate(QLatin1String("restored"));
    return log;
}

RestoreLog RestoreLog::reconciled(const FolderHandle& session, const FileManager& fileManager) const
{
    RestoreLog copy = *this;
    FolderCursor sessionFolder(session);
    for (Entry& entry : copy.entries) {
        if (entry.status != Status::planned)
            continue;
        const std::optional<QString> name = Mover::safeRelativePath(entry.currentPath());
        if (!name)
            continue;
        try {
            const FolderHandle* folder
                = sessionFolder.open(fileManager, RelativePath::folder(*name));
            const ItemInfo found
                = folder ? fileManager.infoOf(*folder, RelativePath::name(*name)) : ItemInfo {};
            // An empty reservation of a move cut off before the file came is not the file.
            if (found.kind != ItemKind::none && !CutOffWork::isReservation(entry, found))
                entry.status = Status::moved;
        } catch (const OperationError&) {
            // A file that cannot be looked at is not vouched for.
        }
    }
    return copy;
}

QString RestoreLog::rawValue(Status status)
{
    switch (status) {
    case Status::planned:
        return QStringLiteral("planned");
    case Status::moved:
        return QStringLiteral("moved");
    case Status::failed:
        return QStringLiteral("failed");
    case Status::restored:
        return QStringLiteral("restored");
    case Status::conflict:
        return QStringLiteral("conflict");
    }
    return QStringLiteral("planned");
}

std::optional<RestoreLog::Status> RestoreLog::statusFromRawValue(QStringView text)
{
    for (Status status :
        { Status::planned, Status::moved, Status::failed, Status::restored, Status::conflict }) {
        if (rawValue(status) == text)
            return status;
    }
    return std::nullopt;
}
