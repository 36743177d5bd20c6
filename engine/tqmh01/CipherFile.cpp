// One cipher run: a file into the enciphered layout, or such a file back into its bytes.
#include <charconv>
#include <optional>
#include <string>

#include "engine/tqmh01/BlockLineDecoder.h"
#include "engine/tqmh01/BlockLineEncoder.h"
#include "engine/tqmh01/BlockWalk.h"
#include "engine/tqmh01/BodyBatches.h"
#include "engine/tqmh01/EncipherPipeline.h"
#include "engine/tqmh01/CipherRequest.h"
#include "engine/tqmh01/CipherRunError.h"
#include "engine/tqmh01/CipherStages.h"
#include "engine/tqmh01/EncipheredHeader.h"
#include "engine/tqmh01/KeyBlock.h"
#include "engine/tqmh01/KeyDerivation.h"
#include "engine/tqmh01/SourceFile.h"
#include "engine/tqmh01/StageChoice.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/PieceWorker.h"

namespace vantorell::engine {
namespace {

// The longest line kept whole when deciphering; every line of the layout is far shorter.
constexpr std::size_t kLineLimit = 4096;
// Encoded text is handed to the output once it holds this much.
constexpr std::size_t kEncodedChunk = 1 << 20;
constexpr unsigned kEncipheredMode = 0644;
// Deciphered files may hold what was protected ("temp.dat"), so they stay the user's own.
constexpr unsigned kDecipheredMode = 0600;

std::string_view bytesOf(const std::uint8_t* bytes, std::size_t count) {
    return {reinterpret_cast<const char*>(bytes), count};
}

KeyDerivationInput keyInput(const CipherRequest& request, const std::string& thirdKey,
                            const std::optional<LongNumber>& keyNumber, std::uint64_t length,
                            const CipherStageFlags& stages) {
    KeyDerivationInput in;
    in.firstKey = request.firstKey;
    in.secondKey = request.secondKey;
    in.thirdKey = thirdKey;
    in.secondKeyGiven = request.secondKeyGiven;
    in.noSecondKey = request.noSecondKey;
    in.keyNumber = keyNumber;
    in.xConstant = request.xConstant;
    in.keyVariant = request.keyVariant;
    in.fileLength = length;
    in.stages = stages;
    in.direction = request.direction;
    return in;
}

CipherKeyMaterial derive(const KeyDerivationInput& in) {
    try {
        return DeriveCipherKeys(in);
    } catch (const KeyDerivationError& e) {
        throw CipherRunError(CipherOutcome::KeyRefused, e.what());
    }
}

void encipher(const CipherRequest& request, SourceFile& source) {
    const std::uint64_t length = source.size();
    std::optional<EncipheringKeyBlock> keyBlock;
    std::string keyBlockText;
    if (request.keyBlockPresent) {
        keyBlock = EncipheringKeyNumbers(request);
        keyBlockText = longNumberToText(keyBlock->block);
    }
    const CipherStageFlags stageSet =
        ChooseCipherStages(request.stages, request.automaticStages, length, keyBlock.has_value());
    const CipherKeyMaterial material =
        derive(keyInput(request, request.thirdKey,
                        keyBlock ? std::optional<LongNumber>(keyBlock->keyNumber) : std::nullopt,
                        length, stageSet));
    CipherStages stages(material, stageSet, CipherDirection::Encipher);

    AtomicFile output(request.outputPath, kEncipheredMode);
    std::string text =
        EncipheredHeaderText(length, request.thirdKey, keyBlock ? &keyBlockText : nullptr);
    BlockLineEncoder encoder(text);
    // The chaining makes the blocks one stream, so this thread enciphers them all; the
    // encoding into lines and the writes are done by a worker meanwhile (and, with the main
    // layer alone, the reading and the conversions around the chain by others).
    // `encoder`, `text` and `output` belong to the worker until it is finished.
    PieceWorker worker;
    const PieceWorker::Consume encode = [&](std::string_view piece) {
        encoder.EncodeBlockLine(reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size());
        if (text.size() >= kEncodedChunk) {
            output.write(text);
            text.clear();
            // The commit waits for the disk: what is written goes there meanwhile.
            output.startWriteback();
        }
    };
    if (PipelinePays(stages, length)) {
        EncipherInPipeline(stages, source, length, worker, encode);
    } else {
        std::vector<char> piece(PieceWorker::kPieceSize);
        std::size_t used = 0;
        WalkBlocks(
            stages, length,
            [&](std::uint8_t* bytes, std::size_t count) { source.readExact(bytes, count); },
            [&](const std::uint8_t* bytes, std::size_t count) {
                while (count > 0) {
                    const std::size_t take = std::min(count, piece.size() - used);
                    std::copy_n(bytes, take, piece.data() + used);
                    used += take;
                    bytes += take;
                    count -= take;
                    if (used == piece.size()) {
                        worker.handOver(piece, used, encode);
                        used = 0;
                    }
                }
            });
        if (worker.started()) {
            worker.handOver(piece, used, encode);
            worker.finish();
        } else {
            encode(std::string_view(piece.data(), used));
        }
    }
    encoder.FlushBlockLine();
    text += std::to_string(encoder.checkValue()) + "\n";
    output.write(text);
    output.commit();
}

void copyThrough(const CipherRequest& request, SourceFile& source) {
    source.rewind();
    AtomicFile output(request.outputPath, kDecipheredMode);
    std::uint8_t buffer[1 << 16];
    for (;;) {
        const std::size_t got = source.readSome(buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        output.write(bytesOf(buffer, got));
    }
    output.commit();
}

int parseCheckValue(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        throw CipherRunError(CipherOutcome::MalformedInput,
                             "the body is not followed by its check value");
    }
    return value;
}

void decipher(const CipherRequest& request, SourceFile& source) {
    const auto nextLine = [&](std::string& line) { return source.readLine(line, kLineLimit); };
    const std::optional<EncipheredHeader> header = ReadEncipheredHeader(nextLine);
    if (!header) {
        copyThrough(request, source);
        return;
    }
    // Every byte of the body takes more than a character of the file, so a longer length is
    // the file's fault; refused here, it plans no work or memory by it.
    if (header->length > source.size() - source.position()) {
        const std::string length = std::to_string(header->length);
        throw CipherRunError(
            CipherOutcome::MalformedInput,
            "the header gives a length of " + length + " bytes, more than the file holds");
    }
    std::optional<LongNumber> keyNumber;
    if (header->keyBlock) {
        keyNumber = DecipheringKeyNumber(request, *header->keyBlock);
    }
    const CipherStageFlags stageSet = ChooseCipherStages(request.stages, request.automaticStages,
                                                         header->length, keyNumber.has_value());
    const CipherKeyMaterial material = derive(keyInput(
        request, header->thirdKey.value_or(request.thirdKey), keyNumber, header->length, stageSet));
    CipherStages stages(material, stageSet, CipherDirection::Decipher);

    std::optional<AtomicFile> output;
    std::optional<int> computed;
    const std::uint64_t bodyStart = source.position();
    // Batches change the stages only once they are all deciphered, so a body they cannot take
    // is read again line by line with the stages as they were.
    if (BatchesPay(stages, header->length)) {
        output.emplace(request.outputPath, kDecipheredMode);
        computed = DecipherBodyInBatches(stages, source, bodyStart, header->length, *output);
        if (!computed) {
            output.reset();
            source.seek(bodyStart);
        }
    }
    if (!computed) {
        output.emplace(request.outputPath, kDecipheredMode);
        BlockLineDecoder decoder(nextLine, header->length);
        WalkBlocks(
            stages, header->length,
            [&](std::uint8_t* bytes, std::size_t count) { decoder.read(bytes, count); },
            [&](const std::uint8_t* bytes, std::size_t count) {
                output->write(bytesOf(bytes, count));
            });
        computed = decoder.checkValue();
    }

    std::string line;
    if (!nextLine(line)) {
        throw CipherRunError(CipherOutcome::MalformedInput, "the file ends before its check value");
    }
    const int stored = parseCheckValue(line);
    while (nextLine(line)) {
        if (!line.empty()) {
            throw CipherRunError(CipherOutcome::MalformedInput, "text follows the check value");
        }
    }
    if (request.mismatchReport && *computed != stored) {
        // A text file of the system's own, so its line ends in CR LF.
        try {
            writeFileAtomically(request.mismatchReportPath,
                                std::to_string(*computed) + " " + std::to_string(stored) + "\r\n");
        } catch (const std::exception& e) {
            throw CipherRunError(CipherOutcome::OutputFailed, e.what());
        }
    }
    output->commit();
}

}  // namespace

CipherResult CipherFile(const CipherRequest& request) {
    try {
        if (sameFile(request.sourcePath, request.outputPath)) {
            return {CipherOutcome::SameFile,
                    "the source and the output are the same file: " + request.outputPath};
        }
        // The report replaces whatever its path names, so it may name neither file of the run.
        if (request.mismatchReport) {
            for (const std::string* file : {&request.sourcePath, &request.outputPath}) {
                if (sameFile(request.mismatchReportPath, *file)) {
                    return {CipherOutcome::SameFile, "the mismatch report would replace " + *file};
                }
            }
        }
        SourceFile source(request.sourcePath);
        if (request.direction == CipherDirection::Encipher) {
            encipher(request, source);
        } else {
            decipher(request, source);
        }
        return {};
    } catch (const CipherRunError& e) {
        return {e.outcome(), e.what()};
    } catch (const std::exception& e) {
        return {CipherOutcome::OutputFailed, e.what()};
    }
}

}  // namespace vantorell::engine
