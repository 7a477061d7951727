#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <utility>

// JSON text in the exact forms our stored files use. QJsonDocument picks its own indentation
// and key order, so the writers here spell the bytes out themselves.
namespace JsonText {

// Members in the order they are to be written.
using OrderedObject = QList<std::pair<QString, QJsonValue>>;

// One line, no spaces, keys of nested objects sorted.
QByteArray compact(const QJsonValue& value);
QByteArray compact(const OrderedObject& object);

// Keys sorted at every level, two spaces per level, " : " between key and value,
// slashes never escaped, empty arrays and objects as [] and {}.
QByteArray pretty(const QJsonValue& value);

// A quoted JSON string with the standard escapes; "/" and non-ASCII text are written as they are.
QByteArray quoted(const QString& text);

} // namespace JsonText
