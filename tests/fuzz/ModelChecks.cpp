#include "tests/fuzz/ModelChecks.h"

#include "designer/frmMain/ArraysConversion.h"
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

// The dimensions' category and leaf counts are the reader's own: arrays made by the editors
// do not carry them. The arrays with the counts that were read.
ModelArrays withCountsOf(ModelArrays model, const ModelArrays& read) {
    for (std::size_t d = 0; d < model.dimensions.size() && d < read.dimensions.size(); ++d) {
        TDimensionRecord& to = model.dimensions[d];
        const TDimensionRecord& from = read.dimensions[d];
        to.intCategoryCount = from.intCategoryCount;
        to.intFirstCategoryIndex = from.intFirstCategoryIndex;
        to.intLeafCount = from.intLeafCount;
        to.intLeafBase = from.intLeafBase;
    }
    return model;
}

// Writes the arrays (which get their fresh identifiers) and reads the file back, which must
// give the same arrays with the same change digest; returns what was read.
ModelArrays roundTrip(const std::string& file, ModelArrays& model, std::int32_t points,
                      const std::string& what, bool countsRead) {
    std::string digest;
    require(flgWriteFile(std::string(), file, "", "", 0, digest, true, true, true, model, points),
            what + " can be written");
    ModelArrays again;
    std::int32_t againPoints = 0;
    require(read(file, again, againPoints), what + " reads back");
    const ::testing::AssertionResult same =
        test::sameModel(countsRead ? model : withCountsOf(model, again), again);
    require(same, what + " reads back as it was written: " + std::string(same.message()));
    require(againPoints == points, what + " keeps its point count");
    require(test::modelDigest(again, againPoints) == digest,
            what + " reads back with its change digest");
    return again;
}

// The editors' working copy of the arrays, given back as arrays; false when they refuse.
bool throughEditors(const std::string& folder, ModelArrays model, ModelArrays& back,
                    std::string& digest) {
    EditorState editors;
    editors.strProgramFolder = folder;
    std::string taken;
    if (!nulInternalizeReaderWriterArrays(editors, model, taken, {}, {}, false, "Opening",
                                          "Arrays.log")) {
        return false;
    }
    require(nulExternalizeReaderWriterArrays(editors, back, digest, "Saving", "Arrays.log"),
            "the editors give back what they took");
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
    roundTrip(folder + "saved.vtm", written, points, "a saved model", true);

    ModelArrays edited;
    std::string editedDigest;
    if (!throughEditors(folder, model, edited, editedDigest)) {
        return true;
    }
    const ModelArrays reopened =
        roundTrip(folder + "opened.vtm", edited, points, "a model saved from the editors", false);
    ModelArrays editedAgain;
    std::string reopenedDigest;
    require(throughEditors(folder, reopened, editedAgain, reopenedDigest),
            "the editors take again what they saved");
    const ::testing::AssertionResult same = test::sameModel(edited, editedAgain);

    require(same,
            "a model saved from the editors opens again unchanged: " + std::string(same.message()));
    require(reopenedDigest == editedDigest,
            "a model saved from the editors opens again with its change digest");
    return true;
}

}  // namespace vantorell::fuzz
