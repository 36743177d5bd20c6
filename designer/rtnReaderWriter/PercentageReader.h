#pragma once
// The PER section: per measure its totals, irregularities and values. Independent measures
// give their leaves' absolute values, which become sibling shares in millionths for every
// category; weighted measures give ratios per leaf of their weighting dimension.

#include "designer/rtnReaderWriter/ModelReadState.h"

namespace vantorell {

// Reads the section up to its closing "*" and then groups the value records by measure, in
// measure order, with intFirstValueIndex at each measure's first. An identifier that is not
// found clears the success flag; what belongs to it is read and dropped.
void nulReadPercentages(ModelReadState& state);

}  // namespace vantorell
