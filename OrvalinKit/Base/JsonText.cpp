#include "JsonText.h"

#include <QJsonArray>
#include <QJsonObject>
#include <cmath>

namespace {

QByteArray number(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9.0e15)
        return QByteArray::number(qint64(value));
    return QByteArray::number(value, 'g', 17);
}

void writeCompact(QByteArray& out, const QJsonValue& value);

void writeCompactObject(QByteArray& out, const QJsonObject& object)
{
    out += '{';
    bool first = true;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!first)
            out += ',';
        first = false;
        out += JsonText::quoted(it.key());
        out += ':';
        writeCompact(out, it.value());
    }
    out += '}';
}

void writeCompact(QByteArray& out, const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        out += "null";
        break;
    case QJsonValue::Bool:
        out += value.toBool() ? "true" : "false";
        break;
    case QJsonValue::Double:
        out += number(value.toDouble());
        break;
    case QJsonValue::String:
        out += JsonText::quoted(value.toString());
        break;
    case QJsonValue::Array: {
        out += '[';
        const QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            if (i > 0)
                out += ',';
            writeCompact(out, array.at(i));
        }
        out += ']';
        break;
    }
    case QJsonValue::Object:
        writeCompactObject(out, value.toObject());
        break;
    }
}

void indent(QByteArray& out, int level)
{
    out.append(QByteArray(2 * level, ' '));
}

void writePretty(QByteArray& out, const QJsonValue& value, int level)
{
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        if (array.isEmpty()) {
            out += "[]";
            return;
        }
        out += "[\n";
        for (qsizetype i = 0; i < array.size(); ++i) {
            indent(out, level + 1);
            writePretty(out, array.at(i), level + 1);
            out += i + 1 < array.size() ? ",\n" : "\n";
        }
        indent(out, level);
        out += ']';
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        if (object.isEmpty()) {
            out += "{}";
            return;
        }
        // QJsonObject keeps its keys sorted, which is the order we write.
        out += "{\n";
        qsizetype written = 0;
        for (auto it = object.begin(); it != object.end(); ++it) {
            indent(out, level + 1);
            out += JsonText::quoted(it.key());
            out += " : ";
            writePretty(out, it.value(), level + 1);
            out += ++written < object.size() ? ",\n" : "\n";
        }
        indent(out, level);
        out += '}';
    } else {
        writeCompact(out, value);
    }
}

} // namespace

namespace JsonText {

QByteArray compact(const QJsonValue& value)
{
    QByteArray out;
    writeCompact(out, value);
    return out;
}

QByteArray compact(const OrderedObject& object)
{
    QByteArray out("{");
    for (qsizetype i = 0; i < object.size(); ++i) {
        if (i > 0)
            out += ',';
        out += quoted(object.at(i).first);
        out += ':';
        writeCompact(out, object.at(i).second);
    }
    out += '}';
    return out;
}

QByteArray pretty(const QJsonValue& value)
{
    QByteArray out;
    writePretty(out, value, 0);
    return out;
}

QByteArray quoted(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (uchar(c) < 0x20) {
                out += "\\u00";
                out += QByteArray::number(uchar(c), 16).rightJustified(2, '0');
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

} // namespace JsonText
