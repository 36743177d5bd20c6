#pragma once
// Two connected socket components on 127.0.0.1, both event-driven on one thread: the
// client sends, the adopted server side (of type Server) reads everything that comes and
// counts it.

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/EventLoop.h"
#include "transport/WSocket/CustomWSocket.h"

namespace vantorell::bench {

template <class Server>
class ComponentPair {
public:
    // setUp prepares the server side before anything connects.
    explicit ComponentPair(const std::function<void(Server&)>& setUp = nullptr) {
        using namespace transport;
        listener_.OnSessionAvailable = [this](TObject*, TWord) { server_.Dup(listener_.Accept()); };
        server_.OnDataAvailable = [this](TObject*, TWord) {
            const int n = server_.Receive(scratch_, sizeof scratch_);
            if (n > 0) {
                received_ += n;
            }
        };
        if (setUp) {
            setUp(server_);
        }
        listener_.SetAddr("127.0.0.1");
        listener_.SetPort("0");
        listener_.Listen();
        client_.SetAddr("127.0.0.1");
        client_.SetPort(listener_.GetXPort());
        client_.Connect();
        if (!waitForMessages(
                [this] { return client_.State() == wsConnected && server_.State() == wsConnected; },
                std::chrono::seconds(10))) {
            throw std::runtime_error("the component pair did not connect");
        }
    }

    // Sends the buffer and lets events run until all of it has arrived.
    bool transfer(const std::string& data) {
        received_ = 0;
        const long long size = static_cast<long long>(data.size());
        client_.Send(data.data(), static_cast<int>(data.size()));
        return waitForMessages([&] { return received_ >= size; }, std::chrono::seconds(60));
    }

private:
    transport::TCustomWSocket listener_;
    Server server_;
    transport::TCustomWSocket client_;
    long long received_ = 0;
    char scratch_[65536];
};

}  // namespace vantorell::bench
