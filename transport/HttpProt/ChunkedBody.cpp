#include "transport/HttpProt/ChunkedBody.h"

#include <algorithm>

#include "transport/HttpProt/UrlRoutines.h"

namespace vantorell::transport {
namespace {

constexpr std::size_t kMaxLine = 4096;
constexpr std::size_t kMaxTrailer = 65536;
constexpr int kMaxSizeDigits = 15;  // below 2^60: no overflow

}  // namespace

void TChunkedBody::Reset() {
    FStage = Stage::Size;
    FLine.clear();
    FLeft = 0;
    FTrailer = 0;
    FError.clear();
}

TChunkedBody::TResult TChunkedBody::Fail(const std::string& Why) {
    FStage = Stage::Failed;
    FError = Why;
    return chkError;
}

// The size line held in FLine (without its line end): hex digits, then optionally blanks
// and ";" extensions.
bool TChunkedBody::SizeLine() {
    std::size_t i = 0;
    std::uint64_t size = 0;
    while (i < FLine.size() && IsXDigit(FLine[i])) {
        if (i == kMaxSizeDigits) {
            return false;
        }
        size = size * 16 + static_cast<std::uint64_t>(XDigit(FLine[i]));
        ++i;
    }
    if (i == 0) {
        return false;
    }
    while (i < FLine.size() && (FLine[i] == ' ' || FLine[i] == '\t')) {
        ++i;
    }
    if (i < FLine.size() && FLine[i] != ';') {
        return false;
    }
    FLeft = size;
    return true;
}

TChunkedBody::TResult TChunkedBody::Feed(const char* Data, std::size_t Len, const TSink& Sink) {
    std::size_t i = 0;
    while (i < Len) {
        switch (FStage) {
            case Stage::Finished:
                return chkDone;
            case Stage::Failed:
                return chkError;
            case Stage::Data: {
                const auto take = static_cast<std::size_t>(
                    std::min<std::uint64_t>(FLeft, static_cast<std::uint64_t>(Len - i)));
                if (!Sink(Data + i, take)) {
                    return Fail("the document could not be stored");
                }
                i += take;
                FLeft -= take;
                if (FLeft == 0) {
                    FStage = Stage::DataEnd;
                }
                break;
            }
            case Stage::Size:
            case Stage::DataEnd:
            case Stage::Trailer: {
                const char c = Data[i++];
                if (c != '\n') {
                    if (FLine.size() >= kMaxLine || ++FTrailer > kMaxTrailer) {
                        return Fail("chunk framing line too long");
                    }
                    FLine += c;
                    break;
                }
                if (!FLine.empty() && FLine.back() == '\r') {
                    FLine.pop_back();
                }
                if (FStage == Stage::DataEnd) {
                    if (!FLine.empty()) {
                        return Fail("chunk data longer than its size");
                    }
                    FStage = Stage::Size;
                } else if (FStage == Stage::Size) {
                    if (!SizeLine()) {
                        return Fail("invalid chunk size");
                    }
                    FStage = FLeft == 0 ? Stage::Trailer : Stage::Data;
                    FTrailer = 0;
                } else if (FLine.empty()) {
                    FStage = Stage::Finished;
                    return chkDone;
                }
                FLine.clear();
                break;
            }
        }
    }
    if (FStage == Stage::Failed) {
        return chkError;
    }
    return FStage == Stage::Finished ? chkDone : chkMore;
}

}  // namespace vantorell::transport
