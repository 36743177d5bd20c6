#pragma once
// The updater behind the download panel, without its widgets: the panel hands its controls'
// state in and shows what comes back. It holds the transfer settings every fetch uses and
// the update description of the last check.

#include <array>
#include <functional>
#include <string>

#include "engine/tqmh01/TransferSettings.h"
#include "engine/tqmh01/UpdateComponents.h"
#include "engine/tqmh01/UpdateDescription.h"
#include "platform/Registry.h"

namespace vantorell::engine {

// A component's check box and result label.
struct ComponentRow {
    bool checked = false;
    std::string result;
};

// The download panel's controls.
struct DownloadPanelState {
    std::string url;                         // URLedit
    std::array<ComponentRow, 4> components;  // in UpdateComponent order
    std::string masterResult;                // MasterResultMessage
    std::string packageResult;               // PackageResultMessage
    bool checkEnabled = true;                // Check Now
    bool boxesEnabled = false;               // the four component boxes
    bool downloadEnabled = false;            // Download Latest Versions
    TransferSettings fields;                 // the Firewalls and Identity sheets
    bool savePassword = false;               // PasswordSaveBox

    ComponentRow& row(UpdateComponent component) { return components[componentIndex(component)]; }
};

class Updater {
public:
    // `programFolder` ends in "/"; the description and the staging files go there.
    Updater(std::string programFolder, Registry registry);

    // Called while a long operation goes on, after a row's result has changed, so that
    // the panel can show it before the next transfer.
    std::function<void(const DownloadPanelState&)> OnShow;

    // Find Updates: the panel's state as it opens, with the stored transfer settings in the
    // fields and held, and the stored address of the update description (else the
    // built-in one).
    void RetrieveUpdate(DownloadPanelState& panel);
    // Check Now: fetches the update description from the panel's address with the held
    // settings and checks and labels the components it offers. A check that succeeded
    // stores the address.
    void UpdateDoClick(DownloadPanelState& panel);
    // A click on a component box: Download Latest Versions only while a box is checked.
    static void AnyChecked(DownloadPanelState& panel);
    // Restore Defaults: the proxy fields as they are at first, and so the held proxies too,
    // which the next check goes through; nothing is stored.
    void DoProxyClear(DownloadPanelState& panel);

    // Save Settings on the Firewalls sheet: the proxy fields become the held settings and
    // are stored.
    void SaveProxySettings(const DownloadPanelState& panel);
    // Save Settings on the Identity sheet: the user and the password become the held
    // identity; the user is stored, and the password (enciphered) only while Save Password?
    // is checked, else any stored password stays. A password the scrambler cannot carry is
    // not stored, and the user is told.
    void SaveIdentity(const DownloadPanelState& panel);

    // Download Latest Versions: takes the fields as the held settings, fetches each checked
    // component into its staging file and records the versions of those that arrived whole
    // and as the description promised; the others keep their staging files and recorded
    // versions as they were.
    void DoDownload(DownloadPanelState& panel);

    const TransferSettings& held() const { return held_; }
    const UpdateDescription& description() const { return description_; }
    void setDescription(const UpdateDescription& description) { description_ = description; }
    const std::string& programFolder() const { return programFolder_; }
    const Registry& registry() const { return registry_; }

private:
    void show(const DownloadPanelState& panel) const;

    std::string programFolder_;
    Registry registry_;
    TransferSettings held_;
    UpdateDescription description_;
};

}  // namespace vantorell::engine
