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

AtomicFile::AtomicFile(std::string path, unsigned mode) : path_(std::move(path)), mode_(mode) {
    std::string folder = extractFilePath(path_);
    if (folder.empty()) {
        folder = "./";
    }
    temp_ = folder + "." + extractFileName(path_) + ".XXXXXX";
    fd_ = createLiveTempFile(temp_, record_);
    if (fd_ < 0) {
        throw std::runtime_error("cannot create a file in " + folder + ": " + errnoText());
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
    if (::fchmod(fd_, mode_) != 0) {
        fail(errnoText());
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || !renameLiveTempFile(record_, temp_, path_)) {
        const std::string why = errnoText();
        removeLiveTempFile(record_, temp_);
        throw std::runtime_error("cannot write " + path_ + ": " + why);
    }
}

}  // namespace vantorell
