#pragma once
// Every field of a set of model arrays as text, one record per line, so that two sets can
// be compared and a difference shows where it is.

#include <string>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell::test {

// With `scratch` false the reader's and writer's work fields are left out.
std::string dumpModel(const ModelArrays& model, bool scratch = false);

// The fields the editors' working copy keeps, value records sorted by measure, dimension and
// category (producers order them differently): two sets that give the same working copy
// give the same text.
std::string dumpEditorFields(const ModelArrays& model);

}  // namespace vantorell::test
