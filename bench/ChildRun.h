#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// The wall time and peak memory of a child process, from the kernel's accounting of it.
struct ChildRun
{
    double seconds = 0;
    double megabytes = 0;

    // Runs `arguments` (a program found on PATH, or a path) with its output thrown away; a child
    // that fails ends the bench.
    static ChildRun of(const char* const* arguments)
    {
        const auto start = std::chrono::steady_clock::now();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        if (posix_spawnp(
                &pid, arguments[0], &actions, nullptr, const_cast<char**>(arguments), environ)
            != 0) {
            std::perror(arguments[0]);
            std::exit(1);
        }
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        struct rusage usage = {};
        wait4(pid, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "%s failed\n", arguments[0]);
            std::exit(1);
        }
        return { std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            double(usage.ru_maxrss) / 1024.0 };
    }
};
