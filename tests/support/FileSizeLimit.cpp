#include "tests/support/FileSizeLimit.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <exception>

namespace vantorell::test {

bool flgRunUnderFileSizeLimit(std::size_t bytes, const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, bytes};
        bool passed = false;
        if (::setrlimit(RLIMIT_FSIZE, &limit) == 0) {
            try {
                passed = body();
            } catch (const std::exception&) {
                passed = false;
            }
        }
        ::_exit(passed ? 0 : 1);
    }
    int status = -1;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace vantorell::test
