#include "tests/support/CipherRequests.h"

#include <algorithm>
#include <filesystem>

namespace vantorell::test {

// Worked out with Python: keyBase = pow(blockBase, decipherExponent, modulus).
const CipherKeySet kLargeCipherKey = {
    "0300000000YUZYb2NO98\\8bdX=OF8UIeRWe3]GQS<7BgU`>6o^:DMS4F92LkoAdcS@"
    "0hk49U1TAh7iaHeVAOZNRXDYl3G_XUV`RB?A36OmVD\\[SmX2ldYWUKTYjJVX3mjW]KmEjeHJ@QHf=YRe:"
    "KBYNgD98ljcom",
    "O`H\\ak<GfDdOh9l:m3SBUe9=J_DNQb;26f2B:<i_911TGE76n=XnZn6OF0?PZ1>m`ZjIHm;TT8G_=33]0hfdgSPgQ2K@^"
    "DBRQSYo>elmQRJ>c4GLJo7Q",
    "024E`Le:ZFLIHAT79mhU3dRlgF49VEf=<5n@@Z9];8Innb?@`hIM<@`<C[le^n`UQ?X\\6nIm^dH79g>Ohi69hT_M`"
    "71NIXh;j=gd`IE3`GL[__c<=ld>9PQ=eJ]AXe5CO=7@B5fmDlYe??CH6Q5?kXoOf^MU`:SE",
    "N@HEU4nGU<", "gI<aKBeHA3"};
const CipherKeySet kSmallCipherKey = {"3d93", "05", "0@JW", "4]J7", "1="};

engine::CipherRequest encipherRequest(const std::string& source, const std::string& output,
                                      const CipherKeySet* key) {
    engine::CipherRequest r;
    r.sourcePath = source;
    r.outputPath = output;
    r.direction = engine::CipherDirection::Encipher;
    r.firstKey = "secret";
    r.secondKey = "second-key";
    r.secondKeyGiven = true;
    r.thirdKey = "11.06.2024 10:00:00";
    if (key != nullptr) {
        r.keyBlockPresent = true;
        r.keyModulus = key->modulus;
        r.keyBlockBase = key->blockBase;
        r.keyBase = key->keyBase;
        r.keyExponent = key->encipherExponent;
    }
    return r;
}

engine::KeyDerivationInput keyInput(std::uint64_t fileLength, const engine::CipherStageFlags& stages,
                                    engine::CipherDirection direction) {
    engine::KeyDerivationInput in;
    in.firstKey = "secret";
    in.secondKey = "second-key";
    in.secondKeyGiven = true;
    in.thirdKey = "11.06.2024 10:00:00";
    in.fileLength = fileLength;
    in.stages = stages;
    in.direction = direction;
    return in;
}

engine::CipherRequest decipherRequest(const std::string& source, const std::string& output,
                                      const CipherKeySet* key) {
    engine::CipherRequest r = encipherRequest(source, output);
    r.direction = engine::CipherDirection::Decipher;
    r.thirdKey.clear();
    if (key != nullptr) {
        r.keyModulus = key->modulus;
        r.keyExponent = key->decipherExponent;
    }
    return r;
}

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace vantorell::test
