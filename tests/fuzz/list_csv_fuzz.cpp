// A comma-separated dimension/category list as File Open converts it: into a list file,
// the list file into a model file, and that model opened and saved. Nothing is written
// when a step refuses, and a model made from a list always reads.
#include "designer/rtnReaderWriter/ListConversion.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/ModelChecks.h"

using namespace vantorell;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::answerMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte chooses the title: one named dimension, or the top-level records.
    const std::string title = (data[0] & 1) != 0 ? kDimensionsFromFileTitle : "Products";
    const std::string folder = fuzz::inputFolder();
    const std::string csv = fuzz::writeFile(folder + "list.vdc", fuzz::text(data + 1, size - 1));
    const std::string list = folder + "list.txt";
    const std::string model = folder + "list.vtm";
    try {
        nulConvertCsvToList(csv, list, title);
    } catch (const ListConversionError&) {
        fuzz::require(!fuzz::exists(list), "a refused list writes no list file");
        return 0;
    }
    fuzz::convertListAndOpen(folder, list, model);
    return 0;
}
