#pragma once
// SHA-256 of bytes given in pieces, by libcrypto, which uses the processor's SHA
// instructions where it has them.

#include <string>
#include <string_view>

struct evp_md_ctx_st;

namespace vantorell {

class Sha256 {
public:
    // Raises std::bad_alloc or std::runtime_error when the hash cannot be started.
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    // Raises std::runtime_error when the bytes cannot be hashed.
    void update(std::string_view bytes);
    // The hash of every byte given, as 64 lower-case hexadecimal digits; call once, after
    // the last piece. Raises std::runtime_error when it cannot be computed.
    std::string finish();

private:
    evp_md_ctx_st* context_;
};

}  // namespace vantorell
