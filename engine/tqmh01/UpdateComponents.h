#pragma once
// The four components the updater offers, in the order in which they are downloaded, with
// what the update description, the registry, the staging files and the panel call them.

#include <array>

namespace vantorell::engine {

enum class UpdateComponent { Engine, Installer, Interface, Generator };

inline constexpr std::array<UpdateComponent, 4> kUpdateComponents = {
    UpdateComponent::Engine, UpdateComponent::Installer, UpdateComponent::Interface,
    UpdateComponent::Generator};

// How the offer compares versions.
enum class VersionKind {
    DecimalWithBuild,  // a decimal version, then an integer build
    Dotted,            // a dotted text (CompareVersion)
    Decimal,           // a decimal version alone
};

struct UpdateComponentInfo {
    const char* section;  // of the update description
    VersionKind kind;
    const char* versionValue;  // registry values of the downloaded version
    const char* buildValue;    // nullptr: the component has no build
    const char* stagingFile;   // in the program folder
    // Result texts; the offer texts take the version, then the build.
    const char* offeredText;
    const char* downloadedAlreadyText;
    const char* downloadedText;
    const char* failedText;
};

const UpdateComponentInfo& componentInfo(UpdateComponent component);

inline std::size_t componentIndex(UpdateComponent component) {
    return static_cast<std::size_t>(component);
}

}  // namespace vantorell::engine
