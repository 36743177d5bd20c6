// The FTP reply routines on their own, fast: the control connection's bytes assembled into
// lines (received whole or in pieces the input chooses, which must give the same lines),
// and each line read as the client reads it: its code, a multi-line mark, the quoted folder
// of a 257 reply, the size of a 213 reply and the data address of a 227 reply.
#include <algorithm>

#include "tests/fuzz/FuzzSupport.h"
#include "transport/FtpCli/FtpReplies.h"

using namespace vantorell;

namespace {

// The lines the client takes out of the bytes when they arrive in pieces of the given
// lengths (cycled; 0 takes as much as there is room for), as the control socket receives.
std::vector<std::string> lines(const std::string& bytes, bool acceptLF, const std::string& pieces) {
    transport::FtpReplyLines buffer;
    std::vector<std::string> out;
    std::size_t at = 0;
    std::size_t turn = 0;
    while (at < bytes.size()) {
        std::size_t piece = buffer.Room();
        if (!pieces.empty()) {
            const auto wanted = static_cast<unsigned char>(pieces[turn++ % pieces.size()]);
            if (wanted != 0) {
                piece = std::min<std::size_t>(piece, wanted);
            }
        }
        piece = std::min(piece, bytes.size() - at);
        fuzz::require(piece > 0, "the reply buffer always has room once its lines are taken");
        buffer.Append(bytes.data() + at, piece);
        at += piece;
        std::string line;
        while (buffer.NextLine(acceptLF, line)) {
            fuzz::require(line.size() < transport::FtpReplyLines::kBufferSize,
                          "a reply line is never longer than the buffer");
            out.push_back(line);
        }
    }
    return out;
}

void readLine(const std::string& line) {
    int code = 0;
    bool final = false;
    if (!transport::FtpReplyCode(line, code, final)) {
        return;
    }
    std::string folder = transport::FtpGetQuotedString(line, 3);
    fuzz::require(folder.size() <= line.size(), "a quoted text is part of its line");
    std::int64_t size = 0;
    transport::FtpGetInteger(line, 3, size);
    std::string address;
    std::uint16_t port = 0;
    if (transport::FtpPasvAddress(line, address, port)) {
        fuzz::require(address.size() >= 7 && address.size() <= 15,
                      "a passive address is four numbers of 0 to 255");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // The first byte: how many of the following bytes give the piece lengths, and whether
    // a lone line feed ends a line.
    const bool acceptLF = (data[0] & 0x80) != 0;
    const std::size_t pieceCount = std::min<std::size_t>(data[0] & 0x0f, size - 1);
    const std::string pieces = fuzz::text(data + 1, pieceCount);
    const std::string bytes = fuzz::text(data + 1 + pieceCount, size - 1 - pieceCount);

    const std::vector<std::string> whole = lines(bytes, acceptLF, "");
    const std::vector<std::string> cut = lines(bytes, acceptLF, pieces);
    fuzz::require(whole == cut, "the lines do not depend on how the bytes arrive");
    for (const std::string& line : whole) {
        readLine(line);
    }
    return 0;
}
