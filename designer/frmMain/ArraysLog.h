#pragma once
// "Arrays.log": dumps of the five model arrays, appended to a plain text file (CRLF line
// ends) after a failed read or, with the array debug mask set, at every conversion.

#include <ctime>
#include <string>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

inline constexpr const char* kArraysLogFileName = "Arrays.log";

// The text of one dump under the caption, logged at the given local time.
std::string strArraysLogText(const std::string& caption, const std::tm& logged,
                             const TArrDimensions& dimensions, const std::string& checksum,
                             const TArrIrregularities& irregularities,
                             const TArrMeasureValues& values, const TArrMeasures& measures,
                             const TArrCategories& categories);

// Appends the dump to the file in one write, creating the file when it does not exist.
// Raises FileIoError when it cannot be written.
void nulArraysLogWrite(const std::string& path, const std::string& caption,
                       const TArrDimensions& dimensions, const std::string& checksum,
                       const TArrIrregularities& irregularities, const TArrMeasureValues& values,
                       const TArrMeasures& measures, const TArrCategories& categories,
                       const std::tm& logged);

}  // namespace vantorell
