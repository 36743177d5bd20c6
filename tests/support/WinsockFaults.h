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

// Every host name lookup fails as for a name that does not exist (11001).
inline void failHostLookups(ApiOverride& faults) {
    faults.api().gethostbyname = [](const std::string&) -> std::optional<transport::THostEnt> {
        transport::WinsockApi().WSASetLastError(transport::WSAHOST_NOT_FOUND);
        return std::nullopt;
    };
}

}  // namespace vantorell::test
