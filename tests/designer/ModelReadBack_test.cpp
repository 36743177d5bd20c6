// Models written by the writer and read back by the reader: the arrays, shares included,
// and the change digest come back unchanged.
#include <gtest/gtest.h>

#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "tests/support/ModelCompare.h"
#include "tests/support/ModelInvariants.h"
#include "tests/support/RandomModel.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(ModelReadBackTest, RandomModelsReadBackWithTheirSharesAndDigest) {
    TempFolder dir;
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        ModelArrays written = test::randomModel(seed);
        const int points = 1000 + static_cast<int>(seed);
        std::string digest;
        ASSERT_TRUE(flgWriteFile(dir.path(), dir.file("m.vtm"), "", "", 0, digest, true, true, true,
                                 written, points));
        ModelArrays read;
        std::int32_t readPoints = 0;
        ASSERT_TRUE(flgReadFile(dir.path(), dir.file("m.vtm"), "", "", 0, true, readPoints, read))
            << "seed " << seed;
        EXPECT_EQ(readPoints, points);
        ASSERT_TRUE(test::modelArraysValid(read)) << "seed " << seed;
        ASSERT_TRUE(test::sameModel(written, read)) << "seed " << seed;
        EXPECT_EQ(test::modelDigest(read, points), digest) << "seed " << seed;
    }
}

}  // namespace
}  // namespace vantorell
