#pragma once
// Numbers as model files hold them: "." as the decimal separator whatever the locale.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantorell {

// A number's text in a small fixed buffer, so that writing millions of values allocates nothing.
class NumberText {
public:
    std::string_view view() const { return {data_, size_}; }
    std::string str() const { return std::string(view()); }

private:
    friend NumberText integerText(long long value);
    friend NumberText floatText(double value);
    friend NumberText roundedText(double value);

    char data_[48] = {};
    std::size_t size_ = 0;
};

// Decimal integer.
NumberText integerText(long long value);

// General notation: the shortest text that reads back as the same double, in fixed notation
// from 0.0001 up to 1e16 (so whole numbers print without decimals) and in scientific
// notation outside that range. Zero, also negative zero, is "0".
NumberText floatText(double value);

// Fixed notation without decimals, rounded; values too large for that form fall back to
// floatText.
NumberText roundedText(double value);

}  // namespace vantorell
