#pragma once
// The file a cipher run reads: bytes for enciphering, lines for deciphering, through one
// buffer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantorell::engine {

class SourceFile {
public:
    // Raises CipherRunError (SourceUnreadable) when the path is not a readable regular
    // file; a FIFO or a device is refused without waiting on it.
    explicit SourceFile(const std::string& path);
    ~SourceFile();
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    std::uint64_t size() const { return size_; }

    // Exactly `count` bytes, or CipherRunError when the file ends or fails first.
    void readExact(std::uint8_t* out, std::size_t count);
    // Up to `count` bytes; 0 at the end of the file.
    std::size_t readSome(std::uint8_t* out, std::size_t count);

    // The next line without its line feed and one carriage return before it; false at the
    // end of the file. A line longer than `limit` keeps only its first limit + 1
    // characters, so that it still shows as too long.
    bool readLine(std::string& line, std::size_t limit);

    void rewind();

    // Offset of the next byte a read takes, and a move there.
    std::uint64_t position() const { return position_ - (end_ - begin_); }
    void seek(std::uint64_t offset);

    // Up to `count` bytes from `offset`, apart from the reads above and safe to call from
    // several threads at once; fewer only at the end of the file.
    std::size_t readAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) const;
    // Exactly `count` bytes from `offset`, as readAt, or CipherRunError as readExact.
    void readExactAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) const;

private:
    bool refill();

    std::string path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::uint64_t position_ = 0;  // offset of the byte after the buffer's
};

// True when both paths name one existing file (also through links), or, when neither file
// exists yet, the same file to be created.
bool sameFile(const std::string& first, const std::string& second);

}  // namespace vantorell::engine
