#pragma once
// TCustomSocksWSocket: a TCP socket that reaches its target through a SOCKS 4, 4A or 5
// server. With SocksServer set, Connect connects to the server, negotiates, and only then
// reports the session as connected; from there on the socket is a plain connected socket.
// Every close forgets the server, level and port: set them again before each Connect.

#include <cstdint>
#include <string>

#include "transport/WSocket/CustomWSocket.h"
#include "transport/WSocket/SocksNegotiation.h"

namespace vantorell::transport {

enum TSocksState { socksData, socksNegociateMethods, socksAuthenticate, socksConnect };

enum TSocksAuthentication { socksNoAuthentication, socksAuthenticateUsercode };

enum TSocksAuthState { socksAuthStart, socksAuthSuccess, socksAuthFailure, socksAuthNotRequired };

using TSocksErrorEvent = std::function<void(TObject* Sender, int Error, const std::string& Msg)>;
using TSocksAuthStateEvent = std::function<void(TObject* Sender, TSocksAuthState AuthState)>;

class TCustomSocksWSocket : public TCustomWSocket {
public:
    TCustomSocksWSocket();

    void Connect() override;
    void Listen() override;
    int GetRcvdCount() override;

    // Properties; server, level and port can change only while closed.
    const std::string& SocksLevel() const { return FSocksLevel; }
    void SetSocksLevel(const std::string& newValue);
    const std::string& SocksServer() const { return FSocksServer; }
    virtual void SetSocksServer(const std::string& sServer);
    const std::string& SocksPort() const { return FSocksPort; }
    virtual void SetSocksPort(const std::string& sPort);
    const std::string& SocksUsercode() const { return FSocksUsercode; }
    void SetSocksUsercode(const std::string& Value) { FSocksUsercode = Value; }
    const std::string& SocksPassword() const { return FSocksPassword; }
    void SetSocksPassword(const std::string& Value) { FSocksPassword = Value; }
    TSocksAuthentication SocksAuthentication() const { return FSocksAuthentication; }
    void SetSocksAuthentication(TSocksAuthentication Value) { FSocksAuthentication = Value; }
    TSocksState SocksState() const { return FSocksState; }

    TSessionConnected OnSocksConnected;
    TSocksErrorEvent OnSocksError;
    TSocksAuthStateEvent OnSocksAuthState;

protected:
    virtual void TriggerSocksConnected(TWord Error);
    virtual void TriggerSocksError(int Error, const std::string& Msg);
    void TriggerSocksAuthState(TSocksAuthState AuthState);

    void AssignDefaultValue() override;
    bool TriggerDataAvailable(TWord Error) override;
    void TriggerSessionConnected(TWord Error) override;
    void TriggerSessionClosed(TWord Error) override;
    int DoRecv(void* Buffer, int BufferSize, int Flags) override;

    void SocksDoAuthenticate();
    void SocksDoConnect();
    void DataAvailableError(int ErrCode, const std::string& Msg);

private:
    bool SocksLevel4() const { return !FSocksLevel.empty() && FSocksLevel[0] == '4'; }
    void ResetSocks();
    using TSocksJudge = TSocksReply (*)(const std::string& Data);
    bool ReadReply(std::size_t Room);
    bool ReplyComplete(std::size_t Room, TSocksJudge Judge, TSocksReply& Reply);
    void SendRequest(const std::string& Bytes);
    void ReplyFailed(int Code, const std::string& Msg);
    void NegociateMethodsReply();
    void AuthenticateReply();
    void ConnectReply();
    void SocksConnected(std::size_t ReplyLength);
    std::string ConnectRequestError() const;

    TSocksState FSocksState = socksData;
    std::string FSocksLevel = "5";
    std::string FSocksServer;
    std::string FSocksPort;
    bool FSocksServerAssigned = false;
    std::string FSocksUsercode;
    std::string FSocksPassword;
    TSocksAuthentication FSocksAuthentication = socksNoAuthentication;
    std::uint8_t FSocksMethod = 0;
    std::uint16_t FSocksTargetPort = 0;
    std::string FSocksRcvBuf;    // the reply received so far
    std::string FSocksLeftOver;  // target data that came behind the final reply
    std::size_t FSocksLeftPos = 0;
};

}  // namespace vantorell::transport
