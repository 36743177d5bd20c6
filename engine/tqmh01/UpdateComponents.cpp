#include "engine/tqmh01/UpdateComponents.h"

namespace vantorell::engine {
namespace {

constexpr UpdateComponentInfo kComponents[] = {
    {"Engine", VersionKind::DecimalWithBuild, "Engine Version", "Engine Build", "remove.dat",
     "Vantorell Engine version %s build %s is available for download.",
     "Vantorell Engine version %s build %s or later is already downloaded.",
     "Vantorell Engine downloaded successfully.", "Problems downloading Vantorell Engine."},
    {"Installer", VersionKind::DecimalWithBuild, "Installer Version", "Installer Build",
     "eistage.exe", "Engine Installer version %s build %s is available for download.",
     "Engine Installer version %s build %s or later is already downloaded.",
     "Vantorell Installer downloaded successfully.", "Problems downloading Vantorell Installer."},
    {"Interface", VersionKind::Dotted, "Interface Version", nullptr, "instage.exe",
     "Vantorell version %s is available for download.",
     "Vantorell version %s or later is already downloaded.",
     "Vantorell Interface downloaded successfully.", "Problems downloading Vantorell Interface."},
    {"Generator", VersionKind::Decimal, "Generator Version", nullptr, "sqstage.exe",
     "Database Generator version %s is available for download.",
     "Database Generator version %s is already downloaded.",
     "Vantorell Database Generator downloaded successfully.",
     "Problems downloading Vantorell Database Generator."},
};

}  // namespace

const UpdateComponentInfo& componentInfo(UpdateComponent component) {
    return kComponents[componentIndex(component)];
}

}  // namespace vantorell::engine
