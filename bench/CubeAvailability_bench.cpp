// The Retrieve Cube availability step against curl on the same loopback cube server
// (pyftpdlib) in the same run: a whole session (log in, change to "output", list the cubes,
// quit) over a passive data connection, and for the step also the reading of the listing
// into the dialog's list. "curl_ratio" is the step's speed as a share of curl's "NLST *.mdc"
// of the same folder (above 1: faster); "us_per_cube" shows that the work grows linearly.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench/BenchFolder.h"
#include "bench/BenchSupport.h"
#include "bench/ComponentPair.h"
#include "bench/CopyAnchor.h"
#include "bench/CurlAnchor.h"
#include "designer/frmRetrC/RetrieveCubeSession.h"
#include "tests/servers/CubeServer.h"

namespace bench = vantorell::bench;
namespace test = vantorell::test;
using namespace vantorell;

namespace {

constexpr const char* kUser = "analyst";
constexpr const char* kPassword = "s3cret";

// One cube server with many cubes waiting in "output", for each size.
struct Site {
    explicit Site(int cubes) : cubeCount(cubes) {
        std::filesystem::create_directory(program.file("Temp"));
        if (!server.start({{kUser, kPassword}}, test::accountFile("enabled", 0))) {
            throw std::runtime_error("the cube server did not start: " + server.failure());
        }
        const std::string output = server.home(kUser) + "output/";
        for (int i = 0; i < cubes; ++i) {
            std::ofstream(output + "cube" + std::to_string(i) + ".mdc") << "x";
        }
        settings = std::make_unique<IniFile>(program.file("Vantorell.ini"));
    }

    std::string url(const std::string& path) const {
        return std::string("ftp://") + kUser + ":" + kPassword + "@127.0.0.1:" + server.portText() +
               "/" + path;
    }

    CubeSessionContext context() {
        CubeSessionContext c;
        c.strProgramFolder = program.path();
        c.strWorkFolder = program.file("Temp/");
        c.transfer = &transfer;
        c.settings = settings.get();
        c.address.intServerPort = server.port();
        return c;
    }

    int cubeCount;
    bench::BenchFolder program;
    bench::BenchFolder local;
    test::CubeServer server;
    TransferSettings transfer;
    std::unique_ptr<IniFile> settings;
};

}  // namespace

static void BM_CubeAvailability(benchmark::State& state) {
    Site site(static_cast<int>(bench::sized(state.range(0), state.range(0) / 1000)));
    RetrieveCubeSession session(site.context());
    session.pauseUnit = std::chrono::milliseconds(0);
    session.FormCreate();
    session.FormShow();
    session.edtUserIDChange(kUser);
    session.metPasswordChange(kPassword);

    const double curl = bench::secondsPerCall([&] {
        if (!bench::runCurl(
                {"--list-only", "-o", site.local.file("curl-list.txt"), site.url("output/")})) {
            throw std::runtime_error("curl failed");
        }
    });
    const bench::Stopwatch loop;
    for (auto _ : state) {
        if (!session.flgAvailability("127.0.0.1", site.server.port()) ||
            static_cast<int>(session.lbxItems.size()) != site.cubeCount) {
            state.SkipWithError("the availability step failed");
            return;
        }
        // The session log grows by a few lines per run; it starts empty for each.
        session.FormCreate();
    }
    const double seconds = loop.seconds() / static_cast<double>(state.iterations());
    state.counters["cubes"] = site.cubeCount;
    state.counters["curl_ratio"] = curl / seconds;
    state.counters["us_per_cube"] = seconds * 1e6 / std::max(site.cubeCount, 1);
}

BENCHMARK(BM_CubeAvailability)->Arg(2000)->Arg(20000)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return bench::runWithApplication(argc, argv);
}
