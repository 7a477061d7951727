#include "StampsCommand.h"

#include "CaptureTime.h"
#include "CommandParser.h"
#include "ExitCode.h"
#include "TerminalText.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Why `path` cannot be read, in the system's words; empty when it can.
QString whyUnreadable(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    ::close(fd);
    return {};
}

} // namespace

namespace StampsCommand {

int run(const QStringList& arguments, Console& console, FileManager&)
{
    CommandParser parser(
        QStringLiteral("stamps FILE..."), { ExitCode::done, ExitCode::failed, ExitCode::usage });
    parser.parseArguments(arguments);
    int status = ExitCode::done;
    for (const QString& path : parser.positionals(1, std::numeric_limits<qsizetype>::max())) {
        // A file that has no stamp is listed without one; a file that is not there is an error.
        if (const QString why = whyUnreadable(path); !why.isEmpty()) {
            console.err
                << QStringLiteral("orvalin-cli: “%1”: %2\n").arg(TerminalText::escaped(path), why);
            status = ExitCode::failed;
            continue;
        }
        console.out << path;
        if (const std::optional<CaptureStamp> stamp = CaptureTime::read(path)) {
            console.out << '\t' << stamp->date << '\t' << stamp->subsec.value_or(QString()) << '\t'
                        << stamp->model.value_or(QString());
        }
        console.out << '\n';
    }
    return status;
}

} // namespace StampsCommand
