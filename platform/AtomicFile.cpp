#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/FileSystem.h"
#include "platform/LiveTempFiles.h"

namespace vantorell {
namespace {

std::string errnoText() {
    return std::strerror(errno);
}

}  // namespace

namespace {

// Links followed at most, as the system does.
constexpr int kLinksFollowed = 40;

// The file a path names once its symbolic links are followed, so that a link at the target
// keeps pointing at the file that is replaced; the link itself is never replaced. A link to
// a file that does not exist yet names where that file is to be created.
std::string linkTarget(std::string path) {
    for (int hop = 0; hop < kLinksFollowed; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return path;
        }
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size()) {
            return path;
        }
        target.resize(static_cast<std::size_t>(n));
        path = !target.empty() && target.front() == '/' ? target : extractFilePath(path) + target;
    }
    return path;
}

// A device, a pipe or a folder is never replaced by a plain file: what was there would
// be lost, and what was meant for it would not reach it.
bool isSpecialFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

constexpr const char* kNotRegular = "not a regular file";

// Flushes a folder's entries, so that a rename in it survives a crash.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

AtomicFile::AtomicFile(std::string path, unsigned mode)
    : path_(std::move(path)), target_(linkTarget(path_)), mode_(mode) {
    if (isSpecialFile(target_)) {
        throw std::runtime_error("cannot write " + path_ + ": " + kNotRegular);
    }
    folder_ = extractFilePath(target_);
    if (folder_.empty()) {
        folder_ = "./";
    }
    temp_ = folder_ + "." + extractFileName(target_) + ".XXXXXX";
    fd_ = createLiveTempFile(temp_, record_);
    if (fd_ < 0) {
        throw std::runtime_error("cannot create a file in " + folder_ + ": " + errnoText());
    }
    // A file replaced keeps its permissions and, where the system allows, its group; a
    // secret (a mode without group or other bits) never gets more than it asked for.
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        mode_ = old.st_mode & 07777;
        if ((mode & 077) == 0) {
            mode_ &= ~077U;
        }
        if (::fchown(fd_, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Another group than one's own may not be given; the file keeps the default.
        }
    }
    buffer_.reserve(kBufferSize);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) {
        ::close(fd_);
        removeLiveTempFile(record_, temp_);
    }
}

void AtomicFile::write(std::string_view bytes) {
    if (fd_ < 0) {
        throw std::logic_error("write after commit: " + path_);
    }
    if (buffer_.size() + bytes.size() > kBufferSize) {
        flush();
    }
    if (bytes.size() >= kBufferSize) {
        writeOut(bytes);
    } else {
        buffer_.append(bytes);
    }
}

void AtomicFile::flush() {
    writeOut(buffer_);
    buffer_.clear();
}

void AtomicFile::writeOut(std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errnoText());
        }
        p += n;
        left -= static_cast<std::size_t>(n);
        writtenOut_ += static_cast<std::uint64_t>(n);
    }
}

void AtomicFile::startWriteback() {
    if (fd_ < 0 || writtenOut_ == writebackStarted_) {
        return;
    }
    ::sync_file_range(fd_, static_cast<off_t>(writebackStarted_),
                      static_cast<off_t>(writtenOut_ - writebackStarted_), SYNC_FILE_RANGE_WRITE);
    writebackStarted_ = writtenOut_;
}

void AtomicFile::fail(const std::string& why) {
    ::close(fd_);
    removeLiveTempFile(record_, temp_);
    fd_ = -1;
    throw std::runtime_error("cannot write " + path_ + ": " + why);
}

void AtomicFile::commit() {
    if (fd_ < 0) {
        throw std::logic_error("commit twice: " + path_);
    }
    flush();
    if (isSpecialFile(target_)) {
        fail(kNotRegular);  // it may have come since the start
    }
    // On disk before the rename: otherwise a crash could leave the new name on an empty file.
    if (::fchmod(fd_, mode_) != 0 || ::fsync(fd_) != 0) {
        fail(errnoText());
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || !renameLiveTempFile(record_, temp_, target_)) {
        const std::string why = errnoText();
        removeLiveTempFile(record_, temp_);
        throw std::runtime_error("cannot write " + path_ + ": " + why);
    }
    syncFolder(folder_);
}

}  // namespace vantorell
