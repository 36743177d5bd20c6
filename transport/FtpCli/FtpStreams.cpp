#include "transport/FtpCli/FtpStreams.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace vantorell::transport {
namespace {

// A file the client opened; small reads go through a buffer.
class FileStream : public TFtpStream {
public:
    explicit FileStream(int Fd) : FFd(Fd) {}
    ~FileStream() override { ::close(FFd); }
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    int Read(void* Buffer, int Count) override {
        if (FNext == FBuffer.size() && static_cast<std::size_t>(Count) >= kBufferSize) {
            // A chunk as large as the buffer is read straight into place.
            ssize_t n = 0;
            do {
                n = ::read(FFd, Buffer, static_cast<std::size_t>(Count));
            } while (n < 0 && errno == EINTR);
            return n < 0 ? -1 : static_cast<int>(n);
        }
        if (FNext == FBuffer.size()) {
            FBuffer.resize(kBufferSize);
            ssize_t n = 0;
            do {
                n = ::read(FFd, FBuffer.data(), FBuffer.size());
            } while (n < 0 && errno == EINTR);
            if (n < 0) {
                FBuffer.clear();
                FNext = 0;
                return -1;
            }
            FBuffer.resize(static_cast<std::size_t>(n));
            FNext = 0;
        }
        const std::size_t take = std::min(FBuffer.size() - FNext, static_cast<std::size_t>(Count));
        std::memcpy(Buffer, FBuffer.data() + FNext, take);
        FNext += take;
        return static_cast<int>(take);
    }
    bool Write(const void* Buffer, int Count) override {
        const char* bytes = static_cast<const char*>(Buffer);
        std::size_t left = static_cast<std::size_t>(Count);
        while (left > 0) {
            const ssize_t n = ::write(FFd, bytes, left);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            bytes += n;
            left -= static_cast<std::size_t>(n);
        }
        return true;
    }
    bool Seek(std::int64_t Position) override {
        FBuffer.clear();
        FNext = 0;
        return ::lseek(FFd, static_cast<off_t>(Position), SEEK_SET) == Position;
    }

private:
    static constexpr std::size_t kBufferSize = 1 << 16;
    int FFd;
    std::vector<char> FBuffer;
    std::size_t FNext = 0;
};

std::unique_ptr<TFtpStream> Open(const std::string& Name, int Flags, std::uint16_t Share) {
    const bool writing = (Flags & O_ACCMODE) != O_RDONLY;
    // Opened without waiting, so that a pipe cannot hold the thread before it is refused.
    const int fd = ::open(Name.c_str(), Flags | O_CLOEXEC | (writing ? O_NONBLOCK : 0), 0644);
    if (fd < 0) {
        return nullptr;
    }
    // A download goes only into a regular file: a device or a pipe would swallow it.
    struct stat info {};
    if (writing && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
                    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)) {
        ::close(fd);
        return nullptr;
    }
    // Others who honour the same locks keep off the file while it is transferred.
    int lock = 0;
    if (Share == kShareExclusive || Share == kShareDenyRead) {
        lock = LOCK_EX;
    } else if (Share == kShareDenyWrite) {
        lock = LOCK_SH;
    }
    if (lock != 0 && ::flock(fd, lock | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<FileStream>(fd);
}

}  // namespace

int TFtpMemoryStream::Read(void* Buffer, int Count) {
    const std::size_t take =
        Position >= Data.size() ? 0
                                : std::min(Data.size() - Position, static_cast<std::size_t>(Count));
    std::memcpy(Buffer, Data.data() + Position, take);
    Position += take;
    return static_cast<int>(take);
}

bool TFtpMemoryStream::Write(const void* Buffer, int Count) {
    const std::size_t count = static_cast<std::size_t>(Count);
    if (Data.size() < Position + count) {
        Data.resize(Position + count);
    }
    std::memcpy(Data.data() + Position, Buffer, count);
    Position += count;
    return true;
}

bool TFtpMemoryStream::Seek(std::int64_t Pos) {
    if (Pos < 0) {
        return false;
    }
    Position = static_cast<std::size_t>(Pos);
    return true;
}

std::unique_ptr<TFtpStream> FtpOpenForReading(const std::string& Name, std::uint16_t Share) {
    return Open(Name, O_RDONLY, Share);
}

std::unique_ptr<TFtpStream> FtpOpenForWriting(const std::string& Name, std::uint16_t Share) {
    return Open(Name, O_WRONLY | O_CREAT, Share);
}

bool TFtpReplacingFile::Write(const void* Buffer, int Count) {
    return Count >= 0 && Append(std::string_view(static_cast<const char*>(Buffer),
                                                 static_cast<std::size_t>(Count)));
}

bool TFtpReplacingFile::Append(std::string_view Bytes) {
    if (FFailed) {
        return false;
    }
    try {
        FFile.write(Bytes);
    } catch (const std::exception&) {
        FFailed = true;
        return false;
    }
    FWritten += static_cast<std::int64_t>(Bytes.size());
    if (FWritten >= FWritebackAt) {
        FFile.startWriteback();
        FWritebackAt = FWritten + kWritebackPiece;
    }
    return true;
}

bool TFtpReplacingFile::Commit() {
    if (FFailed) {
        return false;
    }
    try {
        FFile.commit();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::int64_t FtpLocalFileSize(const std::string& Name) {
    struct stat info {};
    if (Name.empty() || ::stat(Name.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return -1;
    }
    return static_cast<std::int64_t>(info.st_size);
}

}  // namespace vantorell::transport
