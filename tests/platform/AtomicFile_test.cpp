#include "platform/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(AtomicFileTest, StreamedPiecesReplaceTheTargetOnlyAtCommit) {
    TempFolder dir;
    const std::string target = dir.write("model.vtm", "old");
    std::string expected;
    {
        AtomicFile file(target);
        // Small pieces and pieces larger than the buffer, in any order.
        for (int i = 0; i < 3000; ++i) {
            const std::string piece = i % 500 == 7 ? std::string(300000, 'a' + i % 26)
                                                   : "record " + std::to_string(i) + "\r\n";
            file.write(piece);
            expected += piece;
        }
        EXPECT_EQ(readWholeFile(target), "old");
        file.commit();
    }
    EXPECT_EQ(readWholeFile(target), expected);
    EXPECT_EQ(findEntries(dir.path() + "*").size(), 1u);
}

TEST(AtomicFileTest, AbandonedFileLeavesTheTargetAndNoTemporaryFile) {
    TempFolder dir;
    const std::string target = dir.write("model.vtm", "old");
    {
        AtomicFile file(target);
        file.write(std::string(1 << 20, 'x'));
    }
    EXPECT_EQ(readWholeFile(target), "old");
    EXPECT_EQ(findEntries(dir.path() + "*").size(), 1u);

    EXPECT_THROW(AtomicFile(dir.file("missing/model.vtm")), std::runtime_error);
    AtomicFile intoFolder(dir.path() + "sub");
    createDirectory(dir.path() + "sub");
    EXPECT_THROW(intoFolder.commit(), std::runtime_error);
    EXPECT_EQ(findEntries(dir.path() + "*").size(), 2u);
}

TEST(AtomicFileTest, ATargetThatIsNoRegularFileIsRefusedBeforeAnythingIsWritten) {
    // A pipe, a device (reached through a link, so that nothing outside the folder is at
    // stake) and a folder: a plain file renamed over them would take their place.
    TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/null", dir.file("device").c_str()), 0);
    ASSERT_TRUE(createDirectory(dir.file("folder")));
    for (const char* name : {"pipe", "device", "folder"}) {
        EXPECT_THROW(AtomicFile(dir.file(name)), std::runtime_error) << name;
    }
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("pipe").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::stat(dir.file("device").c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(findEntries(dir.path() + "*").size(), 3u);  // no temporary file left

    // One that turns into a pipe while the file is written is not replaced either.
    const std::string late = dir.write("late", "old");
    AtomicFile file(late);
    file.write("new");
    ASSERT_EQ(::unlink(late.c_str()), 0);
    ASSERT_EQ(::mkfifo(late.c_str(), 0600), 0);
    EXPECT_THROW(file.commit(), std::runtime_error);
    ASSERT_EQ(::stat(late.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// More files open at once than there are records of live temporary files: the ones beyond
// are written and put in place all the same.
TEST(AtomicFileTest, ManyFilesOpenAtOnce) {
    TempFolder dir;
    std::vector<std::unique_ptr<AtomicFile>> files;
    for (int i = 0; i < 100; ++i) {
        files.push_back(std::make_unique<AtomicFile>(dir.file("f" + std::to_string(i))));
        files.back()->write("file " + std::to_string(i));
    }
    for (int i = 0; i < 100; i += 2) {
        files[i]->commit();
    }
    files.clear();
    // Records set free are used again.
    for (int i = 1; i < 100; i += 2) {
        writeFileAtomically(dir.file("f" + std::to_string(i)), "file " + std::to_string(i));
    }
    EXPECT_EQ(findEntries(dir.path() + "*").size(), 100u);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(readWholeFile(dir.file("f" + std::to_string(i))), "file " + std::to_string(i));
    }
}

}  // namespace
}  // namespace vantorell
