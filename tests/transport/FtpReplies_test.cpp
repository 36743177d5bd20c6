// Reply lines assembled from the control connection's bytes, and the numbers and quoted
// folders read from them.

#include "transport/FtpCli/FtpReplies.h"

#include <gtest/gtest.h>

#include "transport/FtpCli/FtpCommandText.h"

namespace vantorell::transport {
namespace {

std::vector<std::string> Lines(FtpReplyLines& lines, bool acceptLF) {
    std::vector<std::string> out;
    std::string line;
    while (lines.NextLine(acceptLF, line)) {
        out.push_back(line);
    }
    return out;
}

void Feed(FtpReplyLines& lines, const std::string& bytes) {
    lines.Append(bytes.data(), bytes.size());
}

TEST(FtpReplyLines, LinesComeOnlyWithTheirEndsAndInOrder) {
    FtpReplyLines lines;
    Feed(lines, "220 rea");
    EXPECT_TRUE(Lines(lines, true).empty());
    Feed(lines, "dy\r\n331 pass\r\n230");
    EXPECT_EQ(Lines(lines, true), (std::vector<std::string>{"220 ready", "331 pass"}));
    Feed(lines, " in\n");
    EXPECT_EQ(Lines(lines, true), (std::vector<std::string>{"230 in"}));
    EXPECT_EQ(lines.Held(), 0u);
}

TEST(FtpReplyLines, WithoutAcceptLFOnlyCarriageReturnLineFeedEndsALine) {
    FtpReplyLines lines;
    Feed(lines, "150 a\n226 b\r\n");
    // The bare line feed stays inside the line; the end strips line ends only at the end.
    EXPECT_EQ(Lines(lines, false), (std::vector<std::string>{"150 a\n226 b"}));
    Feed(lines, "250 c\r\r\n");
    EXPECT_EQ(Lines(lines, true), (std::vector<std::string>{"250 c"}));
}

TEST(FtpReplyLines, AnOverlongLineKeepsItsStartAndDropsTheRest) {
    FtpReplyLines lines;
    const std::string start = "213 " + std::string(5000, 'x');
    std::size_t fed = 0;
    std::vector<std::string> got;
    while (fed < start.size()) {
        const std::size_t take = std::min(lines.Room(), start.size() - fed);
        ASSERT_GT(take, 0u);
        lines.Append(start.data() + fed, take);
        fed += take;
        for (const auto& line : Lines(lines, true)) {
            got.push_back(line);
        }
    }
    Feed(lines, "yyy\r\n250 next\r\n");
    for (const auto& line : Lines(lines, true)) {
        got.push_back(line);
    }
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], start.substr(0, FtpReplyLines::kBufferSize - 1));
    EXPECT_EQ(got[1], "250 next");
}

TEST(FtpReplyText, IntegersCodesAndQuotedFolders) {
    int value = -1;
    EXPECT_EQ(FtpGetInteger(" \t213 4096", 0, value), 5u);
    EXPECT_EQ(value, 213);
    std::int64_t size = 0;
    FtpGetInteger("213 5368709120", 3, size);
    EXPECT_EQ(size, 5368709120LL);
    FtpGetInteger("x", 0, value);
    EXPECT_EQ(value, 0);
    FtpGetInteger("-12", 0, value);
    EXPECT_EQ(value, -12);

    int code = 0;
    bool final = false;
    EXPECT_TRUE(FtpReplyCode("257-first", code, final));
    EXPECT_EQ(code, 257);
    EXPECT_FALSE(final);
    EXPECT_TRUE(FtpReplyCode("257", code, final));
    EXPECT_TRUE(final);
    EXPECT_FALSE(FtpReplyCode(" 257 indented", code, final));

    EXPECT_EQ(FtpGetQuotedString("257 \"/a\"\"b\" is current", 3), "/a\"b");
    EXPECT_EQ(FtpGetQuotedString("257 /plain", 3), "");
    EXPECT_EQ(FtpGetQuotedString("257 \"/open", 3), "/open");
}

TEST(FtpReplyText, PassiveRepliesNameAnAddressAndAPort) {
    std::string addr;
    std::uint16_t port = 0;
    ASSERT_TRUE(FtpPasvAddress("227 Entering Passive Mode (192,168,1,2,4,1)", addr, port));
    EXPECT_EQ(addr, "192.168.1.2");
    EXPECT_EQ(port, 1025);
    ASSERT_TRUE(FtpPasvAddress("227 ok ( 127, 0, 0, 1, 200, 10 ).", addr, port));
    EXPECT_EQ(addr, "127.0.0.1");
    EXPECT_EQ(port, 51210);
    for (const std::string bad : {"227 no numbers", "227 (1,2,3,4,5)", "227 (1,2,3,4,5,6",
                                  "227 (1,2,3,256,5,6)", "227 (1,2,x,4,5,6)", "227 (,,,,,)"}) {
        EXPECT_FALSE(FtpPasvAddress(bad, addr, port)) << bad;
    }
}

TEST(FtpCommandText, PasswordsAreNeverShownAndLineBreaksNeverSent) {
    EXPECT_EQ(FtpDisplayedCommand("PASS s3cret"), "PASS ********");
    EXPECT_EQ(FtpDisplayedCommand("pass s3cret"), "PASS ********");
    EXPECT_EQ(FtpDisplayedCommand("PASSIVE"), "PASSIVE");
    EXPECT_EQ(FtpDisplayedCommand("CWD /in"), "CWD /in");
    EXPECT_TRUE(FtpCommandIsSafe("RETR a b.txt"));
    for (const std::string& bad :
         std::vector<std::string>{"CWD a\r\nDELE b", "CWD a\nb", std::string("CWD a\0b", 7)}) {
        EXPECT_FALSE(FtpCommandIsSafe(bad));
    }
}

}  // namespace
}  // namespace vantorell::transport
