// The engine's decipher run on hostile enciphered files, as the designer asks for it
// through the control file: a run that reports success has written its output, a run that
// fails has written nothing, and no run leaves anything else in the folder.
//
// The first byte chooses the request: bit 0 adds a key block to the control file, bit 1
// asks for the check-value mismatch report. The rest is the enciphered file.
#include "engine/tqmh01/RunControlFile.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/CipherRequests.h"

using namespace vantorell;
using namespace vantorell::engine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool keyBlock = (data[0] & 1) != 0;
    const bool mismatchReport = (data[0] & 2) != 0;
    const std::string folder = fuzz::inputFolder();
    const std::string source = fuzz::writeFile(folder + "cube.enc", fuzz::text(data + 1, size - 1));
    const std::string output = folder + "cube.mdc";
    std::string lines =
        "F\r\n" + source + "\r\nO\r\n" + output + "\r\nP\r\nsecret\r\nS\r\nsecond-key\r\n";
    if (keyBlock) {
        lines += std::string("K\r\n") + test::kSmallCipherKey.modulus + "\r\n" +
                 test::kSmallCipherKey.decipherExponent + "\r\n";
    }
    lines += "E\r\n";

    CipherSwitches switches;
    switches.direction = CipherDirection::Decipher;
    switches.requestMask = kDirectionGiven | kControlFileGiven;
    switches.controlFilePath = fuzz::writeFile(folder + "control.bec", lines);
    switches.mismatchReport = mismatchReport;
    switches.mismatchReportPath = folder + "mismatch.txt";
    const BatchResult result = RunControlFile(switches);

    const bool ran = result.status == BatchStatus::Ran;
    fuzz::require(ran == result.message.empty(), "a run succeeds, or says why not");
    fuzz::require(ran == fuzz::exists(output), "the output exists exactly when the run succeeded");
    fuzz::require(result.status == BatchStatus::Ran || result.status == BatchStatus::CipherFailed,
                  "the designer's control file asks for a complete run");
    for (const std::string& name : fuzz::entries(folder)) {
        fuzz::require(name == "cube.enc" || name == "control.bec" || (ran && name == "cube.mdc") ||
                          (mismatchReport && name == "mismatch.txt"),
                      "a run leaves nothing but its output: " + name);
    }
    return 0;
}
