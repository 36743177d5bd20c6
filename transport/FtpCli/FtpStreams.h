#pragma once
// The local side of a transfer: a stream the client reads an upload from or writes a
// download into. A caller may hand its own stream (it stays the caller's); otherwise the
// client opens LocalFileName itself, with the sharing mode as an advisory lock.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/AtomicFile.h"

namespace vantorell::transport {

class TFtpStream {
public:
    virtual ~TFtpStream() = default;
    // The bytes read, 0 at the end, -1 when the read failed.
    virtual int Read(void* Buffer, int Count) = 0;
    // False when not all bytes were written.
    virtual bool Write(const void* Buffer, int Count) = 0;
    // Moves to Position from the beginning; false when it cannot.
    virtual bool Seek(std::int64_t Position) = 0;
};

// A stream in memory, for callers that keep a transfer's bytes.
class TFtpMemoryStream : public TFtpStream {
public:
    int Read(void* Buffer, int Count) override;
    bool Write(const void* Buffer, int Count) override;
    bool Seek(std::int64_t Position) override;

    std::string Data;
    std::size_t Position = 0;
};

// The sharing flags of a file's open mode, as stored for TFtpShareMode.
inline constexpr std::uint16_t kShareCompat = 0;
inline constexpr std::uint16_t kShareExclusive = 16;
inline constexpr std::uint16_t kShareDenyWrite = 32;
inline constexpr std::uint16_t kShareDenyRead = 48;
inline constexpr std::uint16_t kShareDenyNone = 64;

// An existing file opened for reading, or for writing in place (not emptied); nothing when
// it cannot be opened or its sharing lock is held by another. Only a regular file is
// opened for writing.
std::unique_ptr<TFtpStream> FtpOpenForReading(const std::string& Name, std::uint16_t Share);
std::unique_ptr<TFtpStream> FtpOpenForWriting(const std::string& Name, std::uint16_t Share);

// A download that replaces its file only once it has arrived whole: the bytes go to a
// temporary file beside it, Commit renames that over the file, and without Commit the old
// file stays as it was. A target that is not a regular file (a device, a pipe, a folder)
// is refused before anything is written.
class TFtpReplacingFile : public TFtpStream {
public:
    // Raises std::runtime_error when the temporary file cannot be made or the target is
    // not a regular file.
    explicit TFtpReplacingFile(const std::string& Name) : FFile(Name) {}
    int Read(void*, int) override { return -1; }
    bool Write(const void* Buffer, int Count) override;
    bool Seek(std::int64_t Position) override { return Position == FWritten; }
    // False when not all bytes were written; after a failed write nothing more is taken.
    bool Append(std::string_view Bytes);
    std::int64_t Written() const { return FWritten; }
    // Puts the file in place; false, and the old file unchanged, when a write failed or the
    // file cannot be put in place.
    bool Commit();

private:
    // Commit waits until the file is on disk: the disk writes of each piece of this size
    // are started as it arrives, so that little is left to wait for at the end.
    static constexpr std::int64_t kWritebackPiece = 8 << 20;

    AtomicFile FFile;
    std::int64_t FWritten = 0;
    std::int64_t FWritebackAt = kWritebackPiece;
    bool FFailed = false;
};

// The size of a file; -1 when there is none.
std::int64_t FtpLocalFileSize(const std::string& Name);

}  // namespace vantorell::transport
