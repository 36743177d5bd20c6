// The client object: construction, its hidden window and messages, events, state, misuse
// reports, background exceptions and aborting.

#include "transport/FtpCli/CustomFtpCli.h"

#include <QCoreApplication>

#include "transport/FtpCli/FtpCommandText.h"

namespace vantorell::transport {

TCustomFtpCli::TCustomFtpCli() {
    FtpCliAllocateHWnd();
    FControlSocket = std::make_unique<TWSocket>();
    FDataSocket = std::make_unique<TWSocket>();
    TWSocket& control = *FControlSocket;
    control.OnSessionConnected = [this](TObject*, TWord Error) {
        Guarded([&] { ControlSocketSessionConnected(Error); });
    };
    control.OnDataAvailable = [this](TObject*, TWord Error) {
        Guarded([&] { ControlSocketDataAvailable(Error); });
    };
    control.OnSessionClosed = [this](TObject*, TWord Error) {
        Guarded([&] { ControlSocketSessionClosed(Error); });
    };
    control.OnDnsLookupDone = [this](TObject*, TWord Error) {
        Guarded([&] { ControlSocketDnsLookupDone(Error); });
    };
    // A SOCKS server's refusal is reported in its own words.
    for (auto* socket : {FControlSocket.get(), FDataSocket.get()}) {
        socket->OnSocksError = [this](TObject*, int, const std::string& Msg) {
            FSocksErrorText = Msg;
        };
    }
}

TCustomFtpCli::~TCustomFtpCli() {
    FtpCliDeallocateHWnd();
    DestroyLocalStream();
    DiscardDownload();
    // The sockets go first, without reporting to a client that is going away.
    for (auto* socket : {FControlSocket.get(), FDataSocket.get()}) {
        socket->OnSessionConnected = nullptr;
        socket->OnSessionAvailable = nullptr;
        socket->OnDataAvailable = nullptr;
        socket->OnDataSent = nullptr;
        socket->OnSessionClosed = nullptr;
        socket->OnDnsLookupDone = nullptr;
        socket->OnSocksError = nullptr;
    }
    FDataSocket.reset();
    FControlSocket.reset();
}

void TCustomFtpCli::FtpCliAllocateHWnd() {
    // Without an application object no message loop could ever report a request's end.
    if (QCoreApplication::instance() == nullptr) {
        throw FtpException("Cannot create a hidden window for the FTP client");
    }
    FWindowHandle = AllocateHWnd([this](TMessage& MsgRec) { WndProc(MsgRec); });
}

void TCustomFtpCli::FtpCliDeallocateHWnd() {
    if (FWindowHandle != nullptr) {
        DeallocateHWnd(FWindowHandle);
        FWindowHandle = nullptr;
    }
}

void TCustomFtpCli::WndProc(TMessage& MsgRec) {
    try {
        switch (MsgRec.Msg) {
            case WM_FTP_REQUEST_DONE:
                WMFtpRequestDone(MsgRec);
                break;
            case WM_FTP_SENDDATA:
                WMFtpSendData(MsgRec);
                break;
            default:
                MsgRec.Result = 0;
                break;
        }
    } catch (const std::exception& E) {
        HandleBackGroundException(E);
    }
}

void TCustomFtpCli::WMFtpRequestDone(TMessage& Msg) {
    FtpFire(OnRequestDone, this, FRequestType, static_cast<TWord>(Msg.LParam));
}

void TCustomFtpCli::TriggerDisplay(const std::string& Msg) {
    std::string text = Msg;
    FtpFire(OnDisplay, this, text);
}

void TCustomFtpCli::TriggerDisplayFile(const std::string& Msg) {
    std::string text = Msg;
    FtpFire(OnDisplayFile, this, text);
}

void TCustomFtpCli::TriggerError(const std::string& Msg) {
    std::string text = Msg;
    FtpFire(OnError, this, text);
}

void TCustomFtpCli::TriggerReadyToTransmit(bool& bCancel) {
    FtpFire(OnReadyToTransmit, this, bCancel);
}

void TCustomFtpCli::TriggerStateChange() {
    FtpFire(OnStateChange, this);
}

void TCustomFtpCli::DisplayLastResponse() {
    TriggerDisplay("< " + FLastResponse);
}

void TCustomFtpCli::StateChange(TFtpState NewState) {
    if (FState != NewState) {
        FState = NewState;
        TriggerStateChange();
    }
}

void TCustomFtpCli::SetErrorMessage() {
    if (FErrorMessage.empty()) {
        FErrorMessage = FLastResponse;
    }
}

void TCustomFtpCli::HandleError(const std::string& Msg) {
    ++FErrorCount;
    FLastMisuse = Msg;
    if (OnError) {
        TriggerError(Msg);
        return;
    }
    throw FtpException(Msg);
}

bool TCustomFtpCli::CheckReady() {
    // Inside a sequence the passive reply leaves its own state for the steps after it.
    if (FState == ftpReady || FState == ftpInternalReady ||
        (FState == ftpPasvReady && FHighLevelFlag)) {
        return true;
    }
    HandleError("FTP component not ready");
    return false;
}

void TCustomFtpCli::HandleBackGroundException(const std::exception& E) {
    bool CanClose = true;
    if (OnBgException) {
        try {
            FtpFire(OnBgException, this, E, CanClose);
        } catch (...) {
            // A failing handler must not take the message loop down.
        }
    }
    if (!CanClose) {
        return;
    }
    // The running request ends as failed, saying why.
    if (!FRequestDoneFlag && FErrorMessage.empty()) {
        FErrorMessage = "426 " + FtpExceptionText(E);
    }
    try {
        AbortAsync();
    } catch (...) {
        // Nothing more can be done for the connection.
    }
}

void TCustomFtpCli::AbortAsync() {
    const TFtpState old = FState;
    const bool running = !FRequestDoneFlag;
    if (running) {
        // An aborted request did not succeed, whatever its replies said so far.
        FRequestResult = 426;
        FStatusCode = 426;
        if (FErrorMessage.empty()) {
            FErrorMessage = "426 Operation aborted.";
        }
    } else {
        FRequestResult = 0;
    }
    StateChange(ftpAbort);
    DestroyLocalStream();
    DiscardDownload();
    if (old == ftpDnsLookup) {
        FControlSocket->CancelDnsLookup();
    }
    if (FControlSocket->State() != wsClosed) {
        FControlSocket->Close();
    }
    if (FDataSocket->State() != wsClosed) {
        FDataSocket->Close();
    }
    DestroyLocalStream();
    FConnected = false;
    // Nothing was left to report the end: it is reported here.
    if (!FRequestDoneFlag) {
        FNextRequest = nullptr;
        TriggerRequestDone(static_cast<TWord>(FRequestResult));
    }
    StateChange(ftpReady);
}

}  // namespace vantorell::transport
