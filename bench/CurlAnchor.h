#pragma once
// curl as the anchor of the transfer benchmarks: run as a process on the same loopback server.

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace vantorell::bench {

// Runs curl quietly with the arguments; true when it ended with status 0.
inline bool runCurl(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"/usr/bin/curl", "-s", "-S", "--max-time", "120"});
    std::vector<char*> argv;
    for (auto& a : arguments) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace vantorell::bench
