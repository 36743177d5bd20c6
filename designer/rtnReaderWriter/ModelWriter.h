#pragma once
// flgWriteFile: the model arrays as a model file, in one of three modes:
// - digest only (writeToFile false): nothing is written;
// - plain file (no password): one record per line, written to a temporary file beside the
//   target and renamed over it;
// - protected copy (a password): the records go to "temp.dat" in the program folder (under
//   the file key when usePassword is set) and the engine program enciphers that into the
//   target.
// In every mode the records get fresh identifiers and leaf numbers and the leaves are chained
// (see ModelRecords.h), and the change digest of the records is computed.

#include <string>

#include "designer/rtnReaderWriter/ModelRecords.h"
#include "designer/rtnReaderWriter/RecordWriter.h"

namespace vantorell {

// Returns true when the target was written (always in digest-only mode); then `digest` holds
// the change digest (empty when includeInDigest is false). Returns false, leaving `digest`
// and any previous target file as they were, when the file could not be written or the
// engine did not produce the protected copy.
// Raises ModelWriteError, before anything is written, for a model the reader would not read
// back as it is (see WritableModel.h), and for a text the file cannot carry (a password too,
// when it is to form the file key); EngineRequestError for a password, key or file name the engine
// request cannot carry; no target and no "temp.dat" are left then.
// Debug messages go out under bits 4 and 16 of `debugMask`.
bool flgWriteFile(const std::string& programFolder, const std::string& fileName,
                  const std::string& password, const std::string& secondKey, int debugMask,
                  std::string& digest, bool includeInDigest, bool writeToFile, bool usePassword,
                  TArrIrregularities& irregularities, TArrMeasureValues& values,
                  TArrMeasures& measures, TArrCategories& categories, TArrDimensions& dimensions,
                  int requestedPoints);

// Why the model cannot go as a protected copy: the refusal that flgWriteFile with a password
// would raise for the first name or code a copy cannot carry, in the order the file holds
// them; empty when the copy can carry every one.
std::string strProtectedCopyRefusal(const ModelArrays& model);

inline bool flgWriteFile(const std::string& programFolder, const std::string& fileName,
                         const std::string& password, const std::string& secondKey, int debugMask,
                         std::string& digest, bool includeInDigest, bool writeToFile,
                         bool usePassword, ModelArrays& model, int requestedPoints) {
    return flgWriteFile(programFolder, fileName, password, secondKey, debugMask, digest,
                        includeInDigest, writeToFile, usePassword, model.irregularities,
                        model.values, model.measures, model.categories, model.dimensions,
                        requestedPoints);
}

}  // namespace vantorell
