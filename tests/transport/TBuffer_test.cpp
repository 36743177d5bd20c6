#include "transport/WSockBuf/TBuffer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace vantorell::transport {
namespace {

std::string Pending(const TBuffer& buffer) {
    int len = 0;
    const char* data = buffer.Peek(len);
    return data == nullptr ? std::string() : std::string(data, static_cast<std::size_t>(len));
}

TEST(TBuffer, SizeOfZeroOrLessIsAFrame) {
    EXPECT_EQ(TBuffer(0).BufSize(), 1514);
    EXPECT_EQ(TBuffer(-7).BufSize(), 1514);
    EXPECT_EQ(TBuffer(1460).BufSize(), 1460);
}

TEST(TBuffer, WriteStoresWhatFits) {
    TBuffer buffer(1460);
    const std::string data(2000, 'x');
    EXPECT_EQ(buffer.Write(data.data(), 2000), 1460);
    EXPECT_EQ(buffer.Write(data.data(), 10), 0);
    EXPECT_EQ(Pending(buffer).size(), 1460u);
}

TEST(TBuffer, PeekOnAnEmptyChunkGivesNothing) {
    TBuffer buffer(16);
    int len = 99;
    EXPECT_EQ(buffer.Peek(len), nullptr);
    EXPECT_EQ(len, 0);
}

TEST(TBuffer, RemoveTakesAtMostWhatIsPendingAndTheChunkIsReused) {
    TBuffer buffer(8);
    buffer.Write("abcdef", 6);
    EXPECT_EQ(buffer.Remove(2), 2);
    EXPECT_EQ(Pending(buffer), "cdef");
    // Space already taken is not reused while bytes are pending.
    EXPECT_EQ(buffer.Write("ghijk", 5), 2);
    EXPECT_EQ(buffer.Remove(100), 6);
    EXPECT_EQ(buffer.Remove(1), 0);
    EXPECT_EQ(buffer.Write("12345678", 8), 8);
    EXPECT_EQ(Pending(buffer), "12345678");
}

TEST(TBuffer, ReadCopiesAndTakes) {
    TBuffer buffer(8);
    buffer.Write("abcdef", 6);
    char out[4] = {};
    EXPECT_EQ(buffer.Read(out, 4), 4);
    EXPECT_EQ(std::string(out, 4), "abcd");
    EXPECT_EQ(buffer.Read(out, 4), 2);
    EXPECT_EQ(std::string(out, 2), "ef");
    EXPECT_EQ(buffer.Read(out, 4), 0);
    EXPECT_EQ(buffer.Write("12345678", 8), 8);
}

TEST(TBuffer, SetBufSizeKeepsPendingBytesAndRefusesTooSmall) {
    TBuffer buffer(8);
    buffer.Write("abcdef", 6);
    buffer.Remove(1);
    buffer.SetBufSize(32);
    EXPECT_EQ(Pending(buffer), "bcdef");
    EXPECT_THROW(buffer.SetBufSize(4), std::invalid_argument);
    EXPECT_EQ(Pending(buffer), "bcdef");
    EXPECT_EQ(buffer.BufSize(), 32);
}

}  // namespace
}  // namespace vantorell::transport
