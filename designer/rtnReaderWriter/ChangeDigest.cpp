#include "designer/rtnReaderWriter/ChangeDigest.h"

#include <openssl/evp.h>

#include <new>
#include <stdexcept>

namespace vantorell {
namespace {

constexpr std::size_t kPieceSize = 1 << 16;

}  // namespace

ChangeDigest::ChangeDigest() : context_(EVP_MD_CTX_new()) {
    if (context_ == nullptr) {
        throw std::bad_alloc();
    }
    if (EVP_DigestInit_ex(context_, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(context_);
        throw std::runtime_error("The change digest could not be started.");
    }
    piece_.resize(kPieceSize);
}

ChangeDigest::~ChangeDigest() {
    EVP_MD_CTX_free(context_);
}

// A record longer than a piece gets a piece of its own size.
void ChangeDigest::makeRoom(std::size_t recordSize) {
    hashPiece();
    if (kLongestLength + recordSize > piece_.size()) {
        piece_.resize(kLongestLength + recordSize);
    }
}

void ChangeDigest::hashPiece() {
    if (used_ > 0 && EVP_DigestUpdate(context_, piece_.data(), used_) != 1) {
        throw std::runtime_error("The change digest could not be computed.");
    }
    used_ = 0;
}

std::string ChangeDigest::finish() {
    hashPiece();
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
