// The control connection: opening it (lookup, connect, banner), assembling and judging
// its reply lines, and its closing.

#include "transport/FtpCli/CustomFtpCli.h"
#include "transport/FtpCli/FtpCommandText.h"
#include "transport/WSocket/SocketErrors.h"
#include "transport/WSocket/SocksNegotiation.h"

namespace vantorell::transport {

std::string TCustomFtpCli::SocketErrorText(TWord Error) const {
    if (IsSocksError(Error) && !FSocksErrorText.empty()) {
        return FSocksErrorText + " (SOCKS error #" + std::to_string(Error) + ")";
    }
    return WSocketErrorDesc(Error) + " (Winsock error #" + std::to_string(Error) + ")";
}

void TCustomFtpCli::OpenAsync() {
    if (!CheckReady()) {
        return;
    }
    if (FConnected) {
        HandleError("FTP component already connected");
        return;
    }
    if (!FHighLevelFlag) {
        FRequestType = ftpOpenAsync;
        FErrorMessage.clear();
    }
    FRequestDoneFlag = false;
    FReceiveLines.Clear();
    FMultiLineCode = -1;
    FSocksErrorText.clear();
    FRequestResult = 0;
    FDnsResult.clear();
    FQuitting = false;
    StateChange(ftpDnsLookup);
    try {
        FControlSocket->DnsLookup(FConnectionType == ftpProxy ? FProxyServer : FHostName);
    } catch (const std::exception& E) {
        // No lookup was started (an empty or invalid name): the request ends as failed.
        if (!FRequestDoneFlag) {
            FailRequest(500, "500 " + FtpExceptionText(E), 500);
        }
    }
}

void TCustomFtpCli::ControlSocketDnsLookupDone(TWord Error) {
    if (Error != 0) {
        FailRequest(500, "500 " + SocketErrorText(Error), Error);
        return;
    }
    FDnsResult = FControlSocket->DnsResult();
    try {
        TWSocket& control = *FControlSocket;
        control.SetAddr(FDnsResult);
        control.SetLocalAddr(FLocalAddr);
        control.SetProto("tcp");
        control.SetPort(FConnectionType == ftpProxy && !FProxyPort.empty() ? FProxyPort : FPort);
        PrepareSocks(control);
        StateChange(ftpWaitingBanner);
        control.Connect();
    } catch (const std::exception& E) {
        FailRequest(500, "500 " + FtpExceptionText(E), 500);
        if (FControlSocket->State() != wsClosed) {
            FControlSocket->Close();
        }
        StateChange(ftpReady);
    }
}

void TCustomFtpCli::ControlSocketSessionConnected(TWord Error) {
    if (Error == 0) {
        FConnected = true;  // the banner comes next
        return;
    }
    FNextRequest = nullptr;
    FailRequest(500, "500 " + SocketErrorText(Error), Error);
    if (FControlSocket->State() != wsClosed) {
        FControlSocket->Close();
    }
    StateChange(ftpReady);
}

void TCustomFtpCli::ControlSocketDataAvailable(TWord) {
    char buffer[FtpReplyLines::kBufferSize];
    const int length = FControlSocket->Receive(buffer, static_cast<int>(FReceiveLines.Room()));
    if (length == 0) {
        FControlSocket->Close();
        return;
    }
    if (length < 0) {
        return;
    }
    FReceiveLines.Append(buffer, static_cast<std::size_t>(length));
    std::string line;
    while (FReceiveLines.NextLine(FOptions.Contains(ftpAcceptLF), line)) {
        FLastResponse = line;
        FtpFire(OnResponse, this);
        if (!JudgeLine()) {
            break;
        }
    }
}

// Judges the line in LastResponse by the state; false when the lines behind it are not
// to be read.
bool TCustomFtpCli::JudgeLine() {
    int code = 0;
    bool final = false;
    bool numbered = FtpReplyCode(FLastResponse, code, final);
    if (FMultiLineCode >= 0) {
        // Only a line with the first line's code ends a multi-line reply: the lines between
        // may begin with numbers of their own.
        if (numbered && final && code == FMultiLineCode) {
            FMultiLineCode = -1;
        } else {
            numbered = false;
        }
    } else if (numbered && !final) {
        FMultiLineCode = code;
    }
    switch (FState) {
        case ftpWaitingBanner:
            DisplayLastResponse();
            if (!numbered || !final) {
                return true;  // a line of a multi-line banner
            }
            FStatusCode = code;
            if (code != 220) {
                SetErrorMessage();
                FRequestResult = code;
                // The end is reported when the connection has closed.
                FControlSocket->Close();
                return false;
            }
            StateChange(ftpConnected);
            FtpFire(OnSessionConnected, this, TWord{0});
            if (FWhenConnected != nullptr) {
                CallNext(FWhenConnected);
            } else {
                TriggerRequestDone(0);
            }
            return true;
        case ftpWaitingResponse:
            if (!numbered || !final) {
                DisplayLastResponse();
                return true;
            }
            if (FNext == nullptr) {
                HandleError("Program error: FNext is nil");
                return true;
            }
            CallNext(FNext);
            return true;
        default:
            DisplayLastResponse();
            return true;
    }
}

void TCustomFtpCli::ControlConnectionDrop() {
    TWSocket& control = *FControlSocket;
    TSessionClosed closed = std::move(control.OnSessionClosed);
    control.OnSessionClosed = nullptr;
    if (control.State() != wsClosed) {
        control.Close();
    }
    control.OnSessionClosed = std::move(closed);
    if (FConnected) {
        FConnected = false;
        FtpFire(OnSessionClosed, this, TWord{0});
    }
}

void TCustomFtpCli::ControlSocketSessionClosed(TWord Error) {
    // A command still waiting for its reply, or a banner still to come, did not succeed,
    // whatever the replies before said. Only the QUIT may end so.
    const bool interrupted =
        !FQuitting && (FState == ftpWaitingBanner || FState == ftpWaitingResponse);
    if (FConnected) {
        FConnected = false;
        if (FState != ftpAbort) {
            StateChange(ftpNotConnected);
        }
        FtpFire(OnSessionClosed, this, Error);
    }
    if (FState != ftpAbort) {
        StateChange(ftpInternalReady);
    }
    if (Error != 0) {
        FLastResponse = "500 Control connection closed. " + SocketErrorText(Error);
        FStatusCode = 500;
        FRequestResult = 500;
        SetErrorMessage();
    } else if (interrupted && FRequestResult == 0) {
        FLastResponse = "500 Control connection closed.";
        FStatusCode = 500;
        FRequestResult = 500;
        SetErrorMessage();
    }
    TriggerRequestDone(static_cast<TWord>(FRequestResult));
}

}  // namespace vantorell::transport
