#pragma once
// TFtpClient: the FTP component the programs use. Every request also has a blocking form:
// it starts the event-driven request, lets the thread's events run until the request has
// ended or no progress was made for Timeout seconds, and tells whether it succeeded. A
// blocking operation never raises; after false, ErrorMessage and StatusCode say why.

#include <chrono>

#include "transport/FtpCli/CustomFtpCli.h"

namespace vantorell::transport {

class TFtpClient : public TCustomFtpCli {
public:
    TFtpClient();

    bool Open();
    bool User();
    bool Pass();
    bool Connect();
    bool Cwd();
    bool Pwd();
    bool CDup();
    bool TypeSet();
    bool TypeBinary();
    bool TypeAscii();
    bool Get();
    bool Put();
    bool RestPut();
    bool RestartPut();
    bool Append();
    bool Quit();
    bool Abort();
    bool Receive();
    bool Transmit();
    bool AppendFile();
    bool Dir();
    bool Directory();
    bool Ls();
    bool List();
    bool Mkd();
    bool Mkdir();
    bool Ren();
    bool Rename();
    bool Dele();
    bool Delete();
    bool Rmd();
    bool Rmdir();
    bool Syst();
    bool System();
    bool Size();
    bool FileSize();
    bool AbortXfer();
    bool Quote();
    bool DoQuote();
    bool RestGet();
    bool RestartGet();

    // Seconds allowed without progress. Every wait has a deadline: 0 or less allows the
    // socket layer's longest wait, 60 seconds.
    int Timeout() const { return FTimeout; }
    void SetTimeout(int Value) { FTimeout = Value; }
    // Kept for the stored settings; the waits let the thread's events run either way.
    bool MultiThreaded() const { return FMultiThreaded; }
    void SetMultiThreaded(bool Value) { FMultiThreaded = Value; }

protected:
    bool Progress() override;
    // Starts the request through its virtual slot, then WaitUntilReady.
    virtual bool Synchronize(void (TCustomFtpCli::*Proc)());
    virtual bool WaitUntilReady();

private:
    std::chrono::milliseconds NoProgressLimit() const;

    int FTimeout = 15;
    std::chrono::steady_clock::time_point FDeadline;
    bool FMultiThreaded = false;
};

}  // namespace vantorell::transport
