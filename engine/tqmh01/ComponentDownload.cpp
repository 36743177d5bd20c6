// Download Latest Versions.
#include "engine/tqmh01/FetchUrl.h"
#include "engine/tqmh01/Updater.h"
#include "engine/tqmh01/UpdaterRegistry.h"
#include "platform/MessageService.h"

namespace vantorell::engine {

void Updater::DoDownload(DownloadPanelState& panel) {
    panel.downloadEnabled = false;
    held_ = panel.fields;
    auto key = registry_.createKey(RegistryHive::LocalMachine, kUpdaterKeyPath);
    for (const UpdateComponent component : kUpdateComponents) {
        ComponentRow& row = panel.row(component);
        if (!row.checked) {
            continue;
        }
        const UpdateComponentInfo& info = componentInfo(component);
        // The staging file of an earlier download stays until a new one has arrived whole,
        // so that it always matches the version recorded for it.
        const std::string staging = programFolder_ + info.stagingFile;
        const ComponentRelease& release = description_.release(component);
        const std::optional<DownloadCheck> check = downloadCheckOf(release);
        if (check && FetchUrl(release.url, staging, held_, *check)) {
            // A failed registry write leaves the version to be offered again; the file is
            // there all the same.
            if (key) {
                writeDownloadedVersion(*key, component, release);
            }
            row.result = info.downloadedText;
        } else {
            row.result = info.failedText;
        }
        show(panel);
    }
    if (key) {
        key->flush();
    }
    showMessage(dialogCaption(MessageIcon::Information), "Download operations complete.",
                MessageIcon::Information, kButtonOk);
}

}  // namespace vantorell::engine
