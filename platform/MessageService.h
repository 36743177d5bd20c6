#pragma once
// Message boxes and message dialogs. The designer asks through this interface so that
// tests can answer from a script; the Qt implementation shows real boxes.

#include <string>

#include "platform/InstalledService.h"

namespace vantorell {

enum class MessageIcon { None, Information, Warning, Error, Question };

// Buttons offered, as a bit set.
enum MessageButtons : unsigned {
    kButtonOk = 1,
    kButtonCancel = 2,
    kButtonYes = 4,
    kButtonNo = 8,
};

enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    std::string caption;
    std::string text;  // carriage returns are kept; the Qt side shows them as line breaks
    MessageIcon icon = MessageIcon::None;
    unsigned buttons = kButtonOk;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer show(const MessageRequest& request) = 0;
};

// The service in use: the one installed last, else a Qt implementation.
MessageService& messageService();

// Installs a service (nullptr restores the Qt implementation); returns the previous one.
MessageService* setMessageService(MessageService* service);

// Shorthand for messageService().show(...).
MessageAnswer showMessage(const std::string& caption, const std::string& text, MessageIcon icon,
                          unsigned buttons = kButtonOk);

// Caption a message dialog of the given kind carries ("Error", "Information", ...).
std::string dialogCaption(MessageIcon icon);

// Installs a service for the lifetime of the guard.
using ScopedMessageService = ScopedService<MessageService, setMessageService>;

}  // namespace vantorell
