#pragma once
// The cube server dialogs' FTP client: its settings as placed on a dialog, and its set-up
// before each connection, directly or through an FTP proxy that takes the server in the user
// name ("user@host:port").

#include <chrono>
#include <string>
#include <vector>

#include "designer/frmMain/DesignerSettings.h"
#include "transport/FtpCli/FtpClient.h"

namespace vantorell {

// One unit of nulPause: 1/60000 of a day.
inline constexpr std::chrono::milliseconds kPauseUnit{1440};

// Waits n units without letting any event run: the server gets time to end the previous
// session. A steady clock, so midnight or a clock change does not shorten or stretch it.
// No wait once the program is ending.
void nulPause(int n, std::chrono::milliseconds unit = kPauseUnit);

// The client as the dialogs hold it: 15 seconds without progress, binary, lone line feeds
// accepted, a direct connection from any local address, and no event handlers.
void nulFtpClientPrepare(transport::TFtpClient& client);

// Quits a connected client, pauses one unit, then aims the client at host:port (or at the
// FTP proxy with the server in the user name) with the user and password and the passive
// mode of the transfer settings.
void nulFtpClientConfigure(transport::TFtpClient& client, const TransferSettings& transfer,
                           const std::string& host, const std::string& password,
                           const std::string& user, int port,
                           std::chrono::milliseconds pauseUnit = kPauseUnit);

// The lines that show the client's settings in a session log. A password that the user name
// holds (a token turned into it) shows as asterisks: passwords never reach a log.
std::vector<std::string> strFtpClientSettingsLines(const transport::TFtpClient& client);

}  // namespace vantorell
