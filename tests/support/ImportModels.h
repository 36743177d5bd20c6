#pragma once
// The two models of the import dialog's tests, and a model written to a plain file.

#include <string>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell::test {

// The current model: Region "REG" (North "N", South "S"); Sales independent, Units weighted
// from it over Region.
ModelArrays importTargetModel();

// The model imported: Region "REG" (East "E") and Channel "CH" (Web "WEB"); Rev independent,
// Qty weighted from it over Region, Tax independent; every measure with its values, which is
// where a file keeps a measure's type.
ModelArrays importSourceModel();

// Writes the model as a plain model file at `path` (the program folder is the file's own)
// and returns the path; a failed write fails the test.
std::string writtenModel(const std::string& path, ModelArrays model);

}  // namespace vantorell::test
