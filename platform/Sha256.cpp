#include "platform/Sha256.h"

#include <openssl/evp.h>

#include <new>
#include <stdexcept>

namespace vantorell {

Sha256::Sha256() : context_(EVP_MD_CTX_new()) {
    if (context_ == nullptr) {
        throw std::bad_alloc();
    }
    if (EVP_DigestInit_ex(context_, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(context_);
        throw std::runtime_error("The SHA-256 hash could not be started.");
    }
}

Sha256::~Sha256() {
    EVP_MD_CTX_free(context_);
}

void Sha256::update(std::string_view bytes) {
    if (!bytes.empty() && EVP_DigestUpdate(context_, bytes.data(), bytes.size()) != 1) {
        throw std::runtime_error("The SHA-256 hash could not be computed.");
    }
}

std::string Sha256::finish() {
    unsigned char hash[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(context_, hash, &size) != 1) {
        throw std::runtime_error("The SHA-256 hash could not be computed.");
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
