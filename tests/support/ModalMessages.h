#pragma once

#include "platform/RecordingMessageService.h"

namespace vantorell::test {

// Messages shown as the user sees them: each is checked against the script, then shown in a
// real modal message box, which takes the focus and runs its own event loop, and the
// scripted answer's button is clicked once the box is up. Installed for its lifetime.
class ModalMessages : public RecordingMessageService {
public:
    ModalMessages();
    ~ModalMessages() override;

    MessageAnswer show(const MessageRequest& request) override;

private:
    MessageService* previous_;
};

}  // namespace vantorell::test
