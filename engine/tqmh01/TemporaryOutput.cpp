#include "engine/tqmh01/TemporaryOutput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/tqmh01/CipherRunError.h"
#include "platform/FileSystem.h"

namespace vantorell::engine {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

TemporaryOutput::TemporaryOutput(const std::string& target, unsigned mode)
    : target_(target), mode_(mode), buffer_(kBufferSize) {
    std::string folder = extractFilePath(target);
    if (folder.empty()) {
        folder = "./";
    }
    temp_ = folder + "." + extractFileName(target) + ".XXXXXX";
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) {
        const std::string why = std::strerror(errno);
        temp_.clear();
        throw CipherRunError(CipherOutcome::OutputFailed,
                             "cannot create a file in " + folder + ": " + why);
    }
}

TemporaryOutput::~TemporaryOutput() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!committed_ && !temp_.empty()) {
        ::unlink(temp_.c_str());
    }
}

void TemporaryOutput::fail(const std::string& why) {
    throw CipherRunError(CipherOutcome::OutputFailed, "cannot write " + target_ + ": " + why);
}

void TemporaryOutput::flushBuffer() {
    const char* p = buffer_.data();
    std::size_t left = used_;
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            fail(std::strerror(errno));
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    used_ = 0;
}

void TemporaryOutput::write(const void* data, std::size_t count) {
    const auto* bytes = static_cast<const char*>(data);
    while (count > 0) {
        if (used_ == buffer_.size()) {
            flushBuffer();
        }
        const std::size_t take = std::min(count, buffer_.size() - used_);
        std::memcpy(buffer_.data() + used_, bytes, take);
        used_ += take;
        bytes += take;
        count -= take;
    }
}

void TemporaryOutput::commit() {
    flushBuffer();
    if (::fchmod(fd_, mode_) != 0) {
        fail(std::strerror(errno));
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        fail(std::strerror(errno));
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        fail(std::strerror(errno));
    }
    committed_ = true;
}

}  // namespace vantorell::engine
