#include "engine/tqmh01/EncryptPanelLogic.h"

#include <cctype>
#include <cstdio>

#include "engine/tqmh01/EngineVersion.h"
#include "engine/tqmh01/StartupLayout.h"
#include "platform/FileDialogService.h"
#include "platform/MessageService.h"

namespace vantorell::engine {
namespace {

constexpr std::size_t kTimeTextLength = 24;

void refuse(const EncryptPanelFields& fields, std::string reason) {
    if (!reason.empty()) {
        reason[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(reason[0])));
    }
    const char* headline = fields.decrypt ? "The file was not decrypted; nothing was written."
                                          : "The file was not encrypted; nothing was written.";
    // The panel's messages carry the window's caption.
    showMessage(kEncryptCaption, std::string(headline) + "\r\r" + reason + ".", MessageIcon::Error);
}

// The fields a run cannot do without, named as the panel labels them; the cipher judges
// the rest (same file, key characters and lengths, the enciphered layout).
const char* missingField(const EncryptPanelFields& fields) {
    if (fields.source.empty()) {
        return "no source file name was given";
    }
    if (fields.target.empty()) {
        return "no target file name was given";
    }
    if (fields.firstKey.empty()) {
        return "Key 1 is empty";
    }
    if (fields.secondKey.empty()) {
        return "Key 2 is empty";
    }
    return nullptr;
}

// Runs an open or save dialog that proposes the field's name; a cancel leaves the field.
void chooseFile(std::string& field, bool save) {
    FileDialogRequest request;
    request.fileName = field;
    request.fileMustExist = !save;
    request.overwritePrompt = save;
    FileDialogService& dialogs = fileDialogService();
    if (std::optional<std::string> chosen =
            save ? dialogs.saveFile(request) : dialogs.openFile(request)) {
        field = std::move(*chosen);
    }
}

}  // namespace

std::string startTimeKeyText(std::time_t startTime) {
    // The C library's form, built here so the names stay English whatever the locale.
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
    localtime_r(&startTime, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %d", kDays[local.tm_wday % 7],
                  kMonths[local.tm_mon % 12], local.tm_mday, local.tm_hour, local.tm_min,
                  local.tm_sec, 1900 + local.tm_year);
    return std::string(text).substr(0, kTimeTextLength);
}

CipherRequest encryptPanelRequest(const EncryptPanelFields& fields, const std::string& thirdKey) {
    CipherRequest request;
    request.sourcePath = fields.source;
    request.outputPath = fields.target;
    request.direction = fields.decrypt ? CipherDirection::Decipher : CipherDirection::Encipher;
    request.stages.a = true;
    request.stages.c = true;
    request.automaticStages = false;
    request.firstKey = fields.firstKey;
    request.secondKey = fields.secondKey;
    request.secondKeyGiven = true;
    request.thirdKey = thirdKey;
    return request;
}

void ChooseInput(EncryptPanelFields& fields) {
    chooseFile(fields.source, false);
}

void ChooseOutput(EncryptPanelFields& fields) {
    chooseFile(fields.target, true);
}

bool DoEncrypt(const EncryptPanelFields& fields, std::time_t startTime) {
    if (const char* missing = missingField(fields)) {
        refuse(fields, missing);
        return false;
    }
    const CipherResult result =
        CipherFile(encryptPanelRequest(fields, startTimeKeyText(startTime)));
    if (!result.ok()) {
        refuse(fields, result.message);
        return false;
    }
    return true;
}

void VersionInfo1Click(const std::string& caption) {
    showMessage(caption, engineVersionInfoText(), MessageIcon::None);
}

}  // namespace vantorell::engine
