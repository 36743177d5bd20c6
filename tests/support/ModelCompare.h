#pragma once
// A model as written against the model read back.

#include <gtest/gtest.h>

#include <string>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell::test {

// Every field but the scratch ones and the leaf bookkeeping, which the reader and the
// writer keep in different ways.
::testing::AssertionResult sameModel(const ModelArrays& a, const ModelArrays& b);

// The model written as the plain model file `file` (its folder the program folder) and
// read back into `read`; a failure gives the reader's reason.
::testing::AssertionResult writtenAndRead(const std::string& file, ModelArrays model,
                                          ModelArrays& read);

// The change digest of the arrays, nothing written.
std::string modelDigest(ModelArrays model, int requestedPoints);

}  // namespace vantorell::test
