// Stand-in until the file cipher joins this build; it runs nothing.
#include "engine/tqmh01/CipherRequest.h"

namespace vantorell::engine {

CipherResult CipherFile(const CipherRequest& /*request*/) {
    return {CipherOutcome::OutputFailed, "cipher not built"};
}

}  // namespace vantorell::engine
