#include "designer/rtnReaderWriter/RecordWriter.h"

#include "common/Scrambler.h"
#include "platform/AtomicFile.h"

namespace vantorell {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Lines are collected and handed to the file in pieces of this size.
constexpr std::size_t kOutputChunk = 1 << 18;

// Two length characters of 94 values each.
constexpr std::size_t kLongestFrame = 94 * 94 - 1;

std::string quoted(std::string_view record) {
    return "\"" + std::string(record) + "\"";
}

}  // namespace

RecordWriter::RecordWriter(AtomicFile* file, std::string fileKey, bool includeInDigest)
    : file_(file), fileKey_(std::move(fileKey)) {
    if (includeInDigest) {
        digest_.emplace();
    }
    line_.reserve(kRecordLineLength);
    if (file_ != nullptr) {
        output_.reserve(kOutputChunk + 2 * kRecordLineLength);
    }
}

void RecordWriter::nulWriteRecord(std::string_view record) {
    if (digest_) {
        digest_->addRecord(record);
    }
    if (file_ == nullptr) {
        return;
    }
    if (fileKey_.empty()) {
        for (const char c : record) {
            if (c == '\r' || c == '\n') {
                throw ModelWriteError("The text " + quoted(record) +
                                      " cannot be saved in a model file: it holds a line break.");
            }
        }
        output_.append(record);
        output_.append(kLineEnd);
    } else {
        writeFramed(record);
    }
    if (output_.size() >= kOutputChunk) {
        file_->write(output_);
        output_.clear();
    }
}

void RecordWriter::writeFramed(std::string_view record) {
    for (const char c : record) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code > 126) {
            throw ModelWriteError("The text " + quoted(record) +
                                  " cannot be carried by a protected copy: it may hold only the "
                                  "characters from the blank to \"~\".");
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
            output_.append(strEncryptBlock(line_, fileKey_));
            output_.append(kLineEnd);
            line_.clear();
        }
    }
}

std::string RecordWriter::nulFinishChecksum() {
    if (file_ != nullptr) {
        if (!fileKey_.empty() && !line_.empty()) {
            output_.append(strEncryptBlock(line_, fileKey_));
            output_.append(kLineEnd);
            line_.clear();
        }
        file_->write(output_);
        output_.clear();
    }
    return digest_ ? digest_->finish() : std::string();
}

}  // namespace vantorell
