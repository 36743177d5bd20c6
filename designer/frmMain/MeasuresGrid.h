#pragma once
// The measures grid: one heading row, no heading column, one measure per data row, nine
// columns in a fixed order. The type and irregularity type columns hold texts of their lists.

#include <array>
#include <string>

#include "designer/rtnGrids/ComboBox.h"
#include "designer/rtnGrids/StringGrid.h"
#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

enum MeasuresColumn : int {
    kMeasuresName = 0,
    kMeasuresCode,
    kMeasuresType,
    kMeasuresPosTotal,
    kMeasuresNegTotal,
    kMeasuresIrregularityType,
    kMeasuresGlobalPercentage,
    kMeasuresSourceMeasure,
    kMeasuresWeightingDimension,
    kMeasuresColumnCount
};

inline constexpr std::array<const char*, kMeasuresColumnCount> kMeasuresHeadings = {
    "Name",
    "Code",
    "Type",
    "Pos. Total",
    "Neg. Total",
    "Irregularity Type",
    "Global Percentage",
    "Source Measure",
    "Weighting Dimension"};

// Items of the type list; the position is the type number.
inline constexpr std::array<const char*, 2> kMeasureTypeTexts = {"Independent", "Weighted"};
inline constexpr int kMeasureTypeIndependent = 0;
inline constexpr int kMeasureTypeWeighted = 1;

// Items of the irregularity type list; the position is the irregularity type number.
inline constexpr std::array<const char*, 4> kMeasureIrregTypeTexts = {
    "Vary by Global Percentage", "Vary by Dimension Irregularity",
    "Vary by Dim. + Up to 2 Families", "Vary by Dim. + Up to 3 Families"};

// The grid holds at least one measure.
bool flgMeasuresHasValues(const StringGrid& sgdMeasures);
// The index among the measures of the grid's current row, which the other editors show.
inline int intMeasuresCurrentIndex(const StringGrid& sgdMeasures) {
    return sgdMeasures.row() - sgdMeasures.fixedRows();
}

// The "For" text of a lower grid's row: "<node name> and <current measure's name>".
std::string strMeasuresForText(const StringGrid& sgdMeasures, const std::string& nodeName);

// Position of the text in the type list: 0 Independent, 1 Weighted, -1 anything else.
int intMeasuresGetTypeNumber2(const std::string& text);
// The type number of the row's cell under the type heading.
int intMeasuresGetTypeNumber(const StringGrid& sgdMeasures, const std::string& typeHeading,
                             int row);
// The same for the "Type" column.
int intMeasuresGetTypeNumber(const StringGrid& sgdMeasures, int row);

// -1 unless the row is Independent; otherwise the position of its irregularity type text in
// the list (0..3), -1 when absent.
int intMeasuresGetIrregTypeNumber(const StringGrid& sgdMeasures, int row);

// Columns 0..2 always; the totals and the irregularity type for an Independent row; the
// global percentage for irregularity type 0; the source measure and weighting dimension
// for a row that is not Independent.
bool flgMeasuresIsCellAvailable(const StringGrid& sgdMeasures, int col, int row);

// "I" gives "Independent", "W" gives "Weighted", any other letter the empty text.
std::string strMeasuresTypeTextGet(char type);

// The irregularity type's text; empty for a number outside the list.
std::string strMeasuresIrregTypeTextGet(int type);

// Index of the last record whose name equals the text exactly; -1 when none.
int intMeasureIndexGetByName(const TArrMeasures& measures, const std::string& name);
int intDimensionIndexGetByName(const TArrDimensions& dimensions, const std::string& name);

// Empties the list, then adds, in row order, the name of every data row whose name differs
// from `excludedName` and whose type number (under `typeHeading`) is `typeNumber`.
void nulCbxFillListFromMeasureGrid(const StringGrid& sgdMeasures, const std::string& nameHeading,
                                   ComboBox& combo, int typeNumber, const std::string& typeHeading,
                                   const std::string& excludedName);

// Empties the list and adds the name of every measure whose type letter is `type`, in order.
void nulCbxFillListFromMeasureArray(const TArrMeasures& measures, char type, ComboBox& combo);

// One heading row (and at least one data row), the nine headings in row 0, every column
// fitted to its widest text plus 20 pixels.
void nulSgdMeasuresHeadingsSet(StringGrid& sgdMeasures);

}  // namespace vantorell
