#pragma once
// The key block of a run: its numbers arrive as long-number texts in the request.

#include <string>

#include "engine/tqmh01/CipherRequest.h"
#include "engine/tqmh01/LongNumber.h"

namespace vantorell::engine {

struct EncipheringKeyBlock {
    LongNumber block;      // block base ^ exponent mod modulus: what the file carries
    LongNumber keyNumber;  // key base ^ exponent mod modulus
};

// Raises CipherRunError (KeyRefused) for texts that are no long numbers, a zero modulus,
// or a block or key number of 0 (a block of 0 could not be told from none).
EncipheringKeyBlock EncipheringKeyNumbers(const CipherRequest& request);

// The file's key block ^ exponent mod modulus. Raises CipherRunError: MalformedInput when
// the file's block is no long number or the request gives no modulus and exponent;
// KeyRefused for a request's text that is no long number, a zero modulus or key number.
LongNumber DecipheringKeyNumber(const CipherRequest& request, const std::string& fileBlock);

}  // namespace vantorell::engine
