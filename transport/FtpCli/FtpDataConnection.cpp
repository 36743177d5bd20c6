// The data side's settings and shared steps: announcing the data connection (PORT or
// PASV), the restart position, connection types with their proxies and SOCKS servers,
// local streams and files, progress and statistics.

#include <chrono>

#include "transport/FtpCli/CustomFtpCli.h"
#include "transport/FtpCli/FtpCommandText.h"
#include "transport/WSocket/SocksNegotiation.h"
#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {

std::uint32_t FtpTickCount() {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

TDataAvailable TCustomFtpCli::DataHandler(void (TCustomFtpCli::*Handler)(TWord)) {
    return [this, Handler](TObject*, TWord Error) { Guarded([&] { (this->*Handler)(Error); }); };
}

void TCustomFtpCli::PortAsync() {
    TWSocket& data = *FDataSocket;
    if (data.State() != wsClosed) {
        data.Close();
    }
    data.OnSessionAvailable = nullptr;
    data.OnSessionClosed = nullptr;
    data.OnDataAvailable = nullptr;
    data.SetProto("tcp");
    data.SetPort("0");
    std::string command = "PASV";
    if (!FPassive) {
        if (FFctSet.Contains(ftpFctGet) || FFctSet.Contains(ftpFctDir) ||
            FFctSet.Contains(ftpFctLs)) {
            data.OnSessionAvailable = DataHandler(&TCustomFtpCli::DataSocketGetSessionAvailable);
        } else if (FFctSet.Contains(ftpFctPut) || FFctSet.Contains(ftpFctAppend)) {
            data.OnSessionAvailable = DataHandler(&TCustomFtpCli::DataSocketPutSessionAvailable);
        }
        // The data port listens only where the control connection runs, so that no other
        // network can reach it.
        TSockAddrIn local{};
        int length = sizeof local;
        FControlSocket->GetSockName(local, length);
        data.SetAddr(WSocket_inet_ntoa(local.sin_addr));
        data.SetLingerOnOff(wsLingerOn);
        data.SetLingerTimeout(10);
        data.Listen();
        TSockAddrIn listening{};
        length = sizeof listening;
        data.GetSockName(listening, length);
        const unsigned port = WSocket_ntohs(listening.sin_port);
        const auto* bytes = reinterpret_cast<const unsigned char*>(&local.sin_addr.s_addr);
        const std::string ports = std::to_string(port >> 8) + "," + std::to_string(port & 0xFF);
        if (FControlSocket->GetPeerAddr() == "127.0.0.1") {
            command = "PORT 127,0,0,1," + ports;
        } else {
            command = "PORT " + std::to_string(bytes[0]) + "," + std::to_string(bytes[1]) + "," +
                      std::to_string(bytes[2]) + "," + std::to_string(bytes[3]) + "," + ports;
        }
    }
    FByteCount = 0;
    ExecAsync(ftpPortAsync, ftpFctPort, command, {200, 227});
}

bool TCustomFtpCli::PassiveAddress(std::string& Addr, std::uint16_t& Port) {
    std::string named;
    if (!FtpPasvAddress(FPasvResponse, named, Port)) {
        return false;
    }
    // The reply's address is not trusted: a server could send the client to any other
    // host. The data connection goes where the control connection went (through a SOCKS
    // server: its target), which also serves servers that name an inner address.
    Addr = FDnsResult;
    if (named != Addr) {
        TriggerDisplay("! Passive reply names " + named + "; data connection goes to " + Addr);
    }
    return true;
}

TSocket TCustomFtpCli::AcceptDataConnection() {
    TWSocket& data = *FDataSocket;
    const TSocket accepted = data.Accept();
    if (accepted == INVALID_SOCKET) {
        return INVALID_SOCKET;
    }
    TSockAddrIn from{};
    int length = sizeof from;
    const std::string peer =
        WSocket_getpeername(accepted, reinterpret_cast<TSockAddr*>(&from), &length) == 0
            ? WSocket_inet_ntoa(from.sin_addr)
            : std::string("unknown");
    if (peer != FControlSocket->GetPeerAddr()) {
        // Anyone who can reach the data port could hand in the file; the server can only
        // come from where the control connection goes.
        WSocket_closesocket(accepted);
        TriggerDisplay("! Data connection from " + peer + " refused");
        return INVALID_SOCKET;
    }
    data.Close();  // the listening socket
    return accepted;
}

std::string TCustomFtpCli::DataConnectionFailure(TWord Error) const {
    std::string text = "Unable to establish data connection, error #" + std::to_string(Error);
    if (IsSocksError(Error) && !FSocksErrorText.empty()) {
        text += " (" + FSocksErrorText + ")";
    }
    return text;
}

bool TCustomFtpCli::ConnectPassive(TSessionConnected Connected, int FailCode) {
    std::string address;
    std::uint16_t port = 0;
    if (!PassiveAddress(address, port)) {
        TransferFailed(
            FailCode, std::to_string(FailCode) + " Unreadable passive reply: " + FPasvResponse, "");
        return false;
    }
    TWSocket& data = *FDataSocket;
    try {
        if (data.State() != wsClosed) {
            data.Close();
        }
        data.SetAddr(address);
        data.SetPort(std::to_string(port));
        data.SetProto("tcp");
        data.SetLocalAddr(FLocalAddr);
        data.OnSessionConnected = std::move(Connected);
        data.SetLingerOnOff(wsLingerOff);
        data.SetLingerTimeout(0);
        data.SetComponentOptions({wsoNoReceiveLoop});
        PrepareSocks(data);
        FSocksErrorText.clear();
        data.Connect();
    } catch (const std::exception& E) {
        TransferFailed(FailCode, std::to_string(FailCode) + " " + FtpExceptionText(E), "");
        return false;
    }
    return true;
}

void TCustomFtpCli::RestAsync() {
    if (FRequestType != ftpRestPutAsync && FRequestType != ftpRestartPutAsync &&
        !FOptions.Contains(ftpNoAutoResumeAt)) {
        FResumeAt = FtpLocalFileSize(FLocalFileName);
    }
    if (FResumeAt <= 0) {
        // Nothing to resume: the step ends at once and the sequence goes on.
        FFctPrv = ftpFctRest;
        FRequestDoneFlag = false;
        FNext = &TCustomFtpCli::NextExecAsync;
        FDoneAsync = nullptr;
        TriggerRequestDone(0);
        return;
    }
    ExecAsync(ftpRestAsync, ftpFctRest, "REST " + std::to_string(FResumeAt), {});
}

void TCustomFtpCli::SetConnectionType(TFtpConnectionType Value) {
    if (FConnected) {
        HandleError("FTP component connected");
        return;
    }
    switch (Value) {
        case ftpProxy:
        case ftpSocks4:
        case ftpSocks4A:
        case ftpSocks5:
            FConnectionType = Value;
            FPassive = true;  // no data port can be offered through them
            break;
        default:
            FConnectionType = ftpDirect;
            break;
    }
}

void TCustomFtpCli::SetPassive(bool Value) {
    FPassive = FConnectionType == ftpDirect ? Value : true;
}

// A socket reaches its peer through the SOCKS server only with a SOCKS connection type;
// the socket forgets the server at every close, so it is given again before each connect.
void TCustomFtpCli::PrepareSocks(TWSocket& Socket) {
    const bool socks = FConnectionType == ftpSocks4 || FConnectionType == ftpSocks4A ||
                       FConnectionType == ftpSocks5;
    if (!socks) {
        Socket.SetSocksServer("");
        Socket.SetSocksAuthentication(socksNoAuthentication);
        return;
    }
    Socket.SetSocksServer(FSocksServer);
    Socket.SetSocksPort(FSocksPort);
    Socket.SetSocksLevel(FConnectionType == ftpSocks4    ? "4"
                         : FConnectionType == ftpSocks4A ? "4A"
                                                         : "5");
    // With a user name both methods are offered, so that a server needing no login
    // takes the connection too.
    Socket.SetSocksAuthentication(FSocksUserCode.empty() ? socksNoAuthentication
                                                         : socksAuthenticateUsercode);
    Socket.SetSocksUsercode(FSocksUserCode);
    Socket.SetSocksPassword(FSocksPassword);
}

TFtpShareMode TCustomFtpCli::ShareMode() const {
    switch (FShareMode) {
        case kShareCompat:
            return ftpShareCompat;
        case kShareDenyWrite:
            return ftpShareDenyWrite;
        case kShareDenyRead:
            return ftpShareDenyRead;
        case kShareDenyNone:
            return ftpShareDenyNone;
        default:
            return ftpShareExclusive;
    }
}

void TCustomFtpCli::SetShareMode(TFtpShareMode Value) {
    static constexpr std::uint16_t kFlags[] = {kShareCompat, kShareExclusive, kShareDenyWrite,
                                               kShareDenyRead, kShareDenyNone};
    const auto index = static_cast<std::size_t>(Value);
    FShareMode = index < std::size(kFlags) ? kFlags[index] : kShareExclusive;
}

void TCustomFtpCli::SetDisplayFileMode(int Value) {
    FDisplayFileMode = Value == ftpBinary ? ftpBinary : ftpLineByLine;
}

void TCustomFtpCli::SetLocalFileName(const std::string& Value) {
    FLocalFileName = Value;
    if (!Value.empty() && FStreamFlag) {
        // The caller's stream is forgotten, never freed.
        FStreamFlag = false;
        FLocalStream = nullptr;
    }
}

void TCustomFtpCli::SetLocalStream(TFtpStream* Value) {
    if (!FStreamFlag && FLocalStream != nullptr) {
        DestroyLocalStream();
    }
    FLocalStream = Value;
    FStreamFlag = Value != nullptr;
    if (Value != nullptr) {
        FLocalFileName.clear();
    }
}

void TCustomFtpCli::DestroyLocalStream() {
    if (!FStreamFlag) {
        FLocalStream = nullptr;
    }
    // A download's file stays until its end decides whether it replaces the old one.
    FOwnStream.reset();
}

bool TCustomFtpCli::CommitDownload() {
    if (!FDownload) {
        return true;
    }
    const bool written = FDownload->Commit();
    if (FLocalStream == FDownload.get()) {
        FLocalStream = nullptr;
    }
    FDownload.reset();
    return written;
}

void TCustomFtpCli::DiscardDownload() {
    if (FLocalStream == FDownload.get()) {
        FLocalStream = nullptr;
    }
    FDownload.reset();
}

// A local failure of the transfer: the transfer goes on to its end, which then fails
// with this reply of ours, whatever the server says.
void TCustomFtpCli::DataFailure(int Code, const std::string& Reply) {
    if (FDataFailure.empty()) {
        FDataFailure = std::to_string(Code) + " " + Reply;
    }
}

// The transfer ends at once as failed: Reply, when given, is the failing reply.
void TCustomFtpCli::TransferFailed(int Code, const std::string& Reply, const std::string& Shown) {
    if (!Reply.empty()) {
        FLastResponse = Reply;
        FStatusCode = Code;
    }
    SetErrorMessage();
    FNext = nullptr;
    if (FDataSocket->State() != wsClosed) {
        FDataSocket->Close();
    }
    DestroyLocalStream();
    DiscardDownload();
    FResumeAt = 0;
    if (!Shown.empty()) {
        TriggerDisplay(Shown);
    }
    FRequestResult = Code;
    TriggerRequestDone(static_cast<TWord>(Code));
}

// Both the final reply and the closing of the data connection must have come.
void TCustomFtpCli::TransferCheckDone(bool DataClosed) {
    if (!FReplyReceived || !DataClosed || FRequestDoneFlag) {
        return;
    }
    TransfertStats();
    FResumeAt = 0;
    FRequestResult = FTransferResult;
    if (FRequestResult != 0 && FErrorMessage.empty()) {
        FErrorMessage = "550 Data connection closed with error #" + std::to_string(FTransferResult);
    }
    if (FRequestResult == 0 && !FDataFailure.empty()) {
        FLastResponse = FDataFailure;
        FtpGetInteger(FDataFailure, 0, FStatusCode);
        FRequestResult = FStatusCode;
        SetErrorMessage();
    }
    if (FRequestResult == 0 && !CommitDownload()) {
        FLastResponse = "550 Unable to write local file " + FLocalFileName;
        FStatusCode = 550;
        FRequestResult = 550;
        SetErrorMessage();
    }
    DiscardDownload();
    TriggerRequestDone(static_cast<TWord>(FRequestResult));
}

bool TCustomFtpCli::Progress() {
    bool abort = false;
    FtpFire(OnProgress, this, FByteCount + FResumeAt, abort);
    if (!abort) {
        return true;
    }
    TriggerDisplay("! Abort requested");
    DataFailure(426, "Abort requested");
    FDataSocket->Close();
    return false;
}

void TCustomFtpCli::TransfertStats() {
    FStopTime = FtpTickCount();
    const std::int64_t elapsed = static_cast<std::uint32_t>(FStopTime - FStartTime);
    std::string text = std::to_string(FByteCount) + " bytes received/sent in " +
                       std::to_string(elapsed / 1000) + " seconds";
    if (elapsed != 0) {
        const std::int64_t rate =
            FByteCount < 32768 ? FByteCount * 1000 / elapsed : FByteCount / elapsed * 1000;
        text += " (" + std::to_string(rate) + " Bytes/sec)";
    }
    TriggerDisplay("! " + text);
}

void TCustomFtpCli::WMFtpSendData(TMessage&) {
    FStartTime = FtpTickCount();
    DataSocketPutDataSent(0);
}

}  // namespace vantorell::transport
