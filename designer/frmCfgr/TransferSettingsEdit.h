#pragma once
// The Configuration dialog's work on the main window's transfer settings, without its
// widgets: the controls' values made from the fields, and the values checked and stored back.

#include <optional>
#include <string>

#include "designer/frmMain/DesignerSettings.h"

namespace vantorell {

// What the dialog's controls hold; the ports as the text of their fields.
struct TransferSettingsValues {
    bool useProxyInfo = false;
    std::string httpProxyAddress;
    std::string httpProxyPort;
    std::string ftpProxyAddress;
    std::string ftpProxyPort;
    bool usePassiveTransfer = true;
};

// The proxy fields turn what they hold into lower case, as the user types.
std::string strProxyFieldText(const std::string& text);

TransferSettingsValues transferSettingsValuesGet(const TransferSettings& settings);

// A port field's number: blanks around it are dropped, an empty field is 0; nothing when it
// is not a whole number from 0 to 65535.
std::optional<int> intProxyPortRead(const std::string& text);

// Stores the values into the settings, addresses trimmed and in lower case. A port that is
// not a number from 0 to 65535 stores nothing and gives the "Sorry..." text to show.
std::optional<std::string> strTransferSettingsStore(const TransferSettingsValues& values,
                                                    TransferSettings& settings);

}  // namespace vantorell
