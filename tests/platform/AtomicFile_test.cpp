#include "platform/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "platform/FileSystem.h"
#include "tests/support/FileSizeLimit.h"
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
    // A pipe, one reached through a link, and a folder: a plain file renamed over them would
    // take their place. (A device takes the same path; none is used, as a mistake here could
    // replace one of the system's.)
    TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("pipe", dir.file("link").c_str()), 0);
    ASSERT_TRUE(createDirectory(dir.file("folder")));
    for (const char* name : {"pipe", "link", "folder"}) {
        EXPECT_THROW(AtomicFile(dir.file(name)), std::runtime_error) << name;
    }
    struct stat st {};
    ASSERT_EQ(::lstat(dir.file("pipe").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::lstat(dir.file("link").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
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

unsigned modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

void replace(const std::string& path, const std::string& bytes, unsigned mode = 0644) {
    AtomicFile file(path, mode);
    file.write(bytes);
    file.commit();
}

// A file replaced keeps its permissions; one that holds a secret never gains group or other
// bits from the file it replaces.
TEST(AtomicFileTest, AReplacedFileKeepsItsMode) {
    TempFolder dir;
    struct Case {
        unsigned old;
        unsigned requested;
        unsigned expected;
    } cases[] = {
        {0640, 0644, 0640}, {0664, 0644, 0664}, {0600, 0644, 0600},
        {0644, 0600, 0600}, {0700, 0600, 0700},
    };
    for (const Case& c : cases) {
        const std::string target = dir.write("model.vtm", "old");
        ASSERT_EQ(::chmod(target.c_str(), c.old), 0);
        replace(target, "new", c.requested);
        EXPECT_EQ(readWholeFile(target), "new");
        EXPECT_EQ(modeOf(target), c.expected) << std::oct << c.old << " " << c.requested;
    }
    const std::string fresh = dir.file("fresh.vtm");
    replace(fresh, "new", 0640);
    EXPECT_EQ(modeOf(fresh), 0640u);
}

// A symbolic link at the target stays a link: the file it names is replaced, in its own
// folder, also through a chain of links and a relative one; a dangling link gets its file.
TEST(AtomicFileTest, WritesThroughALinkToTheFileItNames) {
    TempFolder dir;
    createDirectory(dir.file("real"));
    const std::string real = dir.write("real/model.vtm", "old");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    std::filesystem::create_symlink("real/model.vtm", dir.file("link.vtm"));
    std::filesystem::create_symlink(dir.file("link.vtm"), dir.file("chain.vtm"));

    replace(dir.file("chain.vtm"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("chain.vtm")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.vtm")));
    EXPECT_EQ(readWholeFile(real), "new");
    EXPECT_EQ(modeOf(real), 0640u);
    EXPECT_EQ(findEntries(dir.file("real/*")).size(), 1u);
    EXPECT_EQ(findEntries(dir.path() + "*").size(), 3u);

    std::filesystem::create_symlink("real/later.vtm", dir.file("dangling.vtm"));
    replace(dir.file("dangling.vtm"), "made");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("dangling.vtm")));
    EXPECT_EQ(readWholeFile(dir.file("real/later.vtm")), "made");
}

// Under a file-size limit the write fails: the error is raised, the old file stays and no
// temporary file is left.
TEST(AtomicFileTest, AWriteOverAFileSizeLimitLeavesNoTemporaryFile) {
    TempFolder dir;
    const std::string target = dir.write("model.vtm", "old");
    EXPECT_TRUE(test::flgRunUnderFileSizeLimit(4096, [&] {
        try {
            replace(target, std::string(AtomicFile::kBufferSize * 2, 'x'));
        } catch (const std::runtime_error&) {
            return true;
        }
        return false;
    })) << "the write did not fail";
    EXPECT_EQ(readWholeFile(target), "old");
    EXPECT_EQ(findEntries(dir.path() + "*").size(), 1u);
}

}  // namespace
}  // namespace vantorell
