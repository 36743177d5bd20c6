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
    pending_.reserve(kPieceSize + 256);
}

ChangeDigest::~ChangeDigest() {
    EVP_MD_CTX_free(context_);
}

void ChangeDigest::addRecord(std::string_view record) {
    // The length goes first, seven bits a byte (one byte for every record a model has), so
    // that no two sequences of records feed the same bytes.
    std::size_t length = record.size();
    while (length >= 0x80) {
        pending_.push_back(static_cast<char>(0x80 | (length & 0x7F)));
        length >>= 7;
    }
    pending_.push_back(static_cast<char>(length));
    pending_.append(record);
    if (pending_.size() >= kPieceSize) {
        flush();
    }
}

void ChangeDigest::flush() {
    if (!pending_.empty() && EVP_DigestUpdate(context_, pending_.data(), pending_.size()) != 1) {
        throw std::runtime_error("The change digest could not be computed.");
    }
    pending_.clear();
}

std::string ChangeDigest::finish() {
    flush();
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
