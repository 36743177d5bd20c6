#include "engine/tqmh01/UpdateDescription.h"

#include "platform/IniFile.h"

namespace vantorell::engine {
namespace {

// Values are read into 256-character buffers.
constexpr std::size_t kLongestValue = 255;

std::string valueOf(const IniFile& ini, const char* section, const char* key,
                    const char* missing = "0") {
    std::string value = ini.readString(section, key, missing);
    return value.size() > kLongestValue ? std::string("0") : value;
}

}  // namespace

UpdateDescription readUpdateDescription(const std::string& file) {
    const IniFile ini(file);
    UpdateDescription description;
    for (const UpdateComponent component : kUpdateComponents) {
        const UpdateComponentInfo& info = componentInfo(component);
        ComponentRelease& release = description.release(component);
        release.version = valueOf(ini, info.section, "Version");
        if (info.buildValue != nullptr) {
            release.build = valueOf(ini, info.section, "Build");
        }
        release.url = valueOf(ini, info.section, "URL");
        release.size = valueOf(ini, info.section, "Size", "");
        release.sha256 = valueOf(ini, info.section, "SHA256", "");
    }
    description.packageUrl = valueOf(ini, "Package", "URL");
    return description;
}

}  // namespace vantorell::engine
