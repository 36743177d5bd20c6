#pragma once
// A scripted FTP server on a thread of its own, for the blocking requests: while the
// test's thread waits inside a blocking request, the script plays the server's part. Every
// step of the script waits at most kSocketDeadline.

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "tests/support/LoopbackPeer.h"
#include "tests/support/SocketRecorder.h"

namespace vantorell::test {

class FtpThreadPeer {
public:
    using Script = std::function<void(FtpThreadPeer&)>;

    FtpThreadPeer() = default;
    ~FtpThreadPeer();  // waits for the script's end
    FtpThreadPeer(const FtpThreadPeer&) = delete;
    FtpThreadPeer& operator=(const FtpThreadPeer&) = delete;

    std::string portText() const { return control_.portText(); }
    void run(Script script);
    // Waits for the script's end; what went wrong in it ("" when nothing did).
    std::string join();

    // For the script.
    bool accept(const std::string& banner = "220 ready\r\n");
    // The client's next command line; `deadline` for a client that has long work between
    // commands.
    bool command(std::string& line, std::chrono::milliseconds deadline = kSocketDeadline);
    bool answer(const std::string& expected, const std::string& reply);
    bool send(const std::string& bytes) { return control_.sendAll(bytes); }
    // Waits until the client has closed the control connection.
    bool waitForClose();
    // Closes the control connection from the server's side.
    void close() { control_.closeConnection(); }
    bool dataConnect(const std::string& portCommand);
    bool dataSend(const std::string& bytes) { return data_ && data_->sendAll(bytes); }
    void dataClose();
    void fail(const std::string& why);

private:
    LoopbackPeer control_;
    std::unique_ptr<LoopbackPeer> data_;
    std::string buffer_;
    std::thread thread_;
    std::mutex mutex_;
    std::string failures_;
};

}  // namespace vantorell::test
