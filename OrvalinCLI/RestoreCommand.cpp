#include "RestoreCommand.h"

#include "CommandParser.h"
#include "ExitCode.h"
#include "FolderArgument.h"
#include "JsonText.h"
#include "Messages.h"
#include "Mover.h"
#include "OperationError.h"
#include "RestoreProgress.h"
#include "ScanRun.h"
#include "SessionReport.h"
#include "TerminalText.h"
#include "UnrecordedRestore.h"
#include "UsageError.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace {

struct SessionFailure
{
    QString name;
    QString error;
};

bool hasSomethingToRestore(const ReviewSession& session)
{
    return session.log.movedCount() > 0 || SessionReport::waiting(session.log) > 0
        || RestoreProgress::wasCutOff(session.log);
}

QList<ReviewSession> chosenSessions(
    const QList<ReviewSession>& sessions, const QStringList& names, bool all)
{
    QList<ReviewSession> chosen;
    if (all) {
        std::copy_if(
            sessions.begin(), sessions.end(), std::back_inserter(chosen), hasSomethingToRestore);
        return chosen;
    }
    for (const QString& name : names) {
        const auto found
            = std::find_if(sessions.begin(), sessions.end(), [&](const ReviewSession& session) {
                  return QFileInfo(session.folder).fileName() == name;
              });
        if (found == sessions.end())
            throw OperationError(QStringLiteral("There is no review session “%1”.").arg(name));
        chosen.append(*found);
    }
    return chosen;
}

QJsonObject reportJson(const RestoreOutcome& total, const QList<SessionFailure>& failures)
{
    QJsonArray failedSessions;
    for (const SessionFailure& failure : failures) {
        failedSessions.append(QJsonObject {
            { QStringLiteral("name"), failure.name }, { QStringLiteral("error"), failure.error } });
    }
    QJsonArray failedFiles;
    for (const RestoreFailure& failure : total.failed) {
        failedFiles.append(QJsonObject { { QStringLiteral("path"), failure.path },
            { QStringLiteral("reason"), Messages::restoreFailureReason(failure.reason) },
            { QStringLiteral("note"), failure.note } });
    }
    return { { QStringLiteral("restored"), total.restored },
        { QStringLiteral("conflicts"), QJsonArray::fromStringList(total.conflicts) },
        { QStringLiteral("missing"), QJsonArray::fromStringList(total.missing) },
        { QStringLiteral("failed"), failedFiles },
        { QStringLiteral("failedSessions"), failedSessions } };
}

// Done when nothing stayed behind; else done in part when anything was put back, and failed when
// nothing was, as a move that moved nothing.
int exitCodeOf(const RestoreOutcome& total, const QList<SessionFailure>& failures)
{
    const qsizetype stayed
        = total.conflicts.size() + total.missing.size() + total.failed.size() + failures.size();
    if (stayed == 0)
        return ExitCode::done;
    return total.restored > 0 ? ExitCode::partial : ExitCode::failed;
}

} // namespace

namespace RestoreCommand {

int run(const QStringList& arguments, Console& console, FileManager& fileManager)
{
    CommandParser parser(QStringLiteral("restore [--json] FOLDER (--all | SESSION-NAME...)"),
        { ExitCode::done, ExitCode::failed, ExitCode::usage, ExitCode::partial });
    parser.addOption(
        { QStringLiteral("all"), QStringLiteral("every session with files to put back") });
    parser.addOption({ QStringLiteral("json"), QStringLiteral("print one JSON object") });
    parser.parseArguments(arguments);
    const QStringList positionals = parser.positionals(1, std::numeric_limits<qsizetype>::max());
    const bool all = parser.isSet(QStringLiteral("all"));
    if (all && positionals.size() > 1)
        throw UsageError { QStringLiteral("Give --all or session names, not both.") };
    if (!all && positionals.size() == 1)
        throw UsageError { QStringLiteral("Say which sessions to restore, or --all.") };
    const QString folder = FolderArgument::checked(positionals.first(), fileManager);
    const QString app = ScanRun::appName();

    const QList<ReviewSession> chosen
        = chosenSessions(Mover::sessions(folder, Messages::reviewFolderName(app), fileManager),
            positionals.mid(1), all);

    RestoreOutcome total;
    QList<SessionFailure> failures;
    for (const ReviewSession& session : chosen) {
        try {
            total += Mover::restore(session.folder, Messages::logWording(app),
                QDateTime::currentDateTime(), fileManager, ScanRun::waitingLine(console));
        } catch (const UnrecordedRestore& error) {
            total += error.outcome();
            failures.append({ QFileInfo(session.folder).fileName(), error.message() });
        } catch (const OperationError& error) {
            failures.append({ QFileInfo(session.folder).fileName(), error.message() });
        }
    }

    if (parser.isSet(QStringLiteral("json"))) {
        console.out << JsonText::pretty(reportJson(total, failures)) << '\n';
    } else {
        console.out << Messages::restoreNotice(total) << '\n';
        for (const QString& path : total.conflicts)
            console.out << QStringLiteral("  waiting: %1\n").arg(TerminalText::escaped(path));
        for (const QString& path : total.missing)
            console.out << QStringLiteral("  missing: %1\n").arg(TerminalText::escaped(path));
        for (const RestoreFailure& failure : total.failed)
            console.out << QStringLiteral("  failed: %1 (%2)\n")
                               .arg(TerminalText::escaped(failure.path),
                                   Messages::restoreFailureReason(failure.reason));
    }
    for (const SessionFailure& failure : failures)
        console.err << QStringLiteral("orvalin-cli: “%1” could not be restored: %2\n")
                           .arg(TerminalText::escaped(failure.name),
                               TerminalText::escaped(failure.error));
    return exitCodeOf(total, failures);
}

} // namespace RestoreCommand
