#pragma once
// The per-measure working data of every tree node kept in step with the rows of the measures
// grid: element k of every node's array belongs to measure row k + FixedRows. Each routine
// visits every node once and moves each element at most once, so its cost grows with the
// size of the working copy and no more.

#include "designer/frmMain/EditorState.h"

namespace vantorell {

// A new measure at working index k: every node's array gets one element per measure row, the
// elements from k on move up one place, and element k gets the defaults (irregularity
// defaults on dimensions, measure value defaults on categories: the first category of each
// sibling group takes the whole share of an independent measure).
void nulMeasureAddToDimsCats(EditorState& editors, int k);

// The measure at working index k goes: in every node the elements after it move down one
// place, and the array keeps one element per measure row less one (none when the last
// measure goes).
void nulMeasuresDelFromDimsCats(EditorState& editors, int k);

// Grid rows a and b exchange their measures: when both are data rows, every node's elements
// a - FixedRows and b - FixedRows are exchanged whole; otherwise nothing.
void nulMeasureSwapInDimsCats(EditorState& editors, int a, int b);

}  // namespace vantorell
