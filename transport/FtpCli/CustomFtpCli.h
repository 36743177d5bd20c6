#pragma once
// TCustomFtpCli: the event-driven FTP client. Every request starts at once, sends one
// command over the control connection and returns; the reply arrives through the control
// socket's events, and the end of the request is posted through the client's own hidden
// window as OnRequestDone, never reported from inside the call that started it. High-level
// requests chain several steps (open, user, pass, ...) into one.
//
// Misuse (not ready, not connected, an empty name) goes through HandleError: OnError when
// assigned, else an FtpException from the calling operation.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "transport/FtpCli/FtpReplies.h"
#include "transport/FtpCli/FtpStreams.h"
#include "transport/FtpCli/FtpTypes.h"
#include "transport/WSocket/HiddenWindow.h"
#include "transport/WSocket/WSocket.h"

namespace vantorell::transport {

class TCustomFtpCli;

// The continuation of a request: a procedure of the client without arguments.
using TFtpNextProc = void (TCustomFtpCli::*)();

class TCustomFtpCli : public TObject {
public:
    TCustomFtpCli();
    ~TCustomFtpCli() override;
    TCustomFtpCli(const TCustomFtpCli&) = delete;
    TCustomFtpCli& operator=(const TCustomFtpCli&) = delete;

    // Requests on the control connection.
    virtual void OpenAsync();
    virtual void UserAsync();
    virtual void PassAsync();
    virtual void ConnectAsync();
    virtual void QuitAsync();
    virtual void AbortAsync();
    virtual void TypeSetAsync();
    virtual void TypeBinaryAsync();
    virtual void TypeAsciiAsync();
    virtual void PwdAsync();
    virtual void CwdAsync();
    virtual void CDupAsync();
    virtual void SystAsync();
    virtual void SystemAsync();
    virtual void SizeAsync();
    virtual void FileSizeAsync();
    virtual void MkdAsync();
    virtual void MkdirAsync();
    virtual void RmdAsync();
    virtual void RmdirAsync();
    virtual void DeleAsync();
    virtual void DeleteAsync();
    virtual void RenFromAsync();
    virtual void RenToAsync();
    virtual void RenAsync();
    virtual void RenameAsync();
    virtual void QuoteAsync();
    virtual void DoQuoteAsync();
    virtual void AbortXferAsync();

    // Transfers over a data connection.
    virtual void GetAsync();
    virtual void ReceiveAsync();
    virtual void PutAsync();
    virtual void TransmitAsync();
    virtual void AppendAsync();
    virtual void AppendFileAsync();
    virtual void DirAsync();
    virtual void LsAsync();
    virtual void DirectoryAsync();
    virtual void ListAsync();
    virtual void RestGetAsync();
    virtual void RestartGetAsync();
    virtual void RestPutAsync();
    virtual void RestartPutAsync();

    // Properties.
    const std::string& HostName() const { return FHostName; }
    void SetHostName(const std::string& Value) { FHostName = Value; }
    const std::string& Port() const { return FPort; }
    void SetPort(const std::string& Value) { FPort = Value; }
    const std::string& LocalAddr() const { return FLocalAddr; }
    void SetLocalAddr(const std::string& Value) { FLocalAddr = Value; }
    const std::string& UserName() const { return FUserName; }
    void SetUserName(const std::string& Value) { FUserName = Value; }
    const std::string& PassWord() const { return FPassWord; }
    void SetPassWord(const std::string& Value) { FPassWord = Value; }
    const std::string& LocalFileName() const { return FLocalFileName; }
    virtual void SetLocalFileName(const std::string& Value);
    const std::string& HostFileName() const { return FHostFileName; }
    void SetHostFileName(const std::string& Value) { FHostFileName = Value; }
    const std::string& HostDirName() const { return FHostDirName; }
    void SetHostDirName(const std::string& Value) { FHostDirName = Value; }
    const std::string& DnsResult() const { return FDnsResult; }
    bool Binary() const { return FType == 'I'; }
    void SetBinary(bool Value) { FType = Value ? 'I' : 'A'; }
    const std::string& ProxyServer() const { return FProxyServer; }
    void SetProxyServer(const std::string& Value) { FProxyServer = Value; }
    const std::string& ProxyPort() const { return FProxyPort; }
    void SetProxyPort(const std::string& Value) { FProxyPort = Value; }
    TFtpOptions Options() const { return FOptions; }
    void SetOptions(TFtpOptions Value) { FOptions = Value; }
    TFtpConnectionType ConnectionType() const { return FConnectionType; }
    void SetConnectionType(TFtpConnectionType Value);
    bool Passive() const { return FPassive; }
    void SetPassive(bool Value);
    const std::string& SocksServer() const { return FSocksServer; }
    void SetSocksServer(const std::string& Value) { FSocksServer = Value; }
    const std::string& SocksPort() const { return FSocksPort; }
    void SetSocksPort(const std::string& Value) { FSocksPort = Value; }
    const std::string& SocksUserCode() const { return FSocksUserCode; }
    void SetSocksUserCode(const std::string& Value) { FSocksUserCode = Value; }
    const std::string& SocksPassword() const { return FSocksPassword; }
    void SetSocksPassword(const std::string& Value) { FSocksPassword = Value; }
    // A caller's stream for the next transfers instead of LocalFileName; it stays the
    // caller's, and is left where the transfer ended.
    TFtpStream* LocalStream() const { return FLocalStream; }
    void SetLocalStream(TFtpStream* Value);
    TFtpShareMode ShareMode() const;
    void SetShareMode(TFtpShareMode Value);
    TFtpDisplayFileMode DisplayFileMode() const { return FDisplayFileMode; }
    void SetDisplayFileMode(int Value);
    bool DisplayFileFlag() const { return FDisplayFileFlag; }
    void SetDisplayFileFlag(bool Value) { FDisplayFileFlag = Value; }
    std::int64_t ResumeAt() const { return FResumeAt; }
    void SetResumeAt(std::int64_t Value) { FResumeAt = Value; }
    std::int64_t ByteCount() const { return FByteCount; }
    TWord TransferResult() const { return FTransferResult; }
    const std::string& DataCommand() const { return FDataCommand; }
    const std::string& PasvResponse() const { return FPasvResponse; }
    bool AppendFlag() const { return FAppendFlag; }
    std::uint32_t StartTime() const { return FStartTime; }
    std::uint32_t StopTime() const { return FStopTime; }
    bool Connected() const { return FControlSocket->State() != wsClosed; }

    TFtpState State() const { return FState; }
    int StatusCode() const { return FStatusCode; }
    int RequestResult() const { return FRequestResult; }
    TFtpRequest RequestType() const { return FRequestType; }
    const std::string& LastResponse() const { return FLastResponse; }
    const std::string& ErrorMessage() const { return FErrorMessage; }
    std::int64_t SizeResult() const { return FSizeResult; }
    const std::string& DirResult() const { return FDirResult; }

    TWSocket& ControlSocket() { return *FControlSocket; }
    TWSocket& DataSocket() { return *FDataSocket; }
    HWND Handle() const { return FWindowHandle; }

    // Events.
    TFtpDisplay OnDisplay;
    TFtpDisplay OnDisplayFile;
    TFtpDisplay OnError;
    TFtpCommand OnCommand;
    TNotifyEvent OnResponse;
    TFtpSessionEvent OnSessionConnected;
    TFtpSessionEvent OnSessionClosed;
    TNotifyEvent OnStateChange;
    TFtpRequestDone OnRequestDone;
    TFtpProgress OnProgress;
    TFtpReadyToTransmit OnReadyToTransmit;
    TBgExceptionEvent OnBgException;

protected:
    virtual void SendCommand(const std::string& Cmd);
    virtual void TriggerDisplay(const std::string& Msg);
    virtual void TriggerReadyToTransmit(bool& bCancel);
    virtual void TriggerDisplayFile(const std::string& Msg);
    virtual void TriggerError(const std::string& Msg);
    virtual void WndProc(TMessage& MsgRec);
    virtual void FtpCliAllocateHWnd();
    virtual void FtpCliDeallocateHWnd();
    virtual void HandleBackGroundException(const std::exception& E);
    virtual bool Progress();
    virtual void PortAsync();
    virtual void TransfertStats();
    virtual void ExecGetAsync();
    virtual void ExecPutAsync();
    virtual void ExecAppendAsync();
    virtual void ExecDirAsync();
    virtual void ExecLsAsync();
    virtual void RestAsync();

    void TriggerStateChange();
    void DisplayLastResponse();
    void StateChange(TFtpState NewState);
    void SetErrorMessage();
    void HandleError(const std::string& Msg);
    bool CheckReady();
    void WMFtpRequestDone(TMessage& Msg);

    // Sends Cmd as the command of the request's Step; its final reply is judged against
    // Accepted, the codes that count as success (empty: any code below 500).
    void ExecAsync(TFtpRequest RqType, TFtpFct Step, const std::string& Cmd,
                   std::initializer_list<int> Accepted, TFtpNextProc DoneAsync = nullptr);
    void NextExecAsync();
    // Shows the reply line in LastResponse; for a final numbered line, stores its code in
    // StatusCode and Code and returns true.
    bool FinalReply(int& Code);
    void ExtractMoreResults();
    void DoneQuitAsync();
    void TriggerRequestDone(TWord Error);
    void HighLevelAsync(TFtpRequest RqType, TFtpFctSet Fcts);
    void DoHighLevelAsync();
    // The request ends as a failing reply of the client's own making.
    void FailRequest(int Code, const std::string& Response, TWord Error);
    // A refused reply: its code becomes the request's result and the first failing reply
    // its message.
    void RefuseReply();
    void CallNext(TFtpNextProc Proc) { (this->*Proc)(); }
    // Starts the step of a high-level request; a step that cannot start (misuse) ends the
    // request as failed, or, for the first step, leaves the request unstarted.
    void StartStep(TFtpFct Step);
    void StartStepRequest(TFtpFct Step);

    // Data connection and transfers.
    void WMFtpSendData(TMessage& Msg);
    void DestroyLocalStream();
    // A download into a replacing file goes in place only when it ended well.
    bool CommitDownload();
    void DiscardDownload();
    void PrepareSocks(TWSocket& Socket);
    // The data address of the last 227 reply: its port, at the address the control
    // connection was made to; false when the reply names none.
    bool PassiveAddress(std::string& Addr, std::uint16_t& Port);
    // Takes a data connection that came to the listening data socket: only one from the
    // control connection's peer, which ends the listening; any other is closed and the
    // socket listens on. INVALID_SOCKET when none was taken.
    TSocket AcceptDataConnection();
    // A socket error as a reply text: the Winsock description, or the SOCKS server's
    // reason for a SOCKS error.
    std::string SocketErrorText(TWord Error) const;
    std::string DataConnectionFailure(TWord Error) const;
    bool ConnectPassive(TSessionConnected Connected, int FailCode);
    void DataFailure(int Code, const std::string& Reply);
    void TransferFailed(int Code, const std::string& Reply, const std::string& Shown);
    TDataAvailable DataHandler(void (TCustomFtpCli::*Handler)(TWord));
    void DoGetAsync(TFtpRequest RqType);
    bool OpenDownload();
    void DataSocketGetSessionAvailable(TWord Error);
    void DataSocketGetSessionConnected(TWord Error);
    void DataSocketGetDataAvailable(TWord Error);
    void DataSocketGetSessionClosed(TWord Error);
    void ShowListing(const char* Data, int Len, bool Last);
    void Next1GetAsync();
    void Next2GetAsync();
    void DoPutAppendAsync();
    void SendStoreCommand();
    void DataSocketPutSessionAvailable(TWord Error);
    void DataSocketPutSessionConnected(TWord Error);
    void DataSocketPutDataAvailable(TWord Error);
    void DataSocketPutDataSent(TWord Error);
    void DataSocketPutSessionClosed(TWord Error);
    void Next1PutAsync();
    void Next2PutAsync();
    void TransferCheckDone(bool DataClosed);

    // Control connection.
    void ControlSocketDnsLookupDone(TWord Error);
    void ControlSocketSessionConnected(TWord Error);
    void ControlSocketDataAvailable(TWord Error);
    void ControlSocketSessionClosed(TWord Error);
    bool JudgeLine();
    // Closes the control connection at once, reporting OnSessionClosed but not ending the
    // request: a reply still due on it could no longer be told from the next one.
    void ControlConnectionDrop();
    // Runs a socket event handler; what it raises goes to the client's background handling.
    template <typename Handler>
    void Guarded(Handler&& Run);

    HWND FWindowHandle = nullptr;
    std::string FHostName;
    std::string FPort = "ftp";
    std::string FLocalAddr = "0.0.0.0";
    std::string FUserName;
    std::string FPassWord;
    std::string FLocalFileName;
    std::string FHostFileName;
    std::string FHostDirName;
    std::string FDnsResult;
    char FType = 'I';
    TFtpConnectionType FConnectionType = ftpDirect;
    std::string FProxyServer;
    std::string FProxyPort = "ftp";
    std::uint16_t FShareMode = kShareExclusive;
    TFtpDisplayFileMode FDisplayFileMode = ftpLineByLine;
    bool FDisplayFileFlag = false;
    bool FAppendFlag = false;
    bool FPassive = false;
    std::string FSocksServer;
    std::string FSocksPort;
    std::string FSocksUserCode;
    std::string FSocksPassword;
    std::uint32_t FStartTime = 0;
    std::uint32_t FStopTime = 0;
    TFtpStream* FLocalStream = nullptr;
    bool FStreamFlag = false;                      // FLocalStream is the caller's
    std::unique_ptr<TFtpStream> FOwnStream;        // a file the client opened
    std::unique_ptr<TFtpReplacingFile> FDownload;  // a download waiting for its end
    std::string FPasvResponse;
    TWord FTransferResult = 0;
    std::string FDataCommand;
    std::string FDataFailure;     // a local failure of the transfer, as a reply of ours
    std::string FListingLine;     // a listing line still waiting for its end
    std::string FSocksErrorText;  // the SOCKS server's reason for the last SOCKS failure
    // One chunk of an upload in flight at a time, of many frames, and the chunks a download
    // takes from the system: each chunk costs a pass through the message loop or a system
    // call, which small chunks make the transfer's pace. Made with the first transfer; a
    // client runs one transfer at a time.
    static constexpr int kDataChunk = 1 << 18;
    std::vector<char> FDataBuffer;
    std::int64_t FByteCount = 0;
    std::int64_t FResumeAt = 0;
    bool FReplyReceived = false;
    bool FDataClosedGet = false;
    bool FDataClosedPut = false;
    bool FEof = false;
    bool FStorAnswerRcvd = false;
    bool FPutSessionOpened = false;
    std::unique_ptr<TWSocket> FControlSocket;
    std::unique_ptr<TWSocket> FDataSocket;
    TFtpState FState = ftpReady;
    int FStatusCode = 0;
    int FRequestResult = 0;
    TFtpFctSet FFctSet;
    TFtpFct FFctPrv = ftpFctNone;
    int FHighLevelResult = 0;
    bool FHighLevelFlag = false;
    TFtpOptions FOptions{ftpAcceptLF};
    TFtpRequest FRequestType = ftpNone;
    bool FRequestDoneFlag = true;
    FtpReplyLines FReceiveLines;
    int FMultiLineCode = -1;  // the code of the multi-line reply being read; -1 when none
    std::string FLastResponse;
    std::string FLastResponseSave;
    int FStatusCodeSave = -1;
    std::string FErrorMessage;
    bool FConnected = false;
    bool FQuitting = false;  // QUIT was sent: a close without error ends it well
    std::int64_t FSizeResult = 0;
    std::string FDirResult;
    TFtpNextProc FNext = nullptr;
    TFtpNextProc FWhenConnected = nullptr;
    TFtpNextProc FDoneAsync = nullptr;
    TFtpNextProc FNextRequest = nullptr;
    static constexpr int kMaxOkResponses = 15;
    int FOkResponses[kMaxOkResponses + 1] = {0};
    int FErrorCount = 0;  // misuse reports so far, so that a caller can tell one happened
    std::string FLastMisuse;
    bool FFirstStep = false;  // the step being started is the first of its request
};

template <typename Handler>
void TCustomFtpCli::Guarded(Handler&& Run) {
    try {
        Run();
    } catch (const std::exception& E) {
        HandleBackGroundException(E);
    }
}

}  // namespace vantorell::transport
