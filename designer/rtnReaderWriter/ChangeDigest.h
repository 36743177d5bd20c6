#pragma once
// The model change digest: SHA-256 over every record written, each record prefixed with its
// length. The designer compares the digest of the saved state with that of the editors to
// detect unsaved changes.
//
// The hash is libcrypto's, which uses the processor's SHA instructions where it has them:
// Qt's own runs at a fraction of the speed the writer produces records, and would cap
// every save.

#include <string>
#include <string_view>

struct evp_md_ctx_st;

namespace vantorell {

class ChangeDigest {
public:
    ChangeDigest();
    ~ChangeDigest();
    ChangeDigest(const ChangeDigest&) = delete;
    ChangeDigest& operator=(const ChangeDigest&) = delete;

    void addRecord(std::string_view record);
    // Lower-case hexadecimal text of the hash; call once, after the last record.
    std::string finish();

private:
    void flush();

    evp_md_ctx_st* context_;
    std::string pending_;  // records not yet hashed, fed in pieces
};

}  // namespace vantorell
