#include "CliRunner.h"

#include "Cli.h"
#include "LocalFileManager.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

CliRun runCliInProcess(const QStringList& arguments, FileManager* fileManager)
{
    LocalFileManager disk;
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    Console console { out, err, false };
    run.exitCode = Cli::run(arguments, console, fileManager ? *fileManager : disk);
    out.flush();
    err.flush();
    return run;
}

QJsonValue json(const CliRun& run)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    return document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
}
