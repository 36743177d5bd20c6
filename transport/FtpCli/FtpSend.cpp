// Sending over the data connection (STOR, APPE) in chunks, one chunk in flight at a time.

#include "transport/FtpCli/CustomFtpCli.h"
#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {

void TCustomFtpCli::ExecPutAsync() {
    FAppendFlag = false;
    FRequestType = ftpPutAsync;
    DoPutAppendAsync();
}

void TCustomFtpCli::ExecAppendAsync() {
    FAppendFlag = true;
    FRequestType = ftpAppendAsync;
    DoPutAppendAsync();
}

void TCustomFtpCli::DoPutAppendAsync() {
    if (!FConnected) {
        HandleError("STOR/APPE: not connected");
        return;
    }
    if (!FStreamFlag && FLocalFileName.empty()) {
        HandleError("LocalFileName empty");
        return;
    }
    FReplyReceived = false;
    FDataClosedPut = false;
    FRequestDoneFlag = false;
    FRequestResult = 0;
    // A server may connect to the data port as soon as it gets PORT, before this step.
    FPutSessionOpened = !FPassive && FDataSocket->State() == wsConnected;
    FStorAnswerRcvd = false;
    FStartTime = 0;
    FByteCount = 0;
    FTransferResult = 0;
    FDataFailure.clear();
    bool cancel = false;
    TriggerReadyToTransmit(cancel);
    if (cancel) {
        const std::string reply = "426 Transmit cancelled by application";
        TransferFailed(426, reply, "! " + reply);
        return;
    }
    FDataSocket->OnSessionAvailable = DataHandler(&TCustomFtpCli::DataSocketPutSessionAvailable);
    DestroyLocalStream();
    DiscardDownload();
    if (!FStreamFlag) {
        FOwnStream = FtpOpenForReading(FLocalFileName, FShareMode);
        FLocalStream = FOwnStream.get();
    }
    FEof = false;
    if (FLocalStream == nullptr || (FResumeAt > 0 && !FLocalStream->Seek(FResumeAt))) {
        const std::string reply = "426 Unable to open local file " + FLocalFileName;
        TransferFailed(426, reply, "! " + reply);
        return;
    }
    if (FPassive) {
        // The command waits for the data connection.
        ConnectPassive(DataHandler(&TCustomFtpCli::DataSocketPutSessionConnected), 426);
        return;
    }
    SendStoreCommand();
}

void TCustomFtpCli::SendStoreCommand() {
    StateChange(ftpWaitingResponse);
    FNext = &TCustomFtpCli::Next1PutAsync;
    SendCommand((FAppendFlag ? "APPE " : "STOR ") + FHostFileName);
}

void TCustomFtpCli::DataSocketPutSessionConnected(TWord Error) {
    TWSocket& data = *FDataSocket;
    data.OnSessionClosed = DataHandler(&TCustomFtpCli::DataSocketPutSessionClosed);
    data.OnDataAvailable = nullptr;
    data.OnDataSent = nullptr;
    FPutSessionOpened = true;
    FStartTime = FtpTickCount();
    if (Error != 0) {
        TransferFailed(550, DataConnectionFailure(Error), "");
        return;
    }
    SendStoreCommand();
}

void TCustomFtpCli::DataSocketPutSessionAvailable(TWord) {
    const TSocket accepted = AcceptDataConnection();
    if (accepted == INVALID_SOCKET) {
        return;
    }
    TWSocket& data = *FDataSocket;
    data.OnSessionClosed = DataHandler(&TCustomFtpCli::DataSocketPutSessionClosed);
    data.OnDataAvailable = DataHandler(&TCustomFtpCli::DataSocketPutDataAvailable);
    data.OnDataSent = DataHandler(&TCustomFtpCli::DataSocketPutDataSent);
    data.Dup(accepted);
    data.SetComponentOptions({wsoNoReceiveLoop});
    int size = 0;
    int length = sizeof size;
    if (WSocket_getsockopt(data.HSocket(), WSOCK_SOL_SOCKET, WSOCK_SO_SNDBUF, &size, &length) ==
        SOCKET_ERROR) {
        HandleError("winsock.getsockopt(SO_SNDBUF) failed");
        return;
    }
    data.SetLingerOnOff(wsLingerOff);
    data.SetLingerTimeout(10);
    FPutSessionOpened = true;
    if (FStorAnswerRcvd && FStartTime == 0) {
        PostMessage(FWindowHandle, WM_FTP_SENDDATA, 0, 0);
    }
}

void TCustomFtpCli::DataSocketPutDataAvailable(TWord) {
    char scratch[2048];
    FDataSocket->Receive(scratch, sizeof scratch);
}

// The send step: at the start and after each chunk has left.
void TCustomFtpCli::DataSocketPutDataSent(TWord Error) {
    if (FLocalStream == nullptr || !Progress()) {
        return;
    }
    TWSocket& data = *FDataSocket;
    if (Error != 0) {
        TriggerDisplay("! Error #" + std::to_string(Error) + " sending data");
        DataFailure(426, "Error #" + std::to_string(Error) + " sending data");
        data.Close();
        return;
    }
    if (FEof || !FStorAnswerRcvd || !FPutSessionOpened || data.State() != wsConnected) {
        return;
    }
    FDataBuffer.resize(kDataChunk);
    const int count = FLocalStream->Read(FDataBuffer.data(), kDataChunk);
    if (count > 0) {
        FByteCount += count;
        data.Send(FDataBuffer.data(), count);
    } else if (count == 0) {
        // All has been handed to the system: a graceful close delivers it.
        FEof = true;
        data.CloseDelayed();
    } else {
        TriggerDisplay("! Error reading file");
        DataFailure(426, "Error reading file " + FLocalFileName);
        data.Close();
    }
}

void TCustomFtpCli::Next1PutAsync() {
    int code = 0;
    if (!FinalReply(code)) {
        return;
    }
    if (code != 150 && code != 125) {
        TransferFailed(code, "", "");
        return;
    }
    FStorAnswerRcvd = true;
    FNext = &TCustomFtpCli::Next2PutAsync;
    if (FPassive) {
        FDataSocket->OnDataSent = DataHandler(&TCustomFtpCli::DataSocketPutDataSent);
        DataSocketPutDataSent(0);
    } else if (FPutSessionOpened && FStartTime == 0) {
        PostMessage(FWindowHandle, WM_FTP_SENDDATA, 0, 0);
    }
}

void TCustomFtpCli::Next2PutAsync() {
    int code = 0;
    if (!FinalReply(code)) {
        return;
    }
    if (code == 226 || code == 250) {
        FReplyReceived = true;
        TransferCheckDone(FDataClosedPut);
        return;
    }
    TransferFailed(code, "", "! STOR Failed");
}

void TCustomFtpCli::DataSocketPutSessionClosed(TWord Error) {
    DestroyLocalStream();
    FDataClosedPut = true;
    FTransferResult = Error;
    TransferCheckDone(FDataClosedPut);
}

}  // namespace vantorell::transport
