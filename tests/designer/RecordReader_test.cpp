#include "designer/rtnReaderWriter/RecordReader.h"

#include <gtest/gtest.h>

#include "common/Scrambler.h"
#include "designer/rtnReaderWriter/FileKey.h"
#include "designer/rtnReaderWriter/ModelFileError.h"
#include "tests/support/KeyedRecords.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

const std::string kKey = strFileKeyForm("open sesame", true);

std::size_t strEncryptedLength(const std::string& record) {
    return strEncrypt(record, kKey).size();
}

// Every record the source gives, up to its end; stops after `limit` so a loop shows.
std::vector<std::string> readAll(RecordSource& source, bool skipComments = false,
                                 std::size_t limit = 100000) {
    std::vector<std::string> records;
    std::string record;
    while (records.size() < limit && (skipComments ? nulReadRecordSkipComments(source, record)
                                                   : nulReadRecord(source, record))) {
        records.push_back(record);
    }
    return records;
}

TEST(RecordReaderTest, PlainLinesWithEitherLineEnd) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> records;
    } cases[] = {
        {"CRLF", "VT0200\r\nMEAS\r\n\r\nEND\r\n", {"VT0200", "MEAS", "", "END"}},
        {"LF", "VT0200\nMEAS\n\nEND\n", {"VT0200", "MEAS", "", "END"}},
        {"no line end at the end", "VT0200\r\nEND", {"VT0200", "END"}},
        {"empty file", "", {}},
        {"one empty line", "\r\n", {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordSource source(c.text, "", 0, "f.vtm");
        EXPECT_EQ(readAll(source), c.records);
        std::string record = "left over";
        EXPECT_FALSE(nulReadRecord(source, record));  // and again: the end stays the end
        EXPECT_EQ(record, "");
    }
}

TEST(RecordReaderTest, CommentsAreSkippedButEmptyRecordsAreNot) {
    const std::vector<std::string> records = {"<comment", "A", "", "<", "<<x", "B", "<last"};
    RecordSource plain(test::joinLines(records), "", 0, "f.vtm");
    EXPECT_EQ(readAll(plain, true), (std::vector<std::string>{"A", "", "B"}));
    RecordSource keyed(test::keyedRecordFile(records, kKey), kKey, 0, "f.vte");
    EXPECT_EQ(readAll(keyed, true), (std::vector<std::string>{"A", "", "B"}));
}

TEST(RecordReaderTest, RecordLayerGivesBackEveryRecord) {
    // Records that span lines, lines that end one record and start the next, the empty
    // record (two length characters of code 33), the escape characters and blanks.
    const std::vector<std::string> records = {"VT0200",
                                              "",
                                              "a `grave` and a ~tilde~ and  blanks ",
                                              std::string(300, 'x'),
                                              "",
                                              "Espresso Beans",
                                              "C1D10",
                                              std::string(64, 'y'),
                                              "z",
                                              "-125000",
                                              "END"};
    for (const std::string lineEnd : {"\r\n", "\n"}) {
        const std::string file = test::keyedRecordFile(records, kKey, lineEnd);
        const std::vector<std::string> lines = test::keyedRecordLines(records, kKey);
        ASSERT_GT(lines.size(), 6u);
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            EXPECT_EQ(lines[i].size(), kRecordLayerLineLength);
        }
        RecordSource source(file, kKey, 0, "f.vte");
        EXPECT_EQ(readAll(source), records);
    }
}

TEST(RecordReaderTest, RecordLayerCutAnywhereEndsWithoutLooping) {
    const std::vector<std::string> records = {"VT0200", std::string(150, 'r'), "", "END"};
    const std::string file = test::keyedRecordFile(records, kKey, "\n");
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
        SCOPED_TRACE("cut after " + std::to_string(cut) + " bytes");
        RecordSource source(file.substr(0, cut), kKey, 0, "f.vte");
        const std::vector<std::string> got = readAll(source, false, 100);
        ASSERT_LT(got.size(), 100u);
        // What whole lines hold comes back unchanged; a cut line may give anything.
        const std::size_t wholeLines = cut / (kRecordLayerLineLength + 1);
        std::size_t framedBytes = wholeLines * kRecordLayerLineLength;
        std::size_t expected = 0;
        for (std::size_t used = 0; expected < records.size(); ++expected) {
            used += 2 + strEncryptedLength(records[expected]);
            if (used > framedBytes) {
                break;
            }
        }
        ASSERT_GE(got.size(), expected);
        for (std::size_t i = 0; i < expected; ++i) {
            EXPECT_EQ(got[i], records[i]);
        }
    }
}

TEST(RecordReaderTest, UndecipherableLineNamesTheLine) {
    std::vector<std::string> lines = test::keyedRecordLines({"VT0200", "MEAS", "END"}, kKey);
    lines.insert(lines.begin(), test::keyedRecordLines({std::string(60, 'p')}, kKey).front());
    for (const std::string& bad :
         {std::string("bad line"), std::string(300, 'w'), std::string("caf\xC3\xA9")}) {
        std::vector<std::string> broken = lines;
        broken.insert(broken.begin() + 1, bad);
        RecordSource source(test::joinLines(broken), kKey, 0, "/models/sent.vte");
        try {
            readAll(source);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const ModelFileError& e) {
            EXPECT_NE(std::string(e.what()).find("Line 2 of the model file \"/models/sent.vte\""),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST(RecordReaderTest, DebugMessagesOfBothForms) {
    {
        test::TestMessages messages;
        messages.expect("Read: VT0200").expect("Read: ");
        RecordSource source("VT0200\r\n\r\n", "", 512 | 1024, "f.vtm");
        readAll(source);
    }
    {
        const std::string line = test::keyedRecordLines({"Tea"}, kKey).front();
        const std::string enciphered = strEncrypt("Tea", kKey);
        test::TestMessages messages;
        messages.expect("Decrypting " + line)
            .expect("to obtain " + std::string("!$") + enciphered)
            .expect("Length characters indicate length of: 3")
            .expect("Detected record: " + enciphered)
            .expect("Read and decrypted with " + kKey + " : Tea");
        RecordSource source(line + "\r\n", kKey, 1024 | 512, "f.vte");
        readAll(source);
    }
    {
        test::TestMessages messages;  // other bits: nothing
        RecordSource source(test::keyedRecordFile({"Tea"}, kKey), kKey, ~(512 | 1024), "f.vte");
        readAll(source);
    }
}

}  // namespace
}  // namespace vantorell
