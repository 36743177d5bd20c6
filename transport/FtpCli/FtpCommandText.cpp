#include "transport/FtpCli/FtpCommandText.h"

#include <strings.h>

#include "transport/FtpCli/FtpTypes.h"
#include "transport/WSocket/ESocketException.h"

namespace vantorell::transport {

bool FtpCommandIsSafe(const std::string& Cmd) {
    return Cmd.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

std::string FtpDisplayedCommand(const std::string& Cmd) {
    if (Cmd.size() >= 4 && ::strncasecmp(Cmd.c_str(), "PASS", 4) == 0 &&
        (Cmd.size() == 4 || Cmd[4] == ' ')) {
        return "PASS ********";
    }
    return Cmd;
}

std::string FtpExceptionText(const std::exception& E) {
    const char* name = dynamic_cast<const ESocketException*>(&E) != nullptr ? "ESocketException"
                       : dynamic_cast<const FtpException*>(&E) != nullptr   ? "FtpException"
                                                                            : "Exception";
    std::string text = std::string(name) + ": " + E.what();
    // The socket layer's messages span two lines; a reply is one.
    std::string line;
    for (const char c : text) {
        if (c == '\r' || c == '\n' || c == '\0') {
            if (!line.empty() && line.back() != ' ') {
                line.push_back(' ');
            }
        } else {
            line.push_back(c);
        }
    }
    return line;
}

}  // namespace vantorell::transport
