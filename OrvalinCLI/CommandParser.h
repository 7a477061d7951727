#pragma once

#include "CommandHelp.h"
#include "FileManager.h"

#include <QCommandLineParser>
#include <QStringList>

// QCommandLineParser set up for one subcommand, turning its errors into usage errors and
// --help into a CommandHelp.
class CommandParser : public QCommandLineParser
{
public:
    // `exitStatuses`: the ones the command's help lists.
    explicit CommandParser(const QString& synopsis, const QList<int>& exitStatuses = {});

    // Takes the option for parsing and lists it in the command's help.
    void addOption(const QCommandLineOption& option);

    // Parses the command's own arguments (without the tool's and the command's name); throws
    // the command's help when they ask for it, whatever else they hold.
    void parseArguments(const QStringList& arguments);
    // The positional arguments, which must number between `least` and `most`.
    QStringList positionals(qsizetype least, qsizetype most) const;
    // Exactly one positional argument, a folder that opens; returned absolute (FolderArgument).
    QString folder(const FileManager& fileManager) const;

    const QString& synopsis() const { return m_synopsis; }

private:
    QString m_synopsis;
    QList<int> m_exitStatuses;
    QList<QCommandLineOption> m_options;
};
