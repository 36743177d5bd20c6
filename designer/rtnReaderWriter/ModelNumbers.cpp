#include "designer/rtnReaderWriter/ModelNumbers.h"

#include <charconv>
#include <cmath>

namespace vantorell {

NumberText integerText(long long value) {
    NumberText t;
    const auto r = std::to_chars(t.data_, t.data_ + sizeof t.data_, value);
    t.size_ = static_cast<std::size_t>(r.ptr - t.data_);
    return t;
}

NumberText floatText(double value) {
    NumberText t;
    if (value == 0.0) {
        t.data_[0] = '0';
        t.size_ = 1;
        return t;
    }
    const double magnitude = std::fabs(value);
    const auto format = magnitude >= 1e-4 && magnitude < 1e16 ? std::chars_format::fixed
                                                              : std::chars_format::scientific;
    const auto r = std::to_chars(t.data_, t.data_ + sizeof t.data_, value, format);
    t.size_ = static_cast<std::size_t>(r.ptr - t.data_);
    return t;
}

NumberText roundedText(double value) {
    NumberText t;
    const auto r =
        std::to_chars(t.data_, t.data_ + sizeof t.data_, value, std::chars_format::fixed, 0);
    if (r.ec != std::errc()) {
        return floatText(value);
    }
    t.size_ = static_cast<std::size_t>(r.ptr - t.data_);
    if (t.view() == "-0") {
        t.data_[0] = '0';
        t.size_ = 1;
    }
    return t;
}

}  // namespace vantorell
