#include "FailureReason.h"

#include <QHash>
#include <cerrno>
#include <cstring>
#include <optional>

namespace {

// What the errors that stop a move on a desktop's drives and shares usually mean there.
QString meaning(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("the folder can’t be changed");
    case EIO:
    case ENOTCONN:
    case ESTALE:
    case ETIMEDOUT:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETDOWN:
    case ENETUNREACH:
    case ECONNRESET:
    case ECONNABORTED:
        return QStringLiteral("the drive or network share stopped answering");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("the drive is full");
    }
    return {};
}

// The system's texts for its error numbers, in the language the messages were made in.
const QHash<QString, int>& systemReasons()
{
    static const QHash<QString, int> reasons = [] {
        QHash<QString, int> texts;
        for (int error = 1; error < 256; ++error) {
            const QString text = QString::fromLocal8Bit(std::strerror(error));
            if (!texts.contains(text))
                texts.insert(text, error);
        }
        return texts;
    }();
    return reasons;
}

// The reason at the end of a file manager's message: "…: Permission denied."
std::optional<int> systemError(const QString& note)
{
    if (!note.endsWith(u'.'))
        return std::nullopt;
    const qsizetype colon = note.lastIndexOf(QStringLiteral(": "));
    if (colon < 0)
        return std::nullopt;
    const QString text = note.mid(colon + 2).chopped(1);
    const auto found = systemReasons().constFind(text);
    if (found == systemReasons().cend())
        return std::nullopt;
    return found.value();
}

} // namespace

namespace FailureReason {

QString of(const QString& note, const QString& root)
{
    if (const std::optional<int> error = systemError(note)) {
        QString reason = QString::fromLocal8Bit(std::strerror(*error));
        reason[0] = reason[0].toLower();
        const QString why = meaning(*error);
        return why.isEmpty() ? reason : QStringLiteral("%1 (%2)").arg(reason, why);
    }
    QString shortened = note;
    return shortened.replace(root + u'/', QString());
}

} // namespace FailureReason
