#include "designer/frmMain/DesignerSettings.h"

namespace vantorell {

DebugMasks debugMasksRead(const IniFile& settings) {
    DebugMasks masks;
    masks.intReaderWriterDebugFlags =
        settings.readInteger(kMainFormSection, "ReaderWriterDebugFlagsValue", 0);
    masks.intCubeConvertDebugFlags =
        settings.readInteger(kMainFormSection, "CubeConvertDebugFlagsValue", 0);
    masks.intArrayDebugFlags = settings.readInteger(kMainFormSection, "ArrayDebugFlagsValue", 0);
    return masks;
}

PanelSizes panelSizesRead(const IniFile& settings, const PanelSizes& current) {
    PanelSizes sizes;
    sizes.topPanelHeight =
        settings.readInteger(kMainFormSection, "TopPanelHeight", current.topPanelHeight);
    sizes.dimsCatsPanelWidth =
        settings.readInteger(kMainFormSection, "DimsCatsPanelWidth", current.dimsCatsPanelWidth);
    sizes.dimsCatsTreeWidth =
        settings.readInteger(kMainFormSection, "DimsCatsTreeWidth", current.dimsCatsTreeWidth);
    return sizes;
}

void panelSizesWrite(IniFile& settings, const PanelSizes& sizes) {
    settings.writeInteger(kMainFormSection, "TopPanelHeight", sizes.topPanelHeight);
    settings.writeInteger(kMainFormSection, "DimsCatsPanelWidth", sizes.dimsCatsPanelWidth);
    settings.writeInteger(kMainFormSection, "DimsCatsTreeWidth", sizes.dimsCatsTreeWidth);
}

OptionalCommands optionalCommandsRead(const IniFile& settings) {
    OptionalCommands shown;
    shown.generatePoints =
        settings.readBool(kMainFormSection, "ShowConvertModelToCubeOptionFlag", false);
    shown.extractModelFromCube =
        settings.readBool(kMainFormSection, "ShowConvertCubeToModelOptionFlag", false);
    shown.sendModel = settings.readBool(kMainFormSection, "ShowSendModelOptionFlag", false);
    shown.retrieveCube = settings.readBool(kMainFormSection, "ShowReceiveCubeOptionFlag", false);
    return shown;
}

TransferSettings transferSettingsRead(const IniFile& settings) {
    TransferSettings t;
    t.flgUseProxyInfo = settings.readBool(kFileTransferSection, "UseProxyInfoFlag", false);
    t.strHTTPProxyAddress = settings.readString(kFileTransferSection, "HTTPProxyAddress", "");
    t.intHTTPProxyPort = settings.readInteger(kFileTransferSection, "HTTPProxyPort", 0);
    t.strFTPProxyAddress = settings.readString(kFileTransferSection, "FTPProxyAddress", "");
    t.intFTPProxyPort = settings.readInteger(kFileTransferSection, "FTPProxyPort", 0);
    t.flgUsePassiveTransfer =
        settings.readBool(kFileTransferSection, "UsePassiveTransferFlag", true);
    return t;
}

void transferSettingsWrite(IniFile& settings, const TransferSettings& t) {
    settings.writeBool(kFileTransferSection, "UseProxyInfoFlag", t.flgUseProxyInfo);
    settings.writeString(kFileTransferSection, "HTTPProxyAddress", t.strHTTPProxyAddress);
    settings.writeInteger(kFileTransferSection, "HTTPProxyPort", t.intHTTPProxyPort);
    settings.writeString(kFileTransferSection, "FTPProxyAddress", t.strFTPProxyAddress);
    settings.writeInteger(kFileTransferSection, "FTPProxyPort", t.intFTPProxyPort);
    settings.writeBool(kFileTransferSection, "UsePassiveTransferFlag", t.flgUsePassiveTransfer);
}

}  // namespace vantorell
