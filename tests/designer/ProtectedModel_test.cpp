// Protected model files: the engine deciphers them into "temp.dat" in the program folder and
// the reader takes the records from the record layer. The stand-in engine copies the file
// unchanged, so the test files are the record layer itself.
#include <gtest/gtest.h>

#include "designer/rtnReaderWriter/EngineRequests.h"
#include "designer/rtnReaderWriter/FileKey.h"
#include "designer/rtnReaderWriter/ModelFileError.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "platform/FileSystem.h"
#include "tests/support/KeyedRecords.h"
#include "tests/support/ModelDump.h"
#include "tests/support/StandInEngine.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

const std::string kPassword = "my pass`word~";

// The sample with its texts in the scrambler's characters.
std::vector<std::string> asciiSample() {
    std::vector<std::string> lines =
        test::splitLines(readWholeFile(test::sourcePath("examples/sales.vtm")));
    for (std::string& line : lines) {
        std::string plain;
        for (char c : line) {
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
                plain += static_cast<unsigned char>(c) < 128 ? c : 'e';
            }
        }
        line = plain;
    }
    return lines;
}

class ProtectedModelTest : public ::testing::Test {
protected:
    test::TempFolder program_;
    test::TempFolder models_;
    std::vector<std::string> records_ = asciiSample();
    ModelArrays plain_;

    void SetUp() override {
        std::int32_t points = 0;
        ASSERT_TRUE(
            flgReadFile(models_.write("plain.vtm", test::joinLines(records_)), points, plain_));
    }

    bool readProtected(const std::string& file, ModelArrays& m, std::int32_t& points,
                       int debugMask = 0, bool usePassword = true) {
        return flgReadFile(program_.path(), file, kPassword, "second key", debugMask, usePassword,
                           points, m);
    }

    void expectNoTemporaryFiles() {
        EXPECT_FALSE(fileExists(program_.file(kTempDataFile)));
        EXPECT_FALSE(fileExists(program_.file(kControlFile)));
    }
};

TEST_F(ProtectedModelTest, ReadsTheRecordLayerThroughTheEngine) {
    test::installStandInEngine(program_.path());
    const std::string file =
        models_.write("sent.vte", test::keyedRecordFile(records_, strFileKeyForm(kPassword, true)));
    test::TestMessages messages;
    messages.expect("About to run comprehensive decryption program.")
        .expect("Decryption program run")
        .expect("File opened for reading");
    ModelArrays m;
    std::int32_t points = 0;
    ASSERT_TRUE(readProtected(file, m, points, 2048));
    EXPECT_EQ(points, 25000);
    EXPECT_EQ(test::dumpModel(m), test::dumpModel(plain_));
    expectNoTemporaryFiles();
}

TEST_F(ProtectedModelTest, WithoutUseOfThePasswordTheRecordsArePlainLines) {
    test::installStandInEngine(program_.path());
    const std::string file = models_.write("sent.vte", test::joinLines(records_));
    ModelArrays m;
    std::int32_t points = 0;
    ASSERT_TRUE(readProtected(file, m, points, 0, false));
    EXPECT_EQ(test::dumpModel(m), test::dumpModel(plain_));
    expectNoTemporaryFiles();
}

TEST_F(ProtectedModelTest, CutAfterEveryLineOfTheRecordLayer) {
    test::installStandInEngine(program_.path());
    const std::vector<std::string> lines =
        test::keyedRecordLines(records_, strFileKeyForm(kPassword, true));
    for (std::size_t keep = 0; keep < lines.size(); ++keep) {
        SCOPED_TRACE("lines kept: " + std::to_string(keep));
        const std::vector<std::string> cut(lines.begin(),
                                           lines.begin() + static_cast<std::ptrdiff_t>(keep));
        ModelArrays m;
        std::int32_t points = 0;
        EXPECT_FALSE(readProtected(models_.write("cut.vte", test::joinLines(cut)), m, points));
    }
    expectNoTemporaryFiles();
}

TEST_F(ProtectedModelTest, AFailedDecipheringIsAnError) {
    const std::string file = models_.write("sent.vte", "whatever");
    program_.write(kTempDataFile, test::joinLines(records_));  // stale output of an earlier run
    ModelArrays m;
    std::int32_t points = 7;
    EXPECT_THROW(readProtected(file, m, points), ModelFileError);  // no engine at all
    EXPECT_EQ(points, 7);
    expectNoTemporaryFiles();
}

}  // namespace
}  // namespace vantorell
