#include "designer/rtnReaderWriter/RecordWriter.h"

#include <algorithm>

#include "common/Scrambler.h"
#include "platform/AtomicFile.h"

namespace vantorell {
namespace {

// Room in the output beyond a piece: a line of any record of a model fits.
constexpr std::size_t kOutputSpare = 4096;

// Two length characters of 94 values each.
constexpr std::size_t kLongestFrame = 94 * 94 - 1;

std::string quoted(std::string_view record) {
    return "\"" + std::string(record) + "\"";
}

bool carried(unsigned char code) {
    return code >= 32 && code <= 126;
}

// The character that begins at `at`, as a message names it: a UTF-8 character as it reads,
// a control character or a stray byte by its code.
std::string characterNamed(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return "the control character " + std::to_string(lead);
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    bool whole = length > 0 && at + length <= text.size();
    for (std::size_t k = 1; whole && k < length; ++k) {
        whole = (static_cast<unsigned char>(text[at + k]) & 0xC0) == 0x80;
    }
    if (!whole) {
        static const char kHex[] = "0123456789ABCDEF";
        return std::string("the byte 0x") + kHex[lead >> 4] + kHex[lead & 15];
    }
    return "\"" + std::string(text.substr(at, length)) + "\"";
}

}  // namespace

std::string strProtectedRecordRefusal(std::string_view record) {
    for (std::size_t at = 0; at < record.size(); ++at) {
        if (!carried(static_cast<unsigned char>(record[at]))) {
            return "The text " + quoted(record) +
                   " cannot be carried by a protected copy: it holds " +
                   characterNamed(record, at) +
                   ", and a protected copy holds only the characters from the blank to \"~\".";
        }
    }
    return std::string();
}

RecordWriter::RecordWriter(AtomicFile* file, std::string fileKey, bool includeInDigest)
    : file_(file), fileKey_(std::move(fileKey)) {
    if (includeInDigest) {
        digest_.emplace(&digestWorker_);
    }
    line_.reserve(kRecordLineLength);
    if (file_ != nullptr) {
        output_.resize(kOutputPiece + kOutputSpare);
    }
}

void RecordWriter::writeBlock(const RecordBuffer& block) {
    if (digest_) {
        block.forEachRecordPiece(
            [this](std::string_view records) { digest_->addPrefixed(records); });
    }
    if (file_ == nullptr) {
        return;
    }
    if (fileKey_.empty()) {
        block.forEachLinePiece([this](std::string_view lines) { appendBytes(lines); });
        return;
    }
    block.forEachRecordPiece([this](std::string_view records) {
        const char* at = records.data();
        const char* const end = at + records.size();
        while (at != end) {
            writeFramed(takeLengthPrefixed(at));
        }
    });
}

// Whole lines, handed to the file a piece at a time.
void RecordWriter::appendBytes(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t take = std::min(kOutputPiece - used_, bytes.size());
        std::memcpy(output_.data() + used_, bytes.data(), take);
        used_ += take;
        bytes.remove_prefix(take);
        if (used_ >= kOutputPiece) {
            handOutput();
        }
    }
}

// A line longer than the spare room grows the output to hold it.
void RecordWriter::makeRoom(std::size_t size) {
    output_.resize(used_ + size);
}

void RecordWriter::handOutput() {
    fileWorker_.handOver(output_, used_, [file = file_](std::string_view bytes) {
        file->write(bytes);
        file->startWriteback();
    });
    used_ = 0;
}

void RecordWriter::refuseLineBreak(std::string_view record) {
    throw ModelWriteError("The text " + quoted(record) +
                          " cannot be saved in a model file: it holds a line break.");
}

void RecordWriter::writeFramed(std::string_view record) {
    for (const char c : record) {
        if (!carried(static_cast<unsigned char>(c))) {
            throw ModelWriteError(strProtectedRecordRefusal(record));
        }
    }
    const std::string scrambled = strEncrypt(std::string(record), fileKey_);
    const std::size_t length = scrambled.size();
    if (length > kLongestFrame) {
        throw ModelWriteError("The text " + quoted(record) +
                              " is too long for a record of a protected copy.");
    }
    const char frame[2] = {static_cast<char>(length / 94 + 33),
                           static_cast<char>(length % 94 + 33)};
    appendToLine(std::string_view(frame, 2));
    appendToLine(scrambled);
}

void RecordWriter::appendToLine(std::string_view characters) {
    while (!characters.empty()) {
        const std::size_t take = std::min(kRecordLineLength - line_.size(), characters.size());
        line_.append(characters.substr(0, take));
        characters.remove_prefix(take);
        if (line_.size() == kRecordLineLength) {
            appendLine(strEncryptBlock(line_, fileKey_));
            line_.clear();
        }
    }
}

std::string RecordWriter::nulFinishChecksum() {
    if (file_ != nullptr) {
        if (!fileKey_.empty() && !line_.empty()) {
            appendLine(strEncryptBlock(line_, fileKey_));
            line_.clear();
        }
        // Every piece before the last is written first; the last is short, so it is written
        // here rather than handed over.
        fileWorker_.finish();
        file_->write(std::string_view(output_.data(), used_));
        used_ = 0;
    }
    return digest_ ? digest_->finish() : std::string();
}

}  // namespace vantorell
