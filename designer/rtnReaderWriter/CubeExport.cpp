#include "designer/rtnReaderWriter/CubeExport.h"

#include "designer/rtnGrids/TrimBlanks.h"
#include "designer/rtnReaderWriter/NumberReading.h"
#include "designer/rtnReaderWriter/TextFields.h"

namespace vantorell {
namespace {

// A row's label ends in a double quote followed by a comma.
bool labelEnds(std::string_view line) {
    return line.find("\",") != std::string_view::npos;
}

// The values of a row line, measure m (from 0) into out[m].
void rowValues(std::string_view line, const std::vector<std::size_t>& columns, TArrString& fields,
               std::string& rest, double* out) {
    strAfterQuotedComma(line, rest);
    int count = 0;
    nulSplitCsvLine(rest, fields, count);
    for (std::size_t m = 0; m < columns.size(); ++m) {
        const std::size_t column = columns[m];
        double v = 0.0;
        if (column <= static_cast<std::size_t>(count) && flgParseDouble(fields[column], v)) {
            out[m] = v;
        } else {
            out[m] = 0.0;
        }
    }
}

}  // namespace

TCubeExport cubeExportRead(const std::string& text, const std::string& measuresDimensionName,
                           const TCubeExport* first) {
    TCubeExport result;
    TextLines lines(text);
    std::string_view line;
    std::string_view head[4];
    for (std::string_view& h : head) {
        if (!lines.next(h)) {
            h = {};
        }
    }

    std::string_view names = trimBlanks(head[2]);
    if (!names.empty() && names.front() == '"') {
        names.remove_prefix(1);
    }
    if (!names.empty() && names.back() == '"') {
        names.remove_suffix(1);
    }
    for (std::size_t start = 0;;) {
        const std::size_t comma = names.find(',', start);
        result.dimensionNames.emplace_back(names.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }

    TArrString fields;
    int count = 0;
    if (first == nullptr) {
        // The heading line starts with the label's column.
        nulSplitCsvLine("x" + std::string(head[3]), fields, count);
        for (int i = 2; i <= count; ++i) {
            if (!fields[i].empty() && fields[i] != measuresDimensionName) {
                result.measureNames.push_back(fields[i]);
                result.measureColumns.push_back(static_cast<std::size_t>(i - 1));
            }
        }
    } else {
        result.measureNames = first->measureNames;
        result.measureColumns = first->measureColumns;
    }
    const std::vector<std::size_t>& columns = result.measureColumns;
    const std::size_t m = columns.size();
    result.measureCount = m;

    std::string rest;
    if (lines.next(line)) {
        result.totalLine = std::string(line);
        result.totals.resize(m);
        rowValues(line, columns, fields, rest, result.totals.data());
    } else {
        result.totals.assign(m, 0.0);
    }
    std::string joined;
    while (lines.next(line)) {
        if (trimBlanks(line).empty()) {
            continue;
        }
        if (!labelEnds(line)) {
            joined = line;
            while (!labelEnds(joined) && lines.next(line)) {
                joined += line;
            }
            line = joined;
        }
        result.values.resize(result.values.size() + m);
        rowValues(line, columns, fields, rest, result.values.data() + result.values.size() - m);
        ++result.rowCount;
    }
    return result;
}

}  // namespace vantorell
