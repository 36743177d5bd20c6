#include "engine/tqmh01/Updater.h"

namespace vantorell::engine {

Updater::Updater(std::string programFolder, Registry registry)
    : programFolder_(std::move(programFolder)), registry_(std::move(registry)) {}

void Updater::show(const DownloadPanelState& panel) const {
    if (OnShow) {
        OnShow(panel);
    }
}

}  // namespace vantorell::engine
