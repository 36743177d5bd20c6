#include "engine/tqmh01/UpdaterRegistry.h"

#include "common/Scrambler.h"
#include "engine/tqmh01/VersionTexts.h"

namespace vantorell::engine {
namespace {

std::string valueOr(const std::optional<RegistryKey>& key, const char* name,
                    const std::string& otherwise) {
    return key ? key->readString(name, kRegistryValueBuffer).value_or(otherwise) : otherwise;
}

// A stored password that does not decipher is taken as none.
std::string storedPassword(const std::optional<RegistryKey>& key) {
    const auto stored = key ? key->readString("FTP Password", kRegistryValueBuffer) : std::nullopt;
    if (!stored) {
        return kDefaultFtpPassword;
    }
    try {
        return strDecryptBlock(*stored, kPasswordKey);
    } catch (const ScramblerError&) {
        return kDefaultFtpPassword;
    }
}

}  // namespace

TransferSettings readTransferSettings(const Registry& registry) {
    const auto key = registry.openKey(RegistryHive::CurrentUser, kUpdaterKeyPath);
    TransferSettings settings;
    settings.proxyHost = valueOr(key, "Proxy Host", "");
    settings.proxyPort = valueOr(key, "Proxy Port", "80");
    settings.ftpProxyHost = valueOr(key, "FTP Proxy Host", "");
    settings.ftpProxyPort = valueOr(key, "FTP Proxy Port", "21");
    settings.useProxy = integerBuild(valueOr(key, "Use Proxy", "0")) != 0;
    settings.ftpUser = valueOr(key, "FTP User ID", kDefaultFtpUser);
    settings.ftpPassword = storedPassword(key);
    return settings;
}

bool storeProxySettings(const Registry& registry, const TransferSettings& settings) {
    auto key = registry.createKey(RegistryHive::CurrentUser, kUpdaterKeyPath);
    if (!key) {
        return false;
    }
    bool written = key->writeString("Proxy Host", settings.proxyHost);
    written = key->writeString("Proxy Port", settings.proxyPort) && written;
    written = key->writeString("FTP Proxy Host", settings.ftpProxyHost) && written;
    written = key->writeString("FTP Proxy Port", settings.ftpProxyPort) && written;
    written = key->writeString("Use Proxy", settings.useProxy ? "1" : "0") && written;
    return key->flush() && written;
}

bool storeIdentity(const Registry& registry, const std::string& user,
                   const std::optional<std::string>& encipheredPassword) {
    auto key = registry.createKey(RegistryHive::CurrentUser, kUpdaterKeyPath);
    if (!key) {
        return false;
    }
    bool written = key->writeString("FTP User ID", user);
    if (encipheredPassword) {
        written = key->writeString("FTP Password", *encipheredPassword) && written;
    }
    return key->flush() && written;
}

std::optional<std::string> readUpdateMasterUrl(const Registry& registry) {
    const auto key = registry.openKey(RegistryHive::CurrentUser, kUpdaterKeyPath);
    return key ? key->readString("Update Master URL", kMasterUrlBuffer) : std::nullopt;
}

bool writeUpdateMasterUrl(const Registry& registry, const std::string& address) {
    auto key = registry.createKey(RegistryHive::CurrentUser, kUpdaterKeyPath);
    return key && key->writeString("Update Master URL", address) && key->flush();
}

InstalledComponent readInstalled(const std::optional<RegistryKey>& key, UpdateComponent component) {
    const UpdateComponentInfo& info = componentInfo(component);
    InstalledComponent installed;
    if (key) {
        installed.version = key->readString(info.versionValue, kRegistryValueBuffer);
        if (info.buildValue != nullptr) {
            installed.build = key->readString(info.buildValue, kRegistryValueBuffer);
        }
    }
    return installed;
}

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
