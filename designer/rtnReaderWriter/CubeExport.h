#pragma once
// The cube tool's comma-separated export of one dimension's report: the third line names the
// dimensions (the measures dimension last), the fourth holds the column headings, the fifth
// the dimension's own row with its totals, then one line per report row: the row's label in
// double quotes, a comma, and the values. The first value column belongs to the measures
// dimension as a whole; a measure's values stand in the column of its heading.

#include <cstddef>
#include <string>
#include <vector>

namespace vantorell {

struct TCubeExport {
    // Every comma-separated field of the third line.
    std::vector<std::string> dimensionNames;
    // The headings after the first that are neither empty nor the measures dimension's name,
    // and the value column (from 1, after the label) each stands in.
    std::vector<std::string> measureNames;
    std::vector<std::size_t> measureColumns;
    // The fifth line as it stands.
    std::string totalLine;
    std::vector<double> totals;  // one per measure
    // The report rows' values, row after row, one per measure; a value that is not a
    // number, or is missing, is 0.
    std::vector<double> values;
    std::size_t rowCount = 0;
    std::size_t measureCount = 0;

    double value(std::size_t row, std::size_t measure) const {
        return row < rowCount ? values[row * measureCount + measure] : 0.0;
    }
};

// Reads an export held in `text`. The measures are those of its own headings, or those of
// `first` (the first dimension's export) when given. A label that runs over a line end is
// joined with the next line. Raises CsvFieldError for a line whose quoting cannot be split.
TCubeExport cubeExportRead(const std::string& text, const std::string& measuresDimensionName,
                           const TCubeExport* first);

}  // namespace vantorell
