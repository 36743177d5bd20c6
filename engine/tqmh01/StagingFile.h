#pragma once
// Where a fetched component goes: a temporary file beside the target, which replaces the
// target only once the whole document has arrived and holds at least the smallest size a
// component can have. A fetch that fails, or brings an error page of a few bytes, leaves
// the target as it was and no partial file behind.

#include <cstdint>
#include <ostream>
#include <streambuf>
#include <string>

#include "platform/AtomicFile.h"
#include "transport/FtpCli/FtpStreams.h"

namespace vantorell::engine {

// A fetched file smaller than this is an error message, not a component.
inline constexpr std::int64_t kSmallestComponent = 128;

class StagingFile : private std::streambuf, public transport::TFtpStream {
public:
    // Raises std::runtime_error when the temporary file cannot be made.
    explicit StagingFile(const std::string& target);

    // For the HTTP client: a stream that writes into the file.
    std::ostream& stream() { return stream_; }

    // For the FTP client: downloads only write, at the end.
    int Read(void*, int) override { return -1; }
    bool Write(const void* Buffer, int Count) override;
    bool Seek(std::int64_t Position) override { return Position == size_; }

    std::int64_t size() const { return size_; }
    // Replaces the target; false (and the target unchanged) when a write failed, the file
    // is smaller than kSmallestComponent or cannot be put in place.
    bool commit();

private:
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int_type overflow(int_type c) override;
    bool append(const char* bytes, std::size_t count);

    AtomicFile file_;
    std::ostream stream_;
    std::int64_t size_ = 0;
    bool failed_ = false;
};

}  // namespace vantorell::engine
