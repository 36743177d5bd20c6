// Large files: enciphered with the encoding on a worker, deciphered in batches on all cores.
// What they give must be what one thread reading line by line gives, for every place the
// tail of the blocks can take, and a body the batches cannot take is read line by line.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "engine/tqmh01/CipherRequest.h"
#include "platform/Sha256.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/RandomBytes.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

using test::decipherRequest;
using test::encipherRequest;

// The smallest body deciphered in batches: four batches of 2048 lines of 64 bytes.
constexpr std::size_t kBatched = 4 * 2048 * 64;
constexpr std::size_t kBatchBytes = 2048 * 64;

std::string sha256(const std::string& bytes) {
    Sha256 hash;
    hash.update(bytes);
    return hash.finish();
}

class CipherBatches : public ::testing::Test {
protected:
    // Enciphers `plain` into "enc" with stage A alone or with B.
    void encipher(const std::string& plain, bool withB) {
        folder.write("plain", plain);
        const CipherResult r = CipherFile(
            withStages(encipherRequest(folder.file("plain"), folder.file("enc")), withB));
        ASSERT_TRUE(r.ok()) << r.message;
    }

    CipherResult decipher(const std::string& from, bool withB) {
        return CipherFile(
            withStages(decipherRequest(folder.file(from), folder.file("dec")), withB));
    }

    static CipherRequest withStages(CipherRequest r, bool withB) {
        r.automaticStages = false;
        r.stages = {true, withB, false, false};
        return r;
    }

    std::string enciphered() const { return folder.read("enc"); }

    // Offset of the first character of body line `line` (from 1) in a file of full lines.
    std::size_t bodyLine(const std::string& file, std::size_t line) const {
        return file.find("M\n") + 2 + (line - 1) * 82 + 1;
    }

    test::TempFolder folder;
};

// Worked out with the cipher as it was before it used more than one thread.
TEST_F(CipherBatches, WholeFilesAreAsBefore) {
    const struct {
        std::size_t size;
        bool withB;
        const char* enciphered;
    } cases[] = {
        {kBatched + 5, false, "162c9522b0ec3d72e99ce57a38688bfdfcad9d458d3924f01f0dec3b995fdd98"},
        {kBatched + 2 * kBatchBytes + 40, true,
         "2f24d6931acbd5558e266a891cabdb5c791276e472c1acd4a8d3c2b454744f9c"},
    };
    for (const auto& c : cases) {
        const std::string plain = test::randomBytes(c.size, 7);
        encipher(plain, c.withB);
        EXPECT_EQ(sha256(enciphered()), c.enciphered) << c.size;
        ASSERT_TRUE(decipher("enc", c.withB).ok());
        EXPECT_TRUE(folder.read("dec") == plain) << c.size;
    }
}

// The tail after the whole blocks at the end of a line, inside one, across two lines, and
// across the last two batches (a last line of 5 bytes that starts a batch).
TEST_F(CipherBatches, EveryPlaceOfTheTail) {
    for (const std::size_t size : {kBatched, kBatched + 5, kBatched + 16, kBatched + 17,
                                   kBatched + 31, kBatched + 64 + 47, kBatched + kBatchBytes - 1}) {
        for (const bool withB : {false, true}) {
            if (withB && size != kBatched + 5) {
                continue;  // the layers' order is one, wherever the tail lies
            }
            const std::string plain = test::randomBytes(size, static_cast<std::uint32_t>(size));
            encipher(plain, withB);
            const CipherResult r = decipher("enc", withB);
            ASSERT_TRUE(r.ok()) << r.message;
            EXPECT_TRUE(folder.read("dec") == plain) << size << (withB ? " with B" : "");
        }
    }
}

TEST_F(CipherBatches, BodiesTheBatchesCannotTakeAreReadLineByLine) {
    const std::string plain = test::randomBytes(kBatched + 100, 3);
    encipher(plain, false);
    const std::string file = enciphered();

    std::string crlf;
    for (const char c : file) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    folder.write("crlf", crlf);
    ASSERT_TRUE(decipher("crlf", false).ok());
    EXPECT_TRUE(folder.read("dec") == plain);
    std::filesystem::remove(folder.file("dec"));

    // Faults deep in the body are told as reading line by line tells them: by the line.
    std::string bad = file;
    bad[bodyLine(file, 5000) + 3] = '!';
    folder.write("bad", bad);
    CipherResult r = decipher("bad", false);
    EXPECT_EQ(r.outcome, CipherOutcome::MalformedInput);
    EXPECT_NE(r.message.find("body line 5000 "), std::string::npos) << r.message;
    std::string shortLine = file;
    shortLine.erase(bodyLine(file, 7000) + 10, 1);
    folder.write("bad", shortLine);
    r = decipher("bad", false);
    EXPECT_EQ(r.outcome, CipherOutcome::MalformedInput);
    EXPECT_NE(r.message.find("body line 7000 "), std::string::npos) << r.message;
    folder.write("bad", file.substr(0, bodyLine(file, 6000)));
    r = decipher("bad", false);
    EXPECT_EQ(r.outcome, CipherOutcome::MalformedInput) << r.message;
    EXPECT_FALSE(std::filesystem::exists(folder.file("dec")));
}

TEST_F(CipherBatches, CheckValueOverAllBatches) {
    const std::string plain = test::randomBytes(kBatched + 1000, 4);
    encipher(plain, false);
    CipherRequest request =
        withStages(decipherRequest(folder.file("enc"), folder.file("dec")), false);
    request.mismatchReport = true;
    request.mismatchReportPath = folder.file("report");
    ASSERT_TRUE(CipherFile(request).ok());
    EXPECT_FALSE(std::filesystem::exists(folder.file("report")));

    // One character of the third batch changed for another that still carries a byte.
    const std::string file = enciphered();
    std::string altered = file;
    const std::size_t at = bodyLine(file, 2 * 2048 + 10) + 1;
    altered[at] = file[at] == '#' ? '$' : '#';
    folder.write("enc", altered);
    ASSERT_TRUE(CipherFile(request).ok());
    const std::string stored = file.substr(file.rfind('\n', file.size() - 2) + 1);
    const int computed = std::stoi(stored) ^ file[at] ^ altered[at];
    EXPECT_EQ(folder.read("report"),
              std::to_string(computed) + " " + stored.substr(0, stored.size() - 1) + "\r\n");
}

}  // namespace
}  // namespace vantorell::engine
