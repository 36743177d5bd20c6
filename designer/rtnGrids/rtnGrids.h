#pragma once
// The grid routines of the designer's editors, all in one include.

#include "designer/rtnGrids/ComboBox.h"
#include "designer/rtnGrids/GridCanvas.h"
#include "designer/rtnGrids/GridComboBox.h"
#include "designer/rtnGrids/GridDrawing.h"
#include "designer/rtnGrids/GridLookups.h"
#include "designer/rtnGrids/GridNumericEdit.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnGrids/GridSizing.h"
#include "designer/rtnGrids/StringGrid.h"
