// Protected copies with engines that misbehave, and input a copy cannot carry. The copies
// the engine program makes are checked in ProtectedCopy_e2e_test.cpp.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <utility>

#include "designer/rtnReaderWriter/EngineRequests.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "platform/FileSystem.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

bool saveProtected(const TempFolder& program, const std::string& target,
                   const std::string& password, bool usePassword, std::string& digest,
                   ModelArrays model = test::smallModel()) {
    return flgWriteFile(program.path(), target, password, "second key", 0, digest, true, true,
                        usePassword, model, test::kSmallModelPoints);
}

void expectNoSecretsLeft(const TempFolder& program) {
    EXPECT_FALSE(fileExists(program.file(kTempDataFile)));
    EXPECT_FALSE(fileExists(program.file(kControlFile)));
}

TEST(ProtectedCopyTest, TempDataIsPrivateWhileTheEngineRuns) {
    TempFolder program;
    TempFolder work;
    const std::string engine =
        program.write("tqmx01", "#!/bin/sh\nstat -c %a temp.dat > \"" + work.file("mode.txt") +
                                    "\"\ncp temp.dat \"" + work.file("copy.vte") + "\"\n");
    ::chmod(engine.c_str(), 0755);
    std::string digest;
    ASSERT_TRUE(saveProtected(program, work.file("copy.vte"), "pw", true, digest));
    EXPECT_EQ(work.read("mode.txt"), "600\n");
    expectNoSecretsLeft(program);
}

TEST(ProtectedCopyTest, EngineFailuresReportFailure) {
    struct Case {
        const char* name;
        const char* engineScript;  // null: no engine in the program folder
    } cases[] = {
        {"no engine", nullptr},
        {"engine fails", "#!/bin/sh\nexit 4\n"},
        {"engine writes nothing", "#!/bin/sh\nexit 0\n"},
    };
    for (const Case& c : cases) {
        TempFolder program;
        TempFolder work;
        if (c.engineScript != nullptr) {
            ::chmod(program.write("tqmx01", c.engineScript).c_str(), 0755);
        }
        std::string digest = "previous digest";
        EXPECT_FALSE(saveProtected(program, work.file("copy.vte"), "pw", true, digest)) << c.name;
        EXPECT_EQ(digest, "previous digest") << c.name;
        EXPECT_FALSE(fileExists(work.file("copy.vte"))) << c.name;
        expectNoSecretsLeft(program);
    }
}

TEST(ProtectedCopyTest, InputTheCopyCannotCarryIsRefused) {
    TempFolder program;
    TempFolder work;
    // Refused before the engine would run: there is none to run.
    std::string digest;
    EXPECT_THROW(saveProtected(program, work.file("copy.vte"), "pw\nO", true, digest),
                 ModelWriteError);
    EXPECT_THROW(saveProtected(program, work.file("copy.vte"), "pw\nO", false, digest),
                 EngineRequestError);
    EXPECT_THROW(
        saveProtected(program, work.file("copy.vte"), "mot de passe \xC3\xA9", true, digest),
        ModelWriteError);
    expectNoSecretsLeft(program);

    ModelArrays model = test::smallModel();
    model.categories[0].strName = "Nord\xC3\xA9";
    EXPECT_THROW(saveProtected(program, work.file("copy.vte"), "pw", true, digest, model),
                 ModelWriteError);
    expectNoSecretsLeft(program);
    EXPECT_FALSE(fileExists(work.file("copy.vte")));
}

// The refusal names the text and the character at fault, and the check of a whole model
// finds what writing its protected copy would refuse, before anything is written.
TEST(ProtectedCopyTest, TheRefusalNamesTheTextAndItsCharacter) {
    const std::pair<const char*, const char*> texts[] = {
        {"Nord\xC3\xA9", "it holds \"\xC3\xA9\","},
        {"Tab\tbed", "it holds the control character 9,"},
        {"Caf\xE9", "it holds the byte 0xE9,"},
        {"\xE2\x82\xAC 5", "it holds \"\xE2\x82\xAC\","},
    };
    for (const auto& [text, held] : texts) {
        const std::string refusal = strProtectedRecordRefusal(text);
        EXPECT_EQ(refusal.rfind(std::string("The text \"") + text +
                                    "\" cannot be carried by a protected copy: " + held,
                                0),
                  0u)
            << refusal;
    }
    EXPECT_EQ(strProtectedRecordRefusal("Plain text ~!"), "");

    TempFolder program;
    TempFolder work;
    ModelArrays model = test::smallModel();
    EXPECT_EQ(strProtectedCopyRefusal(model), "");
    model.categories[4].strCode = "C\xC3\xB6";
    model.categories[1].strName =
        "S\xC3\xBC"
        "d";
    const std::string refusal = strProtectedCopyRefusal(model);
    EXPECT_EQ(refusal, strProtectedRecordRefusal("S\xC3\xBC"
                                                 "d"));
    std::string digest;
    try {
        saveProtected(program, work.file("copy.vte"), "pw", true, digest, model);
        ADD_FAILURE() << "the copy was written";
    } catch (const ModelWriteError& e) {
        EXPECT_EQ(e.what(), refusal);
    }

    std::int32_t points = 0;
    ModelArrays example;
    ASSERT_TRUE(flgReadFile(test::sourcePath("examples/sales.vtm"), points, example));
    EXPECT_NE(strProtectedCopyRefusal(example).find("\"Pralin\xC3\xA9s\""), std::string::npos);
    ASSERT_TRUE(flgReadFile(test::sourcePath("examples/sales-ascii.vtm"), points, example));
    EXPECT_EQ(strProtectedCopyRefusal(example), "");
}

}  // namespace
}  // namespace vantorell
