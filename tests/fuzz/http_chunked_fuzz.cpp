// The decoder of chunked documents on its own, fast: the received bytes fed whole and in
// pieces the input chooses must give the same document and the same end, and the document
// is never longer than what came.
#include <algorithm>

#include "tests/fuzz/FuzzSupport.h"
#include "transport/HttpProt/ChunkedBody.h"

using namespace vantorell;
using transport::TChunkedBody;

namespace {

struct Decoded {
    TChunkedBody::TResult result = TChunkedBody::chkMore;
    std::string document;
    std::string error;
};

// Feeds the bytes in pieces of the given lengths (cycled; all at once without any), until
// the decoder has ended; a sink that has taken `limit` bytes refuses more.
Decoded decode(const std::string& bytes, const std::string& pieces, std::size_t limit) {
    TChunkedBody body;
    Decoded out;
    const auto sink = [&](const char* data, std::size_t length) {
        if (out.document.size() + length > limit) {
            return false;
        }
        out.document.append(data, length);
        return true;
    };
    std::size_t at = 0;
    std::size_t turn = 0;
    while (at < bytes.size() && out.result == TChunkedBody::chkMore) {
        std::size_t piece = bytes.size() - at;
        if (!pieces.empty()) {
            piece = std::min<std::size_t>(
                piece, 1 + static_cast<unsigned char>(pieces[turn++ % pieces.size()]));
        }
        out.result = body.Feed(bytes.data() + at, piece, sink);
        at += piece;
    }
    out.error = body.Error();
    fuzz::require(body.Done() == (out.result == TChunkedBody::chkDone),
                  "the decoder is done exactly when it said so");
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // The first byte: how many of the following bytes give the piece lengths, and with its
    // high bit a sink that refuses after a few bytes.
    const std::size_t pieceCount = std::min<std::size_t>(data[0] & 0x1f, size - 1);
    const std::size_t limit = (data[0] & 0x80) != 0 ? 16 : std::string::npos;
    const std::string pieces = fuzz::text(data + 1, pieceCount);
    const std::string bytes = fuzz::text(data + 1 + pieceCount, size - 1 - pieceCount);

    const Decoded whole = decode(bytes, "", limit);
    fuzz::require(whole.document.size() <= bytes.size(), "the document is part of what came");
    const Decoded cut = decode(bytes, pieces, limit);
    fuzz::require(cut.result == whole.result && cut.error == whole.error,
                  "the decoder's end does not depend on how the bytes arrive");
    // A refusing sink may take more of a chunk that comes in pieces.
    fuzz::require(limit != std::string::npos ? cut.document.rfind(whole.document, 0) == 0
                                             : cut.document == whole.document,
                  "the document does not depend on how the bytes arrive");
    return 0;
}
