#include "platform/LiveTempFiles.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace vantorell {
namespace {

constexpr int kRecords = 64;
constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

enum RecordState : int { Free, Taken, Live };

// The path lives in the record itself, so the handler reads no memory that could be
// freed under it.
struct Record {
    std::atomic<int> state{Free};
    char path[PATH_MAX];
};

Record records[kRecords];
std::atomic<int> busy{0};  // threads creating or renaming a file
std::atomic<bool> ending{false};
std::atomic<int> endStatus{1};

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "the signal handler needs lock-free atomics");

sigset_t endSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int s : kEndSignals) {
        sigaddset(&set, s);
    }
    return set;
}

// Creating or renaming a file, with the end signals held back in this thread. Once the
// program is ending, a thread that comes here waits for the handler to end it.
class Section {
public:
    Section() {
        const sigset_t set = endSignalSet();
        pthread_sigmask(SIG_BLOCK, &set, &saved_);
        busy.fetch_add(1);
        if (ending.load()) {
            busy.fetch_sub(1);
            for (;;) {
                ::pause();
            }
        }
    }
    ~Section() {
        const int saved = errno;
        busy.fetch_sub(1);
        pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
        errno = saved;
    }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

private:
    sigset_t saved_;
};

void release(int record) {
    if (record >= 0) {
        records[record].state.store(Free);
    }
}

// Async-signal-safe: atomics, nanosleep, unlink and _exit only.
void onEndSignal(int) {
    ending.store(true);
    // A create or rename on another thread takes one system call; let it finish so that
    // its file is seen.
    while (busy.load() != 0) {
        const timespec pause{0, 1000000};
        ::nanosleep(&pause, nullptr);
    }
    for (Record& r : records) {
        if (r.state.load() == Live) {
            ::unlink(r.path);
        }
    }
    ::_exit(endStatus.load());
}

}  // namespace

int createLiveTempFile(std::string& pattern, int& record) {
    record = -1;
    if (pattern.size() < PATH_MAX) {
        for (int i = 0; i < kRecords && record < 0; ++i) {
            int expected = Free;
            if (records[i].state.compare_exchange_strong(expected, Taken)) {
                record = i;
            }
        }
    }
    const Section section;
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    const int error = errno;
    if (record >= 0 && fd >= 0) {
        std::memcpy(records[record].path, pattern.c_str(), pattern.size() + 1);
        records[record].state.store(Live);
    } else if (record >= 0) {
        release(record);
        record = -1;
    }
    errno = error;
    return fd;
}

bool renameLiveTempFile(int record, const std::string& path, const std::string& target) {
    const Section section;
    if (::rename(path.c_str(), target.c_str()) != 0) {
        return false;
    }
    release(record);
    return true;
}

void removeLiveTempFile(int record, const std::string& path) {
    // Removed before the record goes, so a handler in between finds it gone at worst.
    ::unlink(path.c_str());
    release(record);
}

void removeLiveTempFilesOnTermination(int exitStatus) {
    endStatus.store(exitStatus);
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    action.sa_mask = endSignalSet();
    for (const int s : kEndSignals) {
        struct sigaction previous {};
        sigaction(s, nullptr, &previous);
        // A signal ignored by whoever started us (nohup) stays ignored.
        if (previous.sa_handler != SIG_IGN) {
            sigaction(s, &action, nullptr);
        }
    }
    ::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace vantorell
