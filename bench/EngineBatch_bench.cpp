// One batch run of the engine program on a 1 KB file, started as a process with a control
// file as the designer starts it, beside one run of /bin/cp on the same file started the
// same way in the same run: "cp_runs" says how many cp runs one batch run costs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchFolder.h"
#include "bench/BenchSupport.h"
#include "bench/CopyAnchor.h"
#include "platform/Process.h"

namespace bench = vantorell::bench;

namespace {

constexpr const char* kCipherSwitch = "-BK7#LmmP";

// The files of the benchmark in a folder of their own, removed at exit: the plain file,
// its enciphered form and the two control files.
class BatchFiles {
public:
    BatchFiles() {
        std::string bytes(static_cast<std::size_t>(bench::sized(1024, 64)), '\0');
        std::uint32_t x = 12345;
        for (char& c : bytes) {
            x = x * 1103515245U + 12345U;
            c = static_cast<char>(x >> 24);
        }
        write("plain.bin", bytes);
        write("enc.bec",
              "F\r\nplain.bin\r\nO\r\nsealed.bin\r\nP\r\nsecret\r\nS\r\nsecond key\r\n"
              "T\r\n12/10/2026 10:20:33 AM\r\nE\r\n");
        write("dec.bec",
              "F\r\nsealed.bin\r\nO\r\nout.bin\r\nP\r\nsecret\r\nS\r\nsecond key\r\nE\r\n");
        if (!run(engine("enc.bec", "-e"))) {
            throw std::runtime_error("the engine program did not encipher the benchmark file");
        }
    }
    // The engine's command line for one control file and direction.
    std::vector<std::string> engine(const std::string& controlFile,
                                    const std::string& direction) const {
        return {VANTORELL_ENGINE_EXE, kCipherSwitch, "-f" + folder_.file(controlFile), direction};
    }
    std::vector<std::string> copy(const std::string& from) const {
        return {"/bin/cp", folder_.file(from), folder_.file("copy.bin")};
    }

    // Starts the program in the folder and waits for it; true when it ended with status 0.
    bool run(const std::vector<std::string>& arguments) const {
        const vantorell::WaitResult r = vantorell::startAndWait(arguments, folder_.path());
        return r.startError == 0 && r.ended && r.exitCode == 0;
    }

private:
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder_.file(name), std::ios::binary) << bytes;
    }

    bench::BenchFolder folder_;
};

BatchFiles& files() {
    static BatchFiles instance;
    return instance;
}

// Seconds for one cp run of `from`, measured once per file.
double copySeconds(const std::string& from) {
    static std::map<std::string, double> measured;
    auto it = measured.find(from);
    if (it == measured.end()) {
        const auto arguments = files().copy(from);
        it = measured.emplace(from, bench::secondsPerCall([&] { files().run(arguments); })).first;
    }
    return it->second;
}

void runProgram(benchmark::State& state, const std::vector<std::string>& arguments,
                const std::string& anchorFile) {
    const bench::Stopwatch loop;
    for (auto _ : state) {
        if (!files().run(arguments)) {
            state.SkipWithError("the program did not run to success");
            break;
        }
    }
    const double run = loop.seconds() / static_cast<double>(state.iterations());
    state.counters["cp_runs"] = run / copySeconds(anchorFile);
}

}  // namespace

static void BM_CopyProcess(benchmark::State& state) {
    runProgram(state, files().copy("plain.bin"), "plain.bin");
}

static void BM_EngineBatchEncipher(benchmark::State& state) {
    runProgram(state, files().engine("enc.bec", "-e"), "plain.bin");
}

// Deciphering reads the enciphered file, so cp copies that one.
static void BM_EngineBatchDecipher(benchmark::State& state) {
    runProgram(state, files().engine("dec.bec", "-d"), "sealed.bin");
}

BENCHMARK(BM_CopyProcess)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineBatchEncipher)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineBatchDecipher)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
