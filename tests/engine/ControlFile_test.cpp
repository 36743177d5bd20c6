// Reading the cipher control file into a run decision and a cipher request.
#include "engine/tqmh01/ControlFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

using test::TempFolder;

TEST(ReadLineTest, LineEndsTrailingControlsAndTheLengthLimit) {
    const std::string l255(255, 'x');
    const std::string l256(256, 'x');
    struct Case {
        std::string bytes;
        std::vector<std::pair<LineStatus, std::string>> lines;  // up to and with the last
    } cases[] = {
        {"", {{LineStatus::EndOfFile, ""}}},
        {"abc\r\nxyz",
         {{LineStatus::Line, "abc"}, {LineStatus::Line, "xyz"}, {LineStatus::EndOfFile, ""}}},
        {"\n\r\n", {{LineStatus::Line, ""}, {LineStatus::Line, ""}, {LineStatus::EndOfFile, ""}}},
        {"a\t\r\x01 \x02\r\n", {{LineStatus::Line, "a\t\r\x01 "}}},
        {"\t\n", {{LineStatus::Line, "\t"}}},  // the first character always stays
        {"\r\r\n", {{LineStatus::Line, "\r"}}},
        {"a\rb\n", {{LineStatus::Line, "a\rb"}}},
        {"tail\r", {{LineStatus::Line, "tail"}, {LineStatus::EndOfFile, ""}}},
        {l255 + "\r\nE", {{LineStatus::Line, l255}, {LineStatus::Line, "E"}}},
        {l255, {{LineStatus::Line, l255}}},
        {l255 + "\t\n", {{LineStatus::TooLong, ""}}},
        {l256 + "\n", {{LineStatus::TooLong, ""}}},
        {l256, {{LineStatus::TooLong, ""}}},
        {l256 + std::string(10000, 'y'), {{LineStatus::TooLong, ""}}},
        {std::string("a\0b\n", 4), {{LineStatus::HoldsNul, ""}}},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.bytes);
        std::string line;
        for (const auto& [status, text] : c.lines) {
            ASSERT_EQ(ReadLine(in, line), status) << c.bytes.substr(0, 20);
            if (status == LineStatus::Line) {
                EXPECT_EQ(line, text) << c.bytes.substr(0, 20);
            }
        }
    }
}

CipherSwitches switchesFor(const std::string& controlFile, CipherDirection direction) {
    CipherSwitches s;
    s.direction = direction;
    s.requestMask = kDirectionGiven | kControlFileGiven;
    s.controlFilePath = controlFile;
    return s;
}

ControlFileDecision decide(const std::string& content, CipherDirection direction) {
    TempFolder dir;
    return readControlFile(switchesFor(dir.write("control.bec", content), direction));
}

constexpr auto kEnc = CipherDirection::Encipher;
constexpr auto kDec = CipherDirection::Decipher;

TEST(ControlFileTest, RunMasksDecideWhetherTheCipherRuns) {
    const std::string fop = "F\nin.bin\nO\nout.bin\nP\npw\n";
    const std::string bad256 = std::string(256, 'k');
    struct Case {
        const char* name;
        std::string content;
        CipherDirection direction;
        ControlVerdict verdict;
        int runMask;
    } cases[] = {
        {"F O P, built-in second key", fop + "E\n", kDec, ControlVerdict::Run, 63},
        {"F O P S", fop + "S\nk2\nE\n", kDec, ControlVerdict::Run, 63},
        {"F O P S, CR LF", "F\r\nin\r\nO\r\nout\r\nP\r\npw\r\nS\r\nk2\r\nE\r\n", kDec,
         ControlVerdict::Run, 63},
        {"enciphering without T", fop + "E\n", kEnc, ControlVerdict::NotRun, 63},
        {"enciphering with T", fop + "T\nnow\nE\n", kEnc, ControlVerdict::Run, 127},
        {"enciphering with S and T", fop + "S\nk2\nT\nnow\nE\n", kEnc, ControlVerdict::Run, 127},
        {"deciphering with T", fop + "S\nk2\nT\nnow\nE\n", kDec, ControlVerdict::NotRun, 127},
        {"deciphering with T, no S", fop + "T\nnow\nE\n", kDec, ControlVerdict::NotRun, 127},
        {"C enciphering", "C\nF\nin\nO\nout\nE\n", kEnc, ControlVerdict::Run, 127},
        {"C deciphering", "C\nF\nin\nO\nout\nE\n", kDec, ControlVerdict::Run, 63},
        {"no E line", "F\nin\nO\nout\nP\npw", kDec, ControlVerdict::Run, 63},
        {"P value missing at the end", "F\nin\nO\nout\nP", kDec, ControlVerdict::Run, 63},
        {"lower-case tags", "f\nin\no\nout\nP\npw\nE\n", kDec, ControlVerdict::NotRun, 19},
        {"lines after E unread", "F\nin\nE\nO\nout\nP\npw\n", kDec, ControlVerdict::NotRun, 7},
        {"no O", "F\nin\nP\npw\nE\n", kDec, ControlVerdict::NotRun, 23},
        {"skipped lines", "\n#\n1\n \nfoo\nF\nin\n\r\nO\nout\nP\npw\n", kDec, ControlVerdict::Run,
         63},
        {"K enciphering", fop + "K\nm\nb\nk\nx\nT\nnow\nE\n", kEnc, ControlVerdict::Run, 127},
        {"K deciphering", fop + "K\nm\nx\nE\n", kDec, ControlVerdict::Run, 63},
        {"value line too long", "F\nin\nO\nout\nP\n" + bad256 + "\nE\n", kDec,
         ControlVerdict::Refused, 31},
        {"skipped line too long", bad256 + "\n" + fop + "E\n", kDec, ControlVerdict::Refused, 3},
        {"line too long after E", fop + "E\n" + bad256 + "\n", kDec, ControlVerdict::Run, 63},
        {"NUL in a key", "F\nin\nO\nout\nP\n" + std::string("p\0w\n", 4), kDec,
         ControlVerdict::Refused, 31},
        {"stage number not decimal", fop + "L\nabc\nE\n", kDec, ControlVerdict::Refused, 31},
        {"stage number missing", fop + "L", kDec, ControlVerdict::Refused, 31},
        {"X constant too large", fop + "X\n99999999999\nE\n", kDec, ControlVerdict::Refused, 31},
    };
    for (const Case& c : cases) {
        const ControlFileDecision d = decide(c.content, c.direction);
        EXPECT_EQ(d.verdict, c.verdict) << c.name << ": " << d.message;
        EXPECT_EQ(d.runMask, c.runMask) << c.name;
        EXPECT_EQ(d.message.empty(), c.verdict == ControlVerdict::Run) << c.name;
    }
}

TEST(ControlFileTest, RequestCarriesTheValuesAndTheSwitches) {
    TempFolder dir;
    CipherSwitches s = switchesFor(
        dir.write("c.bec",
                  "Fsource\r\n/d/in file.bin\r\nO\r\n/d/out.bec\r\nP\r\nE\r\n"
                  "S\r\nsecond key\r\nT\r\n12/10/2026 10:20:33 AM\r\nX\r\n 20968 \r\nE\r\n"),
        kEnc);
    s.mismatchReport = true;
    s.mismatchReportPath = "/d/report.txt";
    const ControlFileDecision d = readControlFile(s);
    ASSERT_EQ(d.verdict, ControlVerdict::Run) << d.message;
    const CipherRequest& r = d.request;
    EXPECT_EQ(r.direction, kEnc);
    EXPECT_EQ(r.sourcePath, "/d/in file.bin");  // "Fsource" is an F tag all the same
    EXPECT_EQ(r.outputPath, "/d/out.bec");
    EXPECT_EQ(r.firstKey, "E");  // a value line is a value, whatever it holds
    EXPECT_EQ(r.secondKey, "second key");
    EXPECT_EQ(r.thirdKey, "12/10/2026 10:20:33 AM");
    EXPECT_TRUE(r.secondKeyGiven);
    EXPECT_FALSE(r.noSecondKey);
    EXPECT_FALSE(r.keyBlockPresent);
    EXPECT_EQ(r.xConstant, 20968);
    EXPECT_EQ(r.keyVariant, 1);
    EXPECT_TRUE(r.automaticStages);
    EXPECT_FALSE(r.stages.a || r.stages.b || r.stages.c || r.stages.d);
    EXPECT_TRUE(r.mismatchReport);
    EXPECT_EQ(r.mismatchReportPath, "/d/report.txt");
}

TEST(ControlFileTest, SecondKeyRuleAndDefaults) {
    ControlFileDecision d = decide("F\nin\nO\nout\nP\npw\nE\n", kDec);
    EXPECT_TRUE(d.request.noSecondKey);
    EXPECT_FALSE(d.request.secondKeyGiven);
    EXPECT_EQ(d.request.secondKey, "");
    EXPECT_EQ(d.request.thirdKey, "");
    EXPECT_EQ(d.request.xConstant, 0);

    d = decide("C\nF\nin\nO\nout\nE\n", kEnc);
    EXPECT_EQ(d.request.firstKey, "*");
    EXPECT_EQ(d.request.secondKey, "*");
    EXPECT_EQ(d.request.thirdKey, "*");
    EXPECT_FALSE(d.request.noSecondKey);
    EXPECT_FALSE(d.request.secondKeyGiven);

    // Later lines replace earlier values; "C" clears the stages but keeps the choice manual.
    d = decide("L\n15\nC\nP\none\nP\ntwo\nF\nin\nO\nout\nE\n", kDec);
    EXPECT_EQ(d.request.firstKey, "two");
    EXPECT_EQ(d.request.secondKey, "*");
    EXPECT_FALSE(d.request.stages.a || d.request.stages.b || d.request.stages.c ||
                 d.request.stages.d);
    EXPECT_FALSE(d.request.automaticStages);
}

TEST(ControlFileTest, StageNumberBits) {
    struct Case {
        std::string number;
        bool a, b, c, d;
    } cases[] = {
        {"0", false, false, false, false}, {"1", true, false, false, false},
        {"2", false, false, true, false},  {"4", false, false, false, true},
        {"8", false, true, false, false},  {"13", true, true, false, true},
        {"+5", true, false, false, true},  {"31", true, true, true, true},
    };
    for (const Case& c : cases) {
        const ControlFileDecision d = decide("L\n" + c.number + "\nF\ni\nO\no\nP\np\nE\n", kDec);
        ASSERT_EQ(d.verdict, ControlVerdict::Run) << c.number << ": " << d.message;
        const CipherStageFlags& s = d.request.stages;
        EXPECT_EQ(s.a, c.a) << c.number;
        EXPECT_EQ(s.b, c.b) << c.number;
        EXPECT_EQ(s.c, c.c) << c.number;
        EXPECT_EQ(s.d, c.d) << c.number;
        EXPECT_FALSE(d.request.automaticStages);
    }
    for (const char* bad : {"", "-", "+-1", "1x", "0x1", "1 2"}) {
        EXPECT_EQ(decide(std::string("L\n") + bad + "\nE\n", kDec).verdict, ControlVerdict::Refused)
            << bad;
    }
    EXPECT_EQ(decide("X\n-42\nF\ni\nO\no\nP\np\nE\n", kDec).request.xConstant, -42);
}

TEST(ControlFileTest, KeyBlockTakesFourLinesEncipheringAndTwoDeciphering) {
    ControlFileDecision d =
        decide("K\nmodulus\nblock\nkey\nexponent\nF\ni\nO\no\nP\np\nT\nt\nE\n", kEnc);
    ASSERT_EQ(d.verdict, ControlVerdict::Run) << d.message;
    EXPECT_TRUE(d.request.keyBlockPresent);
    EXPECT_EQ(d.request.keyModulus, "modulus");
    EXPECT_EQ(d.request.keyBlockBase, "block");
    EXPECT_EQ(d.request.keyBase, "key");
    EXPECT_EQ(d.request.keyExponent, "exponent");
    EXPECT_FALSE(d.request.noSecondKey);
    EXPECT_FALSE(d.request.secondKeyGiven);

    d = decide("K\nmodulus\nexponent\nF\ni\nO\no\nP\np\nE\n", kDec);
    ASSERT_EQ(d.verdict, ControlVerdict::Run) << d.message;
    EXPECT_FALSE(d.request.keyBlockPresent);  // the key block comes from the enciphered file
    EXPECT_EQ(d.request.keyModulus, "modulus");
    EXPECT_EQ(d.request.keyExponent, "exponent");
    EXPECT_EQ(d.request.keyBlockBase, "");
    EXPECT_EQ(d.request.keyBase, "");
    EXPECT_FALSE(d.request.noSecondKey);
}

TEST(ControlFileTest, NothingIsReadWithoutBothSwitches) {
    TempFolder dir;
    const std::string file = dir.write("c.bec", "F\nin\nO\nout\nP\npw\nE\n");
    CipherSwitches onlyFile = switchesFor(file, kDec);
    onlyFile.direction.reset();
    onlyFile.requestMask = kControlFileGiven;
    CipherSwitches onlyDirection = switchesFor("", kDec);
    onlyDirection.requestMask = kDirectionGiven;
    for (const CipherSwitches& s : {onlyFile, onlyDirection}) {
        const ControlFileDecision d = readControlFile(s);
        EXPECT_EQ(d.verdict, ControlVerdict::NotRun);
        EXPECT_EQ(d.runMask, s.requestMask);
        EXPECT_EQ(d.request.sourcePath, "");
    }
}

// Only a regular file is read: anything else is refused at once, never waited on.
TEST(ControlFileTest, WhatIsNoRegularFileIsNotRead) {
    TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo.bec").c_str(), 0600), 0);
    struct Case {
        std::string path;
        const char* why;
    } cases[] = {
        {dir.file("missing.bec"), "No such file"},
        {dir.path(), "it is a folder"},
        {dir.file("fifo.bec"), "not a regular file"},  // no writer: opening must not wait
        {"/dev/null", "not a regular file"},
    };
    for (const Case& c : cases) {
        const ControlFileDecision d = readControlFile(switchesFor(c.path, kEnc));
        EXPECT_EQ(d.verdict, ControlVerdict::NotRun) << c.path;
        EXPECT_NE(d.message.find(c.path), std::string::npos) << d.message;
        EXPECT_NE(d.message.find(c.why), std::string::npos) << d.message;
    }
}

}  // namespace
}  // namespace vantorell::engine
