#include "engine/tqmh01/UpdaterRegistry.h"

namespace vantorell::engine {

bool writeDownloadedVersion(RegistryKey& key, UpdateComponent component,
                            const ComponentRelease& release) {
    const UpdateComponentInfo& info = componentInfo(component);
    bool written = key.writeString(info.versionValue, release.version);
    if (info.buildValue != nullptr) {
        written = key.writeString(info.buildValue, release.build) && written;
    }
    return written;
}

}  // namespace vantorell::engine
