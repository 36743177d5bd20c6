#pragma once
// Two connected socket components on 127.0.0.1, both event-driven on one thread: the
// client sends, the adopted server side (of type Server) reads everything that comes and
// counts it.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
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

// Runs the benchmarks of a program: the components need an application object for their
// windows and notifications.
inline int runWithApplication(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    QCoreApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Runs the benchmark's loop of transfers of data through the pair; the seconds each took,
// with the bytes counted. 0 when data went missing (the benchmark is marked failed).
template <class Pair>
double timeTransfers(benchmark::State& state, Pair& pair, const std::string& data) {
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (!pair.transfer(data)) {
            state.SkipWithError("the data did not arrive");
            return 0;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
        static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(data.size()));
    return seconds;
}

}  // namespace vantorell::bench
