// Fetching a large document over HTTP from a loopback server of the benchmark's own (a
// thread that answers every GET with the same document), with the blocking Get of the
// HTTP client, beside curl fetching the same document from the same server in the same
// run: "curl_ratio" is the client's throughput as a share of curl's (above 1: faster).
// Both write the document to /dev/null.
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "bench/BenchSupport.h"
#include "bench/ComponentPair.h"
#include "bench/CopyAnchor.h"
#include "platform/Process.h"
#include "tests/support/LoopbackPeer.h"
#include "transport/HttpProt/HttpCli.h"

namespace bench = vantorell::bench;
using namespace vantorell::transport;

namespace {

long long documentSize() {
    return bench::sized(50LL << 20, 64LL << 10);
}

// Answers each connection's request with the document and closes.
class DocumentServer {
public:
    DocumentServer() {
        listener_ = vantorell::test::listenOnLoopback(port_);
        const std::string header =
            "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n"
            "Content-Length: " +
            std::to_string(documentSize()) + "\r\n\r\n";
        answer_ = header + std::string(static_cast<std::size_t>(documentSize()), 'd');
        thread_ = std::thread([this] { run(); });
    }
    ~DocumentServer() {
        stopping_ = true;
        thread_.join();
        ::close(listener_);
    }

    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/big.bin"; }

private:
    void run() {
        while (!stopping_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) {
                continue;
            }
            const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0) {
                continue;
            }
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
                if (n <= 0) {
                    break;
                }
                request.append(buffer, static_cast<std::size_t>(n));
            }
            std::size_t sent = 0;
            while (sent < answer_.size()) {
                const ssize_t n =
                    ::send(connection, answer_.data() + sent, answer_.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) {
                    break;
                }
                sent += static_cast<std::size_t>(n);
            }
            ::close(connection);
        }
    }

    int listener_ = -1;
    int port_ = 0;
    std::string answer_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

DocumentServer& server() {
    static DocumentServer instance;
    return instance;
}

void curlFetch() {
    const auto result = vantorell::startAndWait({"/usr/bin/curl", "--silent", "--fail", "--http1.0",
                                                 "--output", "/dev/null", server().url()},
                                                "");
    if (result.startError != 0 || result.exitCode != 0) {
        throw std::runtime_error("curl did not fetch the document");
    }
}

double curlSeconds() {
    static const double seconds = bench::secondsPerCall(curlFetch);
    return seconds;
}

double megabytesPerSecond(double seconds) {
    return static_cast<double>(documentSize()) / seconds / 1e6;
}

}  // namespace

static void BM_Curl(benchmark::State& state) {
    const bench::Stopwatch loop;
    for (auto _ : state) {
        curlFetch();
    }
    const double seconds = loop.seconds() / static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * documentSize());
    state.counters["MB_per_s"] = megabytesPerSecond(seconds);
    state.counters["curl_ratio"] = curlSeconds() / seconds;
}

static void BM_HttpCliGet(benchmark::State& state) {
    THttpCli client;
    std::ofstream sink("/dev/null", std::ios::binary);
    client.SetURL(server().url());
    client.SetRcvdStream(&sink);
    const bench::Stopwatch loop;
    for (auto _ : state) {
        client.Get();
        if (client.RcvdCount() != documentSize()) {
            state.SkipWithError("the document did not arrive whole");
            return;
        }
    }
    const double seconds = loop.seconds() / static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * documentSize());
    state.counters["MB_per_s"] = megabytesPerSecond(seconds);
    state.counters["curl_ratio"] = curlSeconds() / seconds;
}

BENCHMARK(BM_Curl)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HttpCliGet)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return vantorell::bench::runWithApplication(argc, argv);
}
