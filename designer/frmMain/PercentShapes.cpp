#include "designer/frmMain/PercentShapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/GridBalancing.h"
#include "designer/frmMain/MeasureValuesEditor.h"
#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/ShareGroup.h"

namespace vantorell {
namespace {

enum class Shape { Level, Rising, Falling, CurvingUp, CurvingDown, Peak, Valley, Random };

std::int64_t intTrunc(double value) {
    return static_cast<std::int64_t>(std::trunc(value));
}

// The group's rows numbered 1..n, as the shapes count them.
class ShapeRows {
public:
    ShapeRows(EditorState& editors, int col)
        : editors_(editors),
          grid_(editors.sgdMeasureValues),
          col_(col),
          n_(editors.sgdMeasureValues.dataRowCount()) {}

    int n() const { return n_; }
    void set(int i, std::int64_t share) {
        grid_.setCell(col_, row(i), std::to_string(std::clamp<std::int64_t>(share, 0, kFullShare)));
    }
    std::int64_t get(int i) const { return intMeasureValuesPercentGet(grid_, row(i)); }
    void balance(int first, int last, bool fromEnd, std::int64_t target) {
        nulGridMeasureValuesBalanceToNPercent(editors_, row(first), row(last), fromEnd, target);
    }

private:
    int row(int i) const { return grid_.fixedRows() + i - 1; }

    EditorState& editors_;
    StringGrid& grid_;
    int col_;
    int n_;
};

// Each half rises along the curve towards the middle row (n / 2 rows of it; an odd group's
// middle row counts in both halves) and is balanced to 50 %.
struct HalfCurve {
    explicit HalfCurve(int n)
        : odd(n % 2 == 1),
          mid(static_cast<float>(n / 2 + (n % 2) * 0.5)),
          level(static_cast<float>(1e6 / n)),
          top(static_cast<float>(odd ? 1e6 / std::sqrt(n) / 2 : 1e6 / std::sqrt(n))),
          count(std::max(1, n / 2)) {}

    std::int64_t g(int i) const {
        return intTrunc(dblCurveValueGet(static_cast<float>(i), level, mid, top));
    }
    std::int64_t middle() const { return 2 * intTrunc(dblCurveValueGet(mid, level, mid, top)); }

    bool odd;
    float mid;
    float level;
    float top;
    int count;  // i = 1 .. count lie within mid, and 1 always
};

void nulPeakWrite(ShapeRows& rows) {
    const int n = rows.n();
    const HalfCurve half(n);
    for (int i = 1; i <= half.count; ++i) {
        rows.set(i, half.g(i));
    }
    if (half.odd) {
        const int middle = (n + 1) / 2;
        rows.set(middle, half.middle());
        rows.balance(1, middle, false, 500'000);
        rows.set(middle, 2 * rows.get(middle));
    } else {
        rows.balance(1, n / 2, false, 500'000);
    }
    for (int k = n / 2 + 1 + (half.odd ? 1 : 0); k <= n; ++k) {
        rows.set(k, rows.get(n + 1 - k));
    }
    rows.balance(1, n, false, 1'000'000);
}

void nulValleyWrite(ShapeRows& rows) {
    const int n = rows.n();
    const HalfCurve half(n);
    for (int i = 1; i <= half.count; ++i) {
        rows.set(n / 2 + i, half.g(i));
    }
    if (half.odd) {
        const int middle = (n + 1) / 2;
        // The middle row is doubled after the half is balanced, so it enters with half its
        // value and stays the lowest.
        rows.set(middle, rows.get(middle) / 2);
        rows.set(n, half.middle());
        rows.balance(middle, n, false, 500'000);
        rows.set(middle, 2 * rows.get(middle));
        // Rounding in the balancing may still lift it a little above its neighbours; what
        // it gives up goes to the first row in the final balancing.
        if (middle < n && rows.get(middle) > rows.get(middle + 1)) {
            rows.set(middle, rows.get(middle + 1));
        }
    } else {
        rows.balance(n / 2 + 1, n, false, 500'000);
    }
    for (int k = 1; k <= n / 2; ++k) {
        rows.set(k, rows.get(n + 1 - k));
    }
    rows.balance(1, n, false, 1'000'000);
}

void nulShapeWrite(EditorState& editors, ShapeRows& rows, Shape shape) {
    const int n = rows.n();
    const double level = 1e6 / n;
    const auto fn = static_cast<float>(n);
    const auto fLevel = static_cast<float>(level);
    const auto fTop = static_cast<float>(1e6 / std::sqrt(n));
    bool fromEnd = false;
    switch (shape) {
        case Shape::Level:
            for (int i = 1; i <= n; ++i) {
                rows.set(i, std::llrint(level));
            }
            break;
        case Shape::Rising:
        case Shape::Falling:
            fromEnd = shape == Shape::Falling;
            for (int i = 1; i <= n; ++i) {
                rows.set(fromEnd ? n + 1 - i : i,
                         intTrunc(dblLinearValueGet(static_cast<float>(i), fn, fTop)));
            }
            break;
        case Shape::CurvingUp:
        case Shape::CurvingDown:
            fromEnd = shape == Shape::CurvingDown;
            for (int i = 1; i <= n; ++i) {
                rows.set(fromEnd ? n + 1 - i : i,
                         intTrunc(dblCurveValueGet(static_cast<float>(i), fLevel, fn, fTop)));
            }
            break;
        case Shape::Random: {
            const int bound = static_cast<int>(std::max<long long>(1, std::llrint(level)));
            for (int i = 1; i <= n; ++i) {
                rows.set(i, editors.randomNumber(bound) + 1);
            }
            break;
        }
        case Shape::Peak:
            nulPeakWrite(rows);
            return;
        case Shape::Valley:
            nulValleyWrite(rows);
            return;
    }
    rows.balance(1, n, fromEnd, 1'000'000);
}

void nulShapeApply(EditorState& editors, Shape shape) {
    const StringGrid& measures = editors.sgdMeasures;
    if (!flgDimsCatsAndMeasuresHasValues(editors.tvwDimsCats, measures) ||
        intMeasuresGetTypeNumber(measures, measures.row()) != kMeasureTypeIndependent) {
        return;
    }
    nulGridsSaveValues(editors);
    tbnMeasureValuesUnlockAllClick(editors);
    const int col = intMeasureValuesPercentColumn(editors.sgdMeasureValues);
    if (col < 0 || editors.sgdMeasureValues.dataRowCount() == 0) {
        return;
    }
    ShapeRows rows(editors, col);
    nulShapeWrite(editors, rows, shape);
    nulSgdMeasureValuesSave(editors, editors.flgMeasureValuesShowNegatives);
}

}  // namespace

double dblLinearValueGet(float a, float b, float c) {
    return static_cast<double>(static_cast<long double>(c) / b * a);
}

double dblCurveValueGet(float a, float b, float c, float d) {
    const long double e2 = std::exp(2.0L);
    return static_cast<double>(b + (static_cast<long double>(d) - b) / e2 * std::exp(2.0L * a / c));
}

void tbnMeasureValuesLevelClick(EditorState& editors) {
    nulShapeApply(editors, Shape::Level);
}
void tbnMeasureValuesRisingClick(EditorState& editors) {
    nulShapeApply(editors, Shape::Rising);
}
void tbnMeasureValuesFallingClick(EditorState& editors) {
    nulShapeApply(editors, Shape::Falling);
}
void tbnMeasureValuesCurvingUpClick(EditorState& editors) {
    nulShapeApply(editors, Shape::CurvingUp);
}
void tbnMeasureValuesCurvingDownClick(EditorState& editors) {
    nulShapeApply(editors, Shape::CurvingDown);
}
void tbnMeasureValuesPeakClick(EditorState& editors) {
    nulShapeApply(editors, Shape::Peak);
}
void tbnMeasureValuesValleyClick(EditorState& editors) {
    nulShapeApply(editors, Shape::Valley);
}
void tbnMeasureValuesRandomClick(EditorState& editors) {
    nulShapeApply(editors, Shape::Random);
}

}  // namespace vantorell
