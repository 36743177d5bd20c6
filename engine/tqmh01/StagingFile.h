#pragma once
// Where a fetched component goes: a temporary file beside the target, which replaces the
// target only once the whole document has arrived and holds at least the smallest size a
// component can have. A fetch that fails, or brings an error page of a few bytes, leaves
// the target as it was and no partial file behind.

#include <cstdint>
#include <ostream>
#include <streambuf>
#include <string>

#include "transport/FtpCli/FtpStreams.h"

namespace vantorell::engine {

// A fetched file smaller than this is an error message, not a component.
inline constexpr std::int64_t kSmallestComponent = 128;

// The FTP client writes into it as its download stream, the HTTP client through stream().
class StagingFile : private std::streambuf, public transport::TFtpReplacingFile {
public:
    // Raises std::runtime_error when the temporary file cannot be made.
    explicit StagingFile(const std::string& target);

    // For the HTTP client: a stream that writes into the file.
    std::ostream& stream() { return stream_; }

    std::int64_t size() const { return Written(); }
    // Replaces the target; false (and the target unchanged) when a write failed, the file
    // is smaller than kSmallestComponent or cannot be put in place.
    bool commit() { return size() >= kSmallestComponent && Commit(); }

private:
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int_type overflow(int_type c) override;

    std::ostream stream_;
};

}  // namespace vantorell::engine
