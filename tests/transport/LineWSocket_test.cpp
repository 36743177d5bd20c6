// Line mode on a socket fed by a peer on 127.0.0.1, one read at a time.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "tests/support/LoopbackPeer.h"
#include "tests/support/SocketRecorder.h"
#include "transport/WSocket/WSocket.h"

namespace vantorell::transport {
namespace {

using test::kSocketDeadline;
using test::waitUntil;
using Texts = std::vector<std::string>;

// Shows what line mode holds and what waits in the socket.
class ProbeSocket : public TWSocket {
public:
    std::size_t Buffered() const { return FRcvdBuf.Count(); }
    int Waiting() { return TCustomSocksWSocket::GetRcvdCount(); }
};

class LineMode : public ::testing::Test {
protected:
    void SetUp() override {
        client.OnDataAvailable = [this](TObject*, TWord) { reads.push_back(client.ReceiveStr()); };
        client.SetLineMode(true);
        client.SetAddr("127.0.0.1");
        client.SetPort(peer.portText());
        client.Connect();
        ASSERT_TRUE(peer.accept(kSocketDeadline));
        ASSERT_TRUE(waitUntil([&] { return client.State() == wsConnected; }));
    }
    // Sends and waits until the client has read it all from the socket: one read.
    bool deliver(const std::string& bytes) {
        return peer.sendAll(bytes) && waitUntil([&] {
                   return client.HSocket() == INVALID_SOCKET || client.Waiting() == 0;
               });
    }

    test::LoopbackPeer peer;
    ProbeSocket client;
    test::SocketRecorder events{client};
    Texts reads;
};

TEST_F(LineMode, TwoLinesInOneReadAreTwoEvents) {
    ASSERT_TRUE(deliver("alpha\r\nbeta\r\n"));
    EXPECT_EQ(reads, (Texts{"alpha\r\n", "beta\r\n"}));
    EXPECT_EQ(client.ReadCount(), 13);
    EXPECT_EQ(client.Buffered(), 0u);
}

TEST_F(LineMode, LineEndSplitOverTwoReadsIsFound) {
    ASSERT_TRUE(deliver("abc\r"));
    EXPECT_TRUE(reads.empty());
    EXPECT_EQ(client.Buffered(), 4u);
    ASSERT_TRUE(deliver("\ndef"));
    EXPECT_EQ(reads, Texts{"abc\r\n"});
    EXPECT_EQ(client.Buffered(), 3u);

    client.SetLineEnd(".");
    ASSERT_TRUE(deliver("g."));
    EXPECT_EQ(reads, (Texts{"abc\r\n", "defg."}));
}

TEST_F(LineMode, LongLineEndSplitAtEveryPositionIsFound) {
    client.SetLineEnd("\r\n.\r\n");
    const std::string line = "text\r\n.\r\n";
    for (std::size_t cut = 4; cut < line.size(); ++cut) {
        SCOPED_TRACE(cut);
        reads.clear();
        ASSERT_TRUE(deliver(line.substr(0, cut)));
        EXPECT_TRUE(reads.empty());
        ASSERT_TRUE(deliver(line.substr(cut) + "next"));
        EXPECT_EQ(reads, Texts{line});
        ASSERT_TRUE(deliver("\r\n.\r\n"));
        EXPECT_EQ(reads, (Texts{line, "next\r\n.\r\n"}));
    }
    EXPECT_EQ(client.Buffered(), 0u);
}

TEST_F(LineMode, LineLongerThanAnyReadComesWhole) {
    client.SetLineLimit(0);
    std::string line;
    for (int i = 0; i < 8; ++i) {
        const std::string piece(16384, static_cast<char>('a' + i));
        ASSERT_TRUE(deliver(piece));
        line += piece;
    }
    EXPECT_TRUE(reads.empty());
    EXPECT_EQ(client.Buffered(), line.size());
    ASSERT_TRUE(deliver("\r\nshort\r\n"));
    EXPECT_EQ(reads, (Texts{line + "\r\n", "short\r\n"}));
    EXPECT_EQ(client.Buffered(), 0u);
}

TEST_F(LineMode, LineLimitReportsTheCountAndDropsUnlessKept) {
    client.SetLineLimit(10);
    std::vector<int> exceeded;
    bool keep = true;
    client.OnLineLimitExceeded = [&](TObject*, int count, bool& clear) {
        exceeded.push_back(count);
        clear = !keep;
    };
    // Exactly at the limit nothing is reported.
    ASSERT_TRUE(deliver("0123456789"));
    EXPECT_TRUE(exceeded.empty());
    ASSERT_TRUE(deliver("A"));
    EXPECT_EQ(exceeded, std::vector<int>{11});
    EXPECT_EQ(client.Buffered(), 11u);
    keep = false;
    ASSERT_TRUE(deliver("B"));
    EXPECT_EQ(exceeded, (std::vector<int>{11, 12}));
    EXPECT_EQ(client.Buffered(), 0u);
    ASSERT_TRUE(deliver("xy\r\n"));
    EXPECT_EQ(reads, Texts{"xy\r\n"});
}

TEST_F(LineMode, LineReadInPartsThenTheNextLine) {
    client.OnDataAvailable = [&](TObject*, TWord) {
        std::string part(4, '\0');
        part.resize(static_cast<std::size_t>(client.Receive(part.data(), 4)));
        reads.push_back(part);
    };
    ASSERT_TRUE(deliver("abcdef\r\nghijkl\r\n"));
    EXPECT_EQ(reads, (Texts{"abcd", "ef\r\n", "ghij", "kl\r\n"}));
}

TEST_F(LineMode, SwitchedOffInsideTheHandlerTheRestGoesToPlainReads) {
    struct Case {
        int firstRead;  // bytes the handler takes of the first line before switching
        Texts reads;
    };
    for (const Case& c :
         {Case{100, {"first\r\n", "second\r\nthi"}}, Case{3, {"fir", "st\r\nsecond\r\nthi"}}}) {
        SCOPED_TRACE(c.firstRead);
        reads.clear();
        client.OnDataAvailable = [&](TObject*, TWord) {
            std::string text(client.LineMode() ? c.firstRead : 100, '\0');
            text.resize(static_cast<std::size_t>(
                client.Receive(text.data(), static_cast<int>(text.size()))));
            reads.push_back(text);
            client.SetLineMode(false);
        };
        ASSERT_TRUE(deliver("first\r\nsecond\r\nthi"));
        ASSERT_TRUE(waitUntil([&] { return reads.size() == 2; }));
        EXPECT_EQ(reads, c.reads);
        client.SetLineMode(true);
    }
}

TEST_F(LineMode, UnterminatedLastLineComesOnceAtTheClose) {
    ASSERT_TRUE(deliver("done\r\nrest"));
    peer.closeConnection();
    ASSERT_TRUE(events.waitFor("closed 0"));
    EXPECT_EQ(reads, (Texts{"done\r\n", "rest"}));
    EXPECT_EQ(events.count("closed 0"), 1);
}

TEST_F(LineMode, WithoutAReaderLinesAreDroppedAndTheRestWaits) {
    client.OnDataAvailable = nullptr;
    ASSERT_TRUE(deliver("a\r\nb\r\npartial"));
    EXPECT_EQ(client.Buffered(), 7u);
    // Off with nobody to read: the offer stops instead of going round.
    client.SetLineMode(false);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(client.Buffered(), 7u);
    std::string plain;
    client.OnDataAvailable = [&](TObject*, TWord) {
        char buffer[100];
        const int n = client.Receive(buffer, sizeof buffer);
        plain.append(buffer, static_cast<std::size_t>(std::max(n, 0)));
    };
    ASSERT_TRUE(deliver("X"));
    EXPECT_EQ(plain, "partialX");
}

TEST_F(LineMode, EchoAndEditing) {
    client.SetLineEcho(true);
    client.SetLineEdit(true);
    ASSERT_TRUE(deliver("ab\tc\bd\r\n"));
    EXPECT_EQ(reads, Texts{"ab      d\r\n"});
    std::string echo;
    ASSERT_TRUE(peer.read(echo, 15, kSocketDeadline));
    EXPECT_EQ(echo, "ab      c\b \bd\r\n");

    // Echo alone sends the bytes back as they came.
    client.SetLineEdit(false);
    ASSERT_TRUE(deliver("x\ty\r\n"));
    echo.clear();
    ASSERT_TRUE(peer.read(echo, 5, kSocketDeadline));
    EXPECT_EQ(echo, "x\ty\r\n");
    EXPECT_EQ(reads.back(), "x\ty\r\n");
}

}  // namespace
}  // namespace vantorell::transport
