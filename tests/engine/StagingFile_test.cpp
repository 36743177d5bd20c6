// A downloaded component against what the update description promises about it: the
// promise read from the description's texts, and a staging file that takes the place of
// its target only when the bytes that arrived keep it.
#include "engine/tqmh01/StagingFile.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

// SHA-256 of 200 bytes "a".
constexpr const char* kHashOf200a =
    "c2a908d98f5df987ade41b5fce213067efbcc21ef2240212a41e54b5e7c28ae5";

TEST(DownloadCheckTest, GivenSizesAndHashesAreReadOthersRefuseTheComponent) {
    const std::string hash(64, 'c');
    struct Case {
        const char* size;
        std::string sha256;
        bool valid;
        std::optional<std::int64_t> checkedSize;
    } cases[] = {
        {"", "", true, std::nullopt},  // an older description: nothing to check
        {"4096", "", true, 4096},
        {" 4096 ", hash, true, 4096},
        {"", std::string(64, 'C'), true, std::nullopt},
        {"-1", "", false, std::nullopt},
        {"4k", "", false, std::nullopt},
        {"99999999999999999999", "", false, std::nullopt},
        {"", std::string(63, 'c'), false, std::nullopt},
        {"", std::string(65, 'c'), false, std::nullopt},
        {"", std::string(63, 'c') + "g", false, std::nullopt},
        {"0", "", true, 0},  // read, and no component is as small
    };
    for (const Case& c : cases) {
        const auto check = downloadCheckOf({"2.0", "1", "http://h/f", c.size, c.sha256});
        ASSERT_EQ(check.has_value(), c.valid) << c.size << " " << c.sha256;
        if (check) {
            EXPECT_EQ(check->size, c.checkedSize) << c.size;
            EXPECT_EQ(check->sha256.has_value(), !c.sha256.empty());
            if (check->sha256) {
                EXPECT_EQ(*check->sha256, hash);
            }
        }
    }
}

TEST(StagingFileTest, TheTargetIsReplacedOnlyByWhatWasPromised) {
    const std::string body(200, 'a');
    struct Case {
        const char* what;
        DownloadCheck check;
        std::string bytes;
        bool committed;
    } cases[] = {
        {"nothing promised", {}, body, true},
        {"the size promised", {200, std::nullopt}, body, true},
        {"the hash promised", {std::nullopt, kHashOf200a}, body, true},
        {"both promised", {200, kHashOf200a}, body, true},
        {"cut short of its size", {400, std::nullopt}, body, false},
        {"beyond its size", {150, std::nullopt}, body, false},
        {"other bytes", {std::nullopt, kHashOf200a}, std::string(199, 'a') + "b", false},
        {"cut short of its hash", {std::nullopt, kHashOf200a}, std::string(199, 'a'), false},
        {"an error message", {}, std::string(127, 'a'), false},
    };
    for (const Case& c : cases) {
        test::TempFolder folder;
        const std::string target = folder.write("instage.exe", "the component downloaded before");
        {
            StagingFile file(target, c.check);
            // In pieces, as a transfer brings them.
            bool taken = file.stream().write(c.bytes.data(), 100).good();
            taken =
                file.Write(c.bytes.data() + 100, static_cast<int>(c.bytes.size() - 100)) && taken;
            EXPECT_EQ(file.commit(), c.committed) << c.what;
            EXPECT_TRUE(taken || !c.committed) << c.what;
        }
        EXPECT_EQ(folder.read("instage.exe"),
                  c.committed ? c.bytes : std::string("the component downloaded before"))
            << c.what;
        EXPECT_EQ(findEntries(folder.path() + "*").size(), 1u) << c.what;
    }
}

TEST(StagingFileTest, BytesBeyondThePromisedSizeAreRefusedAsTheyCome) {
    test::TempFolder folder;
    StagingFile file(folder.file("sqstage.exe"), {300, std::nullopt});
    EXPECT_TRUE(file.Write(std::string(300, 'x').data(), 300));
    EXPECT_FALSE(file.Write("y", 1));
    // Nothing more is taken after a refusal, nor put in place.
    EXPECT_FALSE(file.stream().put('z').good());
    EXPECT_EQ(file.size(), 300);
    EXPECT_FALSE(file.commit());
    EXPECT_FALSE(fileExists(folder.file("sqstage.exe")));
}

}  // namespace
}  // namespace vantorell::engine
