// The end of a request, and the high-level requests that chain several steps into one.

#include "transport/FtpCli/CustomFtpCli.h"

namespace vantorell::transport {

void TCustomFtpCli::TriggerRequestDone(TWord Error) {
    if (FRequestDoneFlag) {
        return;
    }
    FRequestDoneFlag = true;
    // A sequence goes on after a step; after a failing step only while the control
    // connection is open, so that it can still quit.
    if (FNextRequest != nullptr && (Error == 0 || (FConnected && FState != ftpAbort))) {
        if (FState != ftpAbort && FState != ftpPasvReady) {
            StateChange(ftpInternalReady);
        }
        CallNext(FNextRequest);
        return;
    }
    StateChange(ftpReady);
    if (FDataSocket->State() != wsClosed) {
        FDataSocket->Close();
    }
    // A download that did not end well leaves the old file as it was.
    DestroyLocalStream();
    DiscardDownload();
    if (FHighLevelFlag && FStatusCodeSave >= 0) {
        FLastResponse = FLastResponseSave;
        FStatusCode = FStatusCodeSave;
    }
    FHighLevelFlag = false;
    FNextRequest = nullptr;
    PostMessage(FWindowHandle, WM_FTP_REQUEST_DONE, 0, Error);
}

void TCustomFtpCli::HighLevelAsync(TFtpRequest RqType, TFtpFctSet Fcts) {
    if (FConnected && Fcts.Contains(ftpFctOpen)) {
        HandleError("FTP component already connected");
        return;
    }
    if (!CheckReady()) {
        return;
    }
    FLastResponseSave = FLastResponse;
    FStatusCodeSave = -1;
    FRequestType = RqType;
    FRequestResult = 0;
    FFctSet = Fcts;
    FFctPrv = ftpFctNone;
    FHighLevelResult = 0;
    FHighLevelFlag = true;
    FLastResponse.clear();
    FErrorMessage.clear();
    FNextRequest = nullptr;
    FFirstStep = true;
    DoHighLevelAsync();
}

void TCustomFtpCli::DoHighLevelAsync() {
    if (FState == ftpAbort) {
        FFctSet = TFtpFctSet();
        FHighLevelResult = 426;
        FErrorMessage = "426 Operation aborted.";
    }
    FNextRequest = &TCustomFtpCli::DoHighLevelAsync;
    if (FRequestResult != 0) {
        // The step failed: a sequence that was to quit still quits.
        FHighLevelResult = FRequestResult;
        if (FFctSet.Contains(ftpFctQuit) && FFctPrv != ftpFctQuit) {
            FFctSet = TFtpFctSet{ftpFctQuit};
        } else {
            FFctSet = TFtpFctSet();
        }
    }
    ExtractMoreResults();

    static constexpr TFtpFct kOrder[] = {
        ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd,       ftpFctCDup,    ftpFctTypeSet,
        ftpFctPort, ftpFctRest, ftpFctGet,  ftpFctPut,       ftpFctAppend,  ftpFctDir,
        ftpFctLs,   ftpFctSyst, ftpFctMkd,  ftpFctRmd,       ftpFctRenFrom, ftpFctRenTo,
        ftpFctSize, ftpFctDele, ftpFctPwd,  ftpFctAbortXfer, ftpFctQuote,   ftpFctQuit};
    for (const TFtpFct step : kOrder) {
        if (!FFctSet.Contains(step)) {
            continue;
        }
        FFctSet.Exclude(step);
        // A 230 to USER needs no password; a sequence without a folder stays where it is.
        if (step == ftpFctPass && FFctPrv == ftpFctUser && FStatusCode != 331) {
            continue;
        }
        if (step == ftpFctCwd && FHostDirName.empty()) {
            continue;
        }
        // A restart position holds only when the server took it.
        if (step == ftpFctGet && !(FFctPrv == ftpFctRest && FResumeAt >= 0 && FStatusCode == 350)) {
            FResumeAt = 0;
        }
        if (step == ftpFctQuit) {
            FLastResponseSave = FLastResponse;
            FStatusCodeSave = FStatusCode;
        }
        FFctPrv = step;
        StartStep(step);
        return;
    }
    FFctSet = TFtpFctSet();
    FNextRequest = nullptr;
    FRequestDoneFlag = false;
    FRequestResult = FHighLevelResult;
    TriggerRequestDone(static_cast<TWord>(FHighLevelResult));
}

void TCustomFtpCli::StartStep(TFtpFct Step) {
    const bool first = FFirstStep;
    FFirstStep = false;
    const int errors = FErrorCount;
    std::string misuse;
    try {
        StartStepRequest(Step);
    } catch (const FtpException& E) {
        if (first) {
            // Nothing started: the caller gets the misuse report.
            FHighLevelFlag = false;
            FNextRequest = nullptr;
            throw;
        }
        misuse = E.what();
    }
    if (misuse.empty() && FErrorCount != errors && FRequestDoneFlag) {
        misuse = FLastMisuse;  // reported through OnError
        if (first) {
            FHighLevelFlag = false;
            FNextRequest = nullptr;
            return;
        }
    }
    if (!misuse.empty()) {
        // A later step that cannot start ends the sequence as failed.
        FRequestDoneFlag = false;
        FailRequest(500, "500 " + misuse, 500);
    }
}

void TCustomFtpCli::StartStepRequest(TFtpFct Step) {
    switch (Step) {
        case ftpFctOpen:
            OpenAsync();
            break;
        case ftpFctUser:
            UserAsync();
            break;
        case ftpFctPass:
            PassAsync();
            break;
        case ftpFctCwd:
            CwdAsync();
            break;
        case ftpFctCDup:
            CDupAsync();
            break;
        case ftpFctTypeSet:
            TypeSetAsync();
            break;
        case ftpFctPort:
            PortAsync();
            break;
        case ftpFctRest:
            RestAsync();
            break;
        case ftpFctGet:
            ExecGetAsync();
            break;
        case ftpFctPut:
            ExecPutAsync();
            break;
        case ftpFctAppend:
            ExecAppendAsync();
            break;
        case ftpFctDir:
            ExecDirAsync();
            break;
        case ftpFctLs:
            ExecLsAsync();
            break;
        case ftpFctSyst:
            SystAsync();
            break;
        case ftpFctMkd:
            MkdAsync();
            break;
        case ftpFctRmd:
            RmdAsync();
            break;
        case ftpFctRenFrom:
            RenFromAsync();
            break;
        case ftpFctRenTo:
            RenToAsync();
            break;
        case ftpFctSize:
            SizeAsync();
            break;
        case ftpFctDele:
            DeleAsync();
            break;
        case ftpFctPwd:
            PwdAsync();
            break;
        case ftpFctAbortXfer:
            AbortXferAsync();
            break;
        case ftpFctQuote:
            QuoteAsync();
            break;
        case ftpFctQuit:
            QuitAsync();
            break;
        default:
            HandleError("Program error: unknown step");
            break;
    }
}

void TCustomFtpCli::ConnectAsync() {
    HighLevelAsync(ftpConnectAsync, {ftpFctOpen, ftpFctUser, ftpFctPass});
}

void TCustomFtpCli::SystemAsync() {
    HighLevelAsync(ftpSystemAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctSyst, ftpFctQuit});
}

void TCustomFtpCli::MkdirAsync() {
    HighLevelAsync(ftpMkdirAsync,
                   {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctMkd, ftpFctQuit});
}

void TCustomFtpCli::RmdirAsync() {
    HighLevelAsync(ftpRmdirAsync,
                   {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctRmd, ftpFctQuit});
}

void TCustomFtpCli::DeleteAsync() {
    HighLevelAsync(ftpDeleteAsync,
                   {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctDele, ftpFctQuit});
}

void TCustomFtpCli::DoQuoteAsync() {
    HighLevelAsync(ftpDoQuoteAsync,
                   {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctQuote, ftpFctQuit});
}

void TCustomFtpCli::RenameAsync() {
    HighLevelAsync(ftpRenameAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctRenFrom,
                                    ftpFctRenTo, ftpFctQuit});
}

// SIZE counts the bytes of a binary transfer; servers refuse it in ASCII mode.
void TCustomFtpCli::FileSizeAsync() {
    HighLevelAsync(ftpSizeAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctTypeSet,
                                  ftpFctSize, ftpFctQuit});
}

void TCustomFtpCli::RenAsync() {
    HighLevelAsync(ftpRenAsync, {ftpFctRenFrom, ftpFctRenTo});
}

void TCustomFtpCli::ReceiveAsync() {
    HighLevelAsync(ftpReceiveAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctTypeSet,
                                     ftpFctPort, ftpFctGet, ftpFctQuit});
}

void TCustomFtpCli::RestartGetAsync() {
    HighLevelAsync(ftpRestartGetAsync,
                   {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctTypeSet, ftpFctPort,
                    ftpFctRest, ftpFctGet, ftpFctQuit});
}

void TCustomFtpCli::TransmitAsync() {
    HighLevelAsync(ftpTransmitAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctTypeSet,
                                      ftpFctPort, ftpFctPut, ftpFctQuit});
}

void TCustomFtpCli::RestartPutAsync() {
    HighLevelAsync(ftpRestartPutAsync,
                   {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctTypeSet, ftpFctPort,
                    ftpFctRest, ftpFctPut, ftpFctQuit});
}

void TCustomFtpCli::AppendFileAsync() {
    HighLevelAsync(ftpTransmitAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctTypeSet,
                                      ftpFctPort, ftpFctAppend, ftpFctQuit});
}

void TCustomFtpCli::DirectoryAsync() {
    HighLevelAsync(ftpDirectoryAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctPort,
                                       ftpFctDir, ftpFctQuit});
}

void TCustomFtpCli::ListAsync() {
    HighLevelAsync(ftpListAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctPort,
                                  ftpFctLs, ftpFctQuit});
}

void TCustomFtpCli::GetAsync() {
    HighLevelAsync(ftpGetAsync, {ftpFctPort, ftpFctGet});
}

void TCustomFtpCli::RestGetAsync() {
    HighLevelAsync(ftpRestGetAsync, {ftpFctPort, ftpFctRest, ftpFctGet});
}

void TCustomFtpCli::PutAsync() {
    HighLevelAsync(ftpPutAsync, {ftpFctPort, ftpFctPut});
}

void TCustomFtpCli::RestPutAsync() {
    HighLevelAsync(ftpRestPutAsync, {ftpFctPort, ftpFctRest, ftpFctPut});
}

void TCustomFtpCli::AppendAsync() {
    HighLevelAsync(ftpAppendAsync, {ftpFctPort, ftpFctAppend});
}

void TCustomFtpCli::DirAsync() {
    HighLevelAsync(ftpDirAsync, {ftpFctPort, ftpFctDir});
}

void TCustomFtpCli::LsAsync() {
    HighLevelAsync(ftpLsAsync, {ftpFctPort, ftpFctLs});
}

}  // namespace vantorell::transport
