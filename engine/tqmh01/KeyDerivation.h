#pragma once
// Turns the key texts of a run (and the key number of a key block) into the key material
// of the four stages. Both directions derive the same material from the same inputs, but
// the layer schedules and the byte-step layer tables are built for the run's direction.

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "engine/tqmh01/ByteStep.h"
#include "engine/tqmh01/CipherRequest.h"
#include "engine/tqmh01/CipherSchedule.h"
#include "engine/tqmh01/KeyStream.h"
#include "engine/tqmh01/LongNumber.h"

namespace vantorell::engine {

// Key texts and working texts live in buffers of 256 characters.
inline constexpr std::size_t kKeyTextLimit = 255;

// Raised when the derivation cannot run on its inputs; nothing has been written then.
class KeyDerivationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct KeyDerivationInput {
    std::string firstKey;
    std::string secondKey;
    std::string thirdKey;
    bool secondKeyGiven = false;
    bool noSecondKey = false;
    std::optional<LongNumber> keyNumber;  // only when a key block is used
    std::int32_t xConstant = 0;           // 0: the key variant's default
    int keyVariant = 1;                   // 1, 2 or 3
    std::uint64_t fileLength = 0;         // the plain length, as the header carries it
    CipherStageFlags stages;
    CipherDirection direction = CipherDirection::Encipher;
};

struct CipherKeyMaterial {
    CipherSchedule mainLayer;                                 // stage A
    CipherSchedule secondLayer;                               // stage B
    CipherSchedule thirdLayer;                                // stage B
    std::array<std::uint8_t, kFeistelBlock> chainingStart{};  // stage A
    ByteStepMaterial byteStep;                                // stage C
    KeyStream keyStream;  // stage D draws from it where the derivation left off
};

CipherKeyMaterial DeriveCipherKeys(const KeyDerivationInput& input);

}  // namespace vantorell::engine
