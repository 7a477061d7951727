#include "ExitCode.h"

namespace {

QString meaning(int code)
{
    switch (code) {
    case ExitCode::done:
        return QStringLiteral("all done");
    case ExitCode::failed:
        return QStringLiteral("failed: the command could not be carried out, or not one file "
                              "could be moved or put back");
    case ExitCode::usage:
        return QStringLiteral("usage error: the command line is not understood; nothing was done");
    case ExitCode::refused:
        return QStringLiteral(
            "folder refused: it belongs to a photo catalog or library; nothing was done");
    case ExitCode::partial:
        return QStringLiteral(
            "done in part: some files were not moved or not put back; see the report");
    case ExitCode::interrupted:
        return QStringLiteral("interrupted");
    }
    return {};
}

} // namespace

namespace ExitCode {

QList<int> all()
{
    return { done, failed, usage, refused, partial, interrupted };
}

QString listing(const QList<int>& codes)
{
    QString text = QStringLiteral("Exit statuses:\n");
    for (const int code : codes)
        text += QStringLiteral("  %1  %2\n")
                    .arg(QString::number(code).leftJustified(3), meaning(code));
    return text;
}

} // namespace ExitCode
