#include "engine/tqmh01/UpdateOffer.h"

#include "engine/tqmh01/VersionTexts.h"

namespace vantorell::engine {
namespace {

// Puts the texts in for the "%s" of a pattern, in order; what they hold is not looked at.
std::string filled(const char* pattern, const std::string& first, const std::string& second) {
    const std::string* texts[] = {&first, &second};
    std::string out;
    std::size_t next = 0;
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 's' && next < 2) {
            out += *texts[next++];
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace

bool isOffered(UpdateComponent component, const ComponentRelease& release,
               const InstalledComponent& installed) {
    const UpdateComponentInfo& info = componentInfo(component);
    if (!installed.version || (info.buildValue != nullptr && !installed.build)) {
        return true;
    }
    switch (info.kind) {
        case VersionKind::Dotted:
            return CompareVersion(release.version, *installed.version) > 0;
        case VersionKind::Decimal:
            return decimalVersion(release.version) > decimalVersion(*installed.version);
        case VersionKind::DecimalWithBuild: {
            const double available = decimalVersion(release.version);
            const double downloaded = decimalVersion(*installed.version);
            return available > downloaded ||
                   (available == downloaded &&
                    integerBuild(*installed.build) < integerBuild(release.build));
        }
    }
    return true;
}

std::string offerText(UpdateComponent component, const ComponentRelease& release, bool offered) {
    const UpdateComponentInfo& info = componentInfo(component);
    return filled(offered ? info.offeredText : info.downloadedAlreadyText, release.version,
                  release.build);
}

}  // namespace vantorell::engine
