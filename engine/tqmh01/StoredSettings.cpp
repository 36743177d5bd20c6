// The Save Settings buttons of the download panel.
#include "common/Scrambler.h"
#include "engine/tqmh01/Updater.h"
#include "engine/tqmh01/UpdaterRegistry.h"
#include "platform/MessageService.h"

namespace vantorell::engine {
namespace {

// Save Settings never passes off settings that did not reach the hive as stored.
void nulSettingsNotStored() {
    showMessage(dialogCaption(MessageIcon::Error), "Sorry, the settings could not be saved.",
                MessageIcon::Error);
}

}  // namespace

void Updater::SaveProxySettings(const DownloadPanelState& panel) {
    held_.takeProxies(panel.fields);
    if (!storeProxySettings(registry_, held_)) {
        nulSettingsNotStored();
    }
}

void Updater::SaveIdentity(const DownloadPanelState& panel) {
    held_.ftpUser = panel.fields.ftpUser;
    held_.ftpPassword = panel.fields.ftpPassword;
    std::optional<std::string> enciphered;
    if (panel.savePassword) {
        try {
            enciphered = strEncryptBlock(held_.ftpPassword, kPasswordKey);
        } catch (const ScramblerError&) {
            showMessage(dialogCaption(MessageIcon::Error),
                        "Sorry, the password cannot be saved: a saved password may hold only the "
                        "characters from ! to ~, without blanks.",
                        MessageIcon::Error);
        }
    }
    if (!storeIdentity(registry_, held_.ftpUser, enciphered)) {
        nulSettingsNotStored();
    }
}

}  // namespace vantorell::engine
