#include "transport/WSocket/LineWSocket.h"

#include <algorithm>
#include <cstring>

#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {
namespace {

// What a read asks for when the system says nothing is waiting (at a close).
constexpr int kDefaultRead = 255;

}  // namespace

TCustomLineWSocket::TCustomLineWSocket() = default;

TCustomLineWSocket::~TCustomLineWSocket() {
    FRcvdBuf.Release();
}

void TCustomLineWSocket::SetLineMode(bool Value) {
    if (FLineMode == Value) {
        return;
    }
    FLineMode = Value;
    // Off, a line on offer becomes plain bytes at the front of the buffer, read in order.
    FLineLength = 0;
    if (FRcvdBuf.Count() > 0) {
        PostMessage(FWindowHandle, WM_TRIGGER_DATA_AVAILABLE, 0, 0);
    }
}

void TCustomLineWSocket::SetLineEnd(const std::string& Value) {
    FLineEnd = Value;
    FRcvdBuf.Rescan();
}

void TCustomLineWSocket::WndProc(TMessage& MsgRec) {
    if (MsgRec.Msg != WM_TRIGGER_DATA_AVAILABLE) {
        TCustomSocksWSocket::WndProc(MsgRec);
        return;
    }
    try {
        WMTriggerDataAvailable(MsgRec);
    } catch (const std::exception& E) {
        HandleBackGroundException(E);
    }
}

// Offers the buffered bytes until they are gone or a pass takes none of them (nobody
// reads, or line mode is on again with no complete line buffered).
void TCustomLineWSocket::WMTriggerDataAvailable(TMessage&) {
    while (FRcvdBuf.Count() > 0) {
        const std::size_t before = FRcvdBuf.Count();
        if (LineModeActive()) {
            DeliverLines();
        } else if (!TriggerDataAvailable(0)) {
            return;
        }
        if (FRcvdBuf.Count() == before) {
            return;
        }
    }
}

int TCustomLineWSocket::GetRcvdCount() {
    if (LineModeActive()) {
        return static_cast<int>(FLineLength);
    }
    if (FRcvdBuf.Count() > 0) {
        return static_cast<int>(FRcvdBuf.Count());
    }
    return TCustomSocksWSocket::GetRcvdCount();
}

int TCustomLineWSocket::DoRecv(void* Buffer, int BufferSize, int Flags) {
    const std::size_t size = static_cast<std::size_t>(std::max(BufferSize, 0));
    const bool peek = (Flags & WSOCK_MSG_PEEK) != 0;
    std::size_t available = 0;
    if (LineModeActive()) {
        available = FLineLength;  // a line, or part of one, and no more
    } else {
        available = FRcvdBuf.Count();
    }
    if (available == 0) {
        return TCustomSocksWSocket::DoRecv(Buffer, BufferSize, Flags);
    }
    const std::size_t count = std::min(size, available);
    if (peek) {
        std::memcpy(Buffer, FRcvdBuf.Data(), count);
    } else {
        FRcvdBuf.Take(static_cast<char*>(Buffer), count);
        if (LineModeActive()) {
            FLineLength -= count;
        }
    }
    return static_cast<int>(count);
}

bool TCustomLineWSocket::TriggerDataAvailable(TWord Error) {
    if (!LineModeActive() || SocksState() != socksData) {
        return TCustomSocksWSocket::TriggerDataAvailable(Error);
    }
    ReceiveIntoBuffer();
    DeliverLines();
    return true;
}

// Reads what the socket (or the SOCKS left-over) holds behind the buffered bytes. These
// reads are the buffer's own: ReadCount counts the bytes when a handler receives them.
void TCustomLineWSocket::ReceiveIntoBuffer() {
    if (FHSocket == INVALID_SOCKET) {
        return;
    }
    int count = TCustomSocksWSocket::GetRcvdCount();
    if (count < 0) {
        return;
    }
    if (count == 0) {
        count = kDefaultRead;
    }
    const int received = FRcvdBuf.ReadFrom(static_cast<std::size_t>(count), [this](char* p, int n) {
        return TCustomSocksWSocket::DoRecv(p, n, 0);
    });
    if (received < 0) {
        FLastError = WSocket_WSAGetLastError();
        return;
    }
    if (received == 0) {
        return;
    }
    if (FLineEdit) {
        int length = received;
        EditLine(length);
    } else if (FLineEcho) {
        const std::string echo(FRcvdBuf.Data() + FRcvdBuf.Count() - received,
                               static_cast<std::size_t>(received));
        try {
            SendStr(echo);
        } catch (const std::exception&) {
            // No echo without a connection; the received bytes still count.
        }
    }
}

void TCustomLineWSocket::EditLine(int& Len) {
    const auto result =
        FRcvdBuf.Edit(static_cast<std::size_t>(std::max(Len, 0)), FLineLength, FLineEcho);
    Len = static_cast<int>(FRcvdBuf.Count() - result.Lowest);
    if (!result.Echo.empty()) {
        try {
            SendStr(result.Echo);
        } catch (const std::exception&) {
            // No echo without a connection; the received bytes still count.
        }
    }
}

void TCustomLineWSocket::DeliverLines() {
    while (LineModeActive()) {
        if (FLineLength == 0) {
            const auto position = FRcvdBuf.FindLineEnd(FLineEnd);
            if (!position) {
                CheckLineLimit();
                return;
            }
            FLineLength = *position + FLineEnd.size();
            FLineReceived = true;
        }
        const std::size_t before = FRcvdBuf.Count();
        if (!TCustomSocksWSocket::TriggerDataAvailable(0)) {
            // Nobody reads: the line is dropped.
            FRcvdBuf.Drop(FLineLength);
            FLineLength = 0;
        } else if (FRcvdBuf.Count() == before) {
            return;  // the handler took nothing: the line stays on offer
        }
    }
}

void TCustomLineWSocket::CheckLineLimit() {
    if (FLineLimit <= 0 || FRcvdBuf.Count() <= static_cast<std::size_t>(FLineLimit)) {
        return;
    }
    FLineClearData = true;
    TriggerLineLimitExceeded(static_cast<int>(FRcvdBuf.Count()), FLineClearData);
    if (FLineClearData) {
        FRcvdBuf.Clear();
        FLineLength = 0;
        FLineClearData = false;
    }
}

void TCustomLineWSocket::TriggerLineLimitExceeded(int Cnt, bool& ClearData) {
    if (OnLineLimitExceeded) {
        const auto handler = OnLineLimitExceeded;
        handler(this, Cnt, ClearData);
    }
}

// One pass of the handler over the buffered bytes; false when it took none.
bool TCustomLineWSocket::OfferBuffered() {
    const std::size_t before = FRcvdBuf.Count();
    return TCustomSocksWSocket::TriggerDataAvailable(0) && FRcvdBuf.Count() != before;
}

// At the close, the unterminated rest is the last line.
void TCustomLineWSocket::DeliverLastLine() {
    FLineLength = FRcvdBuf.Count();
    while (LineModeActive() && FLineLength > 0 && OfferBuffered()) {
    }
}

// Plain mode at the close: what line mode left buffered goes to plain reads first.
void TCustomLineWSocket::DeliverPlain() {
    while (!LineModeActive() && FRcvdBuf.Count() > 0 && OfferBuffered()) {
    }
}

void TCustomLineWSocket::TriggerSessionClosed(TWord Error) {
    FLineReceived = true;
    if (FRcvdBuf.Count() > 0) {
        DeliverLines();
        if (LineModeActive() && FRcvdBuf.Count() > 0) {
            DeliverLastLine();
        }
        DeliverPlain();
    }
    FRcvdBuf.Release();
    FLineLength = 0;
    TCustomSocksWSocket::TriggerSessionClosed(Error);
}

}  // namespace vantorell::transport
