// Splitting received bytes into lines, and line editing.

#include "transport/WSocket/LineBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace vantorell::transport {
namespace {

void Append(TLineBuffer& buffer, const std::string& bytes) {
    buffer.ReadFrom(bytes.size(), [&](char* p, int n) {
        std::memcpy(p, bytes.data(), static_cast<std::size_t>(n));
        return n;
    });
}

std::string TakeAll(TLineBuffer& buffer, std::size_t size) {
    std::string out(size, '\0');
    out.resize(buffer.Take(out.data(), size));
    return out;
}

// Everything in pieces, taking each line as soon as it is complete.
std::vector<std::string> SplitInPieces(const std::string& data, const std::string& lineEnd,
                                       const std::vector<std::size_t>& pieces) {
    TLineBuffer buffer;
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (const std::size_t piece : pieces) {
        Append(buffer, data.substr(at, piece));
        at += piece;
        while (const auto position = buffer.FindLineEnd(lineEnd)) {
            lines.push_back(TakeAll(buffer, *position + lineEnd.size()));
        }
    }
    if (buffer.Count() > 0) {
        lines.push_back(TakeAll(buffer, buffer.Count()));
    }
    return lines;
}

std::vector<std::string> SplitAtOnce(const std::string& data, const std::string& lineEnd) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t found; (found = data.find(lineEnd, from)) != std::string::npos;) {
        lines.push_back(data.substr(from, found + lineEnd.size() - from));
        from = found + lineEnd.size();
    }
    if (from < data.size()) {
        lines.push_back(data.substr(from));
    }
    return lines;
}

TEST(LineBuffer, LinesComeOutTheSameWhateverThePiecesTheBytesArriveIn) {
    std::mt19937 random(7);
    const std::string alphabet = "ab\r\n.";
    for (const std::string lineEnd : {"\r\n", "\n", "\r\n.\r\n"}) {
        std::string data;
        for (int i = 0; i < 5000; ++i) {
            data += alphabet[random() % alphabet.size()];
        }
        std::vector<std::size_t> single(data.size(), 1);
        std::vector<std::size_t> mixed;
        for (std::size_t left = data.size(); left > 0;) {
            const std::size_t piece = std::min<std::size_t>(left, 1 + random() % 40);
            mixed.push_back(piece);
            left -= piece;
        }
        const auto expected = SplitAtOnce(data, lineEnd);
        EXPECT_EQ(SplitInPieces(data, lineEnd, single), expected) << lineEnd.size();
        EXPECT_EQ(SplitInPieces(data, lineEnd, mixed), expected) << lineEnd.size();
        EXPECT_EQ(SplitInPieces(data, lineEnd, {data.size()}), expected) << lineEnd.size();
    }
}

TEST(LineBuffer, SearchResumesWhereItStoppedAndAgainAfterARescan) {
    TLineBuffer buffer;
    Append(buffer, "abc\r");
    EXPECT_FALSE(buffer.FindLineEnd("\r\n"));
    Append(buffer, "\nxyz");
    EXPECT_EQ(buffer.FindLineEnd("\r\n"), 3u);
    // A new line end is looked for from the start.
    buffer.Rescan();
    EXPECT_EQ(buffer.FindLineEnd("x"), 5u);
    EXPECT_EQ(TakeAll(buffer, 3), "abc");
    buffer.Rescan();
    EXPECT_EQ(buffer.FindLineEnd("\r\n"), 0u);
    EXPECT_FALSE(buffer.FindLineEnd(""));
}

TEST(LineBuffer, PartialTakesKeepTheOrder) {
    TLineBuffer buffer;
    Append(buffer, "0123456789");
    EXPECT_EQ(TakeAll(buffer, 3), "012");
    Append(buffer, "ab");
    EXPECT_EQ(TakeAll(buffer, 6), "345678");
    EXPECT_EQ(TakeAll(buffer, 100), "9ab");
    EXPECT_EQ(buffer.Count(), 0u);
    // A failed read adds nothing.
    EXPECT_EQ(buffer.ReadFrom(255, [](char*, int) { return -1; }), -1);
    EXPECT_EQ(buffer.Count(), 0u);
}

struct EditCase {
    const char* name;
    std::string before;  // buffered by earlier reads
    std::string typed;   // the new bytes
    std::size_t keep;
    std::string line;
    std::string echo;
};

class LineEditing : public ::testing::TestWithParam<EditCase> {};

TEST_P(LineEditing, AppliesBackspaceAndTab) {
    const EditCase& c = GetParam();
    TLineBuffer buffer;
    Append(buffer, c.before);
    Append(buffer, c.typed);
    const auto result = buffer.Edit(c.typed.size(), c.keep, true);
    EXPECT_EQ(std::string(buffer.Data(), buffer.Count()), c.line);
    EXPECT_EQ(result.Echo, c.echo);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LineEditing,
    ::testing::Values(EditCase{"Plain", "", "abc", 0, "abc", "abc"},
                      EditCase{"TabAfterThree", "", "abc\t", 0, "abc     ", "abc     "},
                      EditCase{"TabAtColumnEight", "", "abcdefgh\t", 0, "abcdefgh        ",
                               "abcdefgh        "},
                      EditCase{"TabCountsEarlierReads", "ab", "c\td", 0, "abc     d", "c     d"},
                      EditCase{"Backspace", "", "abx\bc", 0, "abc", "abx\b \bc"},
                      EditCase{"BackspaceIntoEarlierRead", "abc", "\b\bX", 0, "aX", "\b \b\b \bX"},
                      EditCase{"BackspaceOnNothing", "", "\b\ba", 0, "a", "a"},
                      EditCase{"LineOnOfferIsKept", "ok\r\n", "\b\b\bz", 4, "ok\r\nz", "z"}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

TEST(LineBuffer, EditingAnEarlierLineEndFindsTheLineAgain) {
    TLineBuffer buffer;
    Append(buffer, "ab\r");
    EXPECT_FALSE(buffer.FindLineEnd("\r\n"));
    Append(buffer, "\bc\r\n");
    buffer.Edit(4, 0, false);
    EXPECT_EQ(std::string(buffer.Data(), buffer.Count()), "abc\r\n");
    EXPECT_EQ(buffer.FindLineEnd("\r\n"), 3u);
}

}  // namespace
}  // namespace vantorell::transport
