#include "SessionReport.h"

#include "Formatting.h"
#include "TerminalText.h"

#include <QFileInfo>
#include <QJsonObject>
#include <algorithm>

namespace {

QString isoDate(const QDateTime& date)
{
    return date.toUTC().toString(Qt::ISODate);
}

QString nameOf(const ReviewSession& session)
{
    return QFileInfo(session.folder).fileName();
}

} // namespace

namespace SessionReport {

qsizetype waiting(const RestoreLog& log)
{
    return std::count_if(
        log.entries.begin(), log.entries.end(), [](const RestoreLog::Entry& entry) {
            return entry.status == RestoreLog::Status::conflict;
        });
}

QJsonArray json(const QList<ReviewSession>& sessions)
{
    QJsonArray array;
    for (const ReviewSession& session : sessions) {
        QJsonObject object { { QStringLiteral("folder"), session.folder },
            { QStringLiteral("name"), nameOf(session) },
            { QStringLiteral("created"), isoDate(session.log.created) },
            { QStringLiteral("inReview"), double(session.log.movedCount()) },
            { QStringLiteral("inReviewSize"), double(session.log.movedSize()) },
            { QStringLiteral("waiting"), double(waiting(session.log)) } };
        if (session.log.restored)
            object.insert(QStringLiteral("restored"), isoDate(*session.log.restored));
        array.append(object);
    }
    return array;
}

QString text(const QList<ReviewSession>& sessions)
{
    if (sessions.isEmpty())
        return QStringLiteral("No moves yet.\n");
    QString text;
    for (const ReviewSession& session : sessions) {
        const RestoreLog& log = session.log;
        text += QStringLiteral("%1  (moved %2)\n")
                    .arg(TerminalText::escaped(nameOf(session)),
                        Formatting::longDateShortTime(log.created));
        if (log.movedCount() > 0)
            text += QStringLiteral("  %1 files (%2) in the review folder\n")
                        .arg(log.movedCount())
                        .arg(Formatting::byteCount(log.movedSize()));
        if (const qsizetype count = waiting(log))
            text
                += QStringLiteral("  %1 waiting: a file with the same name is back in the original "
                                  "place\n")
                       .arg(count);
        if (log.restored)
            text += QStringLiteral("  Put back %1\n")
                        .arg(Formatting::longDateShortTime(*log.restored));
    }
    return text;
}

} // namespace SessionReport
