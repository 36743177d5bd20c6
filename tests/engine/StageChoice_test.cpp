#include "engine/tqmh01/StageChoice.h"

#include <gtest/gtest.h>

#include <string>

namespace vantorell::engine {
namespace {

std::string letters(const CipherStageFlags& s) {
    std::string text;
    text += s.a ? "A" : "";
    text += s.b ? "B" : "";
    text += s.c ? "C" : "";
    text += s.d ? "D" : "";
    return text;
}

TEST(StageChoiceTest, AutomaticChoiceAtEveryThreshold) {
    struct Case {
        std::uint64_t length;
        const char* stages;
    } cases[] = {
        {0, "CD"},     {15, "CD"},      {16, "ABCD"},   {8426, "ABCD"},
        {8427, "ABC"}, {50130, "ABC"},  {50131, "ACD"}, {80204, "ACD"},
        {80205, "AC"}, {3414205, "AC"}, {3414206, "A"}, {1ULL << 40, "A"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(letters(ChooseCipherStages({}, true, c.length, false)), c.stages) << c.length;
        // A key block moves every threshold but the first up by 10402.
        const std::uint64_t shifted = c.length < 16 ? c.length : c.length + 10402;
        EXPECT_EQ(letters(ChooseCipherStages({}, true, shifted, true)), c.stages) << shifted;
    }
}

TEST(StageChoiceTest, ShortFilesIgnoreTheRequestedStages) {
    EXPECT_EQ(letters(ChooseCipherStages({true, true, false, false}, false, 15, false)), "CD");
    // The same request on a file of one whole block stands as given.
    EXPECT_EQ(letters(ChooseCipherStages({true, true, false, false}, false, 16, false)), "AB");
    EXPECT_EQ(letters(ChooseCipherStages({}, false, 1000, false)), "");
}

}  // namespace
}  // namespace vantorell::engine
