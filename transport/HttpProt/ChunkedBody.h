#pragma once
// Decoding a body sent in chunks ("transfer-encoding: chunked"): the data of each chunk is
// passed on where it lies in the received bytes; sizes, extensions and trailers are
// checked against limits before anything is believed.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace vantorell::transport {

class TChunkedBody {
public:
    enum TResult { chkMore, chkDone, chkError };

    using TSink = std::function<bool(const char* Data, std::size_t Len)>;

    void Reset();
    // Decodes Len received bytes, handing the document's bytes to Sink (which may refuse
    // them by returning false: chkError). chkDone once the last chunk and its trailer have
    // come; bytes behind it are ignored.
    TResult Feed(const char* Data, std::size_t Len, const TSink& Sink);
    bool Done() const { return FStage == Stage::Finished; }
    const std::string& Error() const { return FError; }

private:
    enum class Stage { Size, Data, DataEnd, Trailer, Finished, Failed };

    TResult Fail(const std::string& Why);
    bool SizeLine();

    Stage FStage = Stage::Size;
    std::string FLine;  // the size or trailer line so far
    std::uint64_t FLeft = 0;
    std::size_t FTrailer = 0;
    std::string FError;
};

}  // namespace vantorell::transport
