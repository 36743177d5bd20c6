#include "designer/rtnReaderWriter/ChangeDigest.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "designer/rtnReaderWriter/PieceWorker.h"

namespace vantorell {

ChangeDigest::ChangeDigest(PieceWorker* worker) : worker_(worker), context_(EVP_MD_CTX_new()) {
    if (context_ == nullptr) {
        throw std::bad_alloc();
    }
    if (EVP_DigestInit_ex(context_, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(context_);
        throw std::runtime_error("The change digest could not be started.");
    }
    piece_.resize(PieceWorker::kPieceSize);
}

ChangeDigest::~ChangeDigest() {
    EVP_MD_CTX_free(context_);
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
    if (!bytes.empty() && EVP_DigestUpdate(context_, bytes.data(), bytes.size()) != 1) {
        throw std::runtime_error("The change digest could not be computed.");
    }
}

std::string ChangeDigest::finish() {
    // The last piece is short; hashing it here saves a round trip to the worker.
    if (worker_ != nullptr) {
        worker_->finish();
    }
    update(std::string_view(piece_.data(), used_));
    used_ = 0;
    unsigned char hash[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(context_, hash, &size) != 1) {
        throw std::runtime_error("The change digest could not be computed.");
    }
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 2);
    for (unsigned int i = 0; i < size; ++i) {
        text.push_back(kHex[hash[i] >> 4]);
        text.push_back(kHex[hash[i] & 15]);
    }
    return text;
}

}  // namespace vantorell
