#include "engine/tqmh01/RunControlFile.h"

#include <cstdio>

#include "engine/tqmh01/ControlFile.h"

namespace vantorell::engine {

BatchResult RunControlFile(const CipherSwitches& switches) {
    const ControlFileDecision decision = readControlFile(switches);
    switch (decision.verdict) {
        case ControlVerdict::NotRun:
            return {BatchStatus::NotRun, decision.message};
        case ControlVerdict::Refused:
            return {BatchStatus::Refused, decision.message};
        case ControlVerdict::Run:
            break;
    }
    const CipherResult result = CipherFile(decision.request);
    if (!result.ok()) {
        return {BatchStatus::CipherFailed, result.message};
    }
    return {BatchStatus::Ran, {}};
}

int runBatch(const StartupState& state) {
    for (const std::string& argument : state.ignoredArguments) {
        std::fprintf(stderr, "tqmx01: ignored an argument longer than %zu characters: %.40s...\n",
                     kArgumentLimit, argument.c_str());
    }
    const BatchResult result = RunControlFile(state.cipher);
    if (result.status != BatchStatus::Ran) {
        std::fprintf(stderr, "tqmx01: nothing was written: %s\n", result.message.c_str());
    }
    return static_cast<int>(result.status);
}

}  // namespace vantorell::engine
