#pragma once

#include <stdexcept>

namespace vantorell::transport {

// The only exception the socket layer raises; it carries a message only.
class ESocketException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace vantorell::transport
