#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <optional>

// The window program's command line: `orvalin [FOLDER]`, as a shell or a file manager's
// "Open With" starts it, plus --help and --version.
namespace LaunchArguments {

// Adds the options and the FOLDER argument to `parser`.
void describe(QCommandLineParser& parser);

// Whether the arguments ask for --help or --version, which are answered on the terminal before
// any display is opened.
bool asksForText(const QStringList& arguments);

// The folder to open at launch, from the positional arguments: a path or a file: URL, made
// absolute; nothing when none was given.
std::optional<QString> folder(const QStringList& positionals);

// The alert's text when the folder given is missing or is a file.
QString notAFolder(const QString& path);

} // namespace LaunchArguments
