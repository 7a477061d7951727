#include "LaunchArguments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace LaunchArguments {

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QCoreApplication::translate("LaunchArguments",
        "Moves the leftovers of culled RAW and JPEG pairs into a review folder."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QCoreApplication::translate("LaunchArguments", "folder"),
        QCoreApplication::translate("LaunchArguments", "A folder of shoots to scan at once."),
        QCoreApplication::translate("LaunchArguments", "[folder]"));
}

bool asksForText(const QStringList& arguments)
{
    static const QStringList textOptions { QStringLiteral("-h"), QStringLiteral("--help"),
        QStringLiteral("-?"), QStringLiteral("--help-all"), QStringLiteral("-v"),
        QStringLiteral("--version") };
    // Past "--" everything is a folder, even one named --help.
    for (const QString& argument : arguments.mid(1)) {
        if (argument == u"--")
            return false;
        if (textOptions.contains(argument))
            return true;
    }
    return false;
}

std::optional<QString> folder(const QStringList& positionals)
{
    if (positionals.isEmpty())
        return std::nullopt;
    QString path = positionals.first();
    const QUrl url(path);
    if (url.isLocalFile())
        path = url.toLocalFile();
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString notAFolder(const QString& path)
{
    return QCoreApplication::translate("LaunchArguments", "There is no folder at “%1”.").arg(path);
}

} // namespace LaunchArguments
