#include "platform/MessageService.h"

#include "platform/QtMessageService.h"

namespace vantorell {
namespace {

InstalledService<MessageService> installed;

MessageService& qtService() {
    static QtMessageService service;
    return service;
}

}  // namespace

MessageService& messageService() {
    return installed.get(qtService());
}

MessageService* setMessageService(MessageService* service) {
    return installed.install(service);
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
