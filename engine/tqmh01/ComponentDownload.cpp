// Download Latest Versions.
#include "engine/tqmh01/FetchUrl.h"
#include "engine/tqmh01/Updater.h"
#include "engine/tqmh01/UpdaterRegistry.h"
#include "platform/FileSystem.h"
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
        const std::string staging = programFolder_ + info.stagingFile;
        if (!info.keepStagingFile) {
            deleteFile(staging);
        }
        const ComponentRelease& release = description_.release(component);
        if (FetchUrl(release.url, staging, held_)) {
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
