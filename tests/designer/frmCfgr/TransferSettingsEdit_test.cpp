// The Configuration dialog's logic: the fields shown, checked and stored back.
#include "designer/frmCfgr/TransferSettingsEdit.h"

#include <gtest/gtest.h>

namespace vantorell {
namespace {

TransferSettings someSettings() {
    return {true, "proxy.local", 3128, "ftp-proxy.local", 2121, false};
}

void expectEqual(const TransferSettings& a, const TransferSettings& b) {
    EXPECT_EQ(a.flgUseProxyInfo, b.flgUseProxyInfo);
    EXPECT_EQ(a.strHTTPProxyAddress, b.strHTTPProxyAddress);
    EXPECT_EQ(a.intHTTPProxyPort, b.intHTTPProxyPort);
    EXPECT_EQ(a.strFTPProxyAddress, b.strFTPProxyAddress);
    EXPECT_EQ(a.intFTPProxyPort, b.intFTPProxyPort);
    EXPECT_EQ(a.flgUsePassiveTransfer, b.flgUsePassiveTransfer);
}

TEST(TransferSettingsEdit, ShownValuesStoreBackUnchanged) {
    const TransferSettings original = someSettings();
    const TransferSettingsValues shown = transferSettingsValuesGet(original);
    EXPECT_TRUE(shown.useProxyInfo);
    EXPECT_EQ(shown.httpProxyAddress, "proxy.local");
    EXPECT_EQ(shown.httpProxyPort, "3128");
    EXPECT_EQ(shown.ftpProxyAddress, "ftp-proxy.local");
    EXPECT_EQ(shown.ftpProxyPort, "2121");
    EXPECT_FALSE(shown.usePassiveTransfer);

    TransferSettings stored;
    EXPECT_EQ(strTransferSettingsStore(shown, stored), std::nullopt);
    expectEqual(stored, original);
}

TEST(TransferSettingsEdit, EditsAreStoredTrimmedAndInLowerCase) {
    TransferSettings settings = someSettings();
    // Switching proxy use off keeps the addresses and ports.
    TransferSettingsValues edited{false, "  Proxy.EXAMPLE.lan ", " 8080 ", "\tFTP.Example.LAN", "",
                                  true};
    EXPECT_EQ(strTransferSettingsStore(edited, settings), std::nullopt);
    expectEqual(settings, {false, "proxy.example.lan", 8080, "ftp.example.lan", 0, true});
    EXPECT_EQ(strProxyFieldText("Proxy:8080/ÄB"), "proxy:8080/Äb");
}

TEST(TransferSettingsEdit, ABadPortIsRefusedAndNothingIsStored) {
    struct Case {
        const char* http;
        const char* ftp;
        const char* field;
    } cases[] = {
        {"80a", "21", "HTTP Proxy Port"},   {"8o80", "21", "HTTP Proxy Port"},
        {"65536", "21", "HTTP Proxy Port"}, {"-1", "21", "HTTP Proxy Port"},
        {"+80", "21", "HTTP Proxy Port"},   {"99999999999", "21", "HTTP Proxy Port"},
        {"80", "2 1", "FTP Proxy Port"},    {"80", "0x15", "FTP Proxy Port"},
        {"80", "21.0", "FTP Proxy Port"},
    };
    for (const Case& c : cases) {
        TransferSettings settings = someSettings();
        const TransferSettingsValues values{false, "other", c.http, "other", c.ftp, true};
        const std::optional<std::string> refusal = strTransferSettingsStore(values, settings);
        ASSERT_TRUE(refusal.has_value()) << c.http << " " << c.ftp;
        EXPECT_EQ(*refusal, std::string("Sorry, the ") + c.field +
                                " must be a whole number from 0 to 65535.");
        expectEqual(settings, someSettings());
    }
    for (const char* good : {"0", "65535", " 21 ", "", "080"}) {
        EXPECT_TRUE(intProxyPortRead(good).has_value()) << good;
    }
    EXPECT_EQ(intProxyPortRead("080"), 80);
    EXPECT_EQ(intProxyPortRead(""), 0);
}

}  // namespace
}  // namespace vantorell
