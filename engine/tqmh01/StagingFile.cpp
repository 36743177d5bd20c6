#include "engine/tqmh01/StagingFile.h"

#include <stdexcept>

namespace vantorell::engine {

StagingFile::StagingFile(const std::string& target) : file_(target), stream_(this) {}

bool StagingFile::append(const char* bytes, std::size_t count) {
    if (failed_) {
        return false;
    }
    try {
        file_.write(std::string_view(bytes, count));
    } catch (const std::runtime_error&) {
        failed_ = true;
        return false;
    }
    size_ += static_cast<std::int64_t>(count);
    return true;
}

bool StagingFile::Write(const void* Buffer, int Count) {
    return Count >= 0 && append(static_cast<const char*>(Buffer), static_cast<std::size_t>(Count));
}

std::streamsize StagingFile::xsputn(const char* s, std::streamsize n) {
    return n >= 0 && append(s, static_cast<std::size_t>(n)) ? n : 0;
}

StagingFile::int_type StagingFile::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    const char byte = traits_type::to_char_type(c);
    return append(&byte, 1) ? c : traits_type::eof();
}

bool StagingFile::commit() {
    if (failed_ || size_ < kSmallestComponent) {
        return false;
    }
    try {
        file_.commit();
    } catch (const std::runtime_error&) {
        return false;
    }
    return true;
}

}  // namespace vantorell::engine
