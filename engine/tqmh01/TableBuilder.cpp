#include "engine/tqmh01/TableBuilder.h"

#include <algorithm>

#include "common/Scrambler.h"
#include "engine/tqmh01/BuiltInKeyTexts.h"
#include "engine/tqmh01/CipherSchedule.h"

namespace vantorell::engine {
namespace {

unsigned at(const std::string& text, std::size_t i) {
    return static_cast<unsigned char>(text[i % text.size()]);
}

// Key byte k from the texts (A, B) and (first, second): the second text's character picks
// the shift of the first's.
CipherKey tableKey(const std::string& a, const std::string& b, const std::string& first,
                   const std::string& second) {
    CipherKey key{};
    for (std::size_t k = 0; k < key.size(); ++k) {
        const unsigned low = (at(a, 2 * k + 1) / 3) ^ (at(b, 2 * k + 1) / 5);
        const unsigned high = at(first, k) ^ (at(a, 2 * k) / 3) ^ (at(b, 2 * k) / 5);
        const unsigned shift = (at(second, k) + 4U) & 31U;
        key[k] = static_cast<std::uint8_t>((low ^ (high << shift)) & 255U);
    }
    return key;
}

void invert(const std::array<std::uint8_t, 256>& from, std::uint8_t (&to)[256]) {
    for (int v = 0; v < 256; ++v) {
        to[from[v]] = static_cast<std::uint8_t>(v);
    }
}

// Counter byte k from row (subkey byte `rowByte` + k, low 3 bits), column k.
std::uint8_t counterByte(const CipherSchedule& s, int rowByte, int k) {
    const int row = s.subkeys[rowByte + k] & 7;
    return s.subkeys[row * 8 + k];
}

}  // namespace

ByteStepMaterial BuildByteStepTables(const std::string& first, const std::string& second,
                                     CipherDirection direction) {
    if (first.empty() || second.empty()) {
        throw ScramblerError("the byte-step tables need two non-empty texts");
    }
    std::string a = strEncryptBlock(std::string(builtInKeyText(13)), second);
    std::string b = strEncryptBlock(std::string(builtInKeyText(14)), first);
    std::string c = strEncryptBlock(std::string(builtInKeyText(15)), second);
    std::string d = strEncryptBlock(std::string(builtInKeyText(16)), first);
    const std::string mix = strEncryptBlock(b, c);

    ByteStepMaterial material;
    CipherSchedule schedule;
    for (int i = 0; i < kByteStepStateTables; ++i) {
        // The schedules are always built enciphering: their subkeys feed the state, which
        // must come out the same in both directions.
        ExpandCipherKey(tableKey(a, b, first, second), schedule, CipherDirection::Encipher);
        invert(schedule.sbox, material.tables[i]);
        if (i == 0) {
            for (int k = 0; k < 8; ++k) {
                material.counter[k] = counterByte(schedule, 120, k);
            }
            std::copy(schedule.subkeys.begin(), schedule.subkeys.end(), material.roundBytes);
        }
        if (i < kByteStepLayerTables) {
            ExpandCipherKey(tableKey(d, c, second, first), schedule, CipherDirection::Encipher);
            auto& layer = material.tables[kByteStepStateTables + i];
            if (direction == CipherDirection::Encipher) {
                invert(schedule.sbox, layer);
            } else {
                std::copy(schedule.sbox.begin(), schedule.sbox.end(), layer);
            }
            if (i == 0) {
                for (int k = 0; k < 8; ++k) {
                    material.counter[k] ^= counterByte(schedule, 64, k);
                }
                std::copy(schedule.subkeys.begin(), schedule.subkeys.end(),
                          material.roundBytes + 128);
            }
        }
        if (i < kByteStepStateTables - 1) {
            a = strEncryptBlock(a, mix);
            b = strEncryptBlock(b, mix);
            c = strEncryptBlock(c, mix);
            d = strEncryptBlock(d, mix);
        }
    }
    return material;
}

}  // namespace vantorell::engine
