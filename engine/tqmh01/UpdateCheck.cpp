// Opening the download panel and Check Now.
#include "engine/tqmh01/FetchUrl.h"
#include "engine/tqmh01/UpdateOffer.h"
#include "engine/tqmh01/Updater.h"
#include "engine/tqmh01/UpdaterRegistry.h"
#include "platform/FileSystem.h"

namespace vantorell::engine {

void Updater::RetrieveUpdate(DownloadPanelState& panel) {
    for (ComponentRow& row : panel.components) {
        row.result.clear();
    }
    panel.masterResult.clear();
    panel.packageResult.clear();
    panel.checkEnabled = true;
    panel.downloadEnabled = false;
    panel.boxesEnabled = false;
    held_ = readTransferSettings(registry_);
    panel.fields = held_;
    panel.url = readUpdateMasterUrl(registry_).value_or(kBuiltInUpdateAddress);
}

void Updater::UpdateDoClick(DownloadPanelState& panel) {
    panel.checkEnabled = false;
    // A failure of an earlier check is not this check's.
    panel.masterResult.clear();
    show(panel);
    const std::string file = programFolder_ + kUpdateDescriptionFile;
    deleteFile(file);
    const std::string address = panel.url;
    if (!FetchUrl(address, file, held_)) {
        panel.masterResult = "Update process failure. Please contact Orvane Dovozerodi.";
        panel.checkEnabled = true;
        return;
    }
    description_ = readUpdateDescription(file);
    const auto installed = registry_.openKey(RegistryHive::LocalMachine, kUpdaterKeyPath);
    bool anyOffered = false;
    for (const UpdateComponent component : kUpdateComponents) {
        const ComponentRelease& release = description_.release(component);
        const bool offered = isOffered(component, release, readInstalled(installed, component));
        panel.row(component) = ComponentRow{offered, offerText(component, release, offered)};
        anyOffered = anyOffered || offered;
    }
    panel.downloadEnabled = anyOffered;
    panel.boxesEnabled = true;
    writeUpdateMasterUrl(registry_, address);
}

void Updater::AnyChecked(DownloadPanelState& panel) {
    panel.downloadEnabled = false;
    for (const ComponentRow& row : panel.components) {
        panel.downloadEnabled = panel.downloadEnabled || row.checked;
    }
}

void Updater::DoProxyClear(DownloadPanelState& panel) {
    const TransferSettings initial;
    panel.fields.takeProxies(initial);
    held_.takeProxies(initial);
}

}  // namespace vantorell::engine
