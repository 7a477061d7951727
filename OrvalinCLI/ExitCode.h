#pragma once

#include <QList>
#include <QString>

// What orvalin-cli tells its caller.
namespace ExitCode {
constexpr int done = 0;
constexpr int failed = 1;
constexpr int usage = 2;
constexpr int refused = 3;
// Some files were moved or put back and some were not; the report names those.
constexpr int partial = 4;
// 128 + SIGINT, as shells report an interrupted command.
constexpr int interrupted = 130;

// Every status, in order.
QList<int> all();

// "Exit statuses:" and one line per code, as --help lists them.
QString listing(const QList<int>& codes);

} // namespace ExitCode
