#include "engine/tqmh01/StagingFile.h"

namespace vantorell::engine {

StagingFile::StagingFile(const std::string& target)
    : transport::TFtpReplacingFile(target), stream_(this) {}

std::streamsize StagingFile::xsputn(const char* s, std::streamsize n) {
    return n >= 0 && Append(std::string_view(s, static_cast<std::size_t>(n))) ? n : 0;
}

StagingFile::int_type StagingFile::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    const char byte = traits_type::to_char_type(c);
    return Append(std::string_view(&byte, 1)) ? c : traits_type::eof();
}

}  // namespace vantorell::engine
