#include "engine/tqmh01/EngineVersion.h"

namespace vantorell {

const char* engineVersionText() { return "1.0.0.0"; }

}  // namespace vantorell
