// Sending through the queue of send chunks, and receiving.

#include <algorithm>
#include <chrono>

#include "platform/EventLoop.h"
#include "transport/WSocket/CustomWSocket.h"
#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {

int TCustomWSocket::Send(const void* Data, int Len) {
    if (FState != wsConnected) {
        WSocket_WSASetLastError(WSAENOTCONN);
        SocketError("Send");
        return -1;
    }
    FAllSent = false;
    const int result = Len > 0 ? Len : 0;
    // Datagrams leave chunk by chunk, as queued.
    if (Len > 0 && FType == WSOCK_SOCK_STREAM && FHSocket != INVALID_SOCKET && QueueEmpty()) {
        SendAtOnce(static_cast<const char*>(Data), Len);
    } else {
        PutDataInSendBuffer(Data, Len);
        TryToSend();
    }
    // The data-sent event comes from the message queue, after Send has returned.
    if (FAllSent && FHSocket != INVALID_SOCKET) {
        PostMessage(FWindowHandle, WM_ASYNCSELECT, static_cast<WPARAM>(FHSocket),
                    MakeSelectParam(FD_WRITE, 0));
    }
    return result;
}

int TCustomWSocket::SendStr(const std::string& Str) {
    if (Str.empty()) {
        return 0;
    }
    return Send(Str.data(), static_cast<int>(Str.size()));
}

void TCustomWSocket::SendText(const std::string& Str) {
    SendStr(Str);
}

int TCustomWSocket::SendTo(const TSockAddrIn& Dest, int DestLen, const void* Data, int Len) {
    const int result = WSocket_sendto(FHSocket, Data, Len, FSendFlags,
                                      reinterpret_cast<const TSockAddr*>(&Dest), DestLen);
    if (result > 0) {
        TriggerSendData(result);
    }
    return result;
}

void TCustomWSocket::PutDataInSendBuffer(const void* Data, int Len) {
    if (Len < 1) {
        return;
    }
    const char* bytes = static_cast<const char*>(Data);
    int written = FBufList.empty() ? 0 : FBufList.back()->Write(bytes, Len);
    // What the last chunk cannot take goes into one chunk of its own size: a large send
    // is queued in few chunks and leaves without being gathered.
    while (written < Len) {
        FBufList.push_back(std::make_unique<TBuffer>(std::max(FBufSize, Len - written)));
        written += FBufList.back()->Write(bytes + written, Len - written);
    }
}

void TCustomWSocket::PutStringInSendBuffer(const std::string& Str) {
    PutDataInSendBuffer(Str.data(), static_cast<int>(Str.size()));
}

void TCustomWSocket::DeleteBufferedData() {
    FBufList.clear();
}

bool TCustomWSocket::QueueEmpty() const {
    for (const auto& chunk : FBufList) {
        int pending = 0;
        chunk->Peek(pending);
        if (pending > 0) {
            return false;
        }
    }
    return true;
}

void TCustomWSocket::TryToSend() {
    if (FHSocket == INVALID_SOCKET || FBufList.empty()) {
        return;
    }
    for (;;) {
        int len = 0;
        const char* data = FBufList.front()->Peek(len);
        if (len <= 0) {
            if (FBufList.size() > 1) {
                FBufList.pop_front();
                continue;
            }
            FAllSent = true;
            return;
        }
        if (FBufList.size() > 1) {
            data = GatherQueued(len);
        }
        const int count = RealSend(data, len);
        if (count == 0) {
            return;
        }
        if (count > 0) {
            RemoveQueued(count);
            if (count < len) {
                return;  // the write notice resumes
            }
            continue;
        }
        SendRefused(WSocket_WSAGetLastError());
        return;
    }
}

// A send the system refused: one that would block waits for the write notice, a closed or
// reset connection is reported closed, anything else is raised.
void TCustomWSocket::SendRefused(int Error) {
    if (Error == WSAEWOULDBLOCK) {
        return;
    }
    if (Error == WSAECONNRESET || Error == WSAENOTSOCK || Error == WSAENOTCONN ||
        Error == WSAEINVAL || Error == WSAECONNABORTED) {
        SendFailed(static_cast<TWord>(Error));
        return;
    }
    WSocket_WSASetLastError(Error);
    SocketError("TryToSend failed");
}

// With nothing queued the data goes to the system straight from the caller's buffer, and
// only what the system does not take is queued: a connection that keeps up copies nothing.
// Otherwise as queueing it all and TryToSend.
void TCustomWSocket::SendAtOnce(const char* Data, int Len) {
    const int count = RealSend(Data, Len);
    if (count == Len) {
        // A chunk stays, as after queued data, for a later Send of nothing to report.
        if (FBufList.empty()) {
            FBufList.push_back(std::make_unique<TBuffer>(FBufSize));
        }
        FAllSent = true;
        return;
    }
    if (count >= 0) {
        PutDataInSendBuffer(Data + count, Len - count);  // the write notice resumes
        return;
    }
    const int error = WSocket_WSAGetLastError();
    PutDataInSendBuffer(Data, Len);
    SendRefused(error);
}

// The connection cannot send any more. When the peer has closed or reset it, what the peer
// sent before is still waiting (an answer given before the data was all in, say): it is
// read, as at the peer's close, before the close is reported.
void TCustomWSocket::SendFailed(TWord Error) {
    if (Error == WSAECONNRESET || Error == WSAECONNABORTED) {
        const TSocket socket = FHSocket;
        TWSocketOptions options = FComponentOptions;
        options.Exclude(wsoNoReceiveLoop);
        ASyncReceive(0, options);
        if (FHSocket != socket) {
            return;  // a handler closed it, and the close has been reported
        }
    }
    FCloseInvoked = true;
    Close();
    TriggerSessionClosed(Error);
}

// A long queue leaves in few system calls: the pending bytes of the first chunks, up to
// 64 KB, are copied side by side and handed over at once.
const char* TCustomWSocket::GatherQueued(int& Len) {
    constexpr std::size_t kGatherSize = 65536;
    FSendGather.clear();
    for (const auto& chunk : FBufList) {
        int pending = 0;
        const char* data = chunk->Peek(pending);
        const std::size_t take =
            std::min(static_cast<std::size_t>(pending), kGatherSize - FSendGather.size());
        FSendGather.insert(FSendGather.end(), data, data + take);
        if (FSendGather.size() == kGatherSize) {
            break;
        }
    }
    Len = static_cast<int>(FSendGather.size());
    return FSendGather.data();
}

// Takes Count sent bytes off the front of the queue, freeing the chunks it empties (the
// last chunk stays for the next data).
void TCustomWSocket::RemoveQueued(int Count) {
    while (Count > 0) {
        Count -= FBufList.front()->Remove(Count);
        int pending = 0;
        FBufList.front()->Peek(pending);
        if (pending == 0 && FBufList.size() > 1) {
            FBufList.pop_front();
        }
    }
}

int TCustomWSocket::RealSend(const void* Data, int Len) {
    const int result = FType == WSOCK_SOCK_DGRAM
                           ? WSocket_sendto(FHSocket, Data, Len, FSendFlags,
                                            reinterpret_cast<const TSockAddr*>(&sin), sizeof sin)
                           : WSocket_send(FHSocket, Data, Len, FSendFlags);
    if (result > 0) {
        TriggerSendData(result);
    }
    return result;
}

void TCustomWSocket::Flush() {
    TryToSend();
    waitForMessages([this] { return FHSocket == INVALID_SOCKET || QueueEmpty(); },
                    std::chrono::seconds(FFlushTimeout));
}

int TCustomWSocket::Receive(void* Buffer, int BufferSize) {
    const int result = DoRecv(Buffer, BufferSize, 0);
    if (result < 0) {
        FLastError = WSocket_WSAGetLastError();
    } else {
        FReadCount += result;
    }
    return result;
}

std::string TCustomWSocket::ReceiveStr() {
    int count = GetRcvdCount();
    if (count < 0) {
        return std::string();
    }
    if (count == 0) {
        count = 255;
    }
    std::string text(static_cast<std::size_t>(count), '\0');
    const int received = Receive(text.data(), count);
    if (received <= 0) {
        return std::string();
    }
    text.resize(static_cast<std::size_t>(received));
    return text;
}

int TCustomWSocket::ReceiveFrom(void* Buffer, int BufferSize, TSockAddrIn& From, int& FromLen) {
    const int result = DoRecvFrom(Buffer, BufferSize, 0, From, FromLen);
    if (result < 0) {
        FLastError = WSocket_WSAGetLastError();
    } else {
        FReadCount += result;
    }
    return result;
}

int TCustomWSocket::PeekData(void* Buffer, int BufferSize) {
    const int result = DoRecv(Buffer, BufferSize, WSOCK_MSG_PEEK);
    if (result < 0) {
        FLastError = WSocket_WSAGetLastError();
    }
    return result;
}

int TCustomWSocket::DoRecv(void* Buffer, int BufferSize, int Flags) {
    return WSocket_recv(FHSocket, Buffer, BufferSize, Flags);
}

int TCustomWSocket::DoRecvFrom(void* Buffer, int BufferSize, int Flags, TSockAddrIn& From,
                               int& FromLen) {
    return WSocket_recvfrom(FHSocket, Buffer, BufferSize, Flags,
                            reinterpret_cast<TSockAddr*>(&From), &FromLen);
}

int TCustomWSocket::GetRcvdCount() {
    unsigned long count = 0;
    if (WSocket_ioctlsocket(FHSocket, WSOCK_FIONREAD, &count) == SOCKET_ERROR) {
        SocketError("ioctlSocket");
        return -1;
    }
    return static_cast<int>(count);
}

}  // namespace vantorell::transport
