#include "tests/support/FileWait.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantorell::test {
namespace {

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace

bool waitForFileContents(const std::string& path,
                         const std::function<bool(const std::string&)>& ready,
                         std::chrono::milliseconds deadline) {
    return waitForFolder(
        std::filesystem::path(path).parent_path().string(), [&] { return ready(contentsOf(path)); },
        deadline);
}

bool waitForFolder(const std::string& folder, const std::function<bool()>& ready,
                   std::chrono::milliseconds deadline) {
    const int fd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    ::inotify_add_watch(fd, folder.c_str(),
                        IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE);
    const auto end = std::chrono::steady_clock::now() + deadline;
    bool done = ready();
    while (!done) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) > 0) {
            char events[4096];
            while (::read(fd, events, sizeof events) > 0) {
            }
        }
        done = ready();
    }
    ::close(fd);
    return done;
}

}  // namespace vantorell::test
