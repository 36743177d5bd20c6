// The engine's reader of the cipher control file, on hostile files, for both directions:
// a request runs only when complete, a refusal always says why, and no value of a request
// that runs is longer than its line buffer or holds a line feed or a NUL.
#include <sstream>

#include "engine/tqmh01/ControlFile.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace vantorell;
using namespace vantorell::engine;

namespace {

void requireLineValue(const std::string& value) {
    fuzz::require(value.size() <= kControlLineLimit, "a value fits the line buffer");
    fuzz::require(value.find_first_of(std::string("\n\0", 2)) == std::string::npos,
                  "a value holds no line feed and no NUL");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::text(data, size);
    const std::string folder = fuzz::inputFolder();
    CipherSwitches switches;
    switches.requestMask = kDirectionGiven | kControlFileGiven;
    switches.controlFilePath = fuzz::writeFile(folder + "control.bec", bytes);
    for (const CipherDirection direction : {CipherDirection::Encipher, CipherDirection::Decipher}) {
        switches.direction = direction;
        const ControlFileDecision decision = readControlFile(switches);
        fuzz::require((decision.verdict == ControlVerdict::Run) == decision.message.empty(),
                      "a request runs, or the reader says why not");
        const CipherRequest& r = decision.request;
        fuzz::require(decision.verdict != ControlVerdict::Run || r.direction == direction,
                      "a request runs in the direction of the command line");
        if (decision.verdict != ControlVerdict::Run) {
            continue;
        }
        for (const std::string* value :
             {&r.sourcePath, &r.outputPath, &r.firstKey, &r.secondKey, &r.thirdKey, &r.keyModulus,
              &r.keyBlockBase, &r.keyBase, &r.keyExponent}) {
            requireLineValue(*value);
        }
    }

    // The line routine on its own: every line it gives fits the buffer.
    std::istringstream in(bytes);
    std::string line;
    for (LineStatus status = ReadLine(in, line); status == LineStatus::Line;
         status = ReadLine(in, line)) {
        requireLineValue(line);
    }
    return 0;
}
