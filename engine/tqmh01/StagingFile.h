#pragma once
// Where a fetched component goes: a temporary file beside the target, which replaces the
// target only once the whole document has arrived, holds at least the smallest size a
// component can have, and matches the size and SHA-256 it was promised. A fetch that
// fails, brings an error page of a few bytes or another file than promised leaves the
// target as it was and no partial file behind.

#include <cstdint>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "engine/tqmh01/DownloadCheck.h"
#include "platform/Sha256.h"
#include "transport/FtpCli/FtpStreams.h"

namespace vantorell::engine {

// A fetched file smaller than this is an error message, not a component.
inline constexpr std::int64_t kSmallestComponent = 128;

// The FTP client writes into it as its download stream, the HTTP client through stream().
class StagingFile : private std::streambuf, public transport::TFtpReplacingFile {
public:
    // Raises std::runtime_error when the temporary file cannot be made.
    explicit StagingFile(const std::string& target, const DownloadCheck& check = {});

    // For the HTTP client: a stream that writes into the file.
    std::ostream& stream() { return stream_; }

    // Refuses the bytes that would take the file beyond its promised size: the transfer
    // then fails at once instead of filling the disk.
    bool Write(const void* Buffer, int Count) override;

    std::int64_t size() const { return Written(); }
    // Replaces the target; false (and the target unchanged) when a write failed, the file
    // is smaller than kSmallestComponent, does not match its check or cannot be put in
    // place.
    bool commit();

private:
    bool take(std::string_view bytes);
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int_type overflow(int_type c) override;

    DownloadCheck check_;
    std::optional<Sha256> hash_;  // only when a SHA-256 is promised
    bool refused_ = false;
    std::ostream stream_;
};

}  // namespace vantorell::engine
