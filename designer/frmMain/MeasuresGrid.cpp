#include "designer/frmMain/MeasuresGrid.h"

#include "designer/rtnGrids/GridLookups.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnGrids/GridSizing.h"

namespace vantorell {
namespace {

template <std::size_t N>
int positionIn(const std::array<const char*, N>& items, const std::string& text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text == items[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

template <typename Records>
int lastIndexByName(const Records& records, const std::string& name) {
    for (int i = static_cast<int>(records.size()) - 1; i >= 0; --i) {
        if (records[static_cast<std::size_t>(i)].strName.str() == name) {
            return i;
        }
    }
    return -1;
}

}  // namespace

int intMeasureIndexGetByName(const TArrMeasures& measures, const std::string& name) {
    return lastIndexByName(measures, name);
}

int intDimensionIndexGetByName(const TArrDimensions& dimensions, const std::string& name) {
    return lastIndexByName(dimensions, name);
}

void nulCbxFillListFromMeasureGrid(const StringGrid& sgdMeasures, const std::string& nameHeading,
                                   ComboBox& combo, int typeNumber, const std::string& typeHeading,
                                   const std::string& excludedName) {
    combo.clearItems();
    const int nameCol = intGridColumnIndexGetByHeading(sgdMeasures, nameHeading);
    if (nameCol < 0 || !flgMeasuresHasValues(sgdMeasures)) {
        return;
    }
    for (int r = sgdMeasures.fixedRows(); r < sgdMeasures.rowCount(); ++r) {
        const std::string& name = sgdMeasures.cell(nameCol, r);
        if (name != excludedName &&
            intMeasuresGetTypeNumber(sgdMeasures, typeHeading, r) == typeNumber) {
            combo.addItem(name);
        }
    }
}

void nulCbxFillListFromMeasureArray(const TArrMeasures& measures, char type, ComboBox& combo) {
    combo.clearItems();
    for (const TMeasureRecord& m : measures) {
        if (m.chrType == type) {
            combo.addItem(m.strName.str());
        }
    }
}

bool flgMeasuresHasValues(const StringGrid& sgdMeasures) {
    return !flgGridIsEmpty(sgdMeasures);
}

std::string strMeasuresForText(const StringGrid& sgdMeasures, const std::string& nodeName) {
    return nodeName + " and " + sgdMeasures.cell(kMeasuresName, sgdMeasures.row());
}

int intMeasuresGetTypeNumber2(const std::string& text) {
    return positionIn(kMeasureTypeTexts, text);
}

int intMeasuresGetTypeNumber(const StringGrid& sgdMeasures, const std::string& typeHeading,
                             int row) {
    const int col = intGridColumnIndexGetByHeading(sgdMeasures, typeHeading);
    return col < 0 ? -1 : intMeasuresGetTypeNumber2(sgdMeasures.cell(col, row));
}

int intMeasuresGetTypeNumber(const StringGrid& sgdMeasures, int row) {
    return intMeasuresGetTypeNumber2(sgdMeasures.cell(kMeasuresType, row));
}

int intMeasuresGetIrregTypeNumber(const StringGrid& sgdMeasures, int row) {
    if (intMeasuresGetTypeNumber(sgdMeasures, row) != kMeasureTypeIndependent) {
        return -1;
    }
    return positionIn(kMeasureIrregTypeTexts, sgdMeasures.cell(kMeasuresIrregularityType, row));
}

bool flgMeasuresIsCellAvailable(const StringGrid& sgdMeasures, int col, int row) {
    switch (col) {
        case kMeasuresPosTotal:
        case kMeasuresNegTotal:
        case kMeasuresIrregularityType:
            return intMeasuresGetTypeNumber(sgdMeasures, row) == kMeasureTypeIndependent;
        case kMeasuresGlobalPercentage:
            return intMeasuresGetIrregTypeNumber(sgdMeasures, row) == 0;
        case kMeasuresSourceMeasure:
        case kMeasuresWeightingDimension:
            return intMeasuresGetTypeNumber(sgdMeasures, row) != kMeasureTypeIndependent;
        default:
            return true;
    }
}

std::string strMeasuresTypeTextGet(char type) {
    switch (type) {
        case 'I':
            return kMeasureTypeTexts[kMeasureTypeIndependent];
        case 'W':
            return kMeasureTypeTexts[kMeasureTypeWeighted];
        default:
            return {};
    }
}

std::string strMeasuresIrregTypeTextGet(int type) {
    if (type < 0 || type >= static_cast<int>(kMeasureIrregTypeTexts.size())) {
        return {};
    }
    return kMeasureIrregTypeTexts[static_cast<std::size_t>(type)];
}

void nulSgdMeasuresHeadingsSet(StringGrid& sgdMeasures) {
    sgdMeasures.setFixedRows(1);
    if (sgdMeasures.rowCount() < 2) {
        sgdMeasures.setRowCount(2);
    }
    sgdMeasures.setColCount(kMeasuresColumnCount);
    sgdMeasures.setFixedCols(0);
    for (int c = 0; c < kMeasuresColumnCount; ++c) {
        sgdMeasures.setCell(c, 0, kMeasuresHeadings[static_cast<std::size_t>(c)]);
    }
    nulGridColumnsWidthSet(sgdMeasures, 0, kMeasuresColumnCount - 1, 20);
}

}  // namespace vantorell
