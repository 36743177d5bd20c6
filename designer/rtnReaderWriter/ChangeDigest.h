#pragma once
// The model change digest: SHA-256 over every record written, each record prefixed with its
// length (LengthPrefix.h). The designer compares the digest of the saved state with that of the
// editors to detect unsaved changes.
//
// The hash is libcrypto's (Sha256), which uses the processor's SHA instructions where it
// has them: Qt's own runs at a fraction of the speed the writer produces records, and would
// cap every save.
//
// Given a worker, whole pieces are hashed on the worker's thread while the records go on.

#include <string>
#include <string_view>
#include <vector>

#include "designer/rtnReaderWriter/LengthPrefix.h"
#include "platform/Sha256.h"

namespace vantorell {

class PieceWorker;

class ChangeDigest {
public:
    // `worker` null: every piece is hashed on the calling thread. Otherwise whole pieces go
    // to the worker, which must be stopped before the digest goes.
    explicit ChangeDigest(PieceWorker* worker = nullptr);
    ChangeDigest(const ChangeDigest&) = delete;
    ChangeDigest& operator=(const ChangeDigest&) = delete;

    // Called for every record of a model, so it only copies the record into the current
    // piece; whole pieces are hashed, since a call into libcrypto per record would cost more
    // than the hashing itself.
    void addRecord(std::string_view record) {
        if (kLongestLengthPrefix + record.size() > piece_.size() - used_) {
            makeRoom(record.size());
        }
        used_ = static_cast<std::size_t>(putLengthPrefixed(piece_.data() + used_, record) -
                                         piece_.data());
    }

    // Records already in the length-prefixed form (a RecordBuffer's), as if each had been
    // added by addRecord.
    void addPrefixed(std::string_view records);

    // Lower-case hexadecimal text of the hash; call once, after the last record. With a worker,
    // it first waits for the worker to have hashed every piece, and raises its failure.
    std::string finish();

private:
    void makeRoom(std::size_t recordSize);
    void handPiece();
    void update(std::string_view bytes);

    PieceWorker* worker_;
    Sha256 hash_;              // with a worker, used by its thread until finish()
    std::vector<char> piece_;  // records not yet hashed: piece_[0 .. used_)
    std::size_t used_ = 0;
};

}  // namespace vantorell
