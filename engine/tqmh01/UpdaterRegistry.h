#pragma once
// What the updater keeps in the registry, all under one key path as text values: in the
// local machine's hive the versions of the downloaded components, in the current user's
// hive the address of the update description and the transfer settings with the FTP
// identity. The transfer settings are read and written in the current user's hive, whose
// file only the user can read, since it holds the FTP password.

#include <cstddef>

#include "engine/tqmh01/UpdateComponents.h"
#include "engine/tqmh01/UpdateDescription.h"
#include "platform/Registry.h"

namespace vantorell::engine {

inline constexpr const char* kUpdaterKeyPath =
    "SOFTWARE\\Orvane Dovozerodi Ltd.\\Vantorell\\All Versions";

// Values are read into buffers of this size, their terminating NUL included.
inline constexpr std::size_t kRegistryValueBuffer = 258;

// Records a downloaded component's version (and build) as the description gave them.
// False when a value could not be written.
bool writeDownloadedVersion(RegistryKey& key, UpdateComponent component,
                            const ComponentRelease& release);

}  // namespace vantorell::engine
