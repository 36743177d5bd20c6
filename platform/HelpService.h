#pragma once
// Help files. The designer opens its help file through this interface so that tests never
// open a window or start a program unasked; the Qt implementation shows HTML pages in a help
// window of the program and hands other files to the desktop's handler.

#include <string>

#include "platform/InstalledService.h"

namespace vantorell {

class HelpService {
public:
    virtual ~HelpService() = default;
    // Shows the help file; false when it could not be handed to a viewer.
    virtual bool showFile(const std::string& path) = 0;
    // Closes the help windows this program opened.
    virtual void closeAll() = 0;
};

// The service in use: the one installed last, else the Qt implementation.
HelpService& helpService();

// Installs a service (nullptr restores the Qt implementation); returns the previous one.
HelpService* setHelpService(HelpService* service);

// Installs a service for the lifetime of the guard.
using ScopedHelpService = ScopedService<HelpService, setHelpService>;

}  // namespace vantorell
