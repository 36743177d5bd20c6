#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

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
