// The engine's window in file-cipher mode: the panel's buttons reach its logic.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "engine/tqmh01/TForm1.h"
#include "platform/FileDialogService.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/RandomBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell::engine {
namespace {

class EncryptPanelWindow : public ::testing::Test {
protected:
    // A window as "-BK7#LmmP" alone shows it, with the panel's fields typed in.
    std::unique_ptr<TForm1> window(const std::string& source, const std::string& target,
                                   const char* key2, bool decrypt) {
        auto form = std::make_unique<TForm1>(readStartupState({"-BK7#LmmP"}, folder.path()));
        form->GetFileName();
        FileEncryptionPanel& panel = *form->EncryptPanel;
        EXPECT_TRUE(panel.isVisible());
        QTest::keyClicks(panel.UpperEdit, QString::fromStdString(source));
        QTest::keyClicks(panel.LowerEdit, QString::fromStdString(target));
        QTest::keyClicks(panel.FirstKey, QStringLiteral("first key"));
        QTest::keyClicks(panel.SecondKey, QString::fromUtf8(key2));
        panel.DecReqBox->setChecked(decrypt);
        return form;
    }

    test::TempFolder folder;
    test::TestMessages messages;
};

TEST_F(EncryptPanelWindow, OkEnciphersAndDeciphersThenClosesTheWindow) {
    const std::string plain = test::randomBytes(4000, 11);
    folder.write("plain.bin", plain);

    auto encipher = window(folder.file("plain.bin"), folder.file("plain.enc"), "second", false);
    QTest::mouseClick(encipher->EncryptPanel->Button3, Qt::LeftButton);
    EXPECT_FALSE(encipher->isVisible());
    ASSERT_EQ(folder.read("plain.enc").substr(0, 2), "L\n");

    auto decipher = window(folder.file("plain.enc"), folder.file("back.bin"), "second", true);
    QTest::mouseClick(decipher->EncryptPanel->Button3, Qt::LeftButton);
    EXPECT_FALSE(decipher->isVisible());
    EXPECT_EQ(folder.read("back.bin"), plain);
}

TEST_F(EncryptPanelWindow, ARefusalKeepsTheWindowAndItsFields) {
    folder.write("plain.bin", "some bytes to protect");
    auto form = window(folder.file("plain.bin"), folder.file("plain.enc"), "", false);
    messages.expectContaining("Key 2 is empty.");
    QTest::mouseClick(form->EncryptPanel->Button3, Qt::LeftButton);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->EncryptPanel->FirstKey->text(), QStringLiteral("first key"));
    EXPECT_EQ(form->EncryptPanel->UpperEdit->text().toStdString(), folder.file("plain.bin"));
    EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"plain.bin"});
}

TEST_F(EncryptPanelWindow, BrowseFillsTheFieldsAndCancelClosesWithoutAFile) {
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService installed(dialogs);
    folder.write("plain.bin", "x");
    auto form = window("", "", "second", false);
    FileEncryptionPanel& panel = *form->EncryptPanel;

    dialogs.queue(folder.file("plain.bin"));
    QTest::mouseClick(panel.UpperBrowse, Qt::LeftButton);
    dialogs.queue(std::nullopt);
    QTest::mouseClick(panel.LowerBrowse, Qt::LeftButton);
    EXPECT_EQ(panel.UpperEdit->text().toStdString(), folder.file("plain.bin"));
    EXPECT_TRUE(panel.LowerEdit->text().isEmpty());

    QTest::mouseClick(panel.Button4, Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"plain.bin"});
}

TEST_F(EncryptPanelWindow, ThePopUpMenuOffersVersionInfo) {
    auto form = window("", "", "", false);
    emit form->customContextMenuRequested(QPoint(10, 10));
    EXPECT_TRUE(form->PopupMenu1->isVisible());
    EXPECT_EQ(form->VersionInfo1->text(), QStringLiteral("Version Info"));
    form->PopupMenu1->hide();

    messages.expectContaining("Version: ");
    form->VersionInfo1->trigger();
    EXPECT_EQ(messages.shown().back().caption, QCoreApplication::applicationName().toStdString());
}

}  // namespace
}  // namespace vantorell::engine
