#include "engine/tqmh01/StagingFile.h"

#include <exception>

namespace vantorell::engine {

StagingFile::StagingFile(const std::string& target, const DownloadCheck& check)
    : transport::TFtpReplacingFile(target), check_(check), stream_(this) {
    if (check_.sha256) {
        hash_.emplace();
    }
}

bool StagingFile::take(std::string_view bytes) {
    if (refused_ ||
        (check_.size && size() + static_cast<std::int64_t>(bytes.size()) > *check_.size)) {
        refused_ = true;
        return false;
    }
    if (hash_) {
        // Called from inside the clients' events, where nothing may be thrown.
        try {
            hash_->update(bytes);
        } catch (const std::exception&) {
            refused_ = true;
            return false;
        }
    }
    return Append(bytes);
}

bool StagingFile::Write(const void* Buffer, int Count) {
    return Count >= 0 && take(std::string_view(static_cast<const char*>(Buffer),
                                               static_cast<std::size_t>(Count)));
}

bool StagingFile::commit() {
    if (refused_ || size() < kSmallestComponent || (check_.size && size() != *check_.size)) {
        return false;
    }
    try {
        if (hash_ && hash_->finish() != *check_.sha256) {
            return false;
        }
    } catch (const std::exception&) {
        return false;
    }
    return Commit();
}

std::streamsize StagingFile::xsputn(const char* s, std::streamsize n) {
    return n >= 0 && take(std::string_view(s, static_cast<std::size_t>(n))) ? n : 0;
}

StagingFile::int_type StagingFile::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    const char byte = traits_type::to_char_type(c);
    return take(std::string_view(&byte, 1)) ? c : traits_type::eof();
}

}  // namespace vantorell::engine
