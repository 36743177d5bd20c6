// Addresses the updater fetches from: the parts of an FTP address, and the addresses it
// refuses without going to the network.
#include "engine/tqmh01/FetchUrl.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

TEST(FetchUrlTest, FtpAddressesSplitIntoHostFolderAndFile) {
    struct Case {
        const char* rest;
        bool valid;
        const char* host = "";
        const char* port = "";
        const char* directory = "";
        const char* fileName = "";
    } cases[] = {
        {"files.example/dir/sub/file.exe", true, "files.example", "21", "dir/sub", "file.exe"},
        {"127.0.0.1:2121/pub/sqstage.exe", true, "127.0.0.1", "2121", "pub", "sqstage.exe"},
        {"host/dir/", false},       // no file name
        {"host/file.exe", false},   // no folder
        {"host//file.exe", false},  // an empty folder
        {"/dir/file.exe", false},   // no host
        {"host", false},
        {"host:0/dir/f", false},  // ports are 1 to 65535
        {"host:65536/dir/f", false},
        {"host:21x/dir/f", false},
        {":21/dir/f", false},
    };
    for (const Case& c : cases) {
        const auto where = splitFtpAddress(c.rest);
        ASSERT_EQ(where.has_value(), c.valid) << c.rest;
        if (c.valid) {
            EXPECT_EQ(where->host, c.host);
            EXPECT_EQ(where->port, c.port);
            EXPECT_EQ(where->directory, c.directory);
            EXPECT_EQ(where->fileName, c.fileName);
        }
    }
}

TEST(FetchUrlTest, OtherAddressesFailAndLeaveTheTargetAsItWas) {
    test::TempFolder folder;
    const std::string target = folder.write("remove.dat", std::string(300, 'o'));
    for (const char* address : {"https://127.0.0.1/update.ini", "HTTP://127.0.0.1/update.ini",
                                "file:///etc/passwd", "0", "", "ftp://127.0.0.1/file.exe"}) {
        EXPECT_FALSE(FetchUrl(address, target, TransferSettings{})) << address;
    }
    EXPECT_EQ(folder.read("remove.dat"), std::string(300, 'o'));
    EXPECT_EQ(findEntries(folder.path() + "*").size(), 1u);
}

}  // namespace
}  // namespace vantorell::engine
