#pragma once
// What the updater keeps in the registry, all under one key path as text values: in the
// local machine's hive the versions of the downloaded components, in the current user's
// hive the address of the update description and the transfer settings with the FTP
// identity. The transfer settings are read and written in the current user's hive, whose
// file only the user can read, since it holds the FTP password.

#include <cstddef>
#include <optional>
#include <string>

#include "common/MakerWebSite.h"
#include "engine/tqmh01/TransferSettings.h"
#include "engine/tqmh01/UpdateComponents.h"
#include "engine/tqmh01/UpdateDescription.h"
#include "engine/tqmh01/UpdateOffer.h"
#include "platform/Registry.h"

namespace vantorell::engine {

inline constexpr const char* kUpdaterKeyPath =
    "SOFTWARE\\Orvane Dovozerodi Ltd.\\Vantorell\\All Versions";

// Values are read into buffers of this size, their terminating NUL included; the address
// of the update description into a smaller one.
inline constexpr std::size_t kRegistryValueBuffer = 258;
inline constexpr std::size_t kMasterUrlBuffer = 255;

// Where the update description is fetched from when no other address was stored.
inline const std::string kBuiltInUpdateAddress =
    std::string(kMakerWebSite) + "vantorell/update/info.ini";

// The FTP identity of a user who set none.
inline constexpr const char* kDefaultFtpUser = "anonymous";
inline constexpr const char* kDefaultFtpPassword = "vantorell@user.invalid";

// The stored FTP password is the scrambler's block encipherment under this key.
inline constexpr const char* kPasswordKey = "quillbarrow";

// The stored transfer settings; each one that is missing, or cannot be read, takes its
// default.
TransferSettings readTransferSettings(const Registry& registry);

// Stores the proxies and the proxy flag; false when they could not all be written.
bool storeProxySettings(const Registry& registry, const TransferSettings& settings);
// Stores the FTP user and, when given, the enciphered password.
bool storeIdentity(const Registry& registry, const std::string& user,
                   const std::optional<std::string>& encipheredPassword);

// The stored address of the update description, when there is one.
std::optional<std::string> readUpdateMasterUrl(const Registry& registry);
bool writeUpdateMasterUrl(const Registry& registry, const std::string& address);

// The downloaded version of a component from the local machine's key (none: not opened).
InstalledComponent readInstalled(const std::optional<RegistryKey>& key, UpdateComponent component);

// Records a downloaded component's version (and build) as the description gave them.
// False when a value could not be written.
bool writeDownloadedVersion(RegistryKey& key, UpdateComponent component,
                            const ComponentRelease& release);

}  // namespace vantorell::engine
