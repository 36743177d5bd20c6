#pragma once
// Which components the update check offers: those whose version in the update description
// is newer than the one downloaded before, or that were never downloaded.

#include <optional>
#include <string>

#include "engine/tqmh01/UpdateComponents.h"
#include "engine/tqmh01/UpdateDescription.h"

namespace vantorell::engine {

// The downloaded version as the registry holds it; none for a missing value.
struct InstalledComponent {
    std::optional<std::string> version;
    std::optional<std::string> build;  // engine and installer only
};

// Engine and installer: a greater version, or the same with a greater build. Interface:
// a greater dotted version (CompareVersion). Generator: a greater version. A component
// whose version (or build) was never recorded is offered.
bool isOffered(UpdateComponent component, const ComponentRelease& release,
               const InstalledComponent& installed);

// The result label of the check: the component's offered or already-downloaded text with
// the description's version (and build) put in.
std::string offerText(UpdateComponent component, const ComponentRelease& release, bool offered);

}  // namespace vantorell::engine
