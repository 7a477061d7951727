#include "RestoreLog.h"

#include "CodingError.h"
#include "FileManager.h"
#include "JsonText.h"
#include "Mover.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimeZone>
#include <cmath>

namespace {

QString destinationRawValue(Destination)
{
    return QStringLiteral("review");
}

// UTC, whole seconds, "Z": the only form the writer uses.
QString dateText(const QDateTime& date)
{
    if (!date.isValid())
        throw CodingError(QStringLiteral("The restore log holds an invalid date."));
    const qint64 msecs = date.toMSecsSinceEpoch();
    // Floor, not truncation, so that dates before 1970 lose their fraction the same way.
    const qint64 seconds = msecs / 1000 - (msecs % 1000 < 0 ? 1 : 0);
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(Qt::ISODate);
}

// ISO 8601 internet date-times with whole seconds and "Z" or an offset; nothing looser.
std::optional<QDateTime> parseDate(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2}):(\\d{2})(?:(Z)|([+-])(\\d{2}):(\\d{2}))$"));
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

// Reads the members of one JSON object, naming what is wrong with it.
class Reader
{
public:
    Reader(const QJsonObject& object, QString what)
        : m_object(object)
        , m_what(std::move(what))
    {
    }

    QString text(QStringView key) const
    {
        const QJsonValue value = required(key);
        if (!value.isString())
            fail(key, u"is not a text");
        return value.toString();
    }

    std::optional<QString> optionalText(QStringView key) const
    {
        const QJsonValue value = m_object.value(key);
        if (value.isUndefined() || value.isNull())
            return std::nullopt;
        if (!value.isString())
            fail(key, u"is not a text");
        return value.toString();
    }

    qint64 integer(QStringView key) const
    {
        const QJsonValue value = required(key);
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::trunc(number) || std::fabs(number) > 9.2e18)
            fail(key, u"is not a whole number");
        return value.toInteger(qint64(number));
    }

    QDateTime date(QStringView key) const { return parse(key, text(key)); }

    std::optional<QDateTime> optionalDate(QStringView key) const
    {
        const std::optional<QString> value = optionalText(key);
        if (!value)
            return std::nullopt;
        return parse(key, *value);
    }

    QJsonArray array(QStringView key) const
    {
        const QJsonValue value = required(key);
        if (!value.isArray())
            fail(key, u"is not a list");
        return value.toArray();
    }

    template <typename T, typename Parse> T rawValue(QStringView key, Parse parse) const
    {
        const QString value = text(key);
        const std::optional<T> result = parse(value);
        if (!result)
            fail(key, QStringLiteral("has the unknown value “%1”").arg(value));
        return *result;
    }

private:
    QJsonValue required(QStringView key) const
    {
        const QJsonValue value = m_object.value(key);
        if (value.isUndefined())
            fail(key, u"is missing");
        return value;
    }

    QDateTime parse(QStringView key, const QString& value) const
    {
        const std::optional<QDateTime> date = parseDate(value);
        if (!date)
            fail(key, QStringLiteral("is not a whole-second ISO 8601 date-time (“%1”)").arg(value));
        return *date;
    }

    [[noreturn]] void fail(QStringView key, QStringView problem) const
    {
        throw CodingError(QStringLiteral("“%1” of %2 %3.").arg(key, m_what, problem));
    }

    QJsonObject m_object;
    QString m_what;
};

// Written by hand rather than through QJsonObject: the bytes are fixed, and a log of many
// thousand entries is rewritten every 500 files during a move.
class Writer
{
public:
    explicit Writer(QByteArray& out)
        : m_out(out)
    {
    }

    void open(char bracket)
    {
        m_out += bracket;
        m_first = true;
        ++m_level;
    }

    void close(char bracket)
    {
        --m_level;
        if (!m_first) {
            m_out += '\n';
            indent();
        }
        m_out += bracket;
        m_first = false;
    }

    void key(const char* name)
    {
        item();
        m_out += '"';
        m_out += name;
        m_out += "\" : ";
    }

    void item()
    {
        m_out += m_first ? "\n" : ",\n";
        m_first = false;
        indent();
    }

    void text(const char* name, const QString& value)
    {
        key(name);
        m_out += JsonText::quoted(value);
    }

    void text(const char* name, const std::optional<QString>& value)
    {
        if (value)
            text(name, *value);
    }

    void number(const char* name, qint64 value)
    {
        key(name);
        m_out += QByteArray::number(value);
    }

    // Keys and values that are already JSON text.
    void raw(const char* name, const QByteArray& value)
    {
        key(name);
        m_out += value;
    }

    void openMember(const char* name, char bracket)
    {
        key(name);
        open(bracket);
    }

    void openItem(char bracket)
    {
        item();
        open(bracket);
    }

private:
    void indent() { m_out.append(2 * m_level, ' '); }

    QByteArray& m_out;
    int m_level = 0;
    bool m_first = true;
};

QByteArray quotedDate(const QDateTime& date)
{
    return JsonText::quoted(dateText(date));
}

void writeEntry(Writer& writer, const RestoreLog::Entry& entry)
{
    writer.openItem('{');
    writer.text("follows", entry.follows);
    writer.text("group", OrphanGroups::rawValue(entry.group));
    writer.text("movedTo", entry.movedTo);
    writer.text("note", entry.note);
    writer.text("path", entry.path);
    writer.number("size", entry.size);
    writer.text("status", RestoreLog::rawValue(entry.status));
    writer.close('}');
}

RestoreLog::Entry entryFromObject(const QJsonObject& object, qsizetype index)
{
    const Reader reader(object, QStringLiteral("entry %1").arg(index + 1));
    return {
        reader.text(u"path"),
        reader.integer(u"size"),
        reader.rawValue<OrphanGroup>(u"group", OrphanGroups::fromRawValue),
        reader.optionalText(u"follows"),
        reader.optionalText(u"movedTo"),
        reader.rawValue<RestoreLog::Status>(u"status", RestoreLog::statusFromRawValue),
        reader.optionalText(u"note"),
    };
}

std::optional<Destination> destinationFromRawValue(QStringView text)
{
    if (text == destinationRawValue(Destination::review))
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
    QByteArray out;
    out.reserve(256 + entries.size() * 200);
    Writer writer(out);
    writer.open('{');
    writer.text("app", app);
    writer.raw("created", quotedDate(created));
    writer.text("destination", destinationRawValue(destination));
    writer.openMember("entries", '[');
    for (const Entry& entry : entries)
        writeEntry(writer, entry);
    writer.close(']');
    if (restored)
        writer.raw("restored", quotedDate(*restored));
    writer.text("rootPath", rootPath);
    writer.number("version", version);
    writer.close('}');
    // A final newline, like every text file people open in an editor.
    out += '\n';
    return out;
}

RestoreLog RestoreLog::decoded(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw CodingError(QStringLiteral("It is not valid JSON (%1).").arg(error.errorString()));
    if (!document.isObject())
        throw CodingError(QStringLiteral("It is not a JSON object."));

    const Reader reader(document.object(), QStringLiteral("the log"));
    RestoreLog log;
    log.version = int(reader.integer(u"version"));
    log.app = reader.text(u"app");
    log.created = reader.date(u"created");
    log.rootPath = reader.text(u"rootPath");
    log.destination = reader.rawValue<Destination>(u"destination", destinationFromRawValue);
    const QJsonArray entryArray = reader.array(u"entries");
    log.entries.reserve(entryArray.size());
    for (qsizetype i = 0; i < entryArray.size(); ++i) {
        if (!entryArray.at(i).isObject())
            throw CodingError(QStringLiteral("Entry %1 is not a JSON object.").arg(i + 1));
        log.entries.append(entryFromObject(entryArray.at(i).toObject(), i));
    }
    log.restored = reader.optionalDate(u"restored");
    return log;
}

RestoreLog RestoreLog::reconciled(const QString& session, const FileManager& fileManager) const
{
    RestoreLog copy = *this;
    for (Entry& entry : copy.entries) {
        if (entry.status != Status::planned)
            continue;
        const std::optional<QString> name = Mover::safeRelativePath(entry.currentPath());
        if (name && !fileManager.passesThroughLink(session, *name)
            && fileManager.exists(session + u'/' + *name))
            entry.status = Status::moved;
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
