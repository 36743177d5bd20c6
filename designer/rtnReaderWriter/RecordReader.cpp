#include "designer/rtnReaderWriter/RecordReader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "common/Scrambler.h"
#include "common/ShortString.h"
#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/ModelFileError.h"

namespace vantorell {
namespace {

constexpr int kLengthBase = 94;
constexpr unsigned char kLengthZero = 33;
// Lines are taken from a buffer of this size at most (a small file fits whole).
constexpr std::size_t kBufferBytes = 64 * 1024;
constexpr std::size_t kSmallestBuffer = 256;

std::string undecipherable(const RecordSource& source, int line, const char* what) {
    return "Line " + std::to_string(line) + " of the model file \"" + source.fileName() +
           "\" cannot be deciphered: " + what + ".";
}

// Long records are cut in the message, which only has to let the user find the line.
constexpr std::size_t kQuotedRecordLimit = 80;

}  // namespace

std::string quotedRecord(std::string_view record) {
    std::string quoted = cutUtf8(record, kQuotedRecordLimit);
    for (char& c : quoted) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') {
            c = '?';
        }
    }
    if (quoted.size() < record.size()) {
        quoted += "...";
    }
    return "\"" + quoted + "\"";
}

RecordSource RecordSource::open(const std::string& path, std::string fileKey, int debugMask,
                                const std::string& fileName) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    struct stat info {};
    if (file == nullptr || ::fstat(::fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        const std::string reason = std::strerror(file == nullptr ? errno : EISDIR);
        if (file != nullptr) {
            std::fclose(file);
        }
        throw ModelFileError("The model file \"" + fileName + "\" cannot be read: " + reason + ".");
    }
    return RecordSource(file, static_cast<std::size_t>(info.st_size), std::move(fileKey), debugMask,
                        fileName);
}

RecordSource::RecordSource(std::string text, std::string fileKey, int debugMask,
                           std::string fileName)
    : buffer_(std::move(text)),
      end_(buffer_.size()),
      fileBytes_(buffer_.size()),
      fileKey_(std::move(fileKey)),
      debugMask_(debugMask),
      fileName_(std::move(fileName)) {}

RecordSource::RecordSource(std::FILE* file, std::size_t fileBytes, std::string fileKey,
                           int debugMask, std::string fileName)
    : file_(file),
      buffer_(std::clamp(fileBytes + 1, kSmallestBuffer, kBufferBytes), '\0'),
      fileBytes_(fileBytes),
      fileKey_(std::move(fileKey)),
      debugMask_(debugMask),
      fileName_(std::move(fileName)) {}

RecordSource::RecordSource(RecordSource&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)),
      buffer_(std::move(other.buffer_)),
      next_(other.next_),
      end_(other.end_),
      fileBytes_(other.fileBytes_),
      fileKey_(std::move(other.fileKey_)),
      debugMask_(other.debugMask_),
      fileName_(std::move(other.fileName_)),
      linesRead_(other.linesRead_),
      recordLine_(other.recordLine_),
      currentLine_(std::move(other.currentLine_)),
      position_(other.position_),
      framed_(std::move(other.framed_)),
      record_(std::move(other.record_)) {}

RecordSource::~RecordSource() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool RecordSource::refill() {
    if (file_ == nullptr) {
        return false;
    }
    if (next_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + next_, end_ - next_);
        end_ -= next_;
        next_ = 0;
    }
    if (end_ == buffer_.size()) {
        buffer_.resize(buffer_.size() * 2);  // a line longer than the buffer
    }
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    if (got == 0 && std::ferror(file_) != 0) {
        throw ModelFileError("The model file \"" + fileName_ + "\" cannot be read after line " +
                             std::to_string(linesRead_) + ".");
    }
    end_ += got;
    return got > 0;
}

bool RecordSource::nextLine(std::string_view& line) {
    const void* found = nullptr;
    std::size_t scanned = next_;
    for (;;) {
        found = std::memchr(buffer_.data() + scanned, '\n', end_ - scanned);
        if (found != nullptr) {
            break;
        }
        scanned = end_ - next_;  // the part already searched, once moved to the front
        if (!refill()) {
            break;
        }
    }
    if (found == nullptr && next_ == end_) {
        return false;
    }
    const char* start = buffer_.data() + next_;
    std::size_t length = found != nullptr
                             ? static_cast<std::size_t>(static_cast<const char*>(found) - start)
                             : end_ - next_;
    next_ += found != nullptr ? length + 1 : length;
    if (length > 0 && start[length - 1] == '\r') {
        --length;
    }
    line = std::string_view(start, length);
    ++linesRead_;
    return true;
}

bool RecordSource::nextPlainRecord(std::string_view& record) {
    if (!nextLine(record)) {
        record = std::string_view();
        return false;
    }
    recordLine_ = linesRead_;
    if ((debugMask_ & kDebugPlainRecords) != 0) {
        nulDebugMessage("Read: " + std::string(record), kDebugPlainRecords, debugMask_);
    }
    // A carriage return that does not end the line would end up in a name that no save
    // can write back.
    if (record.find('\r') != std::string_view::npos) {
        throw ModelFileError("The record " + quotedRecord(record) + " on line " +
                             std::to_string(recordLine_) + " of the model file \"" + fileName_ +
                             "\" holds a line break.");
    }
    return true;
}

bool flgReadRecordView(RecordSource& source, std::string_view& record) {
    if (source.fileKey().empty()) {
        return source.nextPlainRecord(record);
    }
    record = std::string_view();
    const int mask = source.debugMask();
    std::string_view line;

    // Record layer: two length characters, then the enciphered record.
    int state = 1;
    std::size_t length = 0;
    std::string& framed = source.framed_;
    framed.clear();
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
        source.record_ = strDecrypt(framed, source.fileKey());
    } catch (const ScramblerError& e) {
        throw ModelFileError(undecipherable(source, source.recordLine_, e.what()));
    }
    record = source.record_;
    if ((mask & kDebugRecordLayer) != 0) {
        nulDebugMessage("Read and decrypted with " + source.fileKey() + " : " + source.record_,
                        kDebugRecordLayer, mask);
    }
    return true;
}

bool flgReadRecordViewSkipComments(RecordSource& source, std::string_view& record) {
    if (source.fileKey().empty()) {
        while (source.nextPlainRecord(record)) {
            if (record.empty() || record.front() != '<') {
                return true;
            }
        }
        return false;
    }
    while (flgReadRecordView(source, record)) {
        if (record.empty() || record.front() != '<') {
            return true;
        }
    }
    return false;
}

bool nulReadRecord(RecordSource& source, std::string& record) {
    std::string_view view;
    const bool read = flgReadRecordView(source, view);
    record.assign(view);
    return read;
}

bool nulReadRecordSkipComments(RecordSource& source, std::string& record) {
    std::string_view view;
    const bool read = flgReadRecordViewSkipComments(source, view);
    record.assign(view);
    return read;
}

}  // namespace vantorell
