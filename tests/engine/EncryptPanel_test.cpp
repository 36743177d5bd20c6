// The File Encryption panel's logic: round trips through its fields, what it refuses and
// says, its file choosers and the window's version text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "engine/tqmh01/EncryptPanelLogic.h"
#include "platform/FileDialogService.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/RandomBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell::engine {
namespace {

using test::folderEntries;

constexpr const char* kKey1 = "alpha key 1";
constexpr const char* kKey2 = "beta-key-2";
constexpr std::time_t kStarted = 1700000000;

// Local time is taken in UTC here, so the texts are fixed.
class UtcZone {
public:
    UtcZone() {
        if (const char* tz = std::getenv("TZ")) {
            saved_ = tz;
        }
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    ~UtcZone() {
        if (saved_.empty()) {
            ::unsetenv("TZ");
        } else {
            ::setenv("TZ", saved_.c_str(), 1);
        }
        ::tzset();
    }

private:
    std::string saved_;
};

class EncryptPanelTest : public ::testing::Test {
protected:
    EncryptPanelFields fields(const std::string& source, const std::string& target,
                              bool decrypt) const {
        return {folder.file(source), folder.file(target), kKey1, kKey2, decrypt};
    }

    test::TempFolder folder;
    test::TestMessages messages;
};

TEST(StartTimeKeyText, IsTheTimeTextOfTheCLibraryInTwentyFourCharacters) {
    UtcZone utc;
    EXPECT_EQ(startTimeKeyText(0), "Thu Jan  1 00:00:00 1970");
    EXPECT_EQ(startTimeKeyText(kStarted), "Tue Nov 14 22:13:20 2023");
    EXPECT_EQ(startTimeKeyText(951782400), "Tue Feb 29 00:00:00 2000");
}

TEST(EncryptPanelRequest, AsksForStagesAAndCWithTheGivenKeys) {
    const CipherRequest r = encryptPanelRequest({"in", "out", "k1", "", true}, "third");
    EXPECT_EQ(r.sourcePath, "in");
    EXPECT_EQ(r.outputPath, "out");
    EXPECT_EQ(r.direction, CipherDirection::Decipher);
    EXPECT_TRUE(r.stages.a && r.stages.c);
    EXPECT_FALSE(r.stages.b || r.stages.d || r.automaticStages || r.keyBlockPresent);
    EXPECT_FALSE(r.noSecondKey);  // an empty Key 2 is not replaced by the built-in texts
    EXPECT_EQ(r.firstKey, "k1");
    EXPECT_EQ(r.secondKey, "");
    EXPECT_EQ(r.thirdKey, "third");
    EXPECT_EQ(encryptPanelRequest({"in", "out", "k1", "k2", false}, "").direction,
              CipherDirection::Encipher);
}

TEST_F(EncryptPanelTest, EnciphersAndDeciphersFilesOfEverySizeClass) {
    UtcZone utc;
    // Empty, under one block (stages C and D only), one block, a tail, several body lines.
    for (const std::size_t size : {0UL, 15UL, 16UL, 33UL, 1000UL, 70001UL}) {
        const std::string plain = test::randomBytes(size, static_cast<std::uint32_t>(size + 1));
        folder.write("plain.bin", plain);
        ASSERT_TRUE(DoEncrypt(fields("plain.bin", "plain.enc", false), kStarted)) << size;
        const std::string enciphered = folder.read("plain.enc");
        EXPECT_EQ(enciphered.rfind(
                      "L\n" + std::to_string(size) + "\nT\nTue Nov 14 22:13:20 2023\nM\n", 0),
                  0U)
            << size;

        // A later run of the program deciphers it: the start time travels in the file.
        ASSERT_TRUE(DoEncrypt(fields("plain.enc", "back.bin", true), kStarted + 86400)) << size;
        EXPECT_EQ(folder.read("back.bin"), plain) << size;
    }
}

TEST_F(EncryptPanelTest, RefusalsAreShownAndWriteNothing) {
    folder.write("plain.bin", test::randomBytes(300, 3));
    folder.write("old.bin", "kept as it was");
    folder.write("broken.enc", "L\n100\nT\nsome text\n");

    struct Case {
        const char* what;
        EncryptPanelFields fields;
        const char* reason;
    } cases[] = {
        {"no source",
         {"", folder.file("out.enc"), kKey1, kKey2, false},
         "No source file name was given."},
        {"no target",
         {folder.file("plain.bin"), "", kKey1, kKey2, false},
         "No target file name was given."},
        {"empty Key 1",
         {folder.file("plain.bin"), folder.file("out.enc"), "", kKey2, false},
         "Key 1 is empty."},
        {"empty Key 2",
         {folder.file("plain.bin"), folder.file("out.enc"), kKey1, "", true},
         "Key 2 is empty."},
        {"Key 1 too long",
         {folder.file("plain.bin"), folder.file("out.enc"), std::string(256, 'k'), kKey2, false},
         "The first key text holds 256 characters"},
        {"Key 2 outside the printable characters",
         {folder.file("plain.bin"), folder.file("out.enc"), kKey1, "cl\xc3\xa9", false},
         "The second key text holds character code 195"},
        {"same file", fields("plain.bin", "plain.bin", false),
         "The source and the output are the same file"},
        {"same file by another path",
         {folder.file("plain.bin"), folder.path() + "./plain.bin", kKey1, kKey2, false},
         "The source and the output are the same file"},
        {"missing source", fields("missing.bin", "out.enc", false), "Cannot read"},
        {"malformed enciphered file over an existing target", fields("broken.enc", "old.bin", true),
         "The header"},
        {"target folder missing", fields("plain.bin", "no/such/folder.enc", false),
         "Cannot create a file in"},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> before = folderEntries(folder.path());
        messages.expectContaining(c.reason);
        EXPECT_FALSE(DoEncrypt(c.fields, kStarted)) << c.what;
        ASSERT_EQ(messages.pending(), 0U) << c.what;
        const MessageRequest& shown = messages.shown().back();
        EXPECT_EQ(shown.caption, "File Encryption") << c.what;
        EXPECT_EQ(shown.icon, MessageIcon::Error) << c.what;
        EXPECT_EQ(shown.text.rfind(c.fields.decrypt
                                       ? "The file was not decrypted; nothing was written.\r\r"
                                       : "The file was not encrypted; nothing was written.\r\r",
                                   0),
                  0U)
            << c.what;
        EXPECT_EQ(shown.text.find(kKey1), std::string::npos) << c.what;
        EXPECT_EQ(shown.text.find(kKey2), std::string::npos) << c.what;
        EXPECT_EQ(shown.text.find("kkkkkkkk"), std::string::npos) << c.what;
        EXPECT_EQ(folderEntries(folder.path()), before) << c.what;
    }
    EXPECT_EQ(folder.read("old.bin"), "kept as it was");
}

TEST_F(EncryptPanelTest, ChoosersFillTheirFieldAndACancelChangesNothing) {
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService installed(dialogs);
    EncryptPanelFields f{"/a/typed.bin", "/a/typed.enc", kKey1, kKey2, false};

    dialogs.queue(std::nullopt);
    ChooseInput(f);
    dialogs.queue(std::nullopt);
    ChooseOutput(f);
    EXPECT_EQ(f.source, "/a/typed.bin");
    EXPECT_EQ(f.target, "/a/typed.enc");

    dialogs.queue("/b/chosen file.bin");
    ChooseInput(f);
    dialogs.queue("/b/chosen file.enc");
    ChooseOutput(f);
    EXPECT_EQ(f.source, "/b/chosen file.bin");
    EXPECT_EQ(f.target, "/b/chosen file.enc");
    EXPECT_EQ(f.firstKey, kKey1);

    // No filter; each dialog proposes what its field held; the save dialog asks before
    // replacing a file.
    ASSERT_EQ(dialogs.asked().size(), 4U);
    for (const FileDialogRequest& asked : dialogs.asked()) {
        EXPECT_TRUE(asked.filter.empty());
    }
    EXPECT_EQ(dialogs.asked()[2].fileName, "/a/typed.bin");
    EXPECT_TRUE(dialogs.asked()[2].fileMustExist);
    EXPECT_EQ(dialogs.asked()[3].fileName, "/a/typed.enc");
    EXPECT_TRUE(dialogs.asked()[3].overwritePrompt);
}

TEST_F(EncryptPanelTest, VersionInfoShowsTheVersionInAPlainBox) {
    messages.expect("Version: 2.00 Build: 43 Date: April 28, 2004");
    VersionInfo1Click("tqmx01");
    ASSERT_EQ(messages.shown().size(), 1U);
    EXPECT_EQ(messages.shown().front().caption, "tqmx01");
    EXPECT_EQ(messages.shown().front().icon, MessageIcon::None);
}

}  // namespace
}  // namespace vantorell::engine
