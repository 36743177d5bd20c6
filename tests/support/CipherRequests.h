#pragma once
// Requests and key sets for tests of the engine's file cipher.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/tqmh01/CipherRequest.h"
#include "engine/tqmh01/KeyDerivation.h"

namespace vantorell::test {

// A key block as long-number texts: enciphering raises both bases to `encipherExponent`,
// deciphering raises the file's block to `decipherExponent`; keyBase is
// blockBase ^ decipherExponent, so both runs arrive at the same key number.
struct CipherKeySet {
    const char* modulus;
    const char* blockBase;
    const char* keyBase;
    const char* encipherExponent;
    const char* decipherExponent;
};

// Key number of 80 words (every key-number branch of the derivation) and one of two words.
extern const CipherKeySet kLargeCipherKey;
extern const CipherKeySet kSmallCipherKey;

// P "secret", S "second-key", T "11.06.2024 10:00:00"; with the key set's block when given.
engine::CipherRequest encipherRequest(const std::string& source, const std::string& output,
                                      const CipherKeySet* key = nullptr);
// The same P and S; T comes from the file.
engine::CipherRequest decipherRequest(const std::string& source, const std::string& output,
                                      const CipherKeySet* key = nullptr);

// The derivation's input for the same P, S and T, without a key block.
engine::KeyDerivationInput keyInput(std::uint64_t fileLength, const engine::CipherStageFlags& stages,
                                    engine::CipherDirection direction);

// Names in a folder, sorted.
std::vector<std::string> folderEntries(const std::string& folder);

}  // namespace vantorell::test
