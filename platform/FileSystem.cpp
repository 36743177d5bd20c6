#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "common/AsciiCase.h"
#include "platform/AtomicFile.h"

namespace vantorell {
namespace {

namespace fs = std::filesystem;

bool globMatch(const char* m, const char* n) {
    // Iterative match with one back-tracking point for the last "*".
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*n != '\0') {
        if (*m == '*') {
            star = m++;
            resume = n;
        } else if (*m == '?' || (*m != '\0' && asciiLower(*m) == asciiLower(*n))) {
            ++m;
            ++n;
        } else if (star != nullptr) {
            m = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (*m == '*')
        ++m;
    return *m == '\0';
}

std::string errnoText() {
    return std::strerror(errno);
}

}  // namespace

bool wildcardMatch(const std::string& mask, const std::string& name) {
    if (mask == "*" || mask == "*.*") {
        return true;
    }
    if (globMatch(mask.c_str(), name.c_str())) {
        return true;
    }
    // "abc.*" also matches "abc", as on Windows.
    if (mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0 &&
        name.find('.') == std::string::npos) {
        return globMatch(mask.substr(0, mask.size() - 2).c_str(), name.c_str());
    }
    return false;
}

std::vector<FoundEntry> findEntries(const std::string& pattern) {
    std::vector<FoundEntry> found;
    const std::string folder = extractFilePath(pattern);
    const std::string mask = extractFileName(pattern);
    if (folder.empty()) {
        return found;
    }
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!wildcardMatch(mask, name)) {
            continue;
        }
        FoundEntry entry;
        entry.name = name;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) == 0) {
            entry.isDirectory = S_ISDIR(st.st_mode);
            entry.modified = st.st_mtime;
        }
        found.push_back(std::move(entry));
    }
    return found;
}

std::string extractFilePath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string extractFileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool directoryExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool createDirectory(const std::string& path) {
    return ::mkdir(path.c_str(), 0755) == 0;
}

bool removeDirectory(const std::string& path) {
    return ::rmdir(path.c_str()) == 0;
}

bool deleteFile(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        return false;
    }
    return ::unlink(path.c_str()) == 0;
}

bool setHiddenAttribute(const std::string& path) {
    return directoryExists(path);
}

void writeFileAtomically(const std::string& path, const std::string& bytes, unsigned mode) {
    AtomicFile file(path, mode);
    file.write(bytes);
    file.commit();
}

int openRegularFileForReading(const std::string& path, std::string& why) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = errnoText();
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        why = errnoText();
    } else if (S_ISDIR(st.st_mode)) {
        why = "it is a folder";
    } else if (!S_ISREG(st.st_mode)) {
        why = "it is not a regular file";
    } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        why = errnoText();
    } else {
        return fd;
    }
    ::close(fd);
    return -1;
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path + ": " + errnoText());
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) {
        throw std::runtime_error("cannot read " + path);
    }
    return ss.str();
}

}  // namespace vantorell
