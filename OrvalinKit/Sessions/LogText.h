#pragma once

#include "LogWording.h"
#include "RestoreLog.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The two logs of a session, spelled out piece by piece: one piece per entry and the text
// around them. A long move rewrites its logs on the way and keeps the pieces of the entries
// that did not change; everything else encodes a log whole.
namespace LogText {

QString rawValue(Destination destination);
// UTC, whole seconds, "Z". Throws CodingError for an invalid date.
QString dateText(const QDateTime& date);

// One element of the JSON "entries" array, indented for its place and without a comma.
QByteArray jsonEntry(const RestoreLog::Entry& entry);
// "restore-log.json" around the log's encoded entries, in the log's order.
QByteArray json(const RestoreLog& log, const QList<QByteArray>& entries);

// One entry's line of "Moved files.txt".
QString textLine(const RestoreLog::Entry& entry);
// "Moved files.txt" around the log's entry lines, in the log's order.
QString text(const RestoreLog& log, const QString& session, const LogWording& wording,
    const QStringList& lines);

} // namespace LogText
