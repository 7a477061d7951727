#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

// What one command takes: thrown by its parser when asked for --help, and read back to print
// that help, the tool's man page and its shell completions.
struct CommandHelp
{
    // "scan [MATCH FLAGS] [--json] FOLDER"
    QString synopsis;
    // In the order the command added them, --help last.
    QList<QCommandLineOption> options;
    // The statuses worth knowing for this command; none for commands that only print.
    QList<int> exitStatuses;

    // The usage line, `summary`, one aligned line per option, then the exit statuses.
    QString text(const QString& summary) const;
};
