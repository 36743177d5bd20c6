// Receiving over the data connection: files (RETR) and listings (LIST, NLST) into a local
// file, a caller's stream or the display event.

#include "transport/FtpCli/CustomFtpCli.h"

namespace vantorell::transport {
namespace {

constexpr int kChunksPerNotice = 4;

}  // namespace

void TCustomFtpCli::ExecGetAsync() {
    DoGetAsync(ftpGetAsync);
}

void TCustomFtpCli::ExecDirAsync() {
    DoGetAsync(ftpDirAsync);
}

void TCustomFtpCli::ExecLsAsync() {
    DoGetAsync(ftpLsAsync);
}

void TCustomFtpCli::DoGetAsync(TFtpRequest RqType) {
    const std::string word = RqType == ftpDirAsync  ? "LIST"
                             : RqType == ftpLsAsync ? "NLST"
                                                    : "RETR";
    if (!FConnected) {
        HandleError(word + ": not connected");
        return;
    }
    if (FLocalFileName.empty() && !FDisplayFileFlag && !FStreamFlag) {
        HandleError("LocalFileName empty");
        return;
    }
    if (!FHighLevelFlag) {
        FRequestType = RqType;
    }
    FDataCommand = word;
    FReplyReceived = false;
    FDataClosedGet = false;
    FRequestDoneFlag = false;
    FRequestResult = 0;
    FByteCount = 0;
    FTransferResult = 0;
    FDataFailure.clear();
    FListingLine.clear();
    FDataSocket->OnSessionAvailable = DataHandler(&TCustomFtpCli::DataSocketGetSessionAvailable);
    if (!OpenDownload()) {
        TransferFailed(550, "Unable to open local file " + FLocalFileName, "");
        return;
    }
    if (FPassive &&
        !ConnectPassive(DataHandler(&TCustomFtpCli::DataSocketGetSessionConnected), 550)) {
        return;
    }
    // Passive: the command goes without waiting for the data connection.
    StateChange(ftpWaitingResponse);
    FNext = &TCustomFtpCli::Next1GetAsync;
    SendCommand(FHostFileName.empty() ? word : word + " " + FHostFileName);
}

bool TCustomFtpCli::OpenDownload() {
    DestroyLocalStream();
    DiscardDownload();
    if (FDisplayFileFlag) {
        return true;
    }
    if (FResumeAt > 0) {
        // A resumed download goes on in the file it left.
        if (!FStreamFlag) {
            FOwnStream = FtpOpenForWriting(FLocalFileName, FShareMode);
            FLocalStream = FOwnStream.get();
        }
        return FLocalStream != nullptr && FLocalStream->Seek(FResumeAt);
    }
    if (!FStreamFlag) {
        try {
            FDownload = std::make_unique<TFtpReplacingFile>(FLocalFileName);
        } catch (const std::exception&) {
            return false;
        }
        FLocalStream = FDownload.get();
    }
    return true;
}

void TCustomFtpCli::DataSocketGetSessionAvailable(TWord) {
    const TSocket accepted = AcceptDataConnection();
    if (accepted == INVALID_SOCKET) {
        return;
    }
    TWSocket& data = *FDataSocket;
    data.OnSessionClosed = DataHandler(&TCustomFtpCli::DataSocketGetSessionClosed);
    data.OnDataAvailable = DataHandler(&TCustomFtpCli::DataSocketGetDataAvailable);
    data.OnDataSent = nullptr;
    data.Dup(accepted);
    data.SetComponentOptions({wsoNoReceiveLoop});
    FStartTime = FtpTickCount();
}

void TCustomFtpCli::DataSocketGetSessionConnected(TWord Error) {
    TWSocket& data = *FDataSocket;
    data.OnSessionClosed = DataHandler(&TCustomFtpCli::DataSocketGetSessionClosed);
    data.OnDataAvailable = DataHandler(&TCustomFtpCli::DataSocketGetDataAvailable);
    data.OnDataSent = nullptr;
    FStartTime = FtpTickCount();
    if (Error != 0) {
        // The command went without waiting for this connection, so its reply is still to
        // come and would be taken for the reply to the next command: the control connection
        // goes too, and the next request must connect again.
        if (FNext != nullptr && !FReplyReceived) {
            ControlConnectionDrop();
        }
        TransferFailed(550, DataConnectionFailure(Error), "");
    }
}

// Large chunks, a few per notice: enough to keep up with a fast server in few system calls,
// few enough that the thread's other events run between notices.
void TCustomFtpCli::DataSocketGetDataAvailable(TWord) {
    TWSocket& data = *FDataSocket;
    FDataBuffer.resize(kDataChunk);
    char* const buffer = FDataBuffer.data();
    for (int chunk = 0; chunk < kChunksPerNotice; ++chunk) {
        if (!Progress()) {
            return;
        }
        const int count = data.Receive(buffer, kDataChunk);
        if (count > 0) {
            FByteCount += count;
            if (FLocalStream != nullptr && !FLocalStream->Write(buffer, count)) {
                TriggerDisplay("! Error writing local file");
                DataFailure(550, "Error writing local file " + FLocalFileName);
                data.Shutdown(2);
                return;
            }
            if (FDisplayFileFlag) {
                ShowListing(buffer, count, false);
            }
            if (count < kDataChunk) {
                // The system holds no more for now: what came is reported at once.
                Progress();
                return;
            }
            continue;
        }
        if (count < 0 && data.State() == wsConnected && data.LastError() != WSAEWOULDBLOCK) {
            TriggerDisplay("! Data: Receive error " + std::to_string(data.LastError()));
            DataFailure(550, "Data: Receive error " + std::to_string(data.LastError()));
            data.Shutdown(2);
        }
        return;
    }
}

// Line by line, a line that a chunk cuts waits for the rest of it, so every line comes out
// whole; runs of line ends give no empty lines.
void TCustomFtpCli::ShowListing(const char* Data, int Len, bool Last) {
    if (FDisplayFileMode == ftpBinary) {
        if (Len > 0) {
            TriggerDisplayFile(std::string(Data, static_cast<std::size_t>(Len)));
        }
        return;
    }
    const char* end = Data + Len;
    for (const char* p = Data; p < end;) {
        const char* stop = p;
        while (stop < end && *stop != '\r' && *stop != '\n') {
            ++stop;
        }
        FListingLine.append(p, stop);
        if (stop == end) {
            break;
        }
        if (!FListingLine.empty()) {
            TriggerDisplayFile(FListingLine);
            FListingLine.clear();
        }
        p = stop + 1;
    }
    if (Last && !FListingLine.empty()) {
        TriggerDisplayFile(FListingLine);
        FListingLine.clear();
    }
}

void TCustomFtpCli::DataSocketGetSessionClosed(TWord Error) {
    if (FDisplayFileFlag) {
        ShowListing(nullptr, 0, true);
    }
    DestroyLocalStream();
    FDataClosedGet = true;
    FTransferResult = Error;
    TransferCheckDone(FDataClosedGet);
}

void TCustomFtpCli::Next1GetAsync() {
    int code = 0;
    if (!FinalReply(code)) {
        return;
    }
    if ((code >= 150 && code <= 159) || code == 125) {
        FNext = &TCustomFtpCli::Next2GetAsync;
        return;
    }
    TransferFailed(code, "", "");
}

void TCustomFtpCli::Next2GetAsync() {
    int code = 0;
    if (!FinalReply(code)) {
        return;
    }
    if (code == 125 || code == 226 || code == 250) {
        FReplyReceived = true;
        TransferCheckDone(FDataClosedGet);
        return;
    }
    TransferFailed(code, "", "! RETR/LIST/NLST Failed");
}

}  // namespace vantorell::transport
