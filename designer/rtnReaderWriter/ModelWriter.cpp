#include "designer/rtnReaderWriter/ModelWriter.h"

#include <memory>
#include <optional>
#include <stdexcept>

#include "common/Scrambler.h"
#include "designer/rtnReaderWriter/EngineRequests.h"
#include "designer/rtnReaderWriter/FileKey.h"
#include "designer/rtnReaderWriter/ModelSections.h"
#include "designer/rtnReaderWriter/PercentageWriter.h"
#include "designer/rtnReaderWriter/WritableModel.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"

namespace vantorell {
namespace {

void writeModel(RecordWriter& out, TArrIrregularities& irregularities, TArrMeasureValues& values,
                TArrMeasures& measures, TArrCategories& categories, TArrDimensions& dimensions,
                int requestedPoints, int debugMask) {
    writeHeader(out, static_cast<int>(categories.size()), requestedPoints);
    if (!measures.empty()) {
        writeMeasuresSection(out, measures);
    }
    const bool withCategories = !dimensions.empty() && !categories.empty();
    WrittenCategories written;
    written.spans.resize(dimensions.size());
    if (!dimensions.empty()) {
        writeDimensionsSection(out, dimensions);
        if (withCategories) {
            written = numberCategories(categories, dimensions, debugMask);
        }
    }
    // The percentages are made on worker threads while the categories are written. Every
    // measure has its block, so that its totals are kept also in a model without categories.
    std::optional<PercentageSection> percentages;
    if (!measures.empty()) {
        percentages.emplace(out, measures, values, irregularities, written, dimensions, debugMask);
    }
    if (withCategories) {
        writeCategoriesSection(out, categories, written);
    }
    if (percentages) {
        percentages->write(out);
    }
    writeTrailer(out, requestedPoints);
}

// The engine runs in the program folder, so a relative target name is relative to it.
std::string targetAsTheEngineSeesIt(const std::string& programFolder, const std::string& name) {
    return !name.empty() && name.front() == '/' ? name : programFolder + name;
}

std::string fileKeyFor(const std::string& password, bool usePassword) {
    try {
        return strFileKeyForm(password, usePassword);
    } catch (const ScramblerError&) {
        throw ModelWriteError(
            "The password cannot protect a copy of the model: it may hold only the characters "
            "from the blank to \"~\".");
    }
}

template <typename Records>
std::string namesRefusal(const Records& records) {
    for (const auto& record : records) {
        for (const std::string* text : {&record.strName.str(), &record.strCode.str()}) {
            std::string refusal = strProtectedRecordRefusal(*text);
            if (!refusal.empty()) {
                return refusal;
            }
        }
    }
    return std::string();
}

}  // namespace

std::string strProtectedCopyRefusal(const ModelArrays& model) {
    std::string refusal = namesRefusal(model.measures);
    if (refusal.empty()) {
        refusal = namesRefusal(model.dimensions);
    }
    if (refusal.empty()) {
        refusal = namesRefusal(model.categories);
    }
    return refusal;
}

bool flgWriteFile(const std::string& programFolder, const std::string& fileName,
                  const std::string& password, const std::string& secondKey, int debugMask,
                  std::string& digest, bool includeInDigest, bool writeToFile, bool usePassword,
                  TArrIrregularities& irregularities, TArrMeasureValues& values,
                  TArrMeasures& measures, TArrCategories& categories, TArrDimensions& dimensions,
                  int requestedPoints) {
    if (!writeToFile) {
        RecordWriter out(nullptr, std::string(), includeInDigest);
        writeModel(out, irregularities, values, measures, categories, dimensions, requestedPoints,
                   debugMask);
        digest = out.nulFinishChecksum();
        return true;
    }
    if (fileName.empty()) {
        return false;
    }

    requireWritableModel(irregularities, values, measures, categories, dimensions);

    const bool protectedCopy = !password.empty();
    const std::string tempData = programFolder + kTempDataFile;
    const std::string fileKey = fileKeyFor(password, usePassword);
    std::string result;
    try {
        // "temp.dat" holds the model in a form the password does not protect yet.
        AtomicFile file(protectedCopy ? tempData : fileName, protectedCopy ? 0600 : 0644);
        RecordWriter out(&file, fileKey, includeInDigest);
        writeModel(out, irregularities, values, measures, categories, dimensions, requestedPoints,
                   debugMask);
        result = out.nulFinishChecksum();
        file.commit();
    } catch (const ModelWriteError&) {
        throw;
    } catch (const std::runtime_error&) {
        return false;
    }

    if (protectedCopy) {
        bool ran = false;
        try {
            ran = flgRunEncryption(programFolder, fileName, password, secondKey);
        } catch (...) {
            deleteFile(tempData);
            throw;
        }
        if (!ran || !fileExists(targetAsTheEngineSeesIt(programFolder, fileName))) {
            return false;
        }
    }
    digest = result;
    return true;
}

}  // namespace vantorell
