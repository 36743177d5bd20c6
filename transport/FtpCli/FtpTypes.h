#pragma once
// The published enumerations, sets, events and exception of the FTP client. Names and
// order are fixed: they appear in events and in stored settings.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>

#include "transport/WSocket/SocketEvents.h"

namespace vantorell::transport {

enum TFtpState {
    ftpNotConnected,
    ftpReady,
    ftpInternalReady,
    ftpDnsLookup,
    ftpConnected,
    ftpAbort,
    ftpInternalAbort,
    ftpWaitingBanner,
    ftpWaitingResponse,
    ftpPasvReady
};

enum TFtpRequest {
    ftpNone,
    ftpOpenAsync,
    ftpUserAsync,
    ftpPassAsync,
    ftpCwdAsync,
    ftpConnectAsync,
    ftpReceiveAsync,
    ftpDirAsync,
    ftpLsAsync,
    ftpPortAsync,
    ftpGetAsync,
    ftpDirectoryAsync,
    ftpListAsync,
    ftpSystemAsync,
    ftpSystAsync,
    ftpQuitAsync,
    ftpAbortXferAsync,
    ftpSizeAsync,
    ftpPutAsync,
    ftpAppendAsync,
    ftpFileSizeAsync,
    ftpRqAbort,
    ftpMkdAsync,
    ftpRmdAsync,
    ftpRenameAsync,
    ftpDeleAsync,
    ftpRenAsync,
    ftpRenToAsync,
    ftpRenFromAsync,
    ftpDeleteAsync,
    ftpMkdirAsync,
    ftpRmdirAsync,
    ftpPwdAsync,
    ftpQuoteAsync,
    ftpCDupAsync,
    ftpDoQuoteAsync,
    ftpTransmitAsync,
    ftpTypeSetAsync,
    ftpRestAsync,
    ftpRestGetAsync,
    ftpRestartGetAsync,
    ftpRestPutAsync,
    ftpRestartPutAsync
};

// The steps of a high-level request.
enum TFtpFct {
    ftpFctNone,
    ftpFctOpen,
    ftpFctUser,
    ftpFctPass,
    ftpFctCwd,
    ftpFctSize,
    ftpFctMkd,
    ftpFctRmd,
    ftpFctRenFrom,
    ftpFctRenTo,
    ftpFctGet,
    ftpFctDir,
    ftpFctQuit,
    ftpFctSyst,
    ftpFctDele,
    ftpFctPwd,
    ftpFctQuote,
    ftpFctPut,
    ftpFctTypeSet,
    ftpFctRest,
    ftpFctCDup,
    ftpFctLs,
    ftpFctAppend,
    ftpFctPort,
    ftpFctAbortXfer
};

enum TFtpOption { ftpAcceptLF, ftpNoAutoResumeAt };

// A set of the values of an enumeration in one 32-bit word, bit n for value n.
template <typename Enum>
class TFtpSet {
public:
    TFtpSet() = default;
    TFtpSet(std::initializer_list<Enum> values) {
        for (const auto value : values) {
            Include(value);
        }
    }
    bool Contains(Enum value) const { return (bits_ & Bit(value)) != 0; }
    void Include(Enum value) { bits_ |= Bit(value); }
    void Exclude(Enum value) { bits_ &= ~Bit(value); }
    bool Empty() const { return bits_ == 0; }
    std::uint32_t Bits() const { return bits_; }
    bool operator==(const TFtpSet&) const = default;

private:
    static std::uint32_t Bit(Enum value) { return 1u << static_cast<unsigned>(value); }
    std::uint32_t bits_ = 0;
};

using TFtpFctSet = TFtpSet<TFtpFct>;
using TFtpOptions = TFtpSet<TFtpOption>;

// The sharing part of a local file's open mode, as stored.
enum TFtpShareMode {
    ftpShareCompat,
    ftpShareExclusive,
    ftpShareDenyWrite,
    ftpShareDenyRead,
    ftpShareDenyNone
};

enum TFtpDisplayFileMode { ftpLineByLine, ftpBinary };

enum TFtpConnectionType { ftpDirect, ftpProxy, ftpSocks4, ftpSocks4A, ftpSocks5 };

using TFtpDisplay = std::function<void(TObject* Sender, std::string& Msg)>;
using TFtpCommand = std::function<void(TObject* Sender, std::string& Cmd)>;
using TFtpProgress = std::function<void(TObject* Sender, std::int64_t Count, bool& Abort)>;
using TFtpRequestDone = std::function<void(TObject* Sender, TFtpRequest RqType, TWord Error)>;
using TFtpReadyToTransmit = std::function<void(TObject* Sender, bool& bCancel)>;
using TFtpSessionEvent = std::function<void(TObject* Sender, TWord Error)>;

// Calls a copy of the handler when one is assigned, so that a handler may replace itself.
template <typename Handler, typename... Args>
void FtpFire(const Handler& Event, Args&&... Arguments) {
    if (Event) {
        const auto handler = Event;
        handler(std::forward<Args>(Arguments)...);
    }
}

class FtpException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Milliseconds of a steady clock, wrapping at 32 bits, for the transfer statistics.
std::uint32_t FtpTickCount();

// Private messages of the client's window.
inline constexpr unsigned WM_FTP_REQUEST_DONE = 1025;
inline constexpr unsigned WM_FTP_SENDDATA = 1026;

}  // namespace vantorell::transport
