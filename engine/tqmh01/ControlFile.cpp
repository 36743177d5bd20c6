#include "engine/tqmh01/ControlFile.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <optional>
#include <streambuf>

#include "platform/FileSystem.h"

namespace vantorell::engine {
namespace {

constexpr const char* kDefaultKeyText = "*";

// Optional blanks, an optional sign and decimal digits that fit 32 bits.
std::optional<std::int32_t> decimalValue(const std::string& text) {
    std::size_t begin = text.find_first_not_of(' ');
    const std::size_t end = text.find_last_not_of(' ') + 1;
    if (begin == std::string::npos) {
        return std::nullopt;
    }
    if (text[begin] == '+' && begin + 1 < end && text[begin + 1] != '-') {
        ++begin;
    }
    std::int32_t value = 0;
    const char* last = text.data() + end;
    const auto [ptr, ec] = std::from_chars(text.data() + begin, last, value);
    if (ec != std::errc() || ptr != last) {
        return std::nullopt;
    }
    return value;
}

// The control file's descriptor as a stream; a failed read ends the input and is kept.
class DescriptorInput : public std::streambuf {
public:
    explicit DescriptorInput(int fd) : fd_(fd) {}
    ~DescriptorInput() override { ::close(fd_); }
    DescriptorInput(const DescriptorInput&) = delete;
    DescriptorInput& operator=(const DescriptorInput&) = delete;

    int error() const { return error_; }

protected:
    int_type underflow() override {
        for (;;) {
            const ssize_t n = ::read(fd_, buffer_, sizeof buffer_);
            if (n > 0) {
                setg(buffer_, buffer_, buffer_ + n);
                return traits_type::to_int_type(buffer_[0]);
            }
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                error_ = errno;
            }
            return traits_type::eof();
        }
    }

private:
    int fd_;
    int error_ = 0;
    char buffer_[4096];
};

class ControlFileReader {
public:
    ControlFileReader(std::istream& in, ControlFileDecision& decision)
        : in_(in), decision_(decision), request_(decision.request) {}

    // False when the file is malformed; decision_.message says why.
    bool readTags() {
        std::string line;
        for (;;) {
            if (!next(line)) {
                return false;
            }
            if (atEnd_ || (!line.empty() && line[0] == 'E')) {
                return true;
            }
            if (!line.empty() && !readTag(line[0])) {
                return false;
            }
        }
    }

private:
    // The next line; at end of file an empty one, with atEnd_ set.
    bool next(std::string& line) {
        ++lineNumber_;
        switch (ReadLine(in_, line)) {
            case LineStatus::Line:
                return true;
            case LineStatus::EndOfFile:
                atEnd_ = true;
                line.clear();
                return true;
            case LineStatus::TooLong:
                return refuse("is longer than 255 characters");
            case LineStatus::HoldsNul:
                return refuse("holds a NUL character");
        }
        return false;
    }

    bool refuse(const std::string& why) {
        decision_.message = "line " + std::to_string(lineNumber_) + " of the control file " + why;
        return false;
    }

    bool value(std::string& target) { return next(target); }

    bool number(std::int32_t& target, const char* what) {
        std::string text;
        if (!next(text)) {
            return false;
        }
        const std::optional<std::int32_t> v = decimalValue(text);
        if (!v) {
            return refuse(std::string("is not a decimal ") + what);
        }
        target = *v;
        return true;
    }

    bool readTag(char tag) {
        const bool enciphering = request_.direction == CipherDirection::Encipher;
        int& mask = decision_.runMask;
        switch (tag) {
            case 'F':
                mask |= kSourceGiven;
                return value(request_.sourcePath);
            case 'O':
                mask |= kOutputGiven;
                return value(request_.outputPath);
            case 'P':
                mask |= kFirstKeyGiven;
                return value(request_.firstKey);
            case 'S':
                mask |= kSecondKeyGiven;
                request_.secondKeyGiven = true;
                return value(request_.secondKey);
            case 'T':
                mask |= kThirdKeyGiven;
                return value(request_.thirdKey);
            case 'K':
                mask |= kSecondKeyGiven;
                if (enciphering) {
                    request_.keyBlockPresent = true;
                    return value(request_.keyModulus) && value(request_.keyBlockBase) &&
                           value(request_.keyBase) && value(request_.keyExponent);
                }
                return value(request_.keyModulus) && value(request_.keyExponent);
            case 'L': {
                std::int32_t stages = 0;
                if (!number(stages, "stage number")) {
                    return false;
                }
                request_.stages.a = (stages & 1) != 0;
                request_.stages.c = (stages & 2) != 0;
                request_.stages.d = (stages & 4) != 0;
                request_.stages.b = (stages & 8) != 0;
                request_.automaticStages = false;
                return true;
            }
            case 'X':
                return number(request_.xConstant, "constant");
            case 'C':
                mask |= kFirstKeyGiven | kSecondKeyGiven | (enciphering ? kThirdKeyGiven : 0);
                request_.firstKey = request_.secondKey = request_.thirdKey = kDefaultKeyText;
                request_.stages = CipherStageFlags{};
                return true;
            default:
                return true;  // not a tag: skipped
        }
    }

    std::istream& in_;
    ControlFileDecision& decision_;
    CipherRequest& request_;
    int lineNumber_ = 0;
    bool atEnd_ = false;
};

}  // namespace

LineStatus ReadLine(std::istream& in, std::string& line) {
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    using Traits = std::streambuf::traits_type;
    bool sawLineFeed = false;
    for (;;) {
        const Traits::int_type c = buffer->sbumpc();
        if (Traits::eq_int_type(c, Traits::eof())) {
            break;
        }
        if (Traits::to_char_type(c) == '\n') {
            sawLineFeed = true;
            break;
        }
        line += Traits::to_char_type(c);
        // One more than the limit, and room for the CR of a CR LF.
        if (line.size() > kControlLineLimit + 1) {
            return LineStatus::TooLong;
        }
    }
    if (line.empty() && !sawLineFeed) {
        return LineStatus::EndOfFile;
    }
    if (sawLineFeed && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (line.size() > kControlLineLimit) {
        return LineStatus::TooLong;
    }
    if (line.find('\0') != std::string::npos) {
        return LineStatus::HoldsNul;
    }
    while (line.size() > 1 && static_cast<unsigned char>(line.back()) < 32) {
        line.pop_back();
    }
    return LineStatus::Line;
}

ControlFileDecision readControlFile(const CipherSwitches& switches) {
    ControlFileDecision decision;
    decision.runMask = switches.requestMask;
    if (switches.requestMask != (kDirectionGiven | kControlFileGiven) || !switches.direction) {
        decision.message = "a cipher run needs -d or -e and -f<control file>";
        return decision;
    }
    // A folder, a FIFO or a device is refused before anything is read from it.
    std::string why;
    const int fd = openRegularFileForReading(switches.controlFilePath, why);
    if (fd < 0) {
        decision.message = "cannot open the control file " + switches.controlFilePath + ": " + why;
        return decision;
    }
    DescriptorInput buffer(fd);
    std::istream in(&buffer);

    CipherRequest& request = decision.request;
    request.direction = *switches.direction;
    request.keyVariant = switches.keyVariant;
    request.mismatchReport = switches.mismatchReport;
    request.mismatchReportPath = switches.mismatchReportPath;
    const bool wellFormed = ControlFileReader(in, decision).readTags();
    if (buffer.error() != 0) {
        decision.message = "cannot read the control file " + switches.controlFilePath + ": " +
                           std::strerror(buffer.error());
        return decision;
    }
    if (!wellFormed) {
        decision.verdict = ControlVerdict::Refused;
        return decision;
    }

    // F, O and P alone: the built-in texts stand in for the second key text.
    if ((decision.runMask & 63) == 31) {
        request.noSecondKey = true;
        decision.runMask |= kSecondKeyGiven;
    }
    const int wanted =
        request.direction == CipherDirection::Encipher ? kEncipherRunMask : kDecipherRunMask;
    if (decision.runMask != wanted) {
        decision.message = "the control file does not ask for a complete run (run mask " +
                           std::to_string(decision.runMask) + ")";
        return decision;
    }
    decision.verdict = ControlVerdict::Run;
    return decision;
}

}  // namespace vantorell::engine
