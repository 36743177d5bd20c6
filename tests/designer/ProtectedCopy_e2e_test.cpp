// Protected copies made by the engine program: the records go to "temp.dat" in the record
// layer and the engine enciphers that into the target. The copy is undone here by the
// engine's own control-file runner, in-process, and then by the test's record-layer decoder.
#include <gtest/gtest.h>

#include <regex>

#include "designer/rtnReaderWriter/EngineRequests.h"
#include "designer/rtnReaderWriter/FileKey.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "platform/FileSystem.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/ModelCompare.h"
#include "tests/support/RealEngine.h"
#include "tests/support/RecordLayer.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

const std::string kSecondKey = "second key";

std::string goldenFile() {
    return readWholeFile(test::sourcePath("tests/designer/data/small_model.vtm"));
}

bool saveProtected(const TempFolder& program, const std::string& target,
                   const std::string& password, bool usePassword, std::string& digest) {
    ModelArrays model = test::smallModel();
    return flgWriteFile(program.path(), target, password, kSecondKey, 0, digest, true, true,
                        usePassword, model, test::kSmallModelPoints);
}

// The bytes the engine enciphered into `copy`.
std::string deciphered(const TempFolder& work, const std::string& copy,
                       const std::string& password) {
    EXPECT_TRUE(test::decipherAsTheEngine(copy, work.file("deciphered.bin"), password, kSecondKey));
    return work.read("deciphered.bin");
}

// The copy is in the engine's layout, and none of the model's texts shows in it.
void expectEnciphered(const std::string& copy) {
    const std::regex header(R"(L\n\d+\nT\n\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d\d:\d\d [AP]M\nM\n)");
    EXPECT_TRUE(std::regex_search(copy, header, std::regex_constants::match_continuous))
        << copy.substr(0, 80);
    for (const char* text : {"VT0200", "Region", "Laptops", "Revenue"}) {
        EXPECT_EQ(copy.find(text), std::string::npos) << text;
    }
}

void expectOnlyTheEngine(const TempFolder& program) {
    EXPECT_EQ(test::folderEntries(program.path()), std::vector<std::string>{"tqmx01"});
}

TEST(ProtectedCopyTest, TheEngineEnciphersTheRecordLayer) {
    TempFolder program;
    TempFolder work;
    test::installRealEngine(program.path());
    const std::string target = work.file("model 1.vte");
    std::string digest;
    ASSERT_TRUE(saveProtected(program, target, "pass word`~", true, digest));
    expectOnlyTheEngine(program);
    expectEnciphered(work.read("model 1.vte"));

    std::vector<std::size_t> lengths;
    const std::vector<std::string> records = test::decodeRecordLayer(
        deciphered(work, target, "pass word`~"), strFileKeyForm("pass word`~", true), &lengths);
    EXPECT_EQ(records, test::crlfLines(goldenFile()));
    for (std::size_t i = 0; i + 1 < lengths.size(); ++i) {
        ASSERT_EQ(lengths[i], kRecordLineLength) << "line " << i;
    }
    EXPECT_EQ(digest, test::modelDigest(test::smallModel(), test::kSmallModelPoints));
}

TEST(ProtectedCopyTest, WithoutUseOfThePasswordTheEngineEnciphersThePlainFile) {
    TempFolder program;
    TempFolder work;
    test::installRealEngine(program.path());
    std::string digest;
    ASSERT_TRUE(saveProtected(program, work.file("copy.vte"), "pass word", false, digest));
    expectOnlyTheEngine(program);
    expectEnciphered(work.read("copy.vte"));
    EXPECT_EQ(deciphered(work, work.file("copy.vte"), "pass word"), goldenFile());
    EXPECT_EQ(digest, test::modelDigest(test::smallModel(), test::kSmallModelPoints));

    // A relative target is where the engine, running in the program folder, puts it.
    ASSERT_TRUE(saveProtected(program, "relative.vte", "pw", true, digest));
    EXPECT_EQ(test::folderEntries(program.path()),
              (std::vector<std::string>{"relative.vte", "tqmx01"}));
}

TEST(ProtectedCopyTest, AnOutputTheEngineCannotWriteIsAFailure) {
    TempFolder program;
    TempFolder work;
    test::installRealEngine(program.path());
    work.write("copy.vte", "previous copy");
    for (const std::string& target : {work.file("missing folder/copy.vte"), work.path()}) {
        SCOPED_TRACE(target);
        std::string digest = "previous digest";
        EXPECT_FALSE(saveProtected(program, target, "pw", true, digest));
        EXPECT_EQ(digest, "previous digest");
        expectOnlyTheEngine(program);
    }
    EXPECT_EQ(work.read("copy.vte"), "previous copy");
}

}  // namespace
}  // namespace vantorell
