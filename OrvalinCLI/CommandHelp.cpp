#include "CommandHelp.h"

#include "ExitCode.h"

namespace {

QString optionLabel(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names())
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    QString label = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        label += QStringLiteral(" <%1>").arg(option.valueName());
    return label;
}

} // namespace

QString CommandHelp::text(const QString& summary) const
{
    QString help
        = QStringLiteral("usage: orvalin-cli %1\n\n%2\n\nOptions:\n").arg(synopsis, summary);
    qsizetype width = 0;
    for (const QCommandLineOption& option : options)
        width = std::max(width, optionLabel(option).size());
    for (const QCommandLineOption& option : options)
        help += QStringLiteral("  %1  %2\n")
                    .arg(optionLabel(option).leftJustified(width), option.description());
    if (!exitStatuses.isEmpty())
        help += u'\n' + ExitCode::listing(exitStatuses);
    return help;
}
