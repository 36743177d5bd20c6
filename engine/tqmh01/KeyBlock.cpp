#include "engine/tqmh01/KeyBlock.h"

#include "engine/tqmh01/CipherRunError.h"

namespace vantorell::engine {
namespace {

LongNumber number(const char* name, const std::string& text, CipherOutcome outcome) {
    try {
        return longNumberFromText(text);
    } catch (const LongNumberError& e) {
        throw CipherRunError(outcome, std::string("the ") + name + ": " + e.what());
    }
}

LongNumber requestNumber(const char* name, const std::string& text) {
    return number(name, text, CipherOutcome::KeyRefused);
}

LongNumber power(const LongNumber& base, const LongNumber& exponent, const LongNumber& modulus,
                 const char* result) {
    if (modulus.isZero()) {
        throw CipherRunError(CipherOutcome::KeyRefused, "the modulus of the key block is 0");
    }
    LongNumber value = modularPower(base, exponent, modulus);
    if (value.isZero()) {
        throw CipherRunError(CipherOutcome::KeyRefused, std::string("the ") + result + " is 0");
    }
    return value;
}

}  // namespace

EncipheringKeyBlock EncipheringKeyNumbers(const CipherRequest& request) {
    const LongNumber modulus = requestNumber("modulus of the key block", request.keyModulus);
    const LongNumber blockBase = requestNumber("base of the key block", request.keyBlockBase);
    const LongNumber keyBase = requestNumber("base of the key number", request.keyBase);
    const LongNumber exponent = requestNumber("exponent of the key block", request.keyExponent);
    return {power(blockBase, exponent, modulus, "key block"),
            power(keyBase, exponent, modulus, "key number")};
}

LongNumber DecipheringKeyNumber(const CipherRequest& request, const std::string& fileBlock) {
    if (request.keyModulus.empty() || request.keyExponent.empty()) {
        throw CipherRunError(CipherOutcome::MalformedInput,
                             "the file carries a key block, but the request gives none");
    }
    if (fileBlock.empty()) {
        throw CipherRunError(CipherOutcome::MalformedInput, "the file's key block is empty");
    }
    const LongNumber block =
        number("key block of the file", fileBlock, CipherOutcome::MalformedInput);
    const LongNumber modulus = requestNumber("modulus of the key block", request.keyModulus);
    const LongNumber exponent = requestNumber("exponent of the key block", request.keyExponent);
    return power(block, exponent, modulus, "key number");
}

}  // namespace vantorell::engine
