// The blocking FTP client against curl on the same loopback FTP server (pyftpdlib) in the same run:
// downloading and uploading a large file and listing a large folder, each as a whole
// session (log in, change folder, transfer, quit) over a passive data connection, as curl
// does it. "curl_ratio" is the client's speed as a share of curl's (above 1: faster).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchFolder.h"
#include "bench/BenchSupport.h"
#include "bench/ComponentPair.h"
#include "bench/CopyAnchor.h"
#include "bench/CurlAnchor.h"
#include "tests/servers/FtpServer.h"
#include "tests/support/RandomBytes.h"
#include "transport/FtpCli/FtpClient.h"

namespace bench = vantorell::bench;
namespace test = vantorell::test;
using namespace vantorell::transport;

namespace {

long long fileSize() {
    return bench::sized(50LL << 20, 64LL << 10);
}

int folderEntries() {
    return static_cast<int>(bench::sized(20000, 50));
}

void writeFile(const std::string& path, long long size) {
    std::ofstream out(path, std::ios::binary);
    const std::string block = test::randomBytes(1 << 20);
    for (long long left = size; left > 0; left -= static_cast<long long>(block.size())) {
        out.write(block.data(), static_cast<std::streamsize>(std::min<long long>(
                                    left, static_cast<long long>(block.size()))));
    }
}

// One server with its files for the whole run.
struct Site {
    Site() {
        std::filesystem::create_directories(root.file("output"));
        std::filesystem::create_directories(root.file("input"));
        std::filesystem::create_directories(root.file("many"));
        writeFile(root.file("output/big.bin"), fileSize());
        writeFile(local.file("up.bin"), fileSize());
        for (int i = 0; i < folderEntries(); ++i) {
            std::ofstream(root.file("many/cube" + std::to_string(i) + ".mdc")) << "x";
        }
        std::string failure;
        server = test::startFtpServer(failure, root.path());
        if (!server) {
            throw std::runtime_error("the FTP server did not start: " + failure);
        }
    }
    std::string url(const std::string& path) const {
        return std::string("ftp://") + test::kFtpUser + ":" + test::kFtpPassword +
               "@127.0.0.1:" + server->portText() + "/" + path;
    }

    bench::BenchFolder root;
    bench::BenchFolder local;
    std::unique_ptr<test::PeerServer> server;
};

Site& site() {
    static Site s;
    return s;
}

// Runs one blocking client session, as the programs run them; false when it failed.
bool runClient(const std::function<bool(TFtpClient&)>& request) {
    TFtpClient client;
    client.SetHostName("127.0.0.1");
    client.SetPort(site().server->portText());
    client.SetUserName(test::kFtpUser);
    client.SetPassWord(test::kFtpPassword);
    client.SetPassive(true);
    return request(client);
}

// Seconds per run of each side, the client's timed by the benchmark loop.
void compare(benchmark::State& state, const std::function<bool()>& clientRun,
             const std::vector<std::string>& curlArguments, long long bytes) {
    const double curl = bench::secondsPerCall([&] {
        if (!bench::runCurl(curlArguments)) {
            throw std::runtime_error("curl failed");
        }
    });
    const bench::Stopwatch loop;
    for (auto _ : state) {
        if (!clientRun()) {
            state.SkipWithError("the client's transfer failed");
            return;
        }
    }
    const double seconds = loop.seconds() / static_cast<double>(state.iterations());
    if (bytes > 0) {
        state.SetBytesProcessed(state.iterations() * bytes);
        state.counters["MB_per_s"] = static_cast<double>(bytes) / seconds / 1e6;
        state.counters["curl_MB_per_s"] = static_cast<double>(bytes) / curl / 1e6;
    }
    state.counters["curl_ratio"] = curl / seconds;
}

}  // namespace

static void BM_FtpDownload(benchmark::State& state) {
    const std::string target = site().local.file("down.bin");
    compare(
        state,
        [&] {
            return runClient([&](TFtpClient& c) {
                c.SetHostDirName("output");
                c.SetHostFileName("big.bin");
                c.SetLocalFileName(target);
                return c.Receive();
            });
        },
        {"-o", site().local.file("curl.bin"), site().url("output/big.bin")}, fileSize());
}

static void BM_FtpUpload(benchmark::State& state) {
    compare(
        state,
        [&] {
            return runClient([&](TFtpClient& c) {
                c.SetHostDirName("input");
                c.SetHostFileName("up.bin");
                c.SetLocalFileName(site().local.file("up.bin"));
                return c.Transmit();
            });
        },
        {"-T", site().local.file("up.bin"), site().url("input/curl.bin")}, fileSize());
}

static void BM_FtpListing(benchmark::State& state) {
    const std::string target = site().local.file("list.txt");
    compare(
        state,
        [&] {
            return runClient([&](TFtpClient& c) {
                c.SetHostDirName("many");
                c.SetLocalFileName(target);
                return c.Directory();
            });
        },
        {"-o", site().local.file("curl-list.txt"), site().url("many/")}, 0);
    state.counters["entries"] = folderEntries();
}

BENCHMARK(BM_FtpDownload)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FtpUpload)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FtpListing)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return vantorell::bench::runWithApplication(argc, argv);
}
