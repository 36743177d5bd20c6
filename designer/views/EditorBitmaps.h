#pragma once
// The named bitmaps the editor grids draw, painted: the icons of the measures, measure
// values and irregularities rows and the lock marks of the measure values grid. Each is
// painted on a background colour of its own, which the grids leave out.

namespace vantorell {

class GridBitmaps;

void nulEditorBitmapsAdd(GridBitmaps& bitmaps);

}  // namespace vantorell
