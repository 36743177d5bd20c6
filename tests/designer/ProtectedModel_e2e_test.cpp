// Protected model files read through the engine program: it deciphers them into "temp.dat"
// in the program folder and the reader takes the records from there. The files are made by
// the engine's own control-file runner, in-process, from records built by the test.
#include <gtest/gtest.h>

#include "designer/rtnReaderWriter/EngineRequests.h"
#include "designer/rtnReaderWriter/FileKey.h"
#include "designer/rtnReaderWriter/ModelFileError.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "platform/FileSystem.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/KeyedRecords.h"
#include "tests/support/ModelDump.h"
#include "tests/support/RealEngine.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

const std::string kPassword = "my pass`word~";
const std::string kSecondKey = "second key";

// The sample with its texts in the scrambler's characters.
std::vector<std::string> asciiSample() {
    std::vector<std::string> lines =
        test::splitLines(readWholeFile(test::sourcePath("examples/sales.vtm")));
    for (std::string& line : lines) {
        line = test::printableText(line);
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

    // What the engine would have made of `bytes`, as "sent.vte".
    std::string protectedFile(const std::string& bytes) {
        const std::string plain = models_.write("plain.bin", bytes);
        const std::string sealed = models_.file("sent.vte");
        EXPECT_TRUE(test::encipherAsTheEngine(plain, sealed, kPassword, kSecondKey));
        return sealed;
    }

    bool readProtected(const std::string& file, ModelArrays& m, std::int32_t& points,
                       int debugMask = 0, bool usePassword = true) {
        return flgReadFile(program_.path(), file, kPassword, kSecondKey, debugMask, usePassword,
                           points, m);
    }

    // Nothing but the engine is left in the program folder: no "temp.dat", no
    // "control.bec", no half-written output of the engine.
    void expectNoTemporaryFiles() {
        EXPECT_EQ(test::folderEntries(program_.path()), std::vector<std::string>{"tqmx01"});
    }
};

TEST_F(ProtectedModelTest, ReadsTheRecordLayerThroughTheEngine) {
    test::installRealEngine(program_.path());
    const std::string file =
        protectedFile(test::keyedRecordFile(records_, strFileKeyForm(kPassword, true)));
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
    test::installRealEngine(program_.path());
    const std::string file = protectedFile(test::joinLines(records_));
    ModelArrays m;
    std::int32_t points = 0;
    ASSERT_TRUE(readProtected(file, m, points, 0, false));
    EXPECT_EQ(test::dumpModel(m), test::dumpModel(plain_));
    expectNoTemporaryFiles();
}

TEST_F(ProtectedModelTest, CutAfterEveryLineOfTheRecordLayer) {
    test::installRealEngine(program_.path());
    const std::vector<std::string> lines =
        test::keyedRecordLines(records_, strFileKeyForm(kPassword, true));
    for (std::size_t keep = 0; keep < lines.size(); ++keep) {
        SCOPED_TRACE("lines kept: " + std::to_string(keep));
        const std::vector<std::string> cut(lines.begin(),
                                           lines.begin() + static_cast<std::ptrdiff_t>(keep));
        ModelArrays m;
        std::int32_t points = 0;
        EXPECT_FALSE(readProtected(protectedFile(test::joinLines(cut)), m, points));
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
    EXPECT_TRUE(test::folderEntries(program_.path()).empty());
}

}  // namespace
}  // namespace vantorell
