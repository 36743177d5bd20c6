#pragma once
// TCustomWSocket: the event-driven socket. Nothing in it blocks (except Connect and Listen
// while a host name in Addr is resolved): every socket object owns a hidden window, the
// socket's network events arrive there as posted messages and become events of the object,
// on the thread that made the window.
//
// Errors go through RaiseException: an ESocketException, or, with OnError assigned, a call
// of OnError and a normal return; callers then go on as each operation says.
//
// Subclasses (SOCKS, line mode, blocking waits) override the virtual operations. As in any
// C++ class, the base constructor and destructor run the base versions: AssignDefaultValue
// at construction resets only the base data, and a subclass sets its own defaults in its
// own constructor.

#include <sys/time.h>

#include <deque>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "transport/WSockBuf/TBuffer.h"
#include "transport/WSocket/ESocketException.h"
#include "transport/WSocket/HiddenWindow.h"
#include "transport/WSocket/SocketEvents.h"

namespace vantorell::transport {

class TCustomWSocket : public TObject {
public:
    TCustomWSocket();
    ~TCustomWSocket() override;
    TCustomWSocket(const TCustomWSocket&) = delete;
    TCustomWSocket& operator=(const TCustomWSocket&) = delete;

    // Connections.
    virtual void Connect();
    virtual void Listen();
    virtual TSocket Accept();
    virtual void Dup(TSocket NewHSocket);
    virtual void Close();
    virtual void CloseDelayed();
    // Posts the message that destroys the object; for objects made with new and owned by
    // nothing else, so that a handler of the object's own events can end it.
    virtual void Release();
    virtual void Abort();
    virtual void Shutdown(int How);
    virtual void Pause();
    virtual void Resume();

    // Sending.
    virtual int Send(const void* Data, int Len);
    virtual int SendStr(const std::string& Str);
    void SendText(const std::string& Str);
    virtual int SendTo(const TSockAddrIn& Dest, int DestLen, const void* Data, int Len);
    void PutDataInSendBuffer(const void* Data, int Len);
    void PutStringInSendBuffer(const std::string& Str);
    void DeleteBufferedData();
    void TryToSend();
    // Sends what is queued, letting messages run, until all of it has gone, the socket has
    // closed, or FlushTimeout seconds have passed.
    virtual void Flush();
    // Lets messages run until the socket has closed or FlushTimeout seconds have passed.
    virtual void WaitForClose();

    // Receiving.
    virtual int Receive(void* Buffer, int BufferSize);
    virtual std::string ReceiveStr();
    virtual int ReceiveFrom(void* Buffer, int BufferSize, TSockAddrIn& From, int& FromLen);
    int PeekData(void* Buffer, int BufferSize);
    virtual int GetRcvdCount();

    // Host lookups.
    virtual void DnsLookup(const std::string& HostName);
    virtual void ReverseDnsLookup(const std::string& HostAddr);
    virtual void CancelDnsLookup();

    // Addresses.
    virtual std::string GetPeerAddr();
    virtual std::string GetPeerPort();
    virtual int GetPeerName(TSockAddrIn& Name, int NameLen);
    virtual std::string GetXAddr();
    virtual std::string GetXPort();
    virtual int GetSockName(TSockAddrIn& SAddr, int& SAddrLen);

    // Messages and threads.
    virtual void MessagePump();
    bool ProcessMessage();
    void ProcessMessages();
    void MessageLoop();
    void ThreadDetach();
    void ThreadAttach();
    HWND Handle() const { return FWindowHandle; }

    static bool TimerIsSet(const timeval& T);
    static void TimerClear(timeval& T);
    static bool TimerCmp(const timeval& T1, const timeval& T2, bool IsEqual);

    // Properties.
    const std::string& Addr() const { return FAddrStr; }
    void SetAddr(const std::string& InAddr);
    const std::string& Port() const { return FPortStr; }
    void SetPort(const std::string& Port) { SetRemotePort(Port); }
    const std::string& Proto() const { return FProtoStr; }
    virtual void SetProto(const std::string& Proto);
    const std::string& LocalAddr() const { return FLocalAddr; }
    void SetLocalAddr(const std::string& LocalAddr);
    const std::string& LocalPort() const { return FLocalPortStr; }
    void SetLocalPort(const std::string& LocalPort);
    std::string PeerAddr() { return GetPeerAddr(); }
    std::string PeerPort() { return GetPeerPort(); }
    const std::string& DnsResult() const { return FDnsResult; }
    const std::vector<std::string>& DnsResultList() const { return FDnsResultList; }
    TSocketState State() const { return FState; }
    TSocket HSocket() const { return FHSocket; }
    int ReadCount() const { return FReadCount; }
    int RcvdCount() { return GetRcvdCount(); }
    int LastError() const { return FLastError; }
    bool AllSent() const { return FAllSent; }
    bool Terminated() const { return FTerminated; }
    bool MultiThreaded() const { return FMultiThreaded; }
    void SetMultiThreaded(bool Value) { FMultiThreaded = Value; }
    bool MultiCast() const { return FMultiCast; }
    void SetMultiCast(bool Value) { FMultiCast = Value; }
    const std::string& MultiCastAddrStr() const { return FMultiCastAddrStr; }
    void SetMultiCastAddrStr(const std::string& Value) { FMultiCastAddrStr = Value; }
    int MultiCastIpTTL() const { return FMultiCastIpTTL; }
    void SetMultiCastIpTTL(int Value) { FMultiCastIpTTL = Value; }
    bool ReuseAddr() const { return FReuseAddr; }
    void SetReuseAddr(bool Value) { FReuseAddr = Value; }
    const TWSocketOptions& ComponentOptions() const { return FComponentOptions; }
    void SetComponentOptions(const TWSocketOptions& Value) { FComponentOptions = Value; }
    int FlushTimeout() const { return FFlushTimeout; }
    void SetFlushTimeout(int Value) { FFlushTimeout = Value; }
    TSocketSendFlags GetSendFlags();
    void SetSendFlags(TSocketSendFlags Value);
    TSocketLingerOnOff LingerOnOff() const { return FLingerOnOff; }
    void SetLingerOnOff(TSocketLingerOnOff Value) { FLingerOnOff = Value; }
    int LingerTimeout() const { return FLingerTimeout; }
    void SetLingerTimeout(int Value) { FLingerTimeout = Value; }

    // Events.
    TDataAvailable OnDataAvailable;
    TDataSent OnDataSent;
    TSendData OnSendData;
    TSessionClosed OnSessionClosed;
    TSessionAvailable OnSessionAvailable;
    TSessionConnected OnSessionConnected;
    TChangeState OnChangeState;
    TDnsLookupDone OnDnsLookupDone;
    TNotifyEvent OnError;
    TBgExceptionEvent OnBgException;

protected:
    virtual void WndProc(TMessage& MsgRec);
    virtual void AllocateSocketHWnd();
    virtual void DeallocateSocketHWnd();
    virtual void AssignDefaultValue();
    virtual void InternalClose(bool bShut, TWord Error);
    virtual void SetRemotePort(const std::string& sPort);
    virtual void BindSocket();
    virtual int RealSend(const void* Data, int Len);
    virtual void RaiseException(const std::string& Msg);
    // RaiseException with a printf-style message.
    void RaiseExceptionFmt(const char* Fmt, ...) __attribute__((format(printf, 2, 3)));
    virtual void HandleBackGroundException(const std::exception& E);

    // Each fires its event when a handler is assigned; TriggerDataAvailable tells whether
    // one was.
    virtual bool TriggerDataAvailable(TWord Error);
    virtual void TriggerSessionAvailable(TWord Error);
    virtual void TriggerSessionConnected(TWord Error);
    virtual void TriggerSessionClosed(TWord Error);
    virtual void TriggerDataSent(TWord Error);
    virtual void TriggerChangeState(TSocketState OldState, TSocketState NewState);
    virtual void TriggerDNSLookupDone(TWord Error);
    virtual void TriggerError();
    void TriggerSendData(int BytesSent);

    virtual int DoRecv(void* Buffer, int BufferSize, int Flags);
    virtual int DoRecvFrom(void* Buffer, int BufferSize, int Flags, TSockAddrIn& From,
                           int& FromLen);

    void ChangeState(TSocketState NewState);
    void SocketError(const std::string& sockfunc);
    void SetLingerOption();
    void ASyncReceive(TWord Error, TWSocketOptions MySocketOptions);

    void WMASyncSelect(TMessage& msg);
    void WMAsyncGetHostByName(TMessage& msg);
    void WMAsyncGetHostByAddr(TMessage& msg);
    void WMCloseDelayed(TMessage& msg);
    void WMRelease(TMessage& msg);

    bool Destroying() const { return FDestroying; }

    HWND FWindowHandle = nullptr;
    std::thread::id FThreadId;
    TSocket FHSocket = INVALID_SOCKET;
    TSockAddrIn sin{};
    int FAddrFormat = WSOCK_AF_INET;
    int FType = WSOCK_SOCK_STREAM;
    int FProto = WSOCK_IPPROTO_TCP;
    std::string FAddrStr;
    std::string FPortStr;
    std::string FProtoStr;
    std::string FLocalAddr;
    std::string FLocalPortStr;
    bool FAddrAssigned = false;
    bool FPortAssigned = false;
    bool FProtoAssigned = false;
    bool FAddrResolved = false;
    bool FPortResolved = false;
    bool FProtoResolved = false;
    bool FLocalPortResolved = false;
    std::uint16_t FPortNum = 0;
    std::uint16_t FLocalPortNum = 0;
    long FSelectEvent = 0;
    bool FPaused = false;
    bool FAllSent = true;
    bool FCloseInvoked = false;
    bool FTerminated = false;
    bool FDestroying = false;
    std::deque<std::unique_ptr<TBuffer>> FBufList;
    std::vector<char> FSendGather;
    int FBufSize = 1460;
    THandle FDnsLookupHandle = 0;
    THostEnt FDnsLookupBuffer;
    bool FDnsLookupCheckMsg = false;
    TMessage FDnsLookupTmpMsg;
    std::string FDnsResult;
    std::vector<std::string> FDnsResultList;
    TSocketState FState = wsClosed;
    int FReadCount = 0;
    int FLastError = 0;
    bool FMultiThreaded = false;
    bool FMultiCast = false;
    std::string FMultiCastAddrStr;
    int FMultiCastIpTTL = 1;
    bool FReuseAddr = false;
    TWSocketOptions FComponentOptions;
    int FFlushTimeout = 60;
    int FSendFlags = 0;
    TSocketLingerOnOff FLingerOnOff = wsLingerOn;
    int FLingerTimeout = 0;

private:
    void ResolveSettings(bool Listening);
    void SetRemoteSetting(const std::string& Value, std::string& Text, bool& Assigned,
                          bool& Resolved, const char* Name);
    bool PeerAddress(TSockAddrIn& Peer, const char* Op);
    bool LocalAddress(TSockAddrIn& Local);
    void DropPendingLookup();
    void SetIntOption(int Level, int OptName, int Value, const char* OpName);
    void SendFailed(TWord Error);
    void SendAtOnce(const char* Data, int Len);
    void SendRefused(int Error);
    bool QueueEmpty() const;
    const char* GatherQueued(int& Len);
    void RemoveQueued(int Count);
};

}  // namespace vantorell::transport
