#pragma once
// What may go to a server as a command, and how a command is shown.

#include <exception>
#include <string>

namespace vantorell::transport {

// A command holding a carriage return, line feed or NUL would smuggle further commands
// to the server: such a command is never sent.
bool FtpCommandIsSafe(const std::string& Cmd);

// The command as the display events show it: a password is never shown.
std::string FtpDisplayedCommand(const std::string& Cmd);

// "<class name>: <message>" of an exception, on one line, for the client's own replies.
std::string FtpExceptionText(const std::exception& E);

}  // namespace vantorell::transport
