#include "engine/tqmh01/EngineVersion.h"

namespace vantorell {

const char* engineVersionText() {
    return "1.0.0.0";
}

std::string engineVersionInfoText() {
    return std::string("Version: ") + "2.00" + " Build: " + "43" + " Date: " + "April 28, 2004";
}

}  // namespace vantorell
