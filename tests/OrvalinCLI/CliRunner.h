#pragma once

#include "CrashDrill.h"
#include "FileManager.h"
#include "TestSupport.h"

#include <QJsonValue>
#include <gtest/gtest.h>

// Runs the built orvalin-cli as a separate process, as a user's shell would.
inline CliRun runCli(const QStringList& arguments)
{
    return CrashDrill::runCli(QStringLiteral(ORVALIN_CLI_PATH), arguments);
}

// Runs the commands in this process, for the cases that need no real process; folders are opened
// and files moved through `fileManager` where one is given.
CliRun runCliInProcess(const QStringList& arguments, FileManager* fileManager = nullptr);

// A command line, in UTF-8, split at its spaces, for arguments that hold none.
inline QStringList words(const char* line)
{
    return QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
}

// The JSON document a run printed; a run that printed none fails the test.
QJsonValue json(const CliRun& run);
