#pragma once
// The named bitmaps the editor grids draw, painted: the icons of the measures, measure
// values and irregularities rows, the lock marks of the measure values grid, and the import
// dialog's dimension icons and "Include?" marks. Each is painted on a background colour of
// its own, which the grids leave out.

#include <QIcon>
#include <QPolygon>

namespace vantorell {

class GridBitmaps;

void nulEditorBitmapsAdd(GridBitmaps& bitmaps);

// Tool button images: a closed or open padlock, a sign, and a line through the points (a
// shape of shares, in a 16 x 16 box).
QIcon lockIcon(bool closed);
QIcon signIcon(bool negative);
QIcon shapeIcon(const QPolygon& points);

}  // namespace vantorell
