#pragma once
// The update server's description file "update.ini": per component its version, its build
// (engine and installer only) and the address it is downloaded from; beside the address,
// optionally, the size of the component's file in bytes ("Size") and its SHA-256 in
// hexadecimal ("SHA256"), which a download must match. Older files have neither.

#include <array>
#include <string>

#include "engine/tqmh01/UpdateComponents.h"

namespace vantorell::engine {

inline constexpr const char* kUpdateDescriptionFile = "update.ini";

// Texts as the file gives them; a missing key reads as "0", a missing size or SHA-256 as
// empty (not given).
struct ComponentRelease {
    std::string version = "0";
    std::string build = "0";
    std::string url = "0";
    std::string size;
    std::string sha256;
};

struct UpdateDescription {
    std::array<ComponentRelease, 4> components;  // in UpdateComponent order
    std::string packageUrl = "0";                // a complete distribution (not offered)

    const ComponentRelease& release(UpdateComponent component) const {
        return components[componentIndex(component)];
    }
    ComponentRelease& release(UpdateComponent component) {
        return components[componentIndex(component)];
    }
};

// Reads the description file: every key of the table, each at most 255 characters (a
// longer value reads as "0"). A file that cannot be read reads as all "0".
UpdateDescription readUpdateDescription(const std::string& file);

}  // namespace vantorell::engine
