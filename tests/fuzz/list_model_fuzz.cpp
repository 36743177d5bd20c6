// The list file (brace lines for the nesting) into a model file, on hostile list files:
// nothing is written when it refuses, and a model made from a list reads, opens and saves.
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/ModelChecks.h"

using namespace vantorell;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::answerMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = fuzz::inputFolder();
    const std::string list = fuzz::writeFile(folder + "list.txt", fuzz::text(data, size));
    const std::string model = folder + "list.vtm";
    fuzz::convertListAndOpen(folder, list, model);
    return 0;
}
