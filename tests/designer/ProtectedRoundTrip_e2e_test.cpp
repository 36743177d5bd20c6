// The designer and the engine program together: the designer writes a protected copy with
// the engine enciphering it, reads it back with the engine deciphering it, and gets the
// model it wrote. The control file and "temp.dat" hold secrets: they are private while the
// engine runs and gone afterwards, whatever the outcome.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "designer/rtnReaderWriter/EngineRequests.h"
#include "designer/rtnReaderWriter/ModelFileError.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "platform/FileSystem.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/KeyedRecords.h"
#include "tests/support/ModelCompare.h"
#include "tests/support/RandomModel.h"
#include "tests/support/RealEngine.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

const std::string kPassword = "pass word`~";
const std::string kSecondKey = "key 2";

ModelArrays exampleModel(std::int32_t& points) {
    ModelArrays model;
    EXPECT_TRUE(flgReadFile(test::sourcePath("examples/sales.vtm"), points, model));
    return model;
}

// The example with its texts in the characters the record layer carries.
ModelArrays printableExampleModel(std::int32_t& points) {
    ModelArrays model = exampleModel(points);
    for (auto& d : model.dimensions) {
        d.strName = test::printableText(d.strName.str());
        d.strCode = test::printableText(d.strCode.str());
    }
    for (auto& c : model.categories) {
        c.strName = test::printableText(c.strName.str());
        c.strCode = test::printableText(c.strCode.str());
    }
    for (auto& m : model.measures) {
        m.strName = test::printableText(m.strName.str());
        m.strCode = test::printableText(m.strCode.str());
    }
    return model;
}

class ProtectedRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override { test::installRealEngine(program_.path()); }

    bool write(ModelArrays& model, int points, bool usePassword, std::string& digest,
               const std::string& password = kPassword) {
        return flgWriteFile(program_.path(), copy_, password, kSecondKey, 0, digest, true, true,
                            usePassword, model, points);
    }

    bool read(ModelArrays& model, std::int32_t& points, bool usePassword,
              const std::string& password = kPassword, const std::string& secondKey = kSecondKey) {
        return flgReadFile(program_.path(), copy_, password, secondKey, 0, usePassword, points,
                           model);
    }

    // Written through the engine and read back through it: the same arrays, the same
    // points, and the digest of a plain save.
    void expectRoundTrip(ModelArrays written, int points, bool usePassword) {
        std::string digest;
        ASSERT_TRUE(write(written, points, usePassword, digest));
        EXPECT_EQ(digest, test::modelDigest(written, points));
        const std::string onDisk = readWholeFile(copy_);
        EXPECT_EQ(onDisk.rfind("L\n", 0), 0u) << "not the engine's layout";
        EXPECT_EQ(onDisk.find("VT0200"), std::string::npos) << "plain records in the copy";
        expectNoSecretsLeft();

        ModelArrays read;
        std::int32_t readPoints = 0;
        ASSERT_TRUE(this->read(read, readPoints, usePassword));
        EXPECT_EQ(readPoints, points);
        EXPECT_TRUE(test::sameModel(written, read));
        EXPECT_EQ(test::modelDigest(read, points), digest);
        expectNoSecretsLeft();
    }

    void expectNoSecretsLeft() {
        EXPECT_EQ(test::folderEntries(program_.path()), std::vector<std::string>{"tqmx01"});
    }

    TempFolder program_;
    TempFolder work_;
    std::string copy_ = work_.file("sales copy.vte");
};

TEST_F(ProtectedRoundTripTest, TheExampleModelComesBackEqual) {
    std::int32_t points = 0;
    {
        SCOPED_TRACE("records plain inside the engine's file");
        const ModelArrays model = exampleModel(points);
        ASSERT_EQ(points, 25000);
        expectRoundTrip(model, points, false);
        EXPECT_EQ(readWholeFile(copy_).find("\xC3\x96sterreich"), std::string::npos);
    }
    {
        SCOPED_TRACE("records in the record layer");
        expectRoundTrip(printableExampleModel(points), points, true);
    }
    {
        // Texts beyond ASCII cannot go into the record layer: refused before the engine runs.
        ModelArrays model = exampleModel(points);
        std::string digest;
        EXPECT_THROW(write(model, points, true, digest), ModelWriteError);
        expectNoSecretsLeft();
    }
}

TEST_F(ProtectedRoundTripTest, RandomModelsComeBackEqual) {
    test::RandomModelOptions options;
    options.printableOnly = true;
    for (std::uint32_t seed = 0; seed < 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        expectRoundTrip(seed == 0 ? test::smallModel() : test::randomModel(seed, options), 512,
                        seed % 2 == 0);
    }
}

// Wrong keys: the engine deciphers into garbage, which the reader refuses cleanly.
TEST_F(ProtectedRoundTripTest, WrongKeysGiveNoModel) {
    struct Case {
        const char* what;
        std::string password;
        std::string secondKey;
    } cases[] = {
        {"wrong password", "pass word`!", kSecondKey},
        {"password in other case", "PASS WORD`~", kSecondKey},
        {"wrong second key", kPassword, "key 3"},
        {"no second key", kPassword, ""},
    };
    std::int32_t points = 0;
    for (const bool usePassword : {true, false}) {
        ModelArrays model = printableExampleModel(points);
        std::string digest;
        ASSERT_TRUE(write(model, points, usePassword, digest));
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (usePassword ? ", record layer" : ", plain"));
            ModelArrays read;
            std::int32_t readPoints = 7;
            bool ok = false;
            try {
                ok = this->read(read, readPoints, usePassword, c.password, c.secondKey);
            } catch (const ModelFileError& e) {
                EXPECT_NE(std::string(e.what()).find(copy_), std::string::npos) << e.what();
            }
            EXPECT_FALSE(ok);
            EXPECT_EQ(readPoints, 7);
            expectNoSecretsLeft();
        }
    }
}

// The engine is wrapped so that it reports, after its run, the modes of the two files.
TEST_F(ProtectedRoundTripTest, SecretFilesArePrivateAndGoneAfterEveryRun) {
    const std::string report = work_.file("modes.txt");
    deleteFile(program_.file("tqmx01"));
    const std::string wrapper = program_.write(
        "tqmx01", "#!/bin/sh\n\"" + test::realEngineProgram() +
                      "\" \"$@\"\nstatus=$?\nstat -c '%n %a' control.bec temp.dat >> \"" + report +
                      "\" 2>&1\nexit $status\n");
    ::chmod(wrapper.c_str(), 0700);
    const std::string bothPrivate = "control.bec 600\ntemp.dat 600\n";

    ModelArrays model = test::smallModel();
    std::string digest;
    ASSERT_TRUE(write(model, 100, true, digest));
    ModelArrays read;
    std::int32_t points = 0;
    ASSERT_TRUE(this->read(read, points, true));
    EXPECT_EQ(work_.read("modes.txt"), bothPrivate + bothPrivate);
    expectNoSecretsLeft();

    // Failures: the engine deciphers with a wrong password, and cannot write its output.
    EXPECT_THROW(this->read(read, points, true, "wrong"), ModelFileError);
    expectNoSecretsLeft();
    copy_ = work_.file("missing folder/copy.vte");
    EXPECT_FALSE(write(model, 100, true, digest));
    expectNoSecretsLeft();
    EXPECT_EQ(work_.read("modes.txt"), bothPrivate + bothPrivate + bothPrivate + bothPrivate);
}

}  // namespace
}  // namespace vantorell
