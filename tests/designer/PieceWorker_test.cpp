#include "platform/PieceWorker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "designer/rtnReaderWriter/ChangeDigest.h"

namespace vantorell {
namespace {

// Fills `piece` with `used` copies of `c` and hands it over to be appended to `into`.
void handOverFilled(PieceWorker& worker, std::vector<char>& piece, std::size_t used, char c,
                    std::string& into) {
    if (piece.size() < used) {
        piece.resize(used);
    }
    std::fill_n(piece.begin(), used, c);
    worker.handOver(piece, used, [&into](std::string_view bytes) { into.append(bytes); });
}

TEST(PieceWorkerTest, TwoStreamsAreConsumedInTheOrderHandedOver) {
    PieceWorker worker;
    worker.finish();  // nothing handed over: no thread, nothing to wait for
    EXPECT_FALSE(worker.started());

    std::string first, second, expectedFirst, expectedSecond;
    std::vector<char> a(1000), b(300);
    for (int i = 0; i < 200; ++i) {
        const char c = static_cast<char>('a' + i % 26);
        const std::size_t used = static_cast<std::size_t>(1 + i * 7 % 1000);
        handOverFilled(worker, a, used, c, first);
        expectedFirst.append(used, c);
        EXPECT_EQ(a.size(), 1000u) << "a buffer of the same size comes back";
        handOverFilled(worker, b, 300, c, second);
        expectedSecond.append(300, c);
    }
    EXPECT_TRUE(worker.started());
    worker.finish();
    EXPECT_EQ(first, expectedFirst);
    EXPECT_EQ(second, expectedSecond);
}

TEST(PieceWorkerTest, AConsumersFailureReachesTheWriterAndStopsTheRest) {
    for (const int failing : {0, 5}) {
        PieceWorker worker;
        int consumed = 0;
        const auto consume = [&](std::string_view) {
            if (consumed == failing) {
                throw std::runtime_error("disk full");
            }
            ++consumed;
        };
        std::vector<char> piece(64, 'x');
        int handed = 0;
        bool raised = false;
        try {
            for (; handed < 1000; ++handed) {
                worker.handOver(piece, piece.size(), consume);
            }
            worker.finish();
        } catch (const std::runtime_error& e) {
            raised = true;
            EXPECT_STREQ(e.what(), "disk full");
        }
        ASSERT_TRUE(raised) << "failing piece " << failing;
        EXPECT_EQ(piece.size(), 64u) << "the refused piece is left to the writer";
        EXPECT_LT(handed, 1000) << "the writer learns of the failure while handing over";
        // Nothing after the failed piece is consumed, and the failure stays.
        EXPECT_EQ(consumed, failing);
        EXPECT_THROW(worker.finish(), std::runtime_error);
        EXPECT_THROW(worker.handOver(piece, piece.size(), consume), std::runtime_error);
        EXPECT_EQ(consumed, failing);
    }
}

// The digest hashed on the worker is the digest hashed on the calling thread, with records
// of every size, longer than a piece too.
TEST(PieceWorkerTest, DigestHashedOnTheWorkerIsTheSame) {
    ChangeDigest alone;
    PieceWorker worker;
    ChangeDigest alongside(&worker);
    for (int i = 0; i < 300000; ++i) {
        const std::size_t size =
            i % 1000 == 999 ? PieceWorker::kPieceSize + 17u : static_cast<std::size_t>(i % 97);
        const std::string record(size, static_cast<char>('a' + i % 26));
        alone.addRecord(record);
        alongside.addRecord(record);
    }
    EXPECT_TRUE(worker.started());
    EXPECT_EQ(alongside.finish(), alone.finish());
}

}  // namespace
}  // namespace vantorell
