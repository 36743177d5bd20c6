#pragma once
// Colours of the grid logic as Qt colours: system colours come from the widget's palette.

#include <QColor>
#include <QPalette>

#include "designer/rtnGrids/GridTypes.h"

namespace vantorell {

QColor toQColor(Color color, const QPalette& palette);

}  // namespace vantorell
