#include "LogWording.h"

LogWording LogWording::english()
{
    return {
        [](const QString& app, qsizetype count, const QString& date) {
            return (count == 1 ? QStringLiteral("%1 moved %2 file on %3.")
                               : QStringLiteral("%1 moved %2 files on %3."))
                .arg(app, QString::number(count), date);
        },
        QStringLiteral("From:"),
        QStringLiteral("To:"),
        QStringLiteral("To put everything back, open the folder in the app and choose Restore. "
                       "Each line below shows where a file was and where it is now, so you can "
                       "also move files back by hand."),
        QStringLiteral("Moved"),
        QStringLiteral("Not moved"),
        QStringLiteral("Put back"),
    };
}
