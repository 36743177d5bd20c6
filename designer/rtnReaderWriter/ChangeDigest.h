#pragma once
// The model change digest: SHA-256 over every record written, each record prefixed with its
// length so that no two record sequences feed the same bytes. The designer compares the
// digest of the saved state with that of the editors to detect unsaved changes.

#include <QCryptographicHash>
#include <string>
#include <string_view>

namespace vantorell {

class ChangeDigest {
public:
    ChangeDigest();

    void addRecord(std::string_view record);
    // Lower-case hexadecimal text of the hash; call once, after the last record.
    std::string finish();

private:
    void flush();

    QCryptographicHash hash_;
    std::string pending_;  // records are hashed in large pieces, not one call each
};

}  // namespace vantorell
