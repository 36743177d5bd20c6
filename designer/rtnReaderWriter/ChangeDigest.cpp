#include "designer/rtnReaderWriter/ChangeDigest.h"

#include <algorithm>
#include <cstring>

#include "platform/PieceWorker.h"

namespace vantorell {

ChangeDigest::ChangeDigest(PieceWorker* worker) : worker_(worker) {
    piece_.resize(PieceWorker::kPieceSize);
}

// A record longer than a piece gets a piece of its own size.
void ChangeDigest::makeRoom(std::size_t recordSize) {
    handPiece();
    if (kLongestLengthPrefix + recordSize > piece_.size()) {
        piece_.resize(kLongestLengthPrefix + recordSize);
    }
}

void ChangeDigest::addPrefixed(std::string_view records) {
    while (!records.empty()) {
        if (used_ == piece_.size()) {
            handPiece();
        }
        const std::size_t take = std::min(piece_.size() - used_, records.size());
        std::memcpy(piece_.data() + used_, records.data(), take);
        used_ += take;
        records.remove_prefix(take);
    }
}

void ChangeDigest::handPiece() {
    if (used_ == 0) {
        return;
    }
    if (worker_ != nullptr) {
        worker_->handOver(piece_, used_, [this](std::string_view bytes) { update(bytes); });
    } else {
        update(std::string_view(piece_.data(), used_));
    }
    used_ = 0;
}

void ChangeDigest::update(std::string_view bytes) {
    hash_.update(bytes);
}

std::string ChangeDigest::finish() {
    // The last piece is short; hashing it here saves a round trip to the worker.
    if (worker_ != nullptr) {
        worker_->finish();
    }
    update(std::string_view(piece_.data(), used_));
    used_ = 0;
    return hash_.finish();
}

}  // namespace vantorell
