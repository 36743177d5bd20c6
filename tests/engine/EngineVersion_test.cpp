#include "engine/tqmh01/EngineVersion.h"

#include <gtest/gtest.h>

namespace vantorell {
namespace {

// The version comes from the marker the build embeds in the running program, the one the
// version readers find: this test program carries the build's version like every program.
TEST(EngineVersionTest, TheVersionIsTheEmbeddedMarker) {
    EXPECT_EQ(engineVersionText(), VANTORELL_VERSION_TEXT);
}

}  // namespace
}  // namespace vantorell
