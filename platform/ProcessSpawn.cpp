#include "platform/ProcessSpawn.h"

#include <spawn.h>

#include <cerrno>
#include <csignal>
#include <stdexcept>

extern char** environ;

namespace vantorell::detail {

std::vector<char*> execArguments(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& a : arguments) {
        if (a.find('\0') != std::string::npos) {
            throw std::invalid_argument("a program argument holds a NUL character");
        }
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

int spawnChild(const std::vector<std::string>& arguments, const std::string& workingFolder,
               pid_t& pid) {
    std::vector<char*> argv = execArguments(arguments);
    if (arguments.empty() || arguments[0].empty()) {
        return ENOENT;
    }

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (int e = posix_spawn_file_actions_init(&actions); e != 0) {
        return e;
    }
    if (int e = posix_spawnattr_init(&attributes); e != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return e;
    }
    int error = 0;
    if (!workingFolder.empty()) {
        error = posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    }
    // Handles are not inherited: only standard input, output and error go along.
    if (error == 0) {
        error = posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    }
    // The child starts with no blocked signals and no signal ignored on our behalf.
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    if (error == 0) {
        error = posix_spawnattr_setsigmask(&attributes, &none);
    }
    if (error == 0) {
        error = posix_spawnattr_setsigdefault(&attributes, &all);
    }
    if (error == 0) {
        error =
            posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    if (error == 0) {
        // The C library reports a failed change of folder or exec in the child as the result.
        error = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

}  // namespace vantorell::detail
