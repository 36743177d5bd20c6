#include "platform/FileSystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(FileSystemTest, WildcardRules) {
    struct Case {
        const char* mask;
        const char* name;
        bool match;
    } cases[] = {
        {"*.*", "README", true},      {"*.*", "a.b.c", true},       {"*", ".hidden", true},
        {"*.log", "startup.log", true}, {"*.log", "STARTUP.LOG", true}, {"*.log", "startup.logs", false},
        {"*.log", "log", false},      {"a?c", "abc", true},         {"a?c", "ac", false},
        {"model.*", "model", true},   {"model.*", "model.vtm", true}, {"model.*", "models", false},
        {"*x*y", "axbxcy", true},     {"temp.dat", "Temp.DAT", true}, {"", "a", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wildcardMatch(c.mask, c.name), c.match) << c.mask << " vs " << c.name;
    }
}

TEST(FileSystemTest, FindEntriesListsMatchesOfTheFolderOnly) {
    TempFolder dir;
    dir.write("a.log", "1");
    dir.write("b.LOG", "2");
    dir.write("c.txt", "3");
    dir.write("sub/d.log", "4");
    std::vector<FoundEntry> found = findEntries(dir.path() + "*.log");
    std::vector<std::string> names;
    for (const FoundEntry& e : found) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.log", "b.LOG"}));

    found = findEntries(dir.path() + "*.*");
    EXPECT_EQ(found.size(), 4u);  // three files and the folder, never "." or ".."
    EXPECT_EQ(std::count_if(found.begin(), found.end(), [](const FoundEntry& e) { return e.isDirectory; }), 1);
    EXPECT_TRUE(findEntries(dir.path() + "missing/*.*").empty());
}

TEST(FileSystemTest, AtomicWriteReplacesOrLeavesTheOldFile) {
    TempFolder dir;
    const std::string path = dir.write("model.vtm", "old");
    writeFileAtomically(path, "new", 0600);
    EXPECT_EQ(readWholeFile(path), "new");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    EXPECT_THROW(writeFileAtomically(dir.path() + "none/x.vtm", "x"), std::runtime_error);
    EXPECT_EQ(findEntries(dir.path() + "*.*").size(), 1u);  // no temporary file left behind
}

TEST(FileSystemTest, PathParts) {
    EXPECT_EQ(extractFilePath("/a/b/c.vtm"), "/a/b/");
    EXPECT_EQ(extractFileName("/a/b/c.vtm"), "c.vtm");
    EXPECT_EQ(extractFilePath("c.vtm"), "");
    EXPECT_EQ(extractFileName("c.vtm"), "c.vtm");
}

}  // namespace
}  // namespace vantorell
