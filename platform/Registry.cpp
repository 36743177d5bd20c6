#include "platform/Registry.h"

#include <cstdlib>

#include "platform/RegistryHive.h"

namespace vantorell {
namespace {

// The current user's hive may hold a password.
unsigned hiveMode(RegistryHive hive) {
    return hive == RegistryHive::CurrentUser ? 0600 : 0644;
}

std::string userConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return std::string(config) + "/";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.config/";
    }
    return std::string();
}

// The hive's content when `path` is a key path and the hive can be read.
std::optional<HiveContent> hiveFor(const std::string& file, const std::string& path) {
    return registryPathKeys(path) ? readHiveFile(file) : std::nullopt;
}

}  // namespace

Registry::Registry(std::string currentUserFile, std::string localMachineFile)
    : currentUserFile_(std::move(currentUserFile)),
      localMachineFile_(std::move(localMachineFile)) {}

Registry Registry::forProgramFolder(const std::string& programFolder) {
    const std::string config = userConfigFolder();
    return Registry(config.empty() ? std::string() : config + "Vantorell/current-user.hive",
                    programFolder + "local-machine.hive");
}

const std::string& Registry::hiveFile(RegistryHive hive) const {
    return hive == RegistryHive::CurrentUser ? currentUserFile_ : localMachineFile_;
}

std::optional<RegistryKey> Registry::openKey(RegistryHive hive, const std::string& path) const {
    auto content = hiveFor(hiveFile(hive), path);
    HiveKey* key = content ? content->find(path) : nullptr;
    if (key == nullptr) {
        return std::nullopt;
    }
    return RegistryKey(hiveFile(hive), hiveMode(hive), path, false, key->values);
}

std::optional<RegistryKey> Registry::createKey(RegistryHive hive, const std::string& path) const {
    auto content = hiveFor(hiveFile(hive), path);
    if (!content) {
        return std::nullopt;
    }
    if (HiveKey* key = content->find(path)) {
        return RegistryKey(hiveFile(hive), hiveMode(hive), path, true, key->values);
    }
    content->create(path);
    if (!writeHiveFile(hiveFile(hive), *content, hiveMode(hive))) {
        return std::nullopt;
    }
    return RegistryKey(hiveFile(hive), hiveMode(hive), path, true, {});
}

std::optional<std::string> RegistryKey::readString(const std::string& name,
                                                   std::size_t bufferSize) const {
    for (const auto& [valueName, value] : values_) {
        if (sameRegistryName(valueName, name)) {
            if (value.size() + 1 > bufferSize) {
                return std::nullopt;
            }
            return value;
        }
    }
    return std::nullopt;
}

bool RegistryKey::writeString(const std::string& name, const std::string& value) {
    if (!writable_ || value.find('\0') != std::string::npos) {
        return false;
    }
    // Another program may have written the hive since the key was opened: its values stay.
    auto content = readHiveFile(file_);
    if (!content) {
        return false;
    }
    HiveKey& key = content->create(path_);
    bool replaced = false;
    for (auto& [valueName, stored] : key.values) {
        if (sameRegistryName(valueName, name)) {
            stored = value;
            replaced = true;
            break;
        }
    }
    if (!replaced) {
        key.values.emplace_back(name, value);
    }
    if (!writeHiveFile(file_, *content, mode_)) {
        return false;
    }
    values_ = key.values;
    return true;
}

}  // namespace vantorell
