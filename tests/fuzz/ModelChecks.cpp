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

std::string write(const std::string& folder, const std::string& file, ModelArrays& model,
                  std::int32_t points) {
    std::string digest;
    require(flgWriteFile(folder, file, "", "", 0, digest, true, true, true, model, points),
            "a model that was read can be written");
    return digest;
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
    const std::string digest = write(folder, folder + "saved.vtm", written, points);
    ModelArrays again;
    std::int32_t againPoints = 0;
    require(read(folder + "saved.vtm", again, againPoints), "a saved model reads back");
    const ::testing::AssertionResult same = test::sameModel(written, again);
    require(same, std::string("a saved model reads back as it was written: ") + same.message());
    require(againPoints == points, "a saved model keeps its point count");
    require(test::modelDigest(again, againPoints) == digest,
            "a saved model reads back with its change digest");

    ModelArrays edited;
    std::string editedDigest;
    if (!throughEditors(folder, model, edited, editedDigest)) {
        return true;
    }
    write(folder, folder + "opened.vtm", edited, points);
    ModelArrays reopened;
    require(read(folder + "opened.vtm", reopened, againPoints),
            "a model saved from the editors reads back");
    ModelArrays editedAgain;
    std::string reopenedDigest;
    require(throughEditors(folder, reopened, editedAgain, reopenedDigest),
            "the editors take again what they saved");
    require(reopenedDigest == editedDigest, "a model saved from the editors opens again unchanged");
    return true;
}

}  // namespace vantorell::fuzz
