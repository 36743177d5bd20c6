#pragma once
// A model extracted from an existing cube through the cube tool's automation: each
// dimension is laid out as report rows, drilled down to its whole category tree and
// exported as comma-separated text ("t01t<d>.asc" in the program folder, deleted at the
// end); the exports become a plain model file whose dimensions, categories and measures are
// the cube's and whose values are those the cube holds for each category.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/CubeAutomation.h"

namespace vantorell {

inline constexpr const char* kMeasuresDimensionName = "MEASURES";

// Told the percentage done, 0 to 100; may be empty.
using TCubeProgress = std::function<void(int percent)>;

// The cube's exports cannot make a sound model; nothing was written.
class CubeExtractionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Creates the cube tool's application and report objects, the current generation first,
// then the older one. False when neither can be created; nothing is left over then.
bool flgCreatePowerPlay(std::unique_ptr<CubeApplication>& application,
                        std::unique_ptr<CubeReport>& report);

// The requested points of an extracted model: the product of the dimensions' leaf counts
// when it lies between the floor (category total + 100) x measure count and 50,000, else
// the floor; never less than 5,000. Raises std::overflow_error beyond the Integer range.
std::int32_t intExtractedPoints(const std::vector<std::int32_t>& leafCounts,
                                std::int32_t categoryTotal, std::int32_t measureCount);

// Extracts the model of `cubeFile` into `modelFile`, which is only replaced once the whole
// model is made. The work files lie in `programFolder` and go at the end, also after a
// failure, and the cube tool is told to close the report and quit. False, with no
// model file and no progress after 0, when the cube tool cannot be started. Raises
// CubeAutomationError when a member call fails, CubeExtractionError when the exports do not
// name the cube's dimensions, CsvFieldError for an export line that cannot be split,
// std::runtime_error when a file cannot be read or written, std::overflow_error for a count
// beyond the Integer range. Drilling goes out under debug bit 2 of `debugMask`, the
// dimensions' total lines under bit 64.
bool flgExtractModelFromCube(const std::string& programFolder, const std::string& cubeFile,
                             const std::string& modelFile, int debugMask,
                             const std::string& measuresDimensionName,
                             const TCubeProgress& progress);

// The same with the measures dimension "MEASURES"; a cube tool that cannot be started
// raises CubeExtractionError.
void nulConvertCubeToModel(const std::string& programFolder, const std::string& cubeFile,
                           const std::string& modelFile, int debugMask,
                           const TCubeProgress& progress);

}  // namespace vantorell
