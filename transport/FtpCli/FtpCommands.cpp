// Sending commands, judging their final replies, and the requests of one command each.

#include <strings.h>

#include <algorithm>

#include "transport/FtpCli/CustomFtpCli.h"
#include "transport/FtpCli/FtpCommandText.h"

namespace vantorell::transport {

void TCustomFtpCli::SendCommand(const std::string& Cmd) {
    std::string command = Cmd;
    FtpFire(OnCommand, this, command);
    if (!FtpCommandIsSafe(command)) {
        const std::string refusal = "500 Command refused: it holds a line break or NUL character";
        TriggerDisplay("! " + refusal);
        FailRequest(500, refusal, 500);
        return;
    }
    TriggerDisplay("> " + FtpDisplayedCommand(command));
    if (FControlSocket->State() == wsConnected) {
        FControlSocket->SendStr(command + "\r\n");
    }
}

void TCustomFtpCli::ExecAsync(TFtpRequest RqType, TFtpFct Step, const std::string& Cmd,
                              std::initializer_list<int> Accepted, TFtpNextProc DoneAsync) {
    if (Cmd != "ABOR" && Cmd != "STAT" && Cmd != "QUIT") {
        if (!CheckReady()) {
            return;
        }
        if (!FConnected) {
            HandleError("FTP component not connected");
            return;
        }
    }
    // Only a request that starts touches the state of the one before.
    FFctPrv = Step;
    if (Step == ftpFctSize) {
        FSizeResult = 0;
    }
    if (!FHighLevelFlag) {
        FRequestType = RqType;
        // Inside a sequence the first failing reply of any step stays.
        FErrorMessage.clear();
    }
    int count = 0;
    for (const int code : Accepted) {
        if (count == kMaxOkResponses) {
            break;
        }
        FOkResponses[count++] = code;
    }
    FOkResponses[count] = 0;
    FRequestDoneFlag = false;
    FRequestResult = 0;
    FNext = &TCustomFtpCli::NextExecAsync;
    FDoneAsync = DoneAsync;
    FQuitting = Cmd == "QUIT";
    StateChange(ftpWaitingResponse);
    SendCommand(Cmd);
}

void TCustomFtpCli::RefuseReply() {
    FRequestResult = FStatusCode;
    SetErrorMessage();
}

bool TCustomFtpCli::FinalReply(int& Code) {
    DisplayLastResponse();
    bool final = false;
    if (!FtpReplyCode(FLastResponse, Code, final) || !final) {
        return false;  // a guard: only final lines come here
    }
    FStatusCode = Code;
    return true;
}

void TCustomFtpCli::NextExecAsync() {
    int code = 0;
    if (!FinalReply(code)) {
        return;
    }
    bool accepted = false;
    if (FOkResponses[0] == 0) {
        accepted = code < 500;
    } else {
        for (int i = 0; FOkResponses[i] != 0; ++i) {
            if (FOkResponses[i] == code) {
                accepted = true;
                break;
            }
        }
    }
    if (accepted) {
        FRequestResult = 0;
    } else {
        RefuseReply();
    }
    if (FPassive && code == 227) {
        StateChange(ftpPasvReady);
        FPasvResponse = FLastResponse;
    }
    ExtractMoreResults();
    if (FDoneAsync != nullptr) {
        CallNext(FDoneAsync);
    } else {
        TriggerRequestDone(static_cast<TWord>(FRequestResult));
    }
}

void TCustomFtpCli::ExtractMoreResults() {
    if (FRequestResult != 0) {
        return;
    }
    int code = 0;
    const std::size_t behind = FtpGetInteger(FLastResponse, 0, code);
    if (FFctPrv == ftpFctSize) {
        FtpGetInteger(FLastResponse, behind, FSizeResult);
    } else if (FFctPrv == ftpFctCwd || FFctPrv == ftpFctMkd || FFctPrv == ftpFctPwd ||
               FFctPrv == ftpFctCDup) {
        FDirResult = FtpGetQuotedString(FLastResponse, behind);
    }
}

void TCustomFtpCli::FailRequest(int Code, const std::string& Response, TWord Error) {
    FLastResponse = Response;
    FStatusCode = Code;
    FRequestResult = Code;
    SetErrorMessage();
    TriggerRequestDone(Error);
}

void TCustomFtpCli::UserAsync() {
    if (FUserName.empty()) {
        HandleError("UserName emtpy");
        return;
    }
    std::string command = "USER " + FUserName;
    if (FConnectionType == ftpProxy) {
        // The proxy learns the server from the user name.
        const bool standard = ::strcasecmp(FPort.c_str(), "ftp") == 0 || FPort == "21";
        command += "@" + FHostName + (standard ? "" : ":" + FPort);
    }
    ExecAsync(ftpUserAsync, ftpFctUser, command, {331, 230});
}

void TCustomFtpCli::PassAsync() {
    if (FPassWord.empty()) {
        HandleError("Password emtpy");
        return;
    }
    ExecAsync(ftpPassAsync, ftpFctPass, "PASS " + FPassWord, {230});
}

void TCustomFtpCli::CwdAsync() {
    if (FHostDirName.empty()) {
        HandleError("HostDirName emtpy");
        return;
    }
    ExecAsync(ftpCwdAsync, ftpFctCwd, "CWD " + FHostDirName, {200, 250, 257});
}

void TCustomFtpCli::PwdAsync() {
    ExecAsync(ftpPwdAsync, ftpFctPwd, "PWD", {250, 257});
}

void TCustomFtpCli::CDupAsync() {
    ExecAsync(ftpCDupAsync, ftpFctCDup, "CDUP", {250, 257});
}

void TCustomFtpCli::TypeSetAsync() {
    ExecAsync(ftpTypeSetAsync, ftpFctTypeSet, std::string("TYPE ") + FType, {200});
}

void TCustomFtpCli::TypeBinaryAsync() {
    SetBinary(true);
    TypeSetAsync();
}

void TCustomFtpCli::TypeAsciiAsync() {
    SetBinary(false);
    TypeSetAsync();
}

void TCustomFtpCli::SystAsync() {
    ExecAsync(ftpSystAsync, ftpFctSyst, "SYST", {215});
}

void TCustomFtpCli::SizeAsync() {
    ExecAsync(ftpSizeAsync, ftpFctSize, "SIZE " + FHostFileName, {213});
}

void TCustomFtpCli::MkdAsync() {
    ExecAsync(ftpMkdAsync, ftpFctMkd, "MKD " + FHostFileName, {250, 257});
}

void TCustomFtpCli::RmdAsync() {
    ExecAsync(ftpRmdAsync, ftpFctRmd, "RMD " + FHostFileName, {250, 257});
}

void TCustomFtpCli::DeleAsync() {
    ExecAsync(ftpDeleAsync, ftpFctDele, "DELE " + FHostFileName, {250, 257});
}

void TCustomFtpCli::RenFromAsync() {
    ExecAsync(ftpRenFromAsync, ftpFctRenFrom, "RNFR " + FHostFileName, {350});
}

void TCustomFtpCli::RenToAsync() {
    ExecAsync(ftpRenToAsync, ftpFctRenTo, "RNTO " + FLocalFileName, {200, 250, 257});
}

void TCustomFtpCli::AbortXferAsync() {
    ExecAsync(ftpAbortXferAsync, ftpFctAbortXfer, "ABOR", {});
}

void TCustomFtpCli::QuoteAsync() {
    ExecAsync(ftpQuoteAsync, ftpFctQuote, FLocalFileName, {});
}

void TCustomFtpCli::QuitAsync() {
    DestroyLocalStream();
    ExecAsync(ftpQuitAsync, ftpFctQuit, "QUIT", {221}, &TCustomFtpCli::DoneQuitAsync);
}

void TCustomFtpCli::DoneQuitAsync() {
    // The request ends when the connection has closed.
    if (FControlSocket->State() != wsClosed) {
        FControlSocket->Close();
    }
    if (!FRequestDoneFlag) {
        TriggerRequestDone(static_cast<TWord>(FRequestResult));
    }
}

}  // namespace vantorell::transport
