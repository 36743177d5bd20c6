// The model file reader on hostile files, with the round trip a user makes: open, save,
// open again.
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/ModelChecks.h"

using namespace vantorell;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::answerMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = fuzz::inputFolder();
    const std::string file = fuzz::writeFile(folder + "model.vtm", fuzz::text(data, size));
    fuzz::openAndSave(folder, file);
    return 0;
}
