#pragma once
// Enciphering a large file with the main layer alone on three threads. The chaining makes
// the rounds one stream, but turning blocks into the chain's images and back depends on
// nothing but the block: a worker reads the blocks and turns them into images, the calling
// thread takes the images through the chain one after the other, and the output's worker
// turns them back into blocks before it encodes them.

#include <cstdint>

#include "engine/tqmh01/CipherStages.h"
#include "engine/tqmh01/SourceFile.h"
#include "platform/PieceWorker.h"

namespace vantorell::engine {

// The blocks a worker reads and turns into images at a time. Waking a waiting thread takes
// about as long as enciphering a few hundred blocks, so work goes from thread to thread in
// large pieces; the images of a few jobs still stay in the second-level cache.
inline constexpr std::uint64_t kPipelineJobBlocks = 16384;
// The enciphered blocks handed to the output's worker at a time.
inline constexpr std::size_t kPipelinePieceBlocks = 65536;

// True when a file of `length` bytes is worth enciphering so with these stages.
bool PipelinePays(const CipherStages& stages, std::uint64_t length);

// Enciphers the `length` bytes of `source` from its start, whole blocks and tail, as
// WalkBlocks does, and hands them to `worker` in their order, each piece of bytes to
// `encode`; returns once the worker has consumed them all.
void EncipherInPipeline(CipherStages& stages, const SourceFile& source, std::uint64_t length,
                        PieceWorker& worker, const PieceWorker::Consume& encode);

}  // namespace vantorell::engine
