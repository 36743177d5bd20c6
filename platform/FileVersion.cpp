#include "platform/FileVersion.h"

#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/VersionMarker.h"

namespace vantorell {
namespace {

constexpr std::string_view kPrefix = VANTORELL_VERSION_MARKER_PREFIX;
// "65535.65535.65535.65535" and its NUL.
constexpr std::size_t kLongestValue = 4 * 5 + 3 + 1;
constexpr std::size_t kPiece = 1 << 16;

enum class Parse { Complete, Invalid, NeedMore };

// The value after a prefix: four parts of one to five digits, at most 65535 each, with dots
// between them and a NUL after the last.
Parse parseValue(std::string_view text, FileVersionNumber& version) {
    std::uint16_t* parts[] = {&version.major, &version.minor, &version.release, &version.build};
    std::size_t at = 0;
    for (std::size_t part = 0; part < 4; ++part) {
        std::uint32_t value = 0;
        std::size_t digits = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            value = value * 10 + static_cast<std::uint32_t>(text[at] - '0');
            if (++digits > 5 || value > 65535) {
                return Parse::Invalid;
            }
            ++at;
        }
        if (at == text.size()) {
            return Parse::NeedMore;
        }
        if (digits == 0 || text[at] != (part < 3 ? '.' : '\0')) {
            return Parse::Invalid;
        }
        *parts[part] = static_cast<std::uint16_t>(value);
        ++at;
    }
    return Parse::Complete;
}

class FileHandle {
public:
    explicit FileHandle(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~FileHandle() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::string strFileVersionText(const FileVersionNumber& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.release) + "." + std::to_string(version.build);
}

std::optional<FileVersionNumber> fileVersionRead(const std::string& path) {
    const FileHandle file(path);
    struct stat info {};
    if (file.fd() < 0 || ::fstat(file.fd(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    // A piece, after what the last piece left: a marker that may go on in the next piece.
    std::vector<char> buffer(kPiece + kPrefix.size() + kLongestValue);
    std::size_t kept = 0;
    bool atEnd = false;
    while (!atEnd) {
        const ssize_t got = ::read(file.fd(), buffer.data() + kept, kPiece);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        atEnd = got == 0;
        const std::size_t filled = kept + static_cast<std::size_t>(got);
        std::size_t from = 0;
        kept = 0;
        while (true) {
            const void* hit =
                ::memmem(buffer.data() + from, filled - from, kPrefix.data(), kPrefix.size());
            if (hit == nullptr) {
                // A prefix may begin in the last bytes.
                kept = std::min(filled - from, kPrefix.size() - 1);
                std::memmove(buffer.data(), buffer.data() + filled - kept, kept);
                break;
            }
            const std::size_t at = static_cast<const char*>(hit) - buffer.data();
            const std::size_t valueAt = at + kPrefix.size();
            FileVersionNumber version;
            const Parse parse =
                parseValue(std::string_view(buffer.data() + valueAt, filled - valueAt), version);
            if (parse == Parse::Complete) {
                return version;
            }
            if (parse == Parse::NeedMore && !atEnd) {
                kept = filled - at;
                std::memmove(buffer.data(), buffer.data() + at, kept);
                break;
            }
            from = at + 1;
        }
    }
    return std::nullopt;
}

}  // namespace vantorell
