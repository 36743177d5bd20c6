#include "designer/rtnReaderWriter/CubeExtraction.h"

#include <charconv>
#include <memory>

#include "designer/rtnReaderWriter/CheckedIntegers.h"
#include "designer/rtnReaderWriter/CubeDimensionRows.h"
#include "designer/rtnReaderWriter/CubeExport.h"
#include "designer/rtnReaderWriter/DebugMessage.h"
#include "platform/AtomicFile.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"

namespace vantorell {
namespace {

constexpr int kDebugTotals = 64;
constexpr int kReportKindCube = 1;
constexpr int kExportCommaSeparated = 3;
constexpr int kGlobalPercent = 10;

struct Generation {
    const char* application;
    const char* report;
};
constexpr Generation kGenerations[] = {
    {"CognosPowerPlay.Application", "CognosPowerPlay.Report"},
    {"PowerPlay.Application", "PowerPlay.Report"},
};

std::string exportFile(const std::string& programFolder, std::size_t d) {
    return programFolder + "t01t" + std::to_string(d) + ".asc";
}

// General format with 16 significant digits, "." as separator; no "-0".
std::string numberText(double value) {
    if (value == 0.0) {
        return "0";
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 16);
    return std::string(buffer, result.ptr);
}

// A measure or dimension name that would read as a comment or end its section gets a "~"
// in front, as category names do.
std::string listedName(const std::string& name) {
    const std::string filtered = strCubeNameFilter(name);
    if (filtered == "*" || (!filtered.empty() && filtered.front() == '<')) {
        return "~" + filtered;
    }
    return filtered;
}

class ModelText {
public:
    void line(const std::string& text) {
        text_ += text;
        text_ += "\r\n";
    }
    void lines(const std::string& block) { text_ += block; }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

struct ExtractedDimension {
    std::vector<TCubeRow> rows;
    TCubeCategories categories;
    TCubeExport exported;
};

// Closes the report, quits the cube tool and removes the work files when the extraction
// ends, also through an error; errors of the clean-up itself are not the caller's.
class Session {
public:
    Session(std::unique_ptr<CubeApplication> application, std::unique_ptr<CubeReport> report,
            std::string programFolder)
        : application_(std::move(application)),
          report_(std::move(report)),
          programFolder_(std::move(programFolder)) {}
    ~Session() {
        for (std::size_t d = 0; d <= dimensions_; ++d) {
            deleteFile(exportFile(programFolder_, d));
        }
        try {
            report_->close();
        } catch (const CubeAutomationError&) {
        }
        try {
            application_->quit();
        } catch (const CubeAutomationError&) {
        }
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    CubeApplication& application() { return *application_; }
    CubeReport& report() { return *report_; }
    void setDimensionCount(std::size_t count) { dimensions_ = count; }

private:
    std::unique_ptr<CubeApplication> application_;
    std::unique_ptr<CubeReport> report_;
    std::string programFolder_;
    std::size_t dimensions_ = 0;
};

std::unique_ptr<CubeCategoryList> listOf(CubeReport& report, const std::string& name) {
    std::unique_ptr<CubeCategoryList> list = report.categoryList();
    list->add(0, name);
    list->setShareOf(false);
    return list;
}

// The values of one category row for measure m: the positive value, and with the negative
// column the negative one as a magnitude.
void valueLines(ModelText& out, const std::string& id, double value, bool negativeColumn) {
    out.line(id);
    out.line(numberText(value >= 0.0 ? value : 0.0));
    if (negativeColumn) {
        out.line(numberText(value < 0.0 ? -value : 0.0));
    }
}

void writePercentages(ModelText& out, const std::vector<ExtractedDimension>& dims,
                      std::size_t measureCount, int debugMask, const TCubeProgress& report) {
    out.line("PER");
    for (std::size_t m = 0; m < measureCount; ++m) {
        out.line("M" + std::to_string(m + 1));
        if (m > 0) {
            out.line("IND");
        }
        const double total = dims.empty() ? 0.0 : dims.front().exported.totals[m];
        // A negative total goes with a positive total of its magnitude and a negative total of
        // twice that, so the two sides net to the cube's total.
        const bool negativeColumn = total < 0.0;
        if (negativeColumn) {
            out.line(numberText(2.0 * total));
            out.line(numberText(-total));
        } else {
            out.line(numberText(total));
        }
        out.line(std::to_string(kGlobalPercent));
        for (std::size_t d = 0; d < dims.size(); ++d) {
            const ExtractedDimension& dim = dims[d];
            nulDebugMessage("Dimension line: " + dim.exported.totalLine, kDebugTotals, debugMask);
            out.line("D" + std::to_string(d + 1));
            const TCubeCategories& cats = dim.categories;
            for (std::size_t i = 0; i < cats.leafRows.size(); ++i) {
                valueLines(out, "C" + std::to_string(cats.firstLeaf + static_cast<int>(i)),
                           dim.exported.value(static_cast<std::size_t>(cats.leafRows[i]), m),
                           negativeColumn);
            }
            for (std::size_t i = 0; i < cats.parentRows.size(); ++i) {
                valueLines(out, "H" + std::to_string(cats.firstParent + static_cast<int>(i)),
                           dim.exported.value(static_cast<std::size_t>(cats.parentRows[i]), m),
                           negativeColumn);
            }
            out.line("*");
        }
        out.line("*");
        report(85 + static_cast<int>(14 * (m + 1) / measureCount));
    }
    out.line("*");
}

}  // namespace

bool flgCreatePowerPlay(std::unique_ptr<CubeApplication>& application,
                        std::unique_ptr<CubeReport>& report) {
    application.reset();
    report.reset();
    for (const Generation& generation : kGenerations) {
        application = cubeAutomation().createApplication(generation.application);
        if (application) {
            report = cubeAutomation().createReport(generation.report);
            if (!report) {
                application.reset();
            }
            return report != nullptr;
        }
    }
    return false;
}

std::int32_t intExtractedPoints(const std::vector<std::int32_t>& leafCounts,
                                std::int32_t categoryTotal, std::int32_t measureCount) {
    double product = 1.0;
    for (const std::int32_t count : leafCounts) {
        product *= static_cast<double>(count);
    }
    const bool tooLarge = product >= 2'000'000'000.0;
    const std::int32_t floor = intCheckedMultiply(intCheckedAdd(categoryTotal, 100, "the points"),
                                                  measureCount, "the points");
    std::int32_t points = floor;
    if (!tooLarge && product >= floor && product <= 50'000.0) {
        points = static_cast<std::int32_t>(product);
    }
    return points < 5000 ? 5000 : points;
}

namespace {

void extractModel(Session& session, const std::string& programFolder, const std::string& cubeFile,
                  const std::string& modelFile, int debugMask,
                  const std::string& measuresDimensionName, const TCubeProgress& report) {
    CubeReport& cube = session.report();
    cube.newReport(cubeFile, kReportKindCube);
    cube.setExplorerMode(false);
    cube.setVisible(false);
    const std::unique_ptr<CubeCategoryList> measures = listOf(cube, measuresDimensionName);
    cube.columnsRemove();
    cube.columnsAdd(*measures);
    cube.columnsItemAddLowestLevelCategories(1, false);
    const std::int32_t columnCount = cube.columnsCount();
    if (session.application().isVisible()) {
        session.application().minimize();
    }
    processMessages();
    report(5);

    const int dimensionLine = cube.dimensionLineCount();
    const std::size_t dimensionCount =
        dimensionLine > 0 ? static_cast<std::size_t>(dimensionLine) : 0;
    session.setDimensionCount(dimensionCount);
    std::vector<ExtractedDimension> dims(dimensionCount);
    std::int32_t leafNumber = 0;
    std::int32_t parentNumber = 0;
    std::int32_t categoryTotal = 0;
    std::vector<std::int32_t> leafCounts;
    for (std::size_t d = 0; d < dimensionCount; ++d) {
        const std::string name = cube.dimensionLineItemName(static_cast<int>(d + 1));
        const std::unique_ptr<CubeCategoryList> rows = listOf(cube, name);
        cube.rowsRemove();
        cube.rowsAdd(*rows);
        ExtractedDimension& dim = dims[d];
        dim.rows = arrCubeRowsDrill(cube, debugMask);
        processMessages();
        dim.categories = nulCubeCategoriesMake(dim.rows, leafNumber, parentNumber);
        cube.saveAs(exportFile(programFolder, d + 1), kExportCommaSeparated);
        categoryTotal =
            intCheckedAdd(categoryTotal,
                          intCheckedAdd(intCheckedCount(dim.rows.size(), "the category total"), 1,
                                        "the category total"),
                          "the category total");
        leafCounts.push_back(intCheckedCount(dim.categories.leafRows.size(), "the leaf count"));
        report(5 + static_cast<int>(45 * (d + 1) / dimensionCount));
    }
    const std::int32_t points = intExtractedPoints(leafCounts, categoryTotal, columnCount);

    // Every export names the dimensions alike; the measures come from the first.
    std::vector<std::string> dimensionNames;
    for (std::size_t d = 0; d < dimensionCount; ++d) {
        dims[d].exported =
            cubeExportRead(readWholeFile(exportFile(programFolder, d + 1)), measuresDimensionName,
                           d == 0 ? nullptr : &dims[0].exported);
        dimensionNames = dims[d].exported.dimensionNames;
        if (!dimensionNames.empty()) {
            dimensionNames.pop_back();  // the measures dimension
        }
        report(50 + static_cast<int>(19 * (d + 1) / dimensionCount));
    }
    if (dimensionNames.size() != dimensionCount) {
        throw CubeExtractionError("The cube's exports name " +
                                  std::to_string(dimensionNames.size()) +
                                  " dimensions where the cube has " +
                                  std::to_string(dimensionCount) + "; no model was written.");
    }
    static const std::vector<std::string> kNone;
    const std::vector<std::string>& measureNames =
        dims.empty() ? kNone : dims.front().exported.measureNames;
    const std::size_t measureCount = measureNames.size();

    ModelText out;
    out.line("VT0200");
    out.line("INFO");
    out.line("NCAT");
    out.line(std::to_string(categoryTotal));
    out.line("NPOI");
    out.line(std::to_string(points));
    out.line("*");
    out.line("MEAS");
    for (std::size_t m = 0; m < measureCount; ++m) {
        const std::string number = std::to_string(m + 1);
        const std::string name = listedName(measureNames[m]);
        out.line(name);
        out.line(strCubeCode("M" + number + "M", strCubeNameFilter(measureNames[m])));
        out.line("M" + number);
    }
    out.line("*");
    out.line("DIM");
    for (std::size_t d = 0; d < dimensionNames.size(); ++d) {
        const std::string number = std::to_string(d + 1);
        out.line(listedName(dimensionNames[d]));
        out.line(strCubeCode("D" + number + "D", strCubeNameFilter(dimensionNames[d])));
        out.line("D" + number);
    }
    out.line("*");
    report(70);
    out.line("CAT");
    for (std::size_t d = 0; d < dimensionCount; ++d) {
        out.line("D" + std::to_string(d + 1));
        out.lines(dims[d].categories.lines);
        out.line("*");
        report(70 + static_cast<int>(15 * (d + 1) / dimensionCount));
    }
    out.line("*");
    writePercentages(out, dims, measureCount, debugMask, report);
    report(99);
    out.line("OUT");
    out.line(std::to_string(points));
    out.line("END");

    AtomicFile file(modelFile);
    file.write(out.text());
    file.commit();
}

}  // namespace

bool flgExtractModelFromCube(const std::string& programFolder, const std::string& cubeFile,
                             const std::string& modelFile, int debugMask,
                             const std::string& measuresDimensionName,
                             const TCubeProgress& progress) {
    const TCubeProgress report = [&progress](int percent) {
        if (progress) {
            progress(percent);
        }
    };
    report(0);
    std::unique_ptr<CubeApplication> application;
    std::unique_ptr<CubeReport> cubeReport;
    if (!flgCreatePowerPlay(application, cubeReport)) {
        return false;
    }
    {
        Session session(std::move(application), std::move(cubeReport), programFolder);
        extractModel(session, programFolder, cubeFile, modelFile, debugMask, measuresDimensionName,
                     report);
    }
    report(100);
    return true;
}

void nulConvertCubeToModel(const std::string& programFolder, const std::string& cubeFile,
                           const std::string& modelFile, int debugMask,
                           const TCubeProgress& progress) {
    if (!flgExtractModelFromCube(programFolder, cubeFile, modelFile, debugMask,
                                 kMeasuresDimensionName, progress)) {
        throw CubeExtractionError(
            "The cube tool is not installed on this computer, so no model can be extracted "
            "from a cube.");
    }
}

}  // namespace vantorell
