#include "transport/WSocket/SocksWSocket.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "transport/WSocket/SocketErrors.h"
#include "transport/WSocket/SocketResolve.h"
#include "transport/WSocket/SocksNegotiation.h"
#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {
namespace {

std::string Lower(std::string Text) {
    std::transform(Text.begin(), Text.end(), Text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return Text;
}

std::string Upper(std::string Text) {
    std::transform(Text.begin(), Text.end(), Text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return Text;
}

}  // namespace

TCustomSocksWSocket::TCustomSocksWSocket() {
    // The base constructor reset only the base data.
    ResetSocks();
}

void TCustomSocksWSocket::ResetSocks() {
    FSocksState = socksData;
    FSocksServer.clear();
    FSocksPort.clear();
    FSocksServerAssigned = false;
    FSocksLevel = "5";
    FSocksRcvBuf.clear();
    FSocksLeftOver.clear();
    FSocksLeftPos = 0;
}

void TCustomSocksWSocket::AssignDefaultValue() {
    TCustomWSocket::AssignDefaultValue();
    ResetSocks();
}

void TCustomSocksWSocket::SetSocksLevel(const std::string& newValue) {
    if (FState != wsClosed) {
        RaiseException("Can't change socks level if not closed");
        return;
    }
    if (newValue != "4" && newValue != "5" && newValue != "4A" && newValue != "4a") {
        RaiseException("Invalid socks level. Must be 4, 4A or 5.");
        return;
    }
    FSocksLevel = Upper(newValue);
}

void TCustomSocksWSocket::SetSocksServer(const std::string& sServer) {
    if (FState != wsClosed) {
        RaiseException("Can't change socks server if not closed");
        return;
    }
    FSocksServer = WSocketTrim(sServer);
    FSocksServerAssigned = !FSocksServer.empty();
}

void TCustomSocksWSocket::SetSocksPort(const std::string& sPort) {
    if (FState != wsClosed) {
        RaiseException("Can't change socks port if not closed");
        return;
    }
    FSocksPort = WSocketTrim(sPort);
}

// Why the requests of this negotiation could not be built; empty when they can.
std::string TCustomSocksWSocket::ConnectRequestError() const {
    if (FSocksLevel == "4A") {
        return Socks4AConnectRequest(0, FSocksUsercode, FAddrStr).Error;
    }
    if (SocksLevel4()) {
        return Socks4ConnectRequest(0, 0, FSocksUsercode).Error;
    }
    std::string error = Socks5ConnectRequest(FAddrStr, 0).Error;
    if (error.empty() && FSocksAuthentication == socksAuthenticateUsercode) {
        error = SocksUsercodeRequest(FSocksUsercode, FSocksPassword).Error;
    }
    return error;
}

void TCustomSocksWSocket::Connect() {
    // Without a server, and for the plain checks (socket in use, nothing to connect to),
    // the plain Connect decides.
    if (!FSocksServerAssigned || (FHSocket != INVALID_SOCKET && FState != wsClosed) ||
        !FPortAssigned || !FAddrAssigned || !FProtoAssigned) {
        TCustomWSocket::Connect();
        return;
    }
    if (Lower(FProtoStr) != "tcp") {
        RaiseException("tcp is the only protocol supported thru socks server");
        return;
    }
    try {
        // The plain Connect then connects to the server, not to Addr.
        if (!FPortResolved) {
            sin.sin_port = WSocket_htons(WSocketResolveRemotePort(FSocksPort, FProtoStr));
            FPortResolved = true;
        }
        if (!FAddrResolved) {
            sin.sin_addr.s_addr = WSocketResolveHost(FSocksServer);
            FAddrResolved = true;
        }
        FSocksTargetPort = WSocketResolveRemotePort(FPortStr, FProtoStr);
        if (const std::string error = ConnectRequestError(); !error.empty()) {
            throw ESocketException(error);
        }
    } catch (const std::exception& E) {
        RaiseException(std::string("connect: ") + E.what());
        return;
    }
    FSocksState = socksNegociateMethods;
    FSocksRcvBuf.clear();
    try {
        TCustomWSocket::Connect();
    } catch (...) {
        if (FState == wsClosed) {
            FSocksState = socksData;  // nothing was opened: no negotiation runs
        }
        throw;
    }
    if (FState == wsClosed) {
        FSocksState = socksData;
    }
}

void TCustomSocksWSocket::Listen() {
    if (FSocksServerAssigned) {
        RaiseException("Listening is not supported thru socks server");
        return;
    }
    TCustomWSocket::Listen();
}

int TCustomSocksWSocket::GetRcvdCount() {
    const std::size_t left = FSocksLeftOver.size() - FSocksLeftPos;
    if (left > 0) {
        return static_cast<int>(left);
    }
    return TCustomWSocket::GetRcvdCount();
}

int TCustomSocksWSocket::DoRecv(void* Buffer, int BufferSize, int Flags) {
    const std::size_t left = FSocksLeftOver.size() - FSocksLeftPos;
    if (left == 0) {
        return TCustomWSocket::DoRecv(Buffer, BufferSize, Flags);
    }
    const std::size_t count = std::min(left, static_cast<std::size_t>(std::max(BufferSize, 0)));
    std::memcpy(Buffer, FSocksLeftOver.data() + FSocksLeftPos, count);
    if ((Flags & WSOCK_MSG_PEEK) == 0) {
        FSocksLeftPos += count;
        if (FSocksLeftPos == FSocksLeftOver.size()) {
            FSocksLeftOver.clear();
            FSocksLeftPos = 0;
        }
    }
    return static_cast<int>(count);
}

void TCustomSocksWSocket::TriggerSocksConnected(TWord Error) {
    if (OnSocksConnected) {
        const auto handler = OnSocksConnected;
        handler(this, Error);
    }
}

void TCustomSocksWSocket::TriggerSocksError(int Error, const std::string& Msg) {
    if (OnSocksError) {
        const auto handler = OnSocksError;
        handler(this, Error, Msg);
    }
}

void TCustomSocksWSocket::TriggerSocksAuthState(TSocksAuthState AuthState) {
    if (OnSocksAuthState) {
        const auto handler = OnSocksAuthState;
        handler(this, AuthState);
    }
}

void TCustomSocksWSocket::TriggerSessionConnected(TWord Error) {
    if (FSocksState != socksNegociateMethods) {
        TCustomWSocket::TriggerSessionConnected(Error);
        return;
    }
    // The connection to the SOCKS server is up (or failed): the negotiation starts.
    TriggerSocksConnected(Error);
    if (Error != 0) {
        FSocksState = socksData;
        TCustomWSocket::TriggerSessionConnected(Error);
        return;
    }
    if (FSocksState != socksNegociateMethods) {
        return;  // the handler closed the socket
    }
    if (SocksLevel4()) {
        SocksDoConnect();
        return;
    }
    FSocksMethod = FSocksAuthentication == socksAuthenticateUsercode ? SOCKS_METHOD_USERCODE
                                                                     : SOCKS_METHOD_NONE;
    SendRequest(SocksMethodRequest(FSocksMethod).Bytes);
}

void TCustomSocksWSocket::TriggerSessionClosed(TWord Error) {
    if (FSocksState == socksAuthenticate) {
        TriggerSocksAuthState(socksAuthFailure);
    }
    // The server ended the connection before the negotiation was through (the socket is
    // still open while the peer's close is reported): the connect failed.
    if (FSocksState != socksData && FHSocket != INVALID_SOCKET) {
        const TWord code = Error != 0 ? Error : static_cast<TWord>(WSAECONNRESET);
        TriggerSocksError(code, WSocketErrorDesc(code));
        FSocksState = socksData;
        TriggerSessionConnected(code);
        TCustomWSocket::TriggerSessionClosed(code);
        return;
    }
    TCustomWSocket::TriggerSessionClosed(Error);
}

void TCustomSocksWSocket::SendRequest(const std::string& Bytes) {
    try {
        Send(Bytes.data(), static_cast<int>(Bytes.size()));
    } catch (const std::exception&) {
        // A failed send shows as the server's silence or the connection's close.
    }
}

void TCustomSocksWSocket::SocksDoAuthenticate() {
    FSocksState = socksAuthenticate;
    FSocksRcvBuf.clear();
    TriggerSocksAuthState(socksAuthStart);
    if (FSocksState != socksAuthenticate) {
        return;  // the handler closed the socket
    }
    const TSocksRequest request = SocksUsercodeRequest(FSocksUsercode, FSocksPassword);
    if (!request.Error.empty()) {
        DataAvailableError(SOCKS_ERR_LOGIC, request.Error);
        return;
    }
    SendRequest(request.Bytes);
}

void TCustomSocksWSocket::SocksDoConnect() {
    FSocksState = socksConnect;
    FSocksRcvBuf.clear();
    TSocksRequest request;
    if (FSocksLevel == "4A") {
        request = Socks4AConnectRequest(FSocksTargetPort, FSocksUsercode, FAddrStr);
    } else if (SocksLevel4()) {
        std::uint32_t address = 0;
        try {
            address = WSocketResolveHost(FAddrStr);
        } catch (const ESocketException& E) {
            DataAvailableError(SOCKS_ERR_RESOLVE, std::string("ESocketException ") + E.what());
            return;
        } catch (const std::exception& E) {
            DataAvailableError(SOCKS_ERR_RESOLVE, std::string("Exception ") + E.what());
            return;
        }
        request = Socks4ConnectRequest(FSocksTargetPort, address, FSocksUsercode);
    } else {
        request = Socks5ConnectRequest(FAddrStr, FSocksTargetPort);
    }
    if (!request.Error.empty()) {
        DataAvailableError(SOCKS_ERR_LOGIC, request.Error);
        return;
    }
    SendRequest(request.Bytes);
}

void TCustomSocksWSocket::DataAvailableError(int ErrCode, const std::string& Msg) {
    // An authentication that started ends, one way or the other.
    if (FSocksState == socksAuthenticate) {
        TriggerSocksAuthState(socksAuthFailure);
    }
    TriggerSocksError(ErrCode, Msg);
    FSocksState = socksData;
    TriggerSessionConnected(static_cast<TWord>(ErrCode));
    InternalClose(true, static_cast<TWord>(ErrCode));
}

// Appends what the socket holds, up to Room bytes of reply in all, to the reply received
// so far; false when the read failed (the next notice brings more).
bool TCustomSocksWSocket::ReadReply(std::size_t Room) {
    if (FSocksRcvBuf.size() >= Room) {
        return true;
    }
    char buffer[SOCKS_MAX_REPLY];
    const int count = TCustomWSocket::DoRecv(
        buffer, static_cast<int>(std::min(Room - FSocksRcvBuf.size(), sizeof buffer)), 0);
    if (count < 0) {
        FLastError = WSocket_WSAGetLastError();
        return false;
    }
    FSocksRcvBuf.append(buffer, static_cast<std::size_t>(count));
    return true;
}

bool TCustomSocksWSocket::TriggerDataAvailable(TWord Error) {
    if (FSocksState == socksData) {
        return TCustomWSocket::TriggerDataAvailable(Error);
    }
    if (Error != 0) {
        DataAvailableError(Error, "data receive error");
        return true;
    }
    switch (FSocksState) {
        case socksNegociateMethods:
            NegociateMethodsReply();
            break;
        case socksAuthenticate:
            AuthenticateReply();
            break;
        case socksConnect:
            ConnectReply();
            break;
        case socksData:
            break;
    }
    return true;
}

// Reads more of the reply and judges it; true once it is complete and good. A failure
// ends the negotiation.
bool TCustomSocksWSocket::ReplyComplete(std::size_t Room, TSocksJudge Judge, TSocksReply& Reply) {
    if (!ReadReply(Room)) {
        return false;
    }
    Reply = Judge(FSocksRcvBuf);
    if (Reply.Status == TSocksReplyStatus::Failed) {
        DataAvailableError(Reply.Code, Reply.Msg);
    }
    return Reply.Status == TSocksReplyStatus::Done;
}

void TCustomSocksWSocket::NegociateMethodsReply() {
    if (SocksLevel4()) {
        DataAvailableError(SOCKS_ERR_LOGIC, "TWSocket logic error");
        return;
    }
    TSocksReply reply;
    if (!ReplyComplete(SOCKS_MAX_REPLY, SocksMethodReply, reply)) {
        return;
    }
    FSocksRcvBuf.clear();
    if (reply.Method == SOCKS_METHOD_USERCODE) {
        SocksDoAuthenticate();
        return;
    }
    if (FSocksMethod == SOCKS_METHOD_USERCODE) {
        TriggerSocksAuthState(socksAuthNotRequired);
        if (FSocksState != socksNegociateMethods) {
            return;  // the handler closed the socket
        }
    }
    SocksDoConnect();
}

void TCustomSocksWSocket::AuthenticateReply() {
    TSocksReply reply;
    if (!ReplyComplete(SOCKS_MAX_REPLY, SocksUsercodeReply, reply)) {
        return;
    }
    FSocksRcvBuf.clear();
    TriggerSocksAuthState(socksAuthSuccess);
    if (FSocksState != socksAuthenticate) {
        return;  // the handler closed the socket
    }
    SocksDoConnect();
}

void TCustomSocksWSocket::ConnectReply() {
    // The SOCKS 4 reply is read alone; what follows it waits in the socket.
    TSocksReply reply;
    const bool complete = SocksLevel4() ? ReplyComplete(8, Socks4ConnectReply, reply)
                                        : ReplyComplete(SOCKS_MAX_REPLY, Socks5ConnectReply, reply);
    if (complete) {
        SocksConnected(reply.Length);
    }
}

void TCustomSocksWSocket::SocksConnected(std::size_t ReplyLength) {
    // The target's data that came with the reply is read before anything else; it is in
    // place before the connected event, whose handler may already read.
    FSocksLeftOver = FSocksRcvBuf.substr(ReplyLength);
    FSocksLeftPos = 0;
    FSocksRcvBuf.clear();
    FSocksState = socksData;
    TriggerSessionConnected(0);
    // Offered until it is taken: no notice would come for it.
    for (;;) {
        const std::size_t left = FSocksLeftOver.size() - FSocksLeftPos;
        if (left == 0 || FHSocket == INVALID_SOCKET) {
            return;
        }
        if (!TriggerDataAvailable(0)) {
            FSocksLeftOver.clear();  // nobody reads: dropped, as the socket drains
            FSocksLeftPos = 0;
            return;
        }
        if (FSocksLeftOver.size() - FSocksLeftPos == left) {
            return;  // the handler took nothing; offered again with the next notice
        }
    }
}

}  // namespace vantorell::transport
