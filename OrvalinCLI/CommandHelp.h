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

    // The usage line, `summary`, then one aligned line per option.
    QString text(const QString& summary) const;
};
