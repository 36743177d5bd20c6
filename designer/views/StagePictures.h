#pragma once
// The six pictures of the cube server dialogs' stage images, painted: unknown, success and
// failure, each dim and lit.

#include <QPixmap>

namespace vantorell {

inline constexpr int kStagePictureSize = 20;

// The picture of a stage image state (10, 11, 20, 21, 30 or 31).
QPixmap stagePicture(int state);

}  // namespace vantorell
