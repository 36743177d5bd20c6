// The blocking FTP client against curl on the same loopback FTP server (pyftpdlib) in the same run,
// in turns: downloading (over a passive and over an active data connection) and uploading
// a large file and listing a large folder, each as a whole session (log in, change folder,
// transfer, quit), as curl does it. "curl_ratio" is the client's speed as a share of
// curl's (above 1: faster), of the medians.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchFolder.h"
#include "bench/BenchSupport.h"
#include "bench/ComponentPair.h"
#include "bench/CurlAnchor.h"
#include "bench/Interleaved.h"
#include "tests/servers/FtpServer.h"
#include "tests/support/RandomBytes.h"
#include "transport/FtpCli/FtpClient.h"

namespace bench = vantorell::bench;
namespace test = vantorell::test;
using namespace vantorell::transport;

namespace {

long long fileSize() {
    return bench::sized(200LL << 20, 64LL << 10);
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
bool runClient(const std::function<bool(TFtpClient&)>& request, bool passive = true) {
    TFtpClient client;
    client.SetHostName("127.0.0.1");
    client.SetPort(site().server->portText());
    client.SetUserName(test::kFtpUser);
    client.SetPassWord(test::kFtpPassword);
    client.SetPassive(passive);
    return request(client);
}

void compare(benchmark::State& state, const std::function<bool()>& clientRun,
             const std::vector<std::string>& curlArguments, long long bytes) {
    bench::InterleavedTimes times;
    if (bench::runInterleaved(
            state, clientRun, [&] { return bench::runCurl(curlArguments); }, times)) {
        bench::reportInterleaved(state, times, bytes, "curl", "curl_ratio");
    }
}

bool download(bool passive) {
    return runClient(
        [&](TFtpClient& c) {
            c.SetHostDirName("output");
            c.SetHostFileName("big.bin");
            c.SetLocalFileName(site().local.file("down.bin"));
            return c.Receive();
        },
        passive);
}

}  // namespace

static void BM_FtpDownload(benchmark::State& state) {
    compare(
        state, [] { return download(true); },
        {"-o", site().local.file("curl.bin"), site().url("output/big.bin")}, fileSize());
}

static void BM_FtpDownloadActive(benchmark::State& state) {
    compare(
        state, [] { return download(false); },
        {"--ftp-port", "127.0.0.1", "-o", site().local.file("curl.bin"),
         site().url("output/big.bin")},
        fileSize());
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

// Five turns each: enough for a median on a machine that others load.
#define TRANSFER_TURNS UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_FtpDownload)->TRANSFER_TURNS;
BENCHMARK(BM_FtpDownloadActive)->TRANSFER_TURNS;
BENCHMARK(BM_FtpUpload)->TRANSFER_TURNS;
BENCHMARK(BM_FtpListing)->TRANSFER_TURNS;

int main(int argc, char** argv) {
    return vantorell::bench::runWithApplication(argc, argv);
}
