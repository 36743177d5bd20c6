// The updater's component download against curl on the same loopback servers in the same
// run, in turns: a large component fetched with FetchUrl over HTTP (Python's http.server)
// and over FTP (pyftpdlib, active data connection as the updater opens it), each into a
// staging file in the same folder as curl's. "curl_ratio" is the updater's speed as a
// share of curl's (above 1: faster), of the medians.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchFolder.h"
#include "bench/BenchSupport.h"
#include "bench/ComponentPair.h"
#include "bench/CurlAnchor.h"
#include "bench/Interleaved.h"
#include "engine/tqmh01/FetchUrl.h"
#include "tests/servers/FtpServer.h"
#include "tests/servers/HttpServers.h"
#include "tests/support/RandomBytes.h"

namespace bench = vantorell::bench;
namespace test = vantorell::test;
using vantorell::engine::FetchUrl;
using vantorell::engine::TransferSettings;

namespace {

long long componentSize() {
    return bench::sized(200LL << 20, 64LL << 10);
}

// Both servers serve the same folder for the whole run.
struct Sites {
    Sites() {
        std::filesystem::create_directories(served.file("pub"));
        std::ofstream component(served.file("pub/instage.exe"), std::ios::binary);
        const std::string block = test::randomBytes(1 << 20);
        for (long long left = componentSize(); left > 0;
             left -= static_cast<long long>(block.size())) {
            component.write(block.data(), static_cast<std::streamsize>(std::min<long long>(
                                              left, static_cast<long long>(block.size()))));
        }
        component.close();
        std::string failure;
        http = test::startHttpServer(failure, served.path());
        ftp = http ? test::startFtpServer(failure, served.path()) : nullptr;
        if (!http || !ftp) {
            throw std::runtime_error("a server did not start: " + failure);
        }
        held.ftpUser = test::kFtpUser;
        held.ftpPassword = test::kFtpPassword;
    }
    std::string httpUrl() const {
        return "http://127.0.0.1:" + http->portText() + "/pub/instage.exe";
    }
    std::string ftpUrl() const { return "ftp://127.0.0.1:" + ftp->portText() + "/pub/instage.exe"; }
    std::string curlFtpUrl() const {
        return std::string("ftp://") + test::kFtpUser + ":" + test::kFtpPassword +
               "@127.0.0.1:" + ftp->portText() + "/pub/instage.exe";
    }

    bench::BenchFolder served;
    bench::BenchFolder program;
    std::unique_ptr<test::PeerServer> http;
    std::unique_ptr<test::PeerServer> ftp;
    TransferSettings held;
};

Sites& sites() {
    static Sites s;
    return s;
}

void compare(benchmark::State& state, const std::string& url,
             std::vector<std::string> curlArguments) {
    curlArguments.insert(curlArguments.begin(), {"--fail", "-o", sites().program.file("curl.exe")});
    const std::string target = sites().program.file("instage.exe");
    bench::InterleavedTimes times;
    if (bench::runInterleaved(
            state, [&] { return FetchUrl(url, target, sites().held); },
            [&] { return bench::runCurl(curlArguments); }, times)) {
        bench::reportInterleaved(state, times, componentSize(), "curl", "curl_ratio");
    }
}

}  // namespace

static void BM_FetchUrlHttp(benchmark::State& state) {
    compare(state, sites().httpUrl(), {"--http1.0", sites().httpUrl()});
}

static void BM_FetchUrlFtp(benchmark::State& state) {
    compare(state, sites().ftpUrl(), {"--ftp-port", "127.0.0.1", sites().curlFtpUrl()});
}

// Five turns each: enough for a median on a machine that others load.
BENCHMARK(BM_FetchUrlHttp)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FetchUrlFtp)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return vantorell::bench::runWithApplication(argc, argv);
}
