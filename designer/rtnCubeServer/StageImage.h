#pragma once
// The stage images of the cube server dialogs without widgets: each carries its state in its
// tag and shows one of six pictures (unknown, success or failure, each dim or lit). The
// current stage's image blinks between dim and lit.

namespace vantorell {

enum StageImageState : int {
    kStatusUnknownOff = 10,
    kStatusUnknownOn = 11,
    kStatusSuccessOff = 20,
    kStatusSuccessOn = 21,
    kStatusFailureOff = 30,
    kStatusFailureOn = 31,
};

struct StageImage {
    bool enabled = false;
    int tag = kStatusUnknownOn;      // the state
    int picture = kStatusUnknownOn;  // the state whose picture it shows
};

// Shows the picture of the image's state; a tag that names no picture changes nothing.
void nulStageImageSet(StageImage& image);

// Dim to lit and back within the state's kind, then shows it.
void nulStageImageAlternate(StageImage& image);

}  // namespace vantorell
