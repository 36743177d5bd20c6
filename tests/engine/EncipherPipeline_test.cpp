// Enciphering with the main layer alone on worker threads: the bytes handed to the output
// and the chaining block left behind are what one thread walking the blocks gives, wherever
// the jobs, the output's pieces and the tail end; a source that ends early fails the run.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tqmh01/BlockWalk.h"
#include "engine/tqmh01/CipherRunError.h"
#include "engine/tqmh01/EncipherPipeline.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/RandomBytes.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

constexpr CipherStageFlags kMainLayerAlone{true, false, false, false};
// The blocks of a job and of an output piece.
constexpr std::size_t kJobBytes = kPipelineJobBlocks * kFeistelBlock;
constexpr std::size_t kPieceBytes = kPipelinePieceBlocks * kFeistelBlock;

CipherKeyMaterial material(std::uint64_t length) {
    return DeriveCipherKeys(test::keyInput(length, kMainLayerAlone, CipherDirection::Encipher));
}

struct Output {
    std::string bytes;
    std::array<std::uint8_t, kFeistelBlock> chaining{};
};

Output walked(const CipherKeyMaterial& keys, const std::string& path, std::uint64_t length) {
    SourceFile source(path);
    CipherStages stages(keys, kMainLayerAlone, CipherDirection::Encipher);
    Output run;
    WalkBlocks(
        stages, length,
        [&](std::uint8_t* bytes, std::size_t count) { source.readExact(bytes, count); },
        [&](const std::uint8_t* bytes, std::size_t count) {
            run.bytes.append(reinterpret_cast<const char*>(bytes), count);
        });
    run.chaining = stages.chaining();
    return run;
}

Output pipelined(const CipherKeyMaterial& keys, const SourceFile& source, std::uint64_t length) {
    CipherStages stages(keys, kMainLayerAlone, CipherDirection::Encipher);
    EXPECT_TRUE(PipelinePays(stages, length));
    Output run;
    PieceWorker worker;
    EncipherInPipeline(stages, source, length, worker,
                       [&](std::string_view piece) { run.bytes.append(piece); });
    run.chaining = stages.chaining();
    return run;
}

TEST(EncipherPipelineTest, GivesWhatOneThreadGives) {
    // The least length it takes, over several jobs and output pieces; a tail of 17 to 31
    // bytes after the blocks, or none.
    for (const std::size_t size : {4 * kJobBytes, 4 * kJobBytes + 17, 3 * kPieceBytes + 31,
                                   2 * kPieceBytes + 2 * kJobBytes + 16,
                                   7 * kJobBytes + 5}) {
        test::TempFolder folder;
        const std::string path = folder.write("plain", test::randomBytes(size, size % 977));
        const CipherKeyMaterial keys = material(size);
        const Output one = walked(keys, path, size);
        const Output many = pipelined(keys, SourceFile(path), size);
        EXPECT_TRUE(many.bytes == one.bytes) << size;
        EXPECT_EQ(many.chaining, one.chaining) << size;
    }
}

TEST(EncipherPipelineTest, ASourceThatEndsEarlyFailsTheRun) {
    test::TempFolder folder;
    const std::size_t size = 8 * kJobBytes;
    const std::string path = folder.write("plain", test::randomBytes(size, 3));
    const SourceFile source(path);
    ASSERT_EQ(::truncate(path.c_str(), 5 * kJobBytes + 100), 0);
    const CipherKeyMaterial keys = material(size);
    CipherStages stages(keys, kMainLayerAlone, CipherDirection::Encipher);
    PieceWorker worker;
    EXPECT_THROW(EncipherInPipeline(stages, source, size, worker, [](std::string_view) {}),
                 CipherRunError);
}

}  // namespace
}  // namespace vantorell::engine
