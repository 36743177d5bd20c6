// The updater's reader of the update description "update.ini" on hostile files, with what
// the update check makes of it: the offers against the versions downloaded before, their
// labels, and the size and SHA-256 a download must match.
#include "engine/tqmh01/DownloadCheck.h"
#include "engine/tqmh01/UpdateDescription.h"
#include "engine/tqmh01/UpdateOffer.h"
#include "engine/tqmh01/VersionTexts.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace vantorell;
using namespace vantorell::engine;

namespace {

void requireValue(const std::string& value) {
    fuzz::require(value.size() <= 255, "a value of the description fits its buffer");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = fuzz::inputFolder();
    const UpdateDescription description = readUpdateDescription(
        fuzz::writeFile(folder + kUpdateDescriptionFile, fuzz::text(data, size)));
    requireValue(description.packageUrl);
    for (const UpdateComponent component : kUpdateComponents) {
        const ComponentRelease& release = description.release(component);
        for (const std::string* value :
             {&release.version, &release.build, &release.url, &release.size, &release.sha256}) {
            requireValue(*value);
        }
        const InstalledComponent same{release.version, release.build};
        fuzz::require(!isOffered(component, release, same),
                      "a component is not offered again in the version downloaded before");
        fuzz::require(isOffered(component, release, InstalledComponent{}),
                      "a component never downloaded is offered");
        offerText(component, release, true);
        offerText(component, release, false);

        const std::string& other = description.release(UpdateComponent::Engine).version;
        fuzz::require(CompareVersion(release.version, release.version) == 0,
                      "a version equals itself");
        fuzz::require(
            CompareVersion(release.version, other) == -CompareVersion(other, release.version),
            "versions compare the same both ways round");

        if (const std::optional<DownloadCheck> check = downloadCheckOf(release)) {
            fuzz::require(!check->size || *check->size >= 0, "a promised size is not negative");
            fuzz::require(!check->sha256 || check->sha256->size() == 64,
                          "a promised SHA-256 has 64 digits");
        }
    }
    return 0;
}
