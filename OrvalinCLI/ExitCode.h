#pragma once

// What orvalin-cli tells its caller.
namespace ExitCode {
constexpr int done = 0;
constexpr int failed = 1;
constexpr int usage = 2;
constexpr int refused = 3;
// 128 + SIGINT, as shells report an interrupted command.
constexpr int interrupted = 130;
} // namespace ExitCode
