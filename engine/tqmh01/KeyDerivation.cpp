#include "engine/tqmh01/KeyDerivation.h"

#include "common/Scrambler.h"
#include "engine/tqmh01/BuiltInKeyTexts.h"
#include "engine/tqmh01/TableBuilder.h"

namespace vantorell::engine {
namespace {

constexpr std::int32_t kXDefaults[3] = {57314, 20968, 73451};
constexpr std::int64_t kSecondSeedOffset = 1452807613;
constexpr std::uint64_t kLengthSeedMask = 0xFFFFFF;  // low 24 bits of the file length

std::string bt(int number) {
    return std::string(builtInKeyText(number));
}

unsigned at(const std::string& text, std::size_t i) {
    return static_cast<unsigned char>(text[i % text.size()]);
}

// A key text must be there, fit a buffer and be made of characters the scrambler takes.
void checkKeyText(const char* name, const std::string& text) {
    if (text.empty()) {
        throw KeyDerivationError(std::string("the ") + name + " is empty");
    }
    if (text.size() > kKeyTextLimit) {
        throw KeyDerivationError(std::string("the ") + name + " holds " +
                                 std::to_string(text.size()) + " characters; at most " +
                                 std::to_string(kKeyTextLimit) + " fit");
    }
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code > 126) {
            throw KeyDerivationError(std::string("the ") + name + " holds character code " +
                                     std::to_string(code) + ", which is not a printable character");
        }
    }
}

class Derivation {
public:
    explicit Derivation(const KeyDerivationInput& in) : in_(in) {}

    CipherKeyMaterial run();

private:
    void checkInputs() const;

    static std::string working(std::string text) {
        if (text.size() > kKeyTextLimit) {
            throw KeyDerivationError("a working text of the key derivation would hold " +
                                     std::to_string(text.size()) + " characters; at most " +
                                     std::to_string(kKeyTextLimit) + " fit");
        }
        return text;
    }
    static std::string enc(const std::string& text, const std::string& key) {
        return working(strEncryptBlock(text, key));
    }
    static std::string esc(const std::string& text, const std::string& key) {
        return working(strEncrypt(text, key));
    }

    // Two nibbles at positions p and p + 1 over three texts, the high one first.
    static unsigned nibblePair(const std::string& u, const std::string& v, const std::string& y,
                               std::size_t p) {
        const auto nibble = [&](std::size_t q) {
            return (at(u, q) ^ (at(v, q) / 3) ^ (at(y, q) / 5)) & 15U;
        };
        return nibble(p) * 16U + nibble(p + 1);
    }

    unsigned word(int index) const { return in_.keyNumber->words[index]; }

    const KeyDerivationInput& in_;
};

void Derivation::checkInputs() const {
    if (in_.keyVariant < 1 || in_.keyVariant > 3) {
        throw KeyDerivationError("there is no key variant " + std::to_string(in_.keyVariant));
    }
    if (in_.keyNumber && in_.keyNumber->isZero()) {
        throw KeyDerivationError("the key number of the key block is 0");
    }
    checkKeyText("first key text", in_.firstKey);
    checkKeyText("third key text", in_.thirdKey);
    const bool secondReplaced =
        in_.keyNumber ? !in_.secondKeyGiven : in_.noSecondKey && !in_.secondKeyGiven;
    if (!secondReplaced) {
        checkKeyText("second key text", in_.secondKey);
    }
}

CipherKeyMaterial Derivation::run() {
    checkInputs();
    const std::string& p = in_.firstKey;
    const std::string& t = in_.thirdKey;
    std::string s = in_.secondKey;
    // The working texts, named as in the derivation's description so each step can be followed.
    std::string b0, str, dst, dst2, data, str2, dst3;
    bool mixed = false;
    int n = 0;

    if (in_.keyNumber) {
        n = in_.keyNumber->significantLength();
        const std::string numberText = longNumberToText(*in_.keyNumber);
        if (in_.secondKeyGiven) {
            dst = s;
            s = numberText;
            // The second key text may hold blanks with a key block as without one. The
            // block encipherment takes no blank, so such a text is escaped first; every
            // other text is enciphered as it stands, as files made so far were.
            dst3 = dst.find(' ') == std::string::npos ? enc(dst, s) : esc(dst, s);
            mixed = true;
        } else {
            s = numberText;
        }
    } else if (in_.noSecondKey && !in_.secondKeyGiven) {
        str2 = esc(p, bt(1));
        data = esc(t, bt(2));
        str = enc(str2, data);
        dst = enc(str, bt(3));
        dst2 = enc(bt(4), str2);
        str = enc(dst2, data);
        s = enc(str, dst);
        dst3 = enc(dst, data);
        mixed = true;
    }

    const int v = in_.keyVariant;
    const std::int32_t x = in_.xConstant != 0 ? in_.xConstant : kXDefaults[v - 1];

    dst2 = working(s + p);
    data = esc(s, bt(5));
    str2 = esc(dst2, bt(6));
    if (mixed) {
        dst = enc(str2, dst3);
        str2 = enc(dst, data);
        b0 = esc(t, str2);
    } else {
        b0 = esc(t, str2);
        dst3 = enc(b0, data);
    }

    dst = enc(bt(5 + 2 * v), data);
    str = enc(bt(6 + 2 * v), data);
    dst2 = enc(dst, str2);
    data = enc(working(str2 + "!"), str);
    dst = enc(data, dst2);
    str = enc(str2, b0);
    str2 = enc(str, dst);
    dst = enc(dst2, b0);
    dst2 = enc(dst, str2);

    CipherKeyMaterial material;
    KeyStream& stream = material.keyStream;
    const std::uint32_t firstSeed =
        ((at(str2, 0) * 94U + at(data, 0)) * 94U + static_cast<std::uint32_t>(x) +
         at(dst2, static_cast<std::size_t>(4 - v))) ^
        static_cast<std::uint32_t>(in_.fileLength & kLengthSeedMask);
    stream.next(static_cast<std::int32_t>(firstSeed));
    const std::int64_t secondSeed =
        static_cast<std::int64_t>(at(dst2, static_cast<std::size_t>(12 + v)) +
                                  at(dst2, static_cast<std::size_t>(11 - v))) *
            1000 +
        at(dst2, 23) - kSecondSeedOffset;
    stream.next(static_cast<std::int32_t>(secondSeed));
    stream.next(-1);

    for (char& c : data) {
        c = static_cast<char>((stream.draw() + static_cast<unsigned char>(c)) % 94U + 33U);
    }

    const CipherDirection direction = in_.direction;
    CipherKey key{};
    if (in_.stages.a) {
        for (int k = 0; k < 16; ++k) {
            const unsigned b = stream.draw();
            const unsigned hl = nibblePair(str2, dst2, data, 2 * k);
            key[k] = static_cast<std::uint8_t>(n >= 16 ? ((b + hl) ^ word(64 + k)) : (b ^ hl));
        }
        ExpandCipherKey(key, material.mainLayer, direction);

        if (in_.stages.b) {
            if (n >= 32) {
                // Key-number words are 12 bits: the high four fold into the low byte.
                for (int k = 0; k < 16; ++k) {
                    const unsigned w = word(48 + k);
                    key[k] = static_cast<std::uint8_t>(w ^ (w >> 8));
                }
            } else {
                dst2 = enc(dst2, str2);
                data = enc(data, dst3);
                for (int k = 0; k < 16; ++k) {
                    const unsigned b = stream.draw();
                    key[k] =
                        static_cast<std::uint8_t>(b ^ nibblePair(str2, dst2, data, 2 * k + 32));
                }
            }
            ExpandCipherKey(key, material.secondLayer, direction);

            dst2 = enc(dst2, dst3);
            str2 = enc(str2, data);
            for (int k = 0; k < 16; ++k) {
                const unsigned b = stream.draw();
                const unsigned hl = nibblePair(str2, dst2, data, 2 * k + 64);
                key[k] = static_cast<std::uint8_t>(n >= 48 ? ((b + hl) ^ word(32 + k)) : (b ^ hl));
            }
            ExpandCipherKey(key, material.thirdLayer, direction);
        }

        dst2 = enc(dst2, data);
        data = enc(data, b0);
        for (int k = 0; k < kFeistelBlock; ++k) {
            const unsigned b = stream.draw();
            material.chainingStart[k] =
                static_cast<std::uint8_t>(b ^ nibblePair(b0, dst2, data, 2 * k + 96));
        }
    }

    if (in_.stages.c) {
        material.byteStep = BuildByteStepTables(str2, b0, direction);
    }
    return material;
}

}  // namespace

CipherKeyMaterial DeriveCipherKeys(const KeyDerivationInput& input) {
    try {
        return Derivation(input).run();
    } catch (const ScramblerError& e) {
        throw KeyDerivationError(std::string("the key texts cannot be used: ") + e.what());
    }
}

}  // namespace vantorell::engine
