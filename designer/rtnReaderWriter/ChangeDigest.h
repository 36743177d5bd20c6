#pragma once
// The model change digest: SHA-256 over every record written, each record prefixed with its
// length. The designer compares the digest of the saved state with that of the editors to
// detect unsaved changes.
//
// The hash is libcrypto's, which uses the processor's SHA instructions where it has them:
// Qt's own runs at a fraction of the speed the writer produces records, and would cap
// every save.
//
// Given a worker, whole pieces are hashed on the worker's thread while the records go on.

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

struct evp_md_ctx_st;

namespace vantorell {

class PieceWorker;

class ChangeDigest {
public:
    // `worker` null: every piece is hashed on the calling thread. Otherwise whole pieces go
    // to the worker, which must be stopped before the digest goes.
    explicit ChangeDigest(PieceWorker* worker = nullptr);
    ~ChangeDigest();
    ChangeDigest(const ChangeDigest&) = delete;
    ChangeDigest& operator=(const ChangeDigest&) = delete;

    // Called for every record of a model, so it only copies the record into the current
    // piece; whole pieces are hashed, since a call into libcrypto per record would cost more
    // than the hashing itself.
    void addRecord(std::string_view record) {
        if (kLongestLength + record.size() > piece_.size() - used_) {
            makeRoom(record.size());
        }
        // The length goes first, seven bits a byte (one byte for every record a model has),
        // so that no two sequences of records feed the same bytes.
        std::size_t length = record.size();
        while (length >= 0x80) {
            piece_[used_++] = static_cast<char>(0x80 | (length & 0x7F));
            length >>= 7;
        }
        piece_[used_++] = static_cast<char>(length);
        std::memcpy(piece_.data() + used_, record.data(), record.size());
        used_ += record.size();
    }

    // Lower-case hexadecimal text of the hash; call once, after the last record. With a worker,
    // it first waits for the worker to have hashed every piece, and raises its failure.
    std::string finish();

private:
    // Bytes of the longest length prefix.
    static constexpr std::size_t kLongestLength = (sizeof(std::size_t) * 8 + 6) / 7;

    void makeRoom(std::size_t recordSize);
    void handPiece();
    void update(std::string_view bytes);

    PieceWorker* worker_;
    evp_md_ctx_st* context_;   // with a worker, used by its thread until finish()
    std::vector<char> piece_;  // records not yet hashed: piece_[0 .. used_)
    std::size_t used_ = 0;
};

}  // namespace vantorell
