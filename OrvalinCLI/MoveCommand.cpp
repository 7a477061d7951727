#include "MoveCommand.h"

#include "CommandParser.h"
#include "ExitCode.h"
#include "FailureReason.h"
#include "JsonText.h"
#include "MatchFlags.h"
#include "Messages.h"
#include "Mover.h"
#include "OperationError.h"
#include "PlanReport.h"
#include "ScanReport.h"
#include "ScanRun.h"
#include "TerminalText.h"
#include "UsageError.h"

#include <QJsonArray>

namespace {

const QString tickOption = QStringLiteral("tick");
const QString pathOption = QStringLiteral("path");
const QString dryRunOption = QStringLiteral("dry-run");
const QString jsonOption = QStringLiteral("json");

OrphanGroup groupNamed(const QString& name)
{
    const std::optional<OrphanGroup> group = OrphanGroups::fromRawValue(name);
    if (!group)
        throw UsageError {
            QStringLiteral("--tick takes raw, jpeg or sidecar, not “%1”.").arg(name)
        };
    return *group;
}

// The ids the command line ticks: whole groups, then single candidates by relative path.
QSet<QString> ticked(const CommandParser& parser, const ScanResult& result)
{
    QSet<QString> selection;
    for (const QString& name : parser.values(tickOption)) {
        for (const Candidate& candidate : result.candidates(groupNamed(name)))
            selection.insert(candidate.id());
    }
    const QList<Candidate> all = result.allCandidates();
    for (const QString& path : parser.values(pathOption)) {
        const bool isCandidate = std::any_of(all.begin(), all.end(),
            [&](const Candidate& candidate) { return candidate.id() == path; });
        if (!isCandidate)
            throw OperationError(
                QStringLiteral("“%1” is not a leftover that can be ticked.").arg(path));
        selection.insert(path);
    }
    return selection;
}

QJsonObject outcomeJson(const MoveOutcome& outcome)
{
    QJsonArray failed;
    for (const RestoreLog::Entry& entry : outcome.failed()) {
        failed.append(QJsonObject { { QStringLiteral("path"), entry.path },
            { QStringLiteral("note"), entry.note.value_or(QString()) } });
    }
    return { { QStringLiteral("session"), outcome.session },
        { QStringLiteral("moved"), double(outcome.moved()) },
        { QStringLiteral("movedSize"), double(outcome.log.movedSize()) },
        { QStringLiteral("failed"), failed } };
}

// Failed files by their path in the scanned folder and the reason once: the log, in the session,
// keeps the whole story.
void printOutcome(const MoveOutcome& outcome, const QString& root, Console& console)
{
    const QString app = ScanRun::appName();
    console.out << (outcome.moved() > 0 ? Messages::movedFiles(app, outcome)
                                        : QStringLiteral("Nothing was moved."))
                << '\n';
    console.out << QStringLiteral("Session: %1\n").arg(TerminalText::escaped(outcome.session));
    const QList<RestoreLog::Entry> failed = outcome.failed();
    if (!failed.isEmpty())
        console.out << QStringLiteral("%1 couldn’t be moved:\n").arg(failed.size());
    for (const RestoreLog::Entry& entry : failed)
        console.out << QStringLiteral("  %1: %2\n")
                           .arg(TerminalText::escaped(entry.path),
                               TerminalText::escaped(
                                   FailureReason::of(entry.note.value_or(QString()), root)));
}

// Done when every planned file moved, failed when none did, else done in part.
int exitCodeOf(const MoveOutcome& outcome)
{
    if (outcome.failed().isEmpty())
        return ExitCode::done;
    return outcome.moved() > 0 ? ExitCode::partial : ExitCode::failed;
}

} // namespace

namespace MoveCommand {

int run(const QStringList& arguments, Console& console, FileManager& fileManager)
{
    CommandParser parser(QStringLiteral("move [MATCH FLAGS] (--tick raw|jpeg|sidecar | --path "
                                        "REL)... [--dry-run] [--json] FOLDER"),
        ExitCode::all());
    MatchFlags::addTo(parser);
    parser.addOption({ tickOption, QStringLiteral("tick a whole group"), QStringLiteral("group") });
    parser.addOption({ pathOption, QStringLiteral("tick one leftover"), QStringLiteral("path") });
    parser.addOption({ dryRunOption, QStringLiteral("show the plan, move nothing") });
    parser.addOption({ jsonOption, QStringLiteral("print one JSON object") });
    parser.parseArguments(arguments);
    const MatchOptions options = MatchFlags::read(parser);
    if (!parser.isSet(tickOption) && !parser.isSet(pathOption))
        throw UsageError { QStringLiteral("Say what to move with --tick or --path.") };
    for (const QString& name : parser.values(tickOption))
        groupNamed(name);
    const QString folder = parser.folder(fileManager);

    const Analysis analysis = ScanRun::perform(folder, options, console);
    const MovePlan plan
        = MovePlan::make(analysis.result.allCandidates(), ticked(parser, analysis.result));
    const bool json = parser.isSet(jsonOption);
    const bool dryRun = parser.isSet(dryRunOption);
    const QString app = ScanRun::appName();

    if (!json) {
        if (const QString unreadable = ScanReport::unreadableLines(analysis.result);
            !unreadable.isEmpty())
            console.out << unreadable << '\n';
        console.out << (dryRun
                ? QStringLiteral("Move %1 files?\nThis is a dry run: nothing has moved yet.\n\n")
                : QStringLiteral("Moving %1 files.\n\n"))
                           .arg(plan.fileCount());
        console.out << PlanReport::text(plan, app) << '\n';
    }
    QJsonObject report { { QStringLiteral("plan"), PlanReport::json(plan) } };
    ScanReport::addUnreadable(analysis.result, report);
    int exitCode = ExitCode::done;
    // An empty plan would only leave an empty session behind.
    if (!dryRun && !plan.isEmpty()) {
        const MoveOutcome outcome = Mover::move(plan, folder, Messages::reviewFolderName(app), app,
            QDateTime::currentDateTime(), Messages::logWording(app), fileManager,
            ScanRun::waitingLine(console));
        if (json) {
            const QJsonObject moved = outcomeJson(outcome);
            for (auto it = moved.begin(); it != moved.end(); ++it)
                report.insert(it.key(), it.value());
        } else {
            printOutcome(outcome, folder, console);
        }
        exitCode = exitCodeOf(outcome);
    } else if (!dryRun && json) {
        report.insert(QStringLiteral("moved"), 0);
        report.insert(QStringLiteral("movedSize"), 0);
        report.insert(QStringLiteral("failed"), QJsonArray());
    } else if (!dryRun) {
        console.out << "Nothing to move.\n";
    }
    if (json)
        console.out << JsonText::pretty(report) << '\n';
    return exitCode;
}

} // namespace MoveCommand
