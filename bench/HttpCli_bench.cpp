// Fetching a large document over HTTP from a loopback server of the benchmark's own (a
// thread that answers every GET with the same document) beside curl fetching it from the
// same server, in turns in the same run: into a file through the call a user's download
// takes (FetchUrl, into its staging file), and to nothing with the blocking Get of the HTTP
// client. "curl_ratio" is the client's speed as a share of curl's (above 1: faster), of the
// medians.
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

#include "bench/BenchFolder.h"
#include "bench/BenchSupport.h"
#include "bench/ComponentPair.h"
#include "bench/CurlAnchor.h"
#include "bench/Interleaved.h"
#include "engine/tqmh01/FetchUrl.h"
#include "tests/support/LoopbackPeer.h"
#include "transport/HttpProt/HttpCli.h"

namespace bench = vantorell::bench;
using namespace vantorell::transport;

namespace {

long long documentSize() {
    return bench::sized(200LL << 20, 64LL << 10);
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

}  // namespace

// Both into files in the same folder.
static void BM_HttpGetIntoFile(benchmark::State& state) {
    static const bench::BenchFolder folder;
    const std::string target = folder.file("big.bin");
    const vantorell::engine::TransferSettings held;
    bench::InterleavedTimes times;
    if (bench::runInterleaved(
            state, [&] { return vantorell::engine::FetchUrl(server().url(), target, held); },
            [&] {
                return bench::runCurl(
                    {"--fail", "--http1.0", "-o", folder.file("curl.bin"), server().url()});
            },
            times)) {
        bench::reportInterleaved(state, times, documentSize(), "curl", "curl_ratio");
    }
}

static void BM_HttpGetToNothing(benchmark::State& state) {
    bench::InterleavedTimes times;
    const auto get = [] {
        THttpCli client;
        std::ofstream sink("/dev/null", std::ios::binary);
        client.SetURL(server().url());
        client.SetRcvdStream(&sink);
        client.Get();
        return client.RcvdCount() == documentSize();
    };
    if (bench::runInterleaved(
            state, get,
            [] {
                return bench::runCurl({"--fail", "--http1.0", "-o", "/dev/null", server().url()});
            },
            times)) {
        bench::reportInterleaved(state, times, documentSize(), "curl", "curl_ratio");
    }
}

// Five turns each: enough for a median on a machine that others load.
BENCHMARK(BM_HttpGetIntoFile)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HttpGetToNothing)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return vantorell::bench::runWithApplication(argc, argv);
}
