#pragma once
// The designer's settings file "Vantorell.ini": its sections, keys and defaults. Read at
// start-up, written at exit; the window placement keys are in FormPlacement.h and the
// reopen list in ReopenList.h.

#include <string>

#include "platform/IniFile.h"

namespace vantorell {

inline constexpr const char* kSettingsFileName = "Vantorell.ini";
inline constexpr const char* kMainFormSection = "Vantorell Form";
inline constexpr const char* kFileTransferSection = "File Transfer";
inline constexpr const char* kReopenListSection = "File Menu Reopen List";

// Debug masks; read only, never written.
struct DebugMasks {
    int intReaderWriterDebugFlags = 0;
    int intCubeConvertDebugFlags = 0;
    int intArrayDebugFlags = 0;
};
DebugMasks debugMasksRead(const IniFile& settings);

// Sizes of the main window's resizable panels, in pixels.
struct PanelSizes {
    int topPanelHeight = 300;
    int dimsCatsPanelWidth = 304;
    int dimsCatsTreeWidth = 216;
};
// Each size missing from the file keeps the value in `current`.
PanelSizes panelSizesRead(const IniFile& settings, const PanelSizes& current);
void panelSizesWrite(IniFile& settings, const PanelSizes& sizes);

// Which optional commands the main window offers; read only, never written.
struct OptionalCommands {
    bool generatePoints = false;
    bool extractModelFromCube = false;
    bool sendModel = false;
    bool retrieveCube = false;
};
OptionalCommands optionalCommandsRead(const IniFile& settings);

struct TransferSettings {
    bool flgUseProxyInfo = false;
    std::string strHTTPProxyAddress;
    int intHTTPProxyPort = 0;
    std::string strFTPProxyAddress;
    int intFTPProxyPort = 0;
    bool flgUsePassiveTransfer = true;
};
TransferSettings transferSettingsRead(const IniFile& settings);
// Raises IniFileError when the file cannot be written.
void transferSettingsWrite(IniFile& settings, const TransferSettings& transfer);

}  // namespace vantorell
