#include "engine/tqmh01/KeyStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace vantorell::engine {
namespace {

// Expected bytes come from a separate model of the generator written in Python.
TEST(KeyStreamTest, SeededAsTheKeyDerivationDoesIt) {
    KeyStream stream;
    std::vector<int> got = {stream.next(987654), stream.next(-1452700123), stream.next(-1)};
    for (int i = 0; i < 24; ++i) {
        got.push_back(stream.draw());
    }
    const std::vector<int> expected = {0,   58,  144, 115, 220, 33,  193, 134, 37,
                                       95,  127, 167, 142, 110, 31,  244, 68,  223,
                                       214, 163, 26,  72,  102, 136, 201, 144, 219};
    EXPECT_EQ(got, expected);
}

TEST(KeyStreamTest, EverySeedingBranch) {
    KeyStream stream;
    const std::vector<std::int32_t> arguments = {0,
                                                 -300001,
                                                 -700002,
                                                 -2000000003,
                                                 std::numeric_limits<std::int32_t>::max(),
                                                 std::numeric_limits<std::int32_t>::min()};
    std::vector<int> got;
    for (const std::int32_t a : arguments) {
        got.push_back(stream.next(a));
    }
    for (int i = 0; i < 8; ++i) {
        got.push_back(stream.next(0));
    }
    const std::vector<int> expected = {155, 153, 153, 17,  127, 0, 79,
                                       115, 250, 179, 230, 88,  8, 229};
    EXPECT_EQ(got, expected);
}

TEST(KeyStreamTest, SameSeedsGiveTheSameBytes) {
    KeyStream a;
    KeyStream b;
    for (KeyStream* s : {&a, &b}) {
        s->next(424242);
        s->next(-1452800000);
        s->next(-1);
    }
    for (int i = 0; i < 10000; ++i) {
        ASSERT_EQ(a.draw(), b.draw()) << i;
    }
}

}  // namespace
}  // namespace vantorell::engine
