#include "transport/FtpCli/FtpClient.h"

#include "platform/EventLoop.h"
#include "transport/WSocket/LongestWait.h"

namespace vantorell::transport {
namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

TFtpClient::TFtpClient() {
    FTimeout = 15;
}

std::chrono::milliseconds TFtpClient::NoProgressLimit() const {
    return FTimeout > 0 ? std::chrono::milliseconds(std::chrono::seconds(FTimeout))
                        : std::chrono::milliseconds(kLongestWait);
}

bool TFtpClient::Progress() {
    const bool goOn = TCustomFtpCli::Progress();
    // Data moved: the time without progress starts again.
    FDeadline = Clock::now() + NoProgressLimit();
    return goOn;
}

bool TFtpClient::Synchronize(void (TCustomFtpCli::*Proc)()) {
    const int misuse = FErrorCount;
    try {
        (this->*Proc)();
        // A misuse that OnError took started nothing (a misuse of a nested request, made
        // by a handler while this one runs, leaves this one running).
        if (FErrorCount != misuse && FRequestDoneFlag) {
            return false;
        }
        return WaitUntilReady();
    } catch (...) {
        return false;
    }
}

bool TFtpClient::WaitUntilReady() {
    FDeadline = Clock::now() + NoProgressLimit();
    // Blocks in the event loop; progress moves the deadline while it waits. A quit request
    // of the application ends the wait as a time-out does.
    const WaitEnd end = waitForMessagesUntil(
        [this] { return FState == ftpReady || FState == ftpInternalReady; }, FDeadline);
    if (end == WaitEnd::Done) {
        return FRequestResult == 0;
    }
    AbortAsync();
    FErrorMessage = "426 Timeout";
    FStatusCode = 426;
    return false;
}

bool TFtpClient::Open() {
    return Synchronize(&TCustomFtpCli::OpenAsync);
}
bool TFtpClient::User() {
    return Synchronize(&TCustomFtpCli::UserAsync);
}
bool TFtpClient::Pass() {
    return Synchronize(&TCustomFtpCli::PassAsync);
}
bool TFtpClient::Connect() {
    return Synchronize(&TCustomFtpCli::ConnectAsync);
}
bool TFtpClient::Cwd() {
    return Synchronize(&TCustomFtpCli::CwdAsync);
}
bool TFtpClient::Pwd() {
    return Synchronize(&TCustomFtpCli::PwdAsync);
}
bool TFtpClient::CDup() {
    return Synchronize(&TCustomFtpCli::CDupAsync);
}
bool TFtpClient::TypeSet() {
    return Synchronize(&TCustomFtpCli::TypeSetAsync);
}
bool TFtpClient::TypeBinary() {
    SetBinary(true);
    return Synchronize(&TCustomFtpCli::TypeSetAsync);
}
bool TFtpClient::TypeAscii() {
    SetBinary(false);
    return Synchronize(&TCustomFtpCli::TypeSetAsync);
}
bool TFtpClient::Get() {
    return Synchronize(&TCustomFtpCli::GetAsync);
}
bool TFtpClient::Put() {
    return Synchronize(&TCustomFtpCli::PutAsync);
}
bool TFtpClient::RestPut() {
    return Synchronize(&TCustomFtpCli::RestPutAsync);
}
bool TFtpClient::RestartPut() {
    return Synchronize(&TCustomFtpCli::RestartPutAsync);
}
bool TFtpClient::Append() {
    return Synchronize(&TCustomFtpCli::AppendAsync);
}
bool TFtpClient::Quit() {
    return Synchronize(&TCustomFtpCli::QuitAsync);
}
bool TFtpClient::Abort() {
    return Synchronize(&TCustomFtpCli::AbortAsync);
}
bool TFtpClient::Receive() {
    return Synchronize(&TCustomFtpCli::ReceiveAsync);
}
bool TFtpClient::Transmit() {
    return Synchronize(&TCustomFtpCli::TransmitAsync);
}
bool TFtpClient::AppendFile() {
    return Synchronize(&TCustomFtpCli::AppendFileAsync);
}
bool TFtpClient::Dir() {
    return Synchronize(&TCustomFtpCli::DirAsync);
}
bool TFtpClient::Directory() {
    return Synchronize(&TCustomFtpCli::DirectoryAsync);
}
bool TFtpClient::Ls() {
    return Synchronize(&TCustomFtpCli::LsAsync);
}
bool TFtpClient::List() {
    return Synchronize(&TCustomFtpCli::ListAsync);
}
bool TFtpClient::Mkd() {
    return Synchronize(&TCustomFtpCli::MkdAsync);
}
bool TFtpClient::Mkdir() {
    return Synchronize(&TCustomFtpCli::MkdirAsync);
}
bool TFtpClient::Ren() {
    return Synchronize(&TCustomFtpCli::RenAsync);
}
bool TFtpClient::Rename() {
    return Synchronize(&TCustomFtpCli::RenameAsync);
}
bool TFtpClient::Dele() {
    return Synchronize(&TCustomFtpCli::DeleAsync);
}
bool TFtpClient::Delete() {
    return Synchronize(&TCustomFtpCli::DeleteAsync);
}
bool TFtpClient::Rmd() {
    return Synchronize(&TCustomFtpCli::RmdAsync);
}
bool TFtpClient::Rmdir() {
    return Synchronize(&TCustomFtpCli::RmdirAsync);
}
bool TFtpClient::Syst() {
    return Synchronize(&TCustomFtpCli::SystAsync);
}
bool TFtpClient::System() {
    return Synchronize(&TCustomFtpCli::SystemAsync);
}
bool TFtpClient::Size() {
    return Synchronize(&TCustomFtpCli::SizeAsync);
}
bool TFtpClient::FileSize() {
    return Synchronize(&TCustomFtpCli::FileSizeAsync);
}
bool TFtpClient::AbortXfer() {
    return Synchronize(&TCustomFtpCli::AbortXferAsync);
}
bool TFtpClient::Quote() {
    return Synchronize(&TCustomFtpCli::QuoteAsync);
}
bool TFtpClient::DoQuote() {
    return Synchronize(&TCustomFtpCli::DoQuoteAsync);
}
bool TFtpClient::RestGet() {
    return Synchronize(&TCustomFtpCli::RestGetAsync);
}
bool TFtpClient::RestartGet() {
    return Synchronize(&TCustomFtpCli::RestartGetAsync);
}

}  // namespace vantorell::transport
