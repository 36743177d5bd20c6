#pragma once
// Reads a model file or template, plain or protected, into the five model arrays.

#include <cstdint>
#include <string>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

// Reads `fileName` into the arrays, which are emptied first. `programFolder` (with its
// trailing "/") is where a protected file is deciphered: with a non-empty password the
// engine program there turns the file into "temp.dat", which is read and then deleted. The
// records are enciphered by the file key when a password is given and `usePassword` is set.
// True when the file was read to its "END" and every identifier it refers to was found; a
// file that ends early or holds an unknown record at the top level gives false. On success
// `requestedPoints` takes the "OUT" value when the file has one; otherwise it is untouched.
// Raises ModelFileError for a file that cannot be read or deciphered and for a number that
// does not convert (the message names the record and its line), EngineRequestError when the
// password or file name cannot be passed to the engine.
// Debug messages go out for the bits set in `debugMask`.
bool flgReadFile(const std::string& programFolder, const std::string& fileName,
                 const std::string& password, const std::string& secondKey, int debugMask,
                 bool usePassword, std::int32_t& requestedPoints,
                 TArrIrregularities& irregularities, TArrMeasureValues& values,
                 TArrMeasures& measures, TArrCategories& categories, TArrDimensions& dimensions);

bool flgReadFile(const std::string& programFolder, const std::string& fileName,
                 const std::string& password, const std::string& secondKey, int debugMask,
                 bool usePassword, std::int32_t& requestedPoints, ModelArrays& model);

// The same; when the read fails without raising, `reason` says why: the line and what was
// wrong there (the file name is the caller's to give). Empty after a successful read.
bool flgReadFile(const std::string& programFolder, const std::string& fileName,
                 const std::string& password, const std::string& secondKey, int debugMask,
                 bool usePassword, std::int32_t& requestedPoints, ModelArrays& model,
                 std::string& reason);

// A plain file with debug output off.
bool flgReadFile(const std::string& fileName, std::int32_t& requestedPoints, ModelArrays& model);

}  // namespace vantorell
