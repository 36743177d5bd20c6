// A retrieved cube deciphered by the real engine program, started as a process.
#include <gtest/gtest.h>

#include "designer/rtnReaderWriter/EngineCommands.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/RandomBytes.h"
#include "tests/support/RealEngine.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(CubeDecryptionTest, TheEngineDeciphersTheDownloadedCube) {
    for (const std::string secondKey : {"", "second key"}) {
        SCOPED_TRACE(secondKey);
        TempFolder program;
        TempFolder work;
        test::installRealEngine(program.path());
        const std::string cube = test::randomBytes(70'000, 7);
        work.write("sales.bin", cube);
        ASSERT_TRUE(test::encipherAsTheEngine(work.file("sales.bin"), work.file("download.mdc"),
                                              "pass word", secondKey));

        EXPECT_TRUE(flgDecryptCube(program.path(), work.file("download.mdc"), "pass word",
                                   secondKey, work.file("sales 1.mdc")));
        EXPECT_EQ(work.read("sales 1.mdc"), cube);
        EXPECT_EQ(test::folderEntries(program.path()), std::vector<std::string>{"tqmx01"});
    }
}

}  // namespace
}  // namespace vantorell
