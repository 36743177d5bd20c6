#pragma once
// Fault injection into the table of socket functions: a test replaces entries of
// transport::WinsockApi() while an ApiOverride lives; its end puts the table back.

#include "transport/WSocket/WinsockApi.h"

namespace vantorell::test {

class ApiOverride {
public:
    ApiOverride() : saved_(transport::WinsockApi()) {}
    ~ApiOverride() { transport::WinsockApi() = saved_; }
    ApiOverride(const ApiOverride&) = delete;
    ApiOverride& operator=(const ApiOverride&) = delete;

    transport::TWinsockApi& api() { return transport::WinsockApi(); }
    // The entries as they were, for fakes that pass calls on.
    const transport::TWinsockApi& original() const { return saved_; }

private:
    transport::TWinsockApi saved_;
};

}  // namespace vantorell::test
