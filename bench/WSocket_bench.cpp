// Throughput of sending a large buffer through a connected pair of the socket component on
// 127.0.0.1 (both ends event-driven on one thread), beside a plain blocking POSIX socket
// pair on 127.0.0.1 in the same run (one thread sending, one receiving): "posix_ratio" is
// the component's throughput as a share of the plain pair's.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "bench/BenchSupport.h"
#include "bench/ComponentPair.h"
#include "bench/CopyAnchor.h"
#include "platform/EventLoop.h"
#include "tests/support/RandomBytes.h"
#include "transport/WSocket/CustomWSocket.h"

namespace bench = vantorell::bench;
using namespace vantorell::transport;

namespace {

long long transferSize() {
    return bench::sized(32LL << 20, 64LL << 10);
}

const std::string& payload() {
    static const std::string data =
        vantorell::test::randomBytes(static_cast<std::size_t>(transferSize()));
    return data;
}

using ComponentPair = bench::ComponentPair<TCustomWSocket>;

// A blocking POSIX pair on 127.0.0.1.
class PosixPair {
public:
    PosixPair() {
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener, 1);
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
        sender_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (::connect(sender_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            throw std::runtime_error("the plain pair did not connect");
        }
        receiver_ = ::accept(listener, nullptr, nullptr);
        ::close(listener);
    }
    ~PosixPair() {
        ::close(sender_);
        ::close(receiver_);
    }

    void transfer(const std::string& data) {
        std::thread reader([&] {
            std::size_t got = 0;
            while (got < data.size()) {
                const ssize_t n = ::recv(receiver_, scratch_, sizeof scratch_, 0);
                if (n <= 0) {
                    break;
                }
                got += static_cast<std::size_t>(n);
            }
        });
        std::size_t sent = 0;
        while (sent < data.size()) {
            const ssize_t n = ::send(sender_, data.data() + sent, data.size() - sent, 0);
            if (n <= 0) {
                break;
            }
            sent += static_cast<std::size_t>(n);
        }
        reader.join();
    }

private:
    int sender_ = -1;
    int receiver_ = -1;
    char scratch_[65536];
};

double posixSeconds() {
    static const double seconds = [] {
        PosixPair pair;
        return bench::secondsPerCall([&] { pair.transfer(payload()); });
    }();
    return seconds;
}

double megabytesPerSecond(double seconds) {
    return static_cast<double>(payload().size()) / seconds / 1e6;
}

}  // namespace

static void BM_PosixBlockingPair(benchmark::State& state) {
    PosixPair pair;
    const bench::Stopwatch loop;
    for (auto _ : state) {
        pair.transfer(payload());
    }
    const double seconds = loop.seconds() / static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(payload().size()));
    state.counters["MB_per_s"] = megabytesPerSecond(seconds);
    state.counters["posix_ratio"] = posixSeconds() / seconds;
}

static void BM_ComponentPair(benchmark::State& state) {
    ComponentPair pair;
    const double seconds = bench::timeTransfers(state, pair, payload());
    if (seconds > 0) {
        state.counters["MB_per_s"] = megabytesPerSecond(seconds);
        state.counters["posix_ratio"] = posixSeconds() / seconds;
    }
}

BENCHMARK(BM_PosixBlockingPair)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComponentPair)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return vantorell::bench::runWithApplication(argc, argv);
}
