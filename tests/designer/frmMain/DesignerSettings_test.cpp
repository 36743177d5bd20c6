#include "designer/frmMain/DesignerSettings.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(DesignerSettingsTest, AMissingFileGivesTheDefaults) {
    TempFolder dir;
    const IniFile settings(dir.file("Vantorell.ini"));

    const DebugMasks masks = debugMasksRead(settings);
    EXPECT_EQ(masks.intReaderWriterDebugFlags, 0);
    EXPECT_EQ(masks.intCubeConvertDebugFlags, 0);
    EXPECT_EQ(masks.intArrayDebugFlags, 0);

    const PanelSizes sizes = panelSizesRead(settings, PanelSizes{111, 222, 99});
    EXPECT_EQ(sizes.topPanelHeight, 111);
    EXPECT_EQ(sizes.dimsCatsPanelWidth, 222);
    EXPECT_EQ(sizes.dimsCatsTreeWidth, 99);

    const OptionalCommands shown = optionalCommandsRead(settings);
    EXPECT_FALSE(shown.generatePoints || shown.extractModelFromCube || shown.sendModel ||
                 shown.retrieveCube);

    const TransferSettings t = transferSettingsRead(settings);
    EXPECT_FALSE(t.flgUseProxyInfo);
    EXPECT_EQ(t.strHTTPProxyAddress, "");
    EXPECT_EQ(t.intHTTPProxyPort, 0);
    EXPECT_EQ(t.strFTPProxyAddress, "");
    EXPECT_EQ(t.intFTPProxyPort, 0);
    EXPECT_TRUE(t.flgUsePassiveTransfer);
}

TEST(DesignerSettingsTest, ReadsEveryKeyOfTheFile) {
    TempFolder dir;
    const IniFile settings(dir.write("Vantorell.ini",
                                     "[Vantorell Form]\r\n"
                                     "ReaderWriterDebugFlagsValue=5\r\n"
                                     "CubeConvertDebugFlagsValue=$10\r\n"
                                     "ArrayDebugFlagsValue=1\r\n"
                                     "TopPanelHeight=250\r\n"
                                     "DimsCatsPanelWidth=400\r\n"
                                     "DimsCatsTreeWidth=bad\r\n"
                                     "ShowConvertModelToCubeOptionFlag=1\r\n"
                                     "ShowConvertCubeToModelOptionFlag=0\r\n"
                                     "ShowSendModelOptionFlag=1\r\n"
                                     "ShowReceiveCubeOptionFlag=0\r\n"
                                     "[File Transfer]\r\n"
                                     "UseProxyInfoFlag=1\r\n"
                                     "HTTPProxyAddress=proxy.local\r\n"
                                     "HTTPProxyPort=8080\r\n"
                                     "FTPProxyAddress=ftp.proxy\r\n"
                                     "FTPProxyPort=2121\r\n"
                                     "UsePassiveTransferFlag=0\r\n"));

    const DebugMasks masks = debugMasksRead(settings);
    EXPECT_EQ(masks.intReaderWriterDebugFlags, 5);
    EXPECT_EQ(masks.intCubeConvertDebugFlags, 16);
    EXPECT_EQ(masks.intArrayDebugFlags, 1);

    const PanelSizes sizes = panelSizesRead(settings, PanelSizes{});
    EXPECT_EQ(sizes.topPanelHeight, 250);
    EXPECT_EQ(sizes.dimsCatsPanelWidth, 400);
    EXPECT_EQ(sizes.dimsCatsTreeWidth, 216);  // not a number: the current size stays

    const OptionalCommands shown = optionalCommandsRead(settings);
    EXPECT_TRUE(shown.generatePoints);
    EXPECT_FALSE(shown.extractModelFromCube);
    EXPECT_TRUE(shown.sendModel);
    EXPECT_FALSE(shown.retrieveCube);

    const TransferSettings t = transferSettingsRead(settings);
    EXPECT_TRUE(t.flgUseProxyInfo);
    EXPECT_EQ(t.strHTTPProxyAddress, "proxy.local");
    EXPECT_EQ(t.intHTTPProxyPort, 8080);
    EXPECT_EQ(t.strFTPProxyAddress, "ftp.proxy");
    EXPECT_EQ(t.intFTPProxyPort, 2121);
    EXPECT_FALSE(t.flgUsePassiveTransfer);
}

TEST(DesignerSettingsTest, WritesTransferAndPanelKeysAsTheyAreRead) {
    TempFolder dir;
    IniFile settings(dir.file("Vantorell.ini"));
    transferSettingsWrite(settings, {true, "h.proxy", 3128, "", 0, false});
    panelSizesWrite(settings, {280, 310, 200});

    EXPECT_EQ(dir.read("Vantorell.ini"),
              "[File Transfer]\r\n"
              "UseProxyInfoFlag=1\r\n"
              "HTTPProxyAddress=h.proxy\r\n"
              "HTTPProxyPort=3128\r\n"
              "FTPProxyAddress=\r\n"
              "FTPProxyPort=0\r\n"
              "UsePassiveTransferFlag=0\r\n"
              "[Vantorell Form]\r\n"
              "TopPanelHeight=280\r\n"
              "DimsCatsPanelWidth=310\r\n"
              "DimsCatsTreeWidth=200\r\n");
}

}  // namespace
}  // namespace vantorell
