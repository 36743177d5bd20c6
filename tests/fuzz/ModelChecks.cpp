#include "tests/fuzz/ModelChecks.h"

#include "designer/frmMain/ArraysConversion.h"
#include "designer/rtnReaderWriter/ListConversion.h"
#include "designer/rtnReaderWriter/ModelFileError.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/ModelCompare.h"

namespace vantorell::fuzz {
namespace {

template <typename Records>
bool inside(std::int32_t index, const Records& records) {
    return index >= 0 && static_cast<std::size_t>(index) < records.size();
}

void requireIndicesInside(const ModelArrays& m) {
    for (const TCategoryRecord& c : m.categories) {
        require(inside(c.intParentDimensionIndex, m.dimensions),
                "a category read belongs to a dimension of the model");
    }
    for (const TMeasureValueRecord& v : m.values) {
        require(inside(v.intMeasureIndex, m.measures) &&
                    inside(v.intDimensionIndex, m.dimensions) &&
                    inside(v.intCategoryIndex, m.categories),
                "a value read points at records of the model");
    }
    for (const TIrregularityRecord& r : m.irregularities) {
        require(inside(r.intMeasureIndex, m.measures) && inside(r.intDimensionIndex, m.dimensions),
                "an irregularity read points at records of the model");
    }
}

bool read(const std::string& file, ModelArrays& model, std::int32_t& points) {
    try {
        return flgReadFile(std::string(), file, "", "", 0, true, points, model);
    } catch (const ModelFileError&) {
        return false;  // reported to the user as a file that cannot be read
    }
}

// Writes the arrays (which get their fresh identifiers) as a plain file; returns the digest.
std::string writeModel(const std::string& file, ModelArrays& model, std::int32_t points) {
    std::string digest;
    require(flgWriteFile(std::string(), file, "", "", 0, digest, true, true, true, model, points),
            "a model that was read can be written");
    return digest;
}

// Writes the arrays (which get their fresh identifiers) and reads the file back, which must
// give the same arrays with the same change digest; returns what was read.
ModelArrays roundTrip(const std::string& file, ModelArrays& model, std::int32_t points,
                      const std::string& what) {
    const std::string digest = writeModel(file, model, points);
    ModelArrays again;
    std::int32_t againPoints = 0;
    require(read(file, again, againPoints), what + " reads back");
    const ::testing::AssertionResult same = test::sameModel(model, again);
    require(same, what + " reads back as it was written: " + std::string(same.message()));
    require(againPoints == points, what + " keeps its point count");
    require(test::modelDigest(again, againPoints) == digest,
            what + " reads back with its change digest");
    return again;
}

// The editors' working copy of the arrays, given back as arrays as Save takes them; false
// when the editors refuse the arrays or refuse to save them.
bool throughEditors(const std::string& folder, ModelArrays model, std::int32_t points,
                    ModelArrays& back, std::string& digest) {
    EditorState editors;
    editors.strProgramFolder = folder;
    editors.intRequestedPoints = points;
    std::string taken;
    if (!nulInternalizeReaderWriterArrays(editors, model, taken, {}, {}, false, "Opening",
                                          "Arrays.log")) {
        return false;
    }
    takeLastMessage();
    if (!nulExternalizeReaderWriterArrays(editors, back, digest, "Saving", "Arrays.log")) {
        // A model the file gave but the measures grid cannot save as it stands (a weighted
        // measure whose source is not independent): Save says why, and the file stays.
        require(takeLastMessage().find("Sorry") != std::string::npos,
                "the editors that refuse to save say why");
        return false;
    }
    return true;
}

}  // namespace

bool openAndSave(const std::string& folder, const std::string& file) {
    ModelArrays model;
    std::int32_t points = 0;
    if (!read(file, model, points)) {
        return false;
    }
    requireIndicesInside(model);
    ModelArrays written = model;
    roundTrip(folder + "saved.vtm", written, points, "a saved model");

    // Through the editors, as File Open and File Save go: what they save opens and saves
    // again as the very same file.
    ModelArrays edited;
    std::string editedDigest;
    if (!throughEditors(folder, model, points, edited, editedDigest)) {
        return true;
    }
    const std::string opened = folder + "opened.vtm";
    require(writeModel(opened, edited, points) == editedDigest,
            "the editors' digest is the digest of what is saved");
    ModelArrays reopened;
    std::int32_t reopenedPoints = 0;
    require(read(opened, reopened, reopenedPoints), "a model saved from the editors reads back");
    ModelArrays editedAgain;
    std::string againDigest;
    require(throughEditors(folder, reopened, reopenedPoints, editedAgain, againDigest),
            "the editors take and save again what they saved");
    require(againDigest == editedDigest,
            "a model saved from the editors opens again with its change digest");
    const std::string savedAgain = folder + "opened-again.vtm";
    writeModel(savedAgain, editedAgain, reopenedPoints);
    require(readFile(savedAgain) == readFile(opened),
            "a model saved from the editors saves again as the same file");
    return true;
}

void convertListAndOpen(const std::string& folder, const std::string& list,
                        const std::string& model) {
    try {
        nulConvertListToModel(list, model);
    } catch (const ListConversionError&) {
        require(!exists(model), "a refused list writes no model file");
        return;
    }
    require(openAndSave(folder, model), "a model made from a list reads");
}

}  // namespace vantorell::fuzz
