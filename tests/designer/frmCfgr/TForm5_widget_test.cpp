// The Configuration dialog on the designer's real windows: opened by the main window's
// Configuration command, editing the main window's transfer settings.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "designer/frmMain/StartupSequence.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

class ConfigurationDialog : public ::testing::Test {
protected:
    // The designer's windows over a settings file whose options offer Retrieve Cube, or not.
    void start(bool retrieveCube = true) {
        program.write("Vantorell.ini",
                      std::string("[Vantorell Form]\r\nShowReceiveCubeOptionFlag=") +
                          (retrieveCube ? "1" : "0") +
                          "\r\n[File Transfer]\r\nUseProxyInfoFlag=1\r\n"
                          "HTTPProxyAddress=proxy.lan\r\nHTTPProxyPort=3128\r\n"
                          "FTPProxyAddress=ftp.lan\r\nFTPProxyPort=2121\r\n"
                          "UsePassiveTransferFlag=0\r\n");
        windows = designerWindowsCreate(program.path());
        main = windows->Form1.get();
        dialog = windows->Form5.get();
    }

    void expectMainFields(bool useProxy, const char* http, int httpPort, const char* ftp,
                          int ftpPort, bool passive) const {
        EXPECT_EQ(main->flgUseProxyInfo, useProxy);
        EXPECT_EQ(main->strHTTPProxyAddress, http);
        EXPECT_EQ(main->intHTTPProxyPort, httpPort);
        EXPECT_EQ(main->strFTPProxyAddress, ftp);
        EXPECT_EQ(main->intFTPProxyPort, ftpPort);
        EXPECT_EQ(main->flgUsePassiveTransfer, passive);
    }

    static void retype(QLineEdit* edit, const char* text) {
        edit->clear();
        QTest::keyClicks(edit, QString::fromUtf8(text));
    }

    test::TempFolder program;
    test::TestMessages messages;
    std::unique_ptr<DesignerWindows> windows;
    TForm1* main = nullptr;
    TForm5* dialog = nullptr;
};

TEST_F(ConfigurationDialog, TheCommandShowsTheFieldsWithTheMainWindowDisabled) {
    start();
    ASSERT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->edtFileTransferProxyHTTPProxyAddress->isEnabled());  // box unchecked

    main->tbnConfiguration->trigger();  // the tool button runs the menu item
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_FALSE(main->isEnabled());
    EXPECT_TRUE(dialog->PageControl1->isVisible());
    EXPECT_FALSE(dialog->sttBackgroundMessage->isVisible());
    EXPECT_TRUE(dialog->cbxFileTransferProxyUseProxyInfo->isChecked());
    EXPECT_EQ(dialog->edtFileTransferProxyHTTPProxyAddress->text(), QStringLiteral("proxy.lan"));
    EXPECT_EQ(dialog->edtFileTransferProxyHTTPProxyPort->text(), QStringLiteral("3128"));
    EXPECT_EQ(dialog->edtFileTransferProxyFTPProxyAddress->text(), QStringLiteral("ftp.lan"));
    EXPECT_EQ(dialog->edtFileTransferProxyFTPProxyPort->text(), QStringLiteral("2121"));
    EXPECT_FALSE(dialog->cbxFileTransferMiscUsePassiveTransfer->isChecked());
    for (QLineEdit* field :
         {dialog->edtFileTransferProxyHTTPProxyAddress, dialog->edtFileTransferProxyHTTPProxyPort,
          dialog->edtFileTransferProxyFTPProxyAddress, dialog->edtFileTransferProxyFTPProxyPort}) {
        EXPECT_TRUE(field->isEnabled());
    }
    // The proxy fields follow the box.
    dialog->cbxFileTransferProxyUseProxyInfo->click();
    EXPECT_FALSE(dialog->edtFileTransferProxyFTPProxyPort->isEnabled());
}

TEST_F(ConfigurationDialog, OkStoresTheEditsWhichReachTheSettingsFileAtExit) {
    start();
    main->mnuFileConfiguration->trigger();
    retype(dialog->edtFileTransferProxyHTTPProxyAddress, " Proxy.EXAMPLE.lan ");
    EXPECT_EQ(dialog->edtFileTransferProxyHTTPProxyAddress->text(),
              QStringLiteral(" proxy.example.lan "));  // typed capitals turn lower case
    retype(dialog->edtFileTransferProxyHTTPProxyPort, "8080");
    retype(dialog->edtFileTransferProxyFTPProxyPort, "");
    // Proxy use off keeps the addresses and ports.
    dialog->cbxFileTransferProxyUseProxyInfo->click();
    dialog->cbxFileTransferMiscUsePassiveTransfer->click();
    QTest::mouseClick(dialog->btnOk, Qt::LeftButton);

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(main->isEnabled());
    expectMainFields(false, "proxy.example.lan", 8080, "ftp.lan", 0, true);

    windows.reset();
    const std::string ini = program.read("Vantorell.ini");
    EXPECT_NE(ini.find("[File Transfer]\r\nUseProxyInfoFlag=0\r\n"
                       "HTTPProxyAddress=proxy.example.lan\r\nHTTPProxyPort=8080\r\n"
                       "FTPProxyAddress=ftp.lan\r\nFTPProxyPort=0\r\n"
                       "UsePassiveTransferFlag=1\r\n"),
              std::string::npos)
        << ini;
}

TEST_F(ConfigurationDialog, ABadPortIsRefusedAndNothingIsStored) {
    start();
    main->mnuFileConfiguration->trigger();
    retype(dialog->edtFileTransferProxyHTTPProxyAddress, "other.lan");
    retype(dialog->edtFileTransferProxyFTPProxyPort, "21x");
    messages.expect("Sorry, the FTP Proxy Port must be a whole number from 0 to 65535.");
    QTest::mouseClick(dialog->btnOk, Qt::LeftButton);
    EXPECT_EQ(messages.shown().back().caption, "Error");

    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(main->isEnabled());
    EXPECT_EQ(dialog->edtFileTransferProxyFTPProxyPort->text(), QStringLiteral("21x"));
    expectMainFields(true, "proxy.lan", 3128, "ftp.lan", 2121, false);
}

TEST_F(ConfigurationDialog, ClosingWithoutOkChangesNothing) {
    start();
    for (const bool byEscape : {false, true}) {
        main->mnuFileConfiguration->trigger();
        retype(dialog->edtFileTransferProxyHTTPProxyAddress, "other.lan");
        retype(dialog->edtFileTransferProxyHTTPProxyPort, "1");
        dialog->cbxFileTransferMiscUsePassiveTransfer->click();
        if (byEscape) {
            QTest::keyClick(dialog, Qt::Key_Escape);
        } else {
            dialog->close();
        }
        EXPECT_FALSE(dialog->isVisible()) << byEscape;
        EXPECT_TRUE(main->isEnabled()) << byEscape;
        expectMainFields(true, "proxy.lan", 3128, "ftp.lan", 2121, false);
    }
    // Shown again, it holds the main window's values, not the discarded edits.
    main->mnuFileConfiguration->trigger();
    EXPECT_EQ(dialog->edtFileTransferProxyHTTPProxyAddress->text(), QStringLiteral("proxy.lan"));
    EXPECT_EQ(dialog->edtFileTransferProxyHTTPProxyPort->text(), QStringLiteral("3128"));
    EXPECT_FALSE(dialog->cbxFileTransferMiscUsePassiveTransfer->isChecked());
}

TEST_F(ConfigurationDialog, WithoutRetrieveCubeOnlyTheBackgroundMessageShows) {
    start(false);
    EXPECT_FALSE(main->mnuFileConfiguration->isVisible());
    dialog->show();
    EXPECT_FALSE(dialog->PageControl1->isVisible());
    EXPECT_TRUE(dialog->sttBackgroundMessage->isVisible());
    EXPECT_EQ(dialog->sttBackgroundMessage->text(),
              QStringLiteral("Sorry, no options can be configured at this time."));
    EXPECT_TRUE(dialog->btnOk->isVisible());
    QTest::mouseClick(dialog->btnOk, Qt::LeftButton);
    EXPECT_TRUE(main->isEnabled());
    expectMainFields(true, "proxy.lan", 3128, "ftp.lan", 2121, false);
}

}  // namespace
}  // namespace vantorell
