#include "designer/rtnReaderWriter/RecordWriter.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <vector>

#include "designer/rtnReaderWriter/FileKey.h"
#include "designer/rtnReaderWriter/RecordBuffer.h"
#include "platform/AtomicFile.h"
#include "tests/support/RecordLayer.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

// Writes the records through a RecordWriter into a file and returns the file's bytes.
std::string writeRecords(const TempFolder& dir, const std::vector<std::string>& records,
                         const std::string& fileKey, std::string* digest = nullptr) {
    AtomicFile file(dir.file("out.vtm"));
    RecordWriter out(&file, fileKey, true);
    for (const std::string& r : records) {
        out.nulWriteRecord(r);
    }
    const std::string d = out.nulFinishChecksum();
    file.commit();
    if (digest != nullptr) {
        *digest = d;
    }
    return dir.read("out.vtm");
}

std::string digestOf(const std::vector<std::string>& records) {
    RecordWriter out(nullptr, "", true);
    for (const std::string& r : records) {
        out.nulWriteRecord(r);
    }
    return out.nulFinishChecksum();
}

const std::vector<std::string> kAwkwardRecords = {
    "VT0200",
    "",
    " ",
    "a b",
    "`",
    "~",
    "~`",
    "`~ `",
    " leading and trailing ",
    "M1",
    "-20000.5",
    std::string(160, 'x'),
    "Sales & `Returns` ~ net",
    "*",
    ">Parent",
};

TEST(RecordWriterTest, RecordLayerReadsBackWithFullLines) {
    TempFolder dir;
    const std::string key = strFileKeyForm("pass word~`", true);
    const std::string bytes = writeRecords(dir, kAwkwardRecords, key);

    std::vector<std::size_t> lengths;
    EXPECT_EQ(test::decodeRecordLayer(bytes, key, &lengths), kAwkwardRecords);
    ASSERT_GE(lengths.size(), 5u);
    for (std::size_t i = 0; i + 1 < lengths.size(); ++i) {
        EXPECT_EQ(lengths[i], kRecordLineLength) << "line " << i;
    }
    EXPECT_GT(lengths.back(), 0u);
    EXPECT_LE(lengths.back(), kRecordLineLength);
    // Nothing of the records shows in clear.
    EXPECT_EQ(bytes.find("VT0200"), std::string::npos);
    EXPECT_EQ(bytes.find("xxxxxxxx"), std::string::npos);
}

TEST(RecordWriterTest, LayerEndingOnAFullLineHasNoShortLine) {
    TempFolder dir;
    const std::string key = strFileKeyForm("pw", true);
    // Frames of 2 + 63 characters fill exactly one line each.
    const std::vector<std::string> records = {std::string(63, 'a'), std::string(63, 'b')};
    std::vector<std::size_t> lengths;
    EXPECT_EQ(test::decodeRecordLayer(writeRecords(dir, records, key), key, &lengths), records);
    EXPECT_EQ(lengths, (std::vector<std::size_t>{65, 65}));
}

TEST(RecordWriterTest, PlainRecordsAreCrlfLines) {
    TempFolder dir;
    const std::string bytes = writeRecords(dir, kAwkwardRecords, "");
    EXPECT_EQ(test::crlfLines(bytes), kAwkwardRecords);
    EXPECT_EQ(bytes.substr(0, 8), "VT0200\r\n");
}

TEST(RecordWriterTest, RecordsTheFormCannotCarryAreRefused) {
    struct Case {
        std::string record;
        std::string fileKey;
    } cases[] = {
        {"two\nlines", ""},
        {"carriage\rreturn", ""},
        {"caf\xC3\xA9", strFileKeyForm("pw", true)},
        {"tab\there", strFileKeyForm("pw", true)},
        {"two\nlines", strFileKeyForm("pw", true)},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        AtomicFile file(dir.file("out.vtm"));
        RecordWriter out(&file, c.fileKey, true);
        EXPECT_THROW(out.nulWriteRecord(c.record), ModelWriteError) << c.record;
    }
    // Without writing, any text goes into the digest.
    RecordWriter digestOnly(nullptr, "", true);
    EXPECT_NO_THROW(digestOnly.nulWriteRecord("caf\xC3\xA9\nlatte"));
}

// Records are collected in buffers of a fixed size; one longer than a buffer still goes
// out whole, into the file and into the digest.
TEST(RecordWriterTest, RecordsLongerThanTheBuffersGoOutWhole) {
    std::vector<std::string> records;
    std::string expectedFile;
    std::string framed;  // the digest's input: each record after its length, 7 bits a byte
    for (const std::size_t size : {5, 70000, 300000, 5000, 1 << 20, 0, 12}) {
        const std::string record(size, static_cast<char>('a' + records.size()));
        records.push_back(record);
        expectedFile += record + "\r\n";
        std::size_t length = size;
        while (length >= 0x80) {
            framed.push_back(static_cast<char>(0x80 | (length & 0x7F)));
            length >>= 7;
        }
        framed.push_back(static_cast<char>(length));
        framed += record;
    }
    TempFolder dir;
    std::string digest;
    EXPECT_EQ(writeRecords(dir, records, "", &digest), expectedFile);
    const QByteArray expected = QCryptographicHash::hash(
        QByteArrayView(framed.data(), static_cast<qsizetype>(framed.size())),
        QCryptographicHash::Sha256);
    EXPECT_EQ(digest, expected.toHex().toStdString());
    EXPECT_EQ(digestOf(records), digest);
}

TEST(RecordWriterTest, DigestDependsOnTheRecordsAloneNotOnTheirForm) {
    TempFolder dir;
    std::string plain;
    std::string keyed;
    writeRecords(dir, kAwkwardRecords, "", &plain);
    writeRecords(dir, kAwkwardRecords, strFileKeyForm("pw", true), &keyed);
    const std::string digestOnly = digestOf(kAwkwardRecords);
    EXPECT_EQ(plain, digestOnly);
    EXPECT_EQ(keyed, digestOnly);
    EXPECT_EQ(digestOnly.size(), 64u);
    EXPECT_EQ(digestOnly.find_first_not_of("0123456789abcdef"), std::string::npos);

    // Record boundaries count: the same characters cut differently are another digest.
    EXPECT_NE(digestOf({"ab", "c"}), digestOf({"a", "bc"}));
    EXPECT_NE(digestOf({"a", ""}), digestOf({"a"}));
    EXPECT_NE(digestOf({"a", "b"}), digestOf({"b", "a"}));
    EXPECT_NE(digestOf({std::string(200, 'a')}),
              digestOf({std::string(100, 'a'), std::string(99, 'a')}));
    EXPECT_EQ(digestOf({}), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");

    RecordWriter excluded(nullptr, "", false);
    excluded.nulWriteRecord("a");
    EXPECT_EQ(excluded.nulFinishChecksum(), "");
}

// Records made ahead into blocks go out exactly as if each had been written on its own, in
// every form, whatever the blocks' sizes (one record, empty, many pieces).
TEST(RecordWriterTest, BlocksGoOutAsTheirRecordsWouldOneByOne) {
    std::vector<std::string> records = kAwkwardRecords;
    for (int i = 0; i < 30000; ++i) {
        records.push_back("C" + std::to_string(i) + " " + std::string(i % 70, '`'));
    }
    const std::vector<std::size_t> blockEnds = {1, 1, 5, 20000, records.size()};

    TempFolder dir;
    for (const std::string& key : {std::string(), strFileKeyForm("pw", true)}) {
        SCOPED_TRACE(key.empty() ? "plain" : "record layer");
        std::string expectedDigest;
        const std::string expected = writeRecords(dir, records, key, &expectedDigest);

        std::string digest;
        {
            AtomicFile file(dir.file("blocks.vtm"));
            RecordWriter out(&file, key, true);
            RecordBuffer block(out.writing(), out.writingPlainLines());
            std::size_t begin = 0;
            for (const std::size_t end : blockEnds) {
                block.clear();
                for (std::size_t i = begin; i < end; ++i) {
                    block.writeFormed(records[i]);
                }
                out.writeBlock(block);
                begin = end;
            }
            digest = out.nulFinishChecksum();
            file.commit();
        }
        EXPECT_EQ(dir.read("blocks.vtm"), expected);
        EXPECT_EQ(digest, expectedDigest);
    }

    RecordWriter digestOnly(nullptr, "", true);
    RecordBuffer block(digestOnly.writing(), digestOnly.writingPlainLines());
    for (const std::string& r : records) {
        block.writeFormed(r);
    }
    digestOnly.writeBlock(block);
    EXPECT_EQ(digestOnly.nulFinishChecksum(), digestOf(records));
}

}  // namespace
}  // namespace vantorell
