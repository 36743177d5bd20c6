#include "engine/tqmh01/SourceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/tqmh01/CipherRunError.h"
#include "platform/FileSystem.h"

namespace vantorell::engine {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;

[[noreturn]] void unreadable(const std::string& path, const std::string& why) {
    throw CipherRunError(CipherOutcome::SourceUnreadable, "cannot read " + path + ": " + why);
}

}  // namespace

SourceFile::SourceFile(const std::string& path) : path_(path), buffer_(kBufferSize) {
    std::string why;
    fd_ = openRegularFileForReading(path, why);
    if (fd_ < 0) {
        unreadable(path, why);
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        why = std::strerror(errno);
        ::close(fd_);
        fd_ = -1;
        unreadable(path, why);
    }
    size_ = static_cast<std::uint64_t>(st.st_size);
}

SourceFile::~SourceFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool SourceFile::refill() {
    begin_ = 0;
    end_ = 0;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            unreadable(path_, std::strerror(errno));
        }
        end_ = static_cast<std::size_t>(n);
        position_ += end_;
        return n > 0;
    }
}

std::size_t SourceFile::readSome(std::uint8_t* out, std::size_t count) {
    if (begin_ == end_ && !refill()) {
        return 0;
    }
    const std::size_t take = std::min(count, end_ - begin_);
    std::memcpy(out, buffer_.data() + begin_, take);
    begin_ += take;
    return take;
}

void SourceFile::readExact(std::uint8_t* out, std::size_t count) {
    while (count > 0) {
        const std::size_t got = readSome(out, count);
        if (got == 0) {
            unreadable(path_, "the file ended early");
        }
        out += got;
        count -= got;
    }
}

bool SourceFile::readLine(std::string& line, std::size_t limit) {
    line.clear();
    bool any = false;
    for (;;) {
        if (begin_ == end_ && !refill()) {
            break;
        }
        any = true;
        const char* start = buffer_.data() + begin_;
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
        const std::size_t piece =
            lf != nullptr ? static_cast<std::size_t>(lf - start) : end_ - begin_;
        if (line.size() <= limit) {
            line.append(start, std::min(piece, limit + 1 - line.size()));
        }
        begin_ += piece;
        if (lf != nullptr) {
            ++begin_;
            break;
        }
    }
    if (!line.empty() && line.back() == '\r' && line.size() <= limit) {
        line.pop_back();
    }
    return any;
}

void SourceFile::rewind() {
    seek(0);
}

void SourceFile::seek(std::uint64_t offset) {
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) {
        unreadable(path_, std::strerror(errno));
    }
    begin_ = 0;
    end_ = 0;
    position_ = offset;
}

std::size_t SourceFile::readAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) const {
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::pread(fd_, out + got, count - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            unreadable(path_, std::strerror(errno));
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return got;
}

void SourceFile::readExactAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) const {
    if (readAt(offset, out, count) != count) {
        unreadable(path_, "the file ended early");
    }
}

bool sameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    const bool firstExists = ::stat(first.c_str(), &a) == 0;
    const bool secondExists = ::stat(second.c_str(), &b) == 0;
    if (firstExists && secondExists) {
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    }
    if (firstExists || secondExists) {
        return false;
    }
    // Neither is there yet: the one file both would create.
    namespace fs = std::filesystem;
    const auto resolved = [](const std::string& path, fs::path& out) {
        std::error_code e;
        out = fs::absolute(path, e);
        if (!e) {
            out = fs::weakly_canonical(out, e);
        }
        return !e;
    };
    fs::path p1;
    fs::path p2;
    return resolved(first, p1) && resolved(second, p2) && p1 == p2;
}

}  // namespace vantorell::engine
