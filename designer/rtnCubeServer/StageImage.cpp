#include "designer/rtnCubeServer/StageImage.h"

namespace vantorell {

void nulStageImageSet(StageImage& image) {
    switch (image.tag) {
        case kStatusUnknownOff:
        case kStatusUnknownOn:
        case kStatusSuccessOff:
        case kStatusSuccessOn:
        case kStatusFailureOff:
        case kStatusFailureOn:
            image.picture = image.tag;
            break;
        default:
            break;
    }
}

void nulStageImageAlternate(StageImage& image) {
    image.tag ^= 1;
    nulStageImageSet(image);
}

}  // namespace vantorell
