#include "designer/rtnReaderWriter/ModelReader.h"

#include <filesystem>
#include <string>
#include <unordered_map>

#include "designer/rtnReaderWriter/CategorySection.h"
#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/EngineRequests.h"
#include "designer/rtnReaderWriter/FileKey.h"
#include "designer/rtnReaderWriter/ModelFileError.h"
#include "designer/rtnReaderWriter/ModelReadState.h"
#include "designer/rtnReaderWriter/PercentageReader.h"
#include "designer/rtnReaderWriter/RecordReader.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"

namespace vantorell {
namespace {

// The file's records: the file itself, or for a protected file what the engine deciphers it
// into. "temp.dat" is removed as soon as it is open, whatever happens next.
RecordSource openModelFile(const std::string& programFolder, const std::string& fileName,
                           const std::string& password, const std::string& secondKey,
                           const std::string& fileKey, int debugMask) {
    if (password.empty()) {
        return RecordSource::open(fileName, fileKey, debugMask, fileName);
    }
    const std::string tempFile = programFolder + kTempDataFile;
    // The engine runs in the program folder: a relative name would be taken from there.
    const std::string input = std::filesystem::absolute(fileName).string();
    const bool ran =
        flgRunDecryption(programFolder, input, kTempDataFile, password, secondKey, debugMask);
    if (!ran || !fileExists(tempFile)) {
        deleteFile(tempFile);
        throw ModelFileError("The engine program could not decipher the model file \"" + fileName +
                             "\".");
    }
    try {
        RecordSource source = RecordSource::open(tempFile, fileKey, debugMask, fileName);
        deleteFile(tempFile);
        return source;
    } catch (...) {
        deleteFile(tempFile);
        throw;
    }
}

// MEAS and DIM: name, code and identifier per record, up to "*". An identifier given twice
// would leave the later record without anything the file refers to it by.
template <typename Records>
void readNamedRecords(ModelReadState& state, Records& records,
                      std::unordered_map<std::string, int>& idLines, const char* what) {
    for (;;) {
        const std::string_view name = state.next();
        if (name == "*") {
            return;
        }
        auto& r = records.emplace_back();
        r.strName = name;
        const std::string_view code = state.next();
        r.strCode = code.empty() ? std::string_view(r.strName.str()) : code;
        r.strFileId = state.next();
        const auto [known, added] = idLines.emplace(r.strFileId.str(), state.source.recordLine());
        if (!added) {
            state.fail(std::string("the ") + what + " identifier " +
                       quotedRecord(r.strFileId.str()) + " was given before, on line " +
                       std::to_string(known->second) + ".");
        }
    }
}

// The PER section's blocks are sized from the measures, dimensions and categories read
// before it: a section that adds to them afterwards would leave those blocks too small.
bool sectionInOrder(ModelReadState& state, const std::string& command) {
    if (!state.percentagesRead) {
        return true;
    }
    state.fail("the " + command +
               " section follows the PER section; measures, dimensions and categories come "
               "before the percentages that refer to them.");
    return false;
}

// INFO: key and value pairs up to "*". Only "NCAT" is used, as a size hint.
std::int64_t readInfoSection(ModelReadState& state) {
    std::int64_t categoryHint = 0;
    for (;;) {
        const std::string key(state.next());
        if (key == "*") {
            return categoryHint;
        }
        state.next();
        if (key == "NCAT") {
            categoryHint = state.currentInteger();
        }
    }
}

// The top-level records after the version record; true when "END" was reached.
bool readSections(ModelReadState& state, bool& pointsRead, std::int32_t& points) {
    std::int64_t categoryHint = 0;
    for (;;) {
        const std::string command(state.next());
        if (state.debugOn(kDebugCommands)) {
            nulDebugMessage("Expecting command, obtained: " + command, kDebugCommands,
                            state.debugMask());
        }
        processMessages();
        if ((command == "MEAS" || command == "DIM" || command == "CAT") &&
            !sectionInOrder(state, command)) {
            return false;
        }
        if (command == "MEAS") {
            readNamedRecords(state, state.measures, state.measureIdLines, "measure");
        } else if (command == "DIM") {
            readNamedRecords(state, state.dimensions, state.dimensionIdLines, "dimension");
        } else if (command == "CAT") {
            nulReadCategorySection(state, categoryHint);
        } else if (command == "PER") {
            nulReadPercentages(state);
            state.percentagesRead = true;
        } else if (command == "OUT") {
            points = state.nextInteger();
            pointsRead = true;
        } else if (command == "END") {
            return true;
        } else if (command == "INFO") {
            categoryHint = readInfoSection(state);
        } else if (command != "*") {
            state.fail("the record " + quotedRecord(command) +
                       " stands where a section keyword (MEAS, DIM, CAT, PER, OUT, INFO or END) "
                       "should.");
            return false;
        }
    }
}

}  // namespace

namespace {

bool readModel(const std::string& programFolder, const std::string& fileName,
               const std::string& password, const std::string& secondKey, int debugMask,
               bool usePassword, std::int32_t& requestedPoints, TArrIrregularities& irregularities,
               TArrMeasureValues& values, TArrMeasures& measures, TArrCategories& categories,
               TArrDimensions& dimensions, std::string& reason) {
    irregularities.clear();
    values.clear();
    measures.clear();
    categories.clear();
    dimensions.clear();
    reason.clear();

    RecordSource source = openModelFile(programFolder, fileName, password, secondKey,
                                        strFileKeyForm(password, usePassword), debugMask);
    nulDebugMessage("File opened for reading", kDebugFileOpen, debugMask);
    ModelReadState state(source, irregularities, values, measures, categories, dimensions);
    bool pointsRead = false;
    std::int32_t points = 0;
    bool ended = false;
    try {
        const std::string_view version = state.next();
        if (state.debugOn(kDebugProgress)) {
            nulDebugMessage("Program version is: " + std::string(version), kDebugProgress,
                            debugMask);
        }
        ended = readSections(state, pointsRead, points);
    } catch (const ModelFileTruncated&) {
        ended = false;
        if (source.linesRead() == 0) {
            state.success = false;
            state.failure = "The file is empty.";
        } else {
            state.failOnLine(source.linesRead(),
                             "the file ends inside a section or before its \"END\" record.");
        }
    }
    const bool ok = ended && state.success;
    if (ok && pointsRead) {
        requestedPoints = points;
    }
    if (!ok) {
        reason = state.failure;
    }
    return ok;
}

}  // namespace

bool flgReadFile(const std::string& programFolder, const std::string& fileName,
                 const std::string& password, const std::string& secondKey, int debugMask,
                 bool usePassword, std::int32_t& requestedPoints,
                 TArrIrregularities& irregularities, TArrMeasureValues& values,
                 TArrMeasures& measures, TArrCategories& categories, TArrDimensions& dimensions) {
    std::string reason;
    return readModel(programFolder, fileName, password, secondKey, debugMask, usePassword,
                     requestedPoints, irregularities, values, measures, categories, dimensions,
                     reason);
}

bool flgReadFile(const std::string& programFolder, const std::string& fileName,
                 const std::string& password, const std::string& secondKey, int debugMask,
                 bool usePassword, std::int32_t& requestedPoints, ModelArrays& model) {
    std::string reason;
    return flgReadFile(programFolder, fileName, password, secondKey, debugMask, usePassword,
                       requestedPoints, model, reason);
}

bool flgReadFile(const std::string& programFolder, const std::string& fileName,
                 const std::string& password, const std::string& secondKey, int debugMask,
                 bool usePassword, std::int32_t& requestedPoints, ModelArrays& model,
                 std::string& reason) {
    return readModel(programFolder, fileName, password, secondKey, debugMask, usePassword,
                     requestedPoints, model.irregularities, model.values, model.measures,
                     model.categories, model.dimensions, reason);
}

bool flgReadFile(const std::string& fileName, std::int32_t& requestedPoints, ModelArrays& model) {
    return flgReadFile(std::string(), fileName, std::string(), std::string(), 0, false,
                       requestedPoints, model);
}

}  // namespace vantorell
