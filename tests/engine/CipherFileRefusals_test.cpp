// Runs that must write nothing, files that are copied through, and the mismatch report.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/tqmh01/CipherRequest.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/RandomBytes.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

using test::decipherRequest;
using test::encipherRequest;
using test::folderEntries;
using test::kSmallCipherKey;

class CipherRefusal : public ::testing::Test {
protected:
    void SetUp() override {
        plain = test::randomBytes(100, 42);
        folder.write("plain", plain);
        const CipherResult r =
            CipherFile(encipherRequest(folder.file("plain"), folder.file("enc")));
        ASSERT_TRUE(r.ok()) << r.message;
        enciphered = folder.read("enc");
    }

    // Runs the request; expects `outcome`, and that the folder holds afterwards just what it
    // held before (no output, no temporary file left behind).
    void expectRefused(const CipherRequest& request, CipherOutcome outcome,
                       const std::string& what) {
        const std::vector<std::string> before = folderEntries(folder.path());
        const CipherResult r = CipherFile(request);
        EXPECT_EQ(r.outcome, outcome) << what << ": " << r.message;
        EXPECT_FALSE(r.message.empty()) << what;
        EXPECT_EQ(folderEntries(folder.path()), before) << what;
    }

    test::TempFolder folder;
    std::string plain;
    std::string enciphered;
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST_F(CipherRefusal, MalformedEncipheredFiles) {
    // The layout of the file made in SetUp: five header lines, a full body line, a body
    // line of 36 bytes (45 characters), the check value.
    const std::size_t bodyStart = enciphered.find("M\n") + 2;
    const std::string firstLine = enciphered.substr(bodyStart, 82);
    const std::size_t lastLine = enciphered.rfind('\n', enciphered.size() - 2) + 1;
    const std::string body = enciphered.substr(bodyStart, lastLine - bodyStart);
    const std::string header = enciphered.substr(0, bodyStart);
    const std::string check = enciphered.substr(lastLine);
    ASSERT_EQ(body.size(), 82U + 47U);

    struct Case {
        const char* what;
        std::string file;
        bool keyInRequest = false;
    } cases[] = {
        {"header only", "L\n100\nT\nsome text\n"},
        {"ends after its tag", "L\n"},
        {"no \"M\"", "L\n100\nT\nsome text\n" + body + check},
        {"no length", "T\nsome text\nM\n" + body + check},
        {"length not a number", replaced(enciphered, "L\n100\n", "L\n1o0\n")},
        {"negative length", replaced(enciphered, "L\n100\n", "L\n-100\n")},
        {"length beyond the body", replaced(enciphered, "L\n100\n", "L\n164\n")},
        {"length short of the body", replaced(enciphered, "L\n100\n", "L\n99\n")},
        {"length far beyond 64 bits",
         replaced(enciphered, "L\n100\n", "L\n99999999999999999999\n")},
        {"truncated body", header + firstLine},
        {"truncated line", enciphered.substr(0, lastLine - 5)},
        {"no check value", header + body},
        {"check value not a number", header + body + "4x\n"},
        {"text after the check value", enciphered + "more\n"},
        {"second check value", enciphered + check},
        {"character below the body's",
         replaced(enciphered, firstLine.substr(0, 6), " " + firstLine.substr(1, 4) + "!")},
        {"character above the body's",
         replaced(enciphered, firstLine.substr(0, 6), " " + firstLine.substr(1, 4) + "z")},
        {"body line without its blank", replaced(enciphered, firstLine, firstLine.substr(1))},
        {"body line too long", replaced(enciphered, firstLine, " #" + firstLine.substr(1))},
        {"control character in the body",
         replaced(enciphered, firstLine.substr(0, 3), firstLine.substr(0, 2) + "\t")},
        {"key block too long", replaced(enciphered, "M\n", "K\n" + std::string(162, '1') + "\nM\n"),
         true},
        {"key block of odd length", replaced(enciphered, "M\n", "K\n123\nM\n"), true},
        {"key block with a character out of range", replaced(enciphered, "M\n", "K\n1p\nM\n"),
         true},
        {"empty key block", replaced(enciphered, "M\n", "K\n\nM\n"), true},
        {"key block but none in the request", replaced(enciphered, "M\n", "K\n1234\nM\n")},
    };
    for (const Case& c : cases) {
        folder.write("bad", c.file);
        expectRefused(decipherRequest(folder.file("bad"), folder.file("dec"),
                                      c.keyInRequest ? &kSmallCipherKey : nullptr),
                      CipherOutcome::MalformedInput, c.what);
    }
}

long peakMemoryKb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A length that the rest of the file cannot hold is refused as such, before the run plans
// any work or memory by it: the batches would otherwise keep a slot for each of millions of
// batches (2^44 bytes), and sums over a length near 2^64 wrap.
TEST_F(CipherRefusal, LengthTheFileCannotHoldIsRefusedFirst) {
    const long before = peakMemoryKb();
    for (const std::string length : {"17592186044416", "18446744073709551615"}) {
        folder.write("bad", replaced(enciphered, "L\n100\n", "L\n" + length + "\n"));
        const CipherResult r = CipherFile(decipherRequest(folder.file("bad"), folder.file("dec")));
        EXPECT_EQ(r.outcome, CipherOutcome::MalformedInput) << length;
        EXPECT_NE(r.message.find(length + " bytes, more than the file holds"), std::string::npos)
            << r.message;
        EXPECT_FALSE(std::filesystem::exists(folder.file("dec")));
    }
    EXPECT_LT(peakMemoryKb() - before, 128 * 1024) << "kB more at the peak";
}

TEST_F(CipherRefusal, KeysThatCannotBeUsed) {
    const std::string source = folder.file("plain");
    const std::string out = folder.file("out");
    struct Case {
        const char* what;
        std::function<void(CipherRequest&)> change;
    } cases[] = {
        {"empty first key", [](CipherRequest& r) { r.firstKey.clear(); }},
        {"empty second key", [](CipherRequest& r) { r.secondKey.clear(); }},
        {"empty third key", [](CipherRequest& r) { r.thirdKey.clear(); }},
        {"first key too long", [](CipherRequest& r) { r.firstKey = std::string(300, 'x'); }},
        {"line feed in the third key", [](CipherRequest& r) { r.thirdKey = "a\nb"; }},
        {"zero modulus", [](CipherRequest& r) { r.keyModulus = "00"; }},
        {"no modulus", [](CipherRequest& r) { r.keyModulus.clear(); }},
        {"modulus of odd length", [](CipherRequest& r) { r.keyModulus = "123"; }},
        {"base out of range", [](CipherRequest& r) { r.keyBase = "1z"; }},
        {"key block of 0", [](CipherRequest& r) { r.keyBlockBase = kSmallCipherKey.modulus; }},
        {"key number of 0", [](CipherRequest& r) { r.keyBase.clear(); }},
    };
    for (const Case& c : cases) {
        CipherRequest r = encipherRequest(source, out, &kSmallCipherKey);
        c.change(r);
        expectRefused(r, CipherOutcome::KeyRefused, c.what);
    }
    // Deciphering: the request's key block, and the third key of the file.
    folder.write("enc-k", "");
    ASSERT_TRUE(CipherFile(encipherRequest(source, folder.file("enc-k"), &kSmallCipherKey)).ok());
    CipherRequest zero = decipherRequest(folder.file("enc-k"), out, &kSmallCipherKey);
    zero.keyModulus = "01";  // everything is 0 modulo 1
    expectRefused(zero, CipherOutcome::KeyRefused, "key number 0 when deciphering");
    folder.write("empty-t", replaced(enciphered, "T\n11.06.2024 10:00:00\n", "T\n\n"));
    expectRefused(decipherRequest(folder.file("empty-t"), out), CipherOutcome::KeyRefused,
                  "empty third key in the file");
}

TEST_F(CipherRefusal, SameFileAndUnreachableFiles) {
    const std::string enc = folder.file("enc");
    expectRefused(decipherRequest(enc, enc), CipherOutcome::SameFile, "same path");
    expectRefused(encipherRequest(enc, folder.path() + "./enc"), CipherOutcome::SameFile,
                  "same file by another path");
    ASSERT_EQ(::link(enc.c_str(), folder.file("hard").c_str()), 0);
    expectRefused(decipherRequest(enc, folder.file("hard")), CipherOutcome::SameFile, "hard link");
    EXPECT_EQ(folder.read("enc"), enciphered);

    expectRefused(encipherRequest(folder.file("missing"), folder.file("out")),
                  CipherOutcome::SourceUnreadable, "missing source");
    expectRefused(encipherRequest(folder.path(), folder.file("out")),
                  CipherOutcome::SourceUnreadable, "folder as source");
    expectRefused(encipherRequest(folder.file("plain"), folder.file("no/such/folder/out")),
                  CipherOutcome::OutputFailed, "output folder missing");
    // A FIFO without a writer is refused at once, not waited on.
    ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0);
    expectRefused(decipherRequest(folder.file("fifo"), folder.file("out")),
                  CipherOutcome::SourceUnreadable, "FIFO as source");
}

// The mismatch report replaces what its path names, so it may name neither the source nor
// the output, whether they exist yet or not.
TEST_F(CipherRefusal, ReportThatWouldReplaceTheSourceOrTheOutput) {
    folder.write("out", "former output");
    ASSERT_EQ(::symlink("enc", folder.file("link").c_str()), 0);
    const std::string enc = folder.file("enc");
    struct Case {
        const char* what;
        std::string output;
        std::string report;
    } cases[] = {
        {"the source", folder.file("out"), enc},
        {"the source through a link", folder.file("out"), folder.file("link")},
        {"the output", folder.file("out"), folder.path() + "./out"},
        {"the output, not there yet", folder.file("new"), folder.path() + "sub/../new"},
    };
    std::filesystem::create_directory(folder.file("sub"));
    for (const Case& c : cases) {
        for (const bool decipher : {true, false}) {
            CipherRequest r =
                decipher ? decipherRequest(enc, c.output) : encipherRequest(enc, c.output);
            r.mismatchReport = true;
            r.mismatchReportPath = c.report;
            expectRefused(r, CipherOutcome::SameFile, c.what);
        }
    }
    EXPECT_EQ(folder.read("enc"), enciphered);
    EXPECT_EQ(folder.read("out"), "former output");
}

TEST_F(CipherRefusal, FailedRunKeepsTheFormerOutput) {
    folder.write("out", "former contents");
    folder.write("bad", "L\n100\n");
    EXPECT_EQ(CipherFile(decipherRequest(folder.file("bad"), folder.file("out"))).outcome,
              CipherOutcome::MalformedInput);
    EXPECT_EQ(folder.read("out"), "former contents");
    // A run that succeeds replaces it; the deciphered file is the user's own.
    ASSERT_TRUE(CipherFile(decipherRequest(folder.file("enc"), folder.file("out"))).ok());
    EXPECT_EQ(folder.read("out"), plain);
    struct stat st {};
    ASSERT_EQ(::stat(folder.file("out").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600U);
}

TEST_F(CipherRefusal, FilesThatAreNotEncipheredAreCopiedByteForByte) {
    const std::string cases[] = {
        "",
        "plain text\nsecond line\n",
        "no line end at all",
        "\r\nCRLF text\r\n\r\n",
        "\n" + enciphered,                                    // an empty first line
        "x\n" + std::string("\0\x01\xff\r\n", 5) + "binary",  // unknown one-character tag
        "LM\n100\n",                                          // two characters are no tag
        std::string(100000, 'a') + "\nL\n",                   // a long first line
    };
    for (const std::string& bytes : cases) {
        folder.write("text", bytes);
        const CipherResult r =
            CipherFile(decipherRequest(folder.file("text"), folder.file("copy")));
        ASSERT_TRUE(r.ok()) << r.message;
        EXPECT_EQ(folder.read("copy"), bytes);
    }
}

TEST_F(CipherRefusal, WrongKeyGarblesAndAlteredBodyIsReported) {
    CipherRequest wrong = decipherRequest(folder.file("enc"), folder.file("dec"));
    wrong.firstKey = "Secret";
    wrong.mismatchReport = true;
    wrong.mismatchReportPath = folder.file("report");
    ASSERT_TRUE(CipherFile(wrong).ok());
    EXPECT_NE(folder.read("dec"), plain);
    EXPECT_EQ(folder.read("dec").size(), plain.size());
    // The body itself is intact, so there is nothing to report.
    EXPECT_FALSE(std::filesystem::exists(folder.file("report")));

    // One body character changed for another that still carries a byte.
    const std::size_t at = enciphered.find("M\n") + 4;
    std::string altered = enciphered;
    altered[at] = altered[at] == '#' ? '$' : '#';
    folder.write("altered", altered);
    CipherRequest report = decipherRequest(folder.file("altered"), folder.file("dec"));
    report.mismatchReport = true;
    report.mismatchReportPath = folder.file("report");
    ASSERT_TRUE(CipherFile(report).ok());
    const std::string stored = enciphered.substr(enciphered.rfind('\n', enciphered.size() - 2) + 1);
    const int computed = std::stoi(stored) ^ enciphered[at] ^ altered[at];
    const std::string storedValue = stored.substr(0, stored.size() - 1);  // without its LF
    EXPECT_EQ(folder.read("report"), std::to_string(computed) + " " + storedValue + "\r\n");

    // Without -w nothing is reported.
    std::filesystem::remove(folder.file("report"));
    ASSERT_TRUE(CipherFile(decipherRequest(folder.file("altered"), folder.file("dec"))).ok());
    EXPECT_FALSE(std::filesystem::exists(folder.file("report")));
}

}  // namespace
}  // namespace vantorell::engine
