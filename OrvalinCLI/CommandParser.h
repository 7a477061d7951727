#pragma once

#include <QCommandLineParser>
#include <QStringList>

// QCommandLineParser set up for one subcommand, turning its errors into usage errors.
class CommandParser : public QCommandLineParser
{
public:
    explicit CommandParser(const QString& synopsis);

    // Parses the command's own arguments (without the tool's and the command's name).
    void parseArguments(const QStringList& arguments);
    // The positional arguments, which must number between `least` and `most`.
    QStringList positionals(qsizetype least, qsizetype most) const;
    // Exactly one positional argument, an existing folder; returned absolute.
    QString folder() const;

    const QString& synopsis() const { return m_synopsis; }

private:
    QString m_synopsis;
};
