#include "platform/MessageService.h"

#include "platform/QtMessageService.h"

namespace vantorell {
namespace {

MessageService* installed = nullptr;

MessageService& qtService() {
    static QtMessageService service;
    return service;
}

}  // namespace

MessageService& messageService() {
    return installed != nullptr ? *installed : qtService();
}

MessageService* setMessageService(MessageService* service) {
    MessageService* previous = installed;
    installed = service;
    return previous;
}

MessageAnswer showMessage(const std::string& caption, const std::string& text, MessageIcon icon,
                          unsigned buttons) {
    return messageService().show(MessageRequest{caption, text, icon, buttons});
}

std::string dialogCaption(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return "Information";
        case MessageIcon::Warning:
            return "Warning";
        case MessageIcon::Error:
            return "Error";
        case MessageIcon::Question:
            return "Confirm";
        case MessageIcon::None:
            break;
    }
    return "";
}

}  // namespace vantorell
