#pragma once
// The model change digest: SHA-256 over every record written, each record prefixed with its
// length. The designer compares the digest of the saved state with that of the editors to
// detect unsaved changes.
//
// Hashing costs more than producing the records, so large models are hashed on a helper
// thread in pieces while the writer goes on (two buffers, one filled, one hashed); small
// models, under one piece, are hashed at the end without a thread.

#include <QCryptographicHash>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

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
    void handOver();
    void waitUntilIdle(std::unique_lock<std::mutex>& lock);
    void hashPieces();
    void stopHelper();

    QCryptographicHash hash_;
    std::string filling_;  // records not yet handed over
    std::string hashing_;  // the piece the helper works on
    std::mutex mutex_;
    std::condition_variable changed_;
    bool pieceWaiting_ = false;  // hashing_ holds a piece the helper has not finished
    bool stopping_ = false;
    std::thread helper_;
};

}  // namespace vantorell
