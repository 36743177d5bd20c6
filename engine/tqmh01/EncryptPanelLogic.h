#pragma once
// What the File Encryption panel does, without its widgets: the browse buttons, the cipher
// request made from the panel's fields, and what the user is told.

#include <ctime>
#include <string>

#include "engine/tqmh01/CipherRequest.h"

namespace vantorell::engine {

struct EncryptPanelFields {
    std::string source;     // UpperEdit
    std::string target;     // LowerEdit
    std::string firstKey;   // FirstKey
    std::string secondKey;  // SecondKey
    bool decrypt = false;   // DecReqBox
};

// The third key text of an enciphering run: the program's start time as the C library's
// time text ("Thu Jan  1 00:00:00 1970"), its first 24 characters. The enciphered file
// carries it, so deciphering needs only the two keys.
std::string startTimeKeyText(std::time_t startTime);

// Stages A and C by the panel's choice (files under 16 bytes get C and D whatever it asks),
// no key block; an empty Key 2 stays an empty text, which the cipher refuses.
CipherRequest encryptPanelRequest(const EncryptPanelFields& fields, const std::string& thirdKey);

// The Browse buttons: a chosen file goes into its field; a cancelled chooser leaves it.
void ChooseInput(EncryptPanelFields& fields);
void ChooseOutput(EncryptPanelFields& fields);

// OK: enciphers or deciphers the source into the target. True when the target was written;
// otherwise the reason has been shown, nothing was written and the fields stay for another
// try. The messages never hold the keys.
bool DoEncrypt(const EncryptPanelFields& fields, std::time_t startTime);

// "Version Info" of the window's pop-up menu, in a plain message box.
void VersionInfo1Click(const std::string& caption);

}  // namespace vantorell::engine
