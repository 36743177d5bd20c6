#include "designer/rtnReaderWriter/ChangeDigest.h"

#include <QByteArray>
#include <QByteArrayView>

namespace vantorell {
namespace {

constexpr std::size_t kPieceSize = 1 << 18;

void addTo(QCryptographicHash& hash, const std::string& bytes) {
    hash.addData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace

ChangeDigest::ChangeDigest() : hash_(QCryptographicHash::Sha256) {
    filling_.reserve(kPieceSize + 256);
}

ChangeDigest::~ChangeDigest() {
    stopHelper();
}

void ChangeDigest::addRecord(std::string_view record) {
    // The length goes first, seven bits a byte (one byte for every record a model has), so
    // that no two sequences of records feed the same bytes.
    std::size_t length = record.size();
    while (length >= 0x80) {
        filling_.push_back(static_cast<char>(0x80 | (length & 0x7F)));
        length >>= 7;
    }
    filling_.push_back(static_cast<char>(length));
    filling_.append(record);
    if (filling_.size() >= kPieceSize) {
        handOver();
    }
}

void ChangeDigest::waitUntilIdle(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return !pieceWaiting_; });
}

void ChangeDigest::handOver() {
    if (!helper_.joinable()) {
        helper_ = std::thread([this] { hashPieces(); });
    }
    std::unique_lock<std::mutex> lock(mutex_);
    waitUntilIdle(lock);
    hashing_.swap(filling_);
    pieceWaiting_ = true;
    lock.unlock();
    changed_.notify_all();
    filling_.clear();
}

void ChangeDigest::hashPieces() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return pieceWaiting_ || stopping_; });
        if (!pieceWaiting_) {
            return;
        }
        lock.unlock();
        addTo(hash_, hashing_);
        lock.lock();
        pieceWaiting_ = false;
        changed_.notify_all();
    }
}

void ChangeDigest::stopHelper() {
    if (!helper_.joinable()) {
        return;
    }
    {
        std::unique_lock<std::mutex> lock(mutex_);
        waitUntilIdle(lock);
        stopping_ = true;
    }
    changed_.notify_all();
    helper_.join();
}

std::string ChangeDigest::finish() {
    stopHelper();  // the helper has hashed every piece handed over
    addTo(hash_, filling_);
    filling_.clear();
    return hash_.result().toHex().toStdString();
}

}  // namespace vantorell
