#include "designer/rtnReaderWriter/RecordReader.h"

#include <cstring>
#include <utility>

#include "common/Scrambler.h"
#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/ModelFileError.h"

namespace vantorell {
namespace {

constexpr int kDebugPlainRecords = 512;
constexpr int kDebugRecordLayer = 1024;
constexpr int kLengthBase = 94;
constexpr unsigned char kLengthZero = 33;

std::string undecipherable(const RecordSource& source, int line, const char* what) {
    return "Line " + std::to_string(line) + " of the model file \"" + source.fileName() +
           "\" cannot be deciphered: " + what + ".";
}

}  // namespace

RecordSource::RecordSource(std::string text, std::string fileKey, int debugMask,
                           std::string fileName)
    : text_(std::move(text)),
      fileKey_(std::move(fileKey)),
      debugMask_(debugMask),
      fileName_(std::move(fileName)) {}

bool RecordSource::nextLine(std::string_view& line) {
    if (next_ >= text_.size()) {
        return false;
    }
    const char* start = text_.data() + next_;
    const std::size_t rest = text_.size() - next_;
    const void* found = std::memchr(start, '\n', rest);
    std::size_t length = found != nullptr ? static_cast<const char*>(found) - start : rest;
    next_ += found != nullptr ? length + 1 : length;
    if (length > 0 && start[length - 1] == '\r') {
        --length;
    }
    line = std::string_view(start, length);
    ++linesRead_;
    return true;
}

bool nulReadRecord(RecordSource& source, std::string& record) {
    record.clear();
    const int mask = source.debugMask();
    std::string_view line;
    if (source.fileKey().empty()) {
        if (!source.nextLine(line)) {
            return false;
        }
        source.recordLine_ = source.linesRead_;
        record.assign(line);
        if ((mask & kDebugPlainRecords) != 0) {
            nulDebugMessage("Read: " + record, kDebugPlainRecords, mask);
        }
        return true;
    }

    // Record layer: two length characters, then the enciphered record.
    int state = 1;
    std::size_t length = 0;
    std::string framed;
    bool started = false;
    while (state != 3 || framed.size() < length) {
        if (source.position_ >= source.currentLine_.size()) {
            if (!source.nextLine(line)) {
                return false;
            }
            if ((mask & kDebugRecordLayer) != 0) {
                nulDebugMessage("Decrypting " + std::string(line), kDebugRecordLayer, mask);
            }
            try {
                source.currentLine_ = strDecryptBlock(std::string(line), source.fileKey());
            } catch (const ScramblerError& e) {
                throw ModelFileError(undecipherable(source, source.linesRead_, e.what()));
            }
            if ((mask & kDebugRecordLayer) != 0) {
                nulDebugMessage("to obtain " + source.currentLine_, kDebugRecordLayer, mask);
            }
            source.position_ = 0;
            continue;
        }
        if (!started) {
            source.recordLine_ = source.linesRead_;
            started = true;
        }
        const auto c = static_cast<unsigned char>(source.currentLine_[source.position_++]);
        if (state == 1) {
            length = static_cast<std::size_t>(c - kLengthZero) * kLengthBase;
            state = 2;
        } else if (state == 2) {
            length += c - kLengthZero;
            state = 3;
            framed.reserve(length);
            if ((mask & kDebugRecordLayer) != 0) {
                nulDebugMessage("Length characters indicate length of: " + std::to_string(length),
                                kDebugRecordLayer, mask);
            }
        } else {
            framed += static_cast<char>(c);
        }
    }
    if ((mask & kDebugRecordLayer) != 0) {
        nulDebugMessage("Detected record: " + framed, kDebugRecordLayer, mask);
    }
    try {
        record = strDecrypt(framed, source.fileKey());
    } catch (const ScramblerError& e) {
        throw ModelFileError(undecipherable(source, source.recordLine_, e.what()));
    }
    if ((mask & kDebugRecordLayer) != 0) {
        nulDebugMessage("Read and decrypted with " + source.fileKey() + " : " + record,
                        kDebugRecordLayer, mask);
    }
    return true;
}

bool nulReadRecordSkipComments(RecordSource& source, std::string& record) {
    while (nulReadRecord(source, record)) {
        if (record.empty() || record.front() != '<') {
            return true;
        }
    }
    return false;
}

}  // namespace vantorell
