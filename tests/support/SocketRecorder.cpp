#include "tests/support/SocketRecorder.h"

#include <algorithm>

#include "platform/EventLoop.h"

namespace vantorell::test {

using transport::TObject;
using transport::TSocketState;
using transport::TWord;

SocketRecorder::SocketRecorder(transport::TCustomWSocket& socket, bool readAll)
    : socket_(socket), readAll_(readAll) {
    socket.OnSessionConnected = [this](TObject*, TWord e) {
        events_.push_back("connected " + std::to_string(e));
    };
    socket.OnSessionClosed = [this](TObject*, TWord e) {
        events_.push_back("closed " + std::to_string(e));
    };
    socket.OnSessionAvailable = [this](TObject*, TWord e) {
        events_.push_back("available " + std::to_string(e));
    };
    socket.OnDataSent = [this](TObject*, TWord e) {
        events_.push_back("sent " + std::to_string(e));
    };
    socket.OnChangeState = [this](TObject*, TSocketState o, TSocketState n) {
        events_.push_back("state " + std::to_string(o) + ">" + std::to_string(n));
    };
    socket.OnDnsLookupDone = [this](TObject*, TWord e) {
        events_.push_back("dns " + std::to_string(e));
    };
    if (readAll) {
        socket.OnDataAvailable = [this, &socket](TObject*, TWord e) {
            char buffer[65536];
            const int n = socket.Receive(buffer, sizeof buffer);
            if (n > 0) {
                received_.append(buffer, static_cast<std::size_t>(n));
            }
            if (e != 0) {
                events_.push_back("data " + std::to_string(e));
            }
        };
    }
}

SocketRecorder::~SocketRecorder() {
    socket_.OnSessionConnected = nullptr;
    socket_.OnSessionClosed = nullptr;
    socket_.OnSessionAvailable = nullptr;
    socket_.OnDataSent = nullptr;
    socket_.OnChangeState = nullptr;
    socket_.OnDnsLookupDone = nullptr;
    if (readAll_) {
        socket_.OnDataAvailable = nullptr;
    }
}

bool SocketRecorder::has(const std::string& event) const {
    return count(event) > 0;
}

int SocketRecorder::count(const std::string& event) const {
    return static_cast<int>(std::count(events_.begin(), events_.end(), event));
}

std::vector<std::string> SocketRecorder::states() const {
    std::vector<std::string> result;
    for (const auto& e : events_) {
        if (e.rfind("state ", 0) == 0) {
            result.push_back(e.substr(6));
        }
    }
    return result;
}

bool SocketRecorder::waitFor(const std::string& event, std::chrono::milliseconds deadline) const {
    return waitUntil([&] { return has(event); }, deadline);
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
    return waitForMessages(done, deadline);
}

std::string raisedMessage(const std::function<void()>& call) {
    try {
        call();
    } catch (const transport::ESocketException& e) {
        return e.what();
    }
    return "(nothing raised)";
}

std::string listenOnLoopback(transport::TCustomWSocket& listener) {
    listener.SetAddr("127.0.0.1");
    listener.SetPort("0");
    listener.Listen();
    return listener.GetXPort();
}

}  // namespace vantorell::test
