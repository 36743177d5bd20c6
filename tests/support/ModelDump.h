#pragma once
// Every field of a set of model arrays as text, one record per line, so that two sets can
// be compared and a difference shows where it is.

#include <string>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell::test {

// With `scratch` false the reader's and writer's work fields are left out.
std::string dumpModel(const ModelArrays& model, bool scratch = false);

}  // namespace vantorell::test
